#include "graphics/graphics.h"

#include <chrono>
#include <thread>

#include "core/exit_handlers.h"
#include "system/hook.h"
#include "system/polled_input.h"
#include "system/system.h"

namespace {

class SystemClock : public TFrameClock {
public:
  int NowMs() override {
    using namespace std::chrono;
    return int(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

SystemClock system_clock;
TFrameClock* frame_clock = &system_clock;

// Module state: one current driver, one selected graphics, one owned graphics.
TGraphicsDriver* CurrentDriver = nullptr;
int DefaultFlags = 0;
std::vector<TGraphicsMode> ModeCache;
bool ModeCacheFilled = false;
Ref<TGraphics> CurrentGraphics_;
int CurrentWidth = 0, CurrentHeight = 0, CurrentDepth = 0, CurrentHertz = 0, CurrentFlags = 0;
Ref<TGraphics> OwnedGraphics;
int SoftSync = 0, HardSync = 0;
FrameSchedule Sync;
int GraphicsSeq_ = 1;
int FlipHook_ = -1;
bool exit_handler_registered = false;

void ClearCurrent() {
  CurrentGraphics_ = nullptr;
  CurrentWidth = CurrentHeight = CurrentDepth = CurrentHertz = CurrentFlags = 0;
}

// Deselects the current graphics on the old driver and switches drivers.
void ChangeDriver(TGraphicsDriver* driver) {
  if (CurrentDriver && CurrentGraphics_) CurrentDriver->SetGraphics(nullptr);
  ModeCache.clear();
  ModeCacheFilled = false;
  CurrentDriver = driver;
}

const std::vector<TGraphicsMode>& CachedModes() {
  if (!ModeCacheFilled && CurrentDriver) {
    ModeCache = CurrentDriver->GraphicsModes();
    ModeCacheFilled = true;
  }
  return ModeCache;
}

}  // namespace

std::string TGraphicsMode::ToString() const {
  return std::to_string(width) + "," + std::to_string(height) + "," + std::to_string(depth) + " " +
         std::to_string(hertz) + "Hz";
}

TFrameClock& FrameClock() { return *frame_clock; }
void SetFrameClock(TFrameClock* clock) { frame_clock = clock ? clock : &system_clock; }

void FrameSchedule::Start(int hertz, int now) {
  rate = hertz;
  period = 1000 / hertz;
  fraction = 1000 - period * hertz;
  accum = 0;
  next = now;
}

int FrameSchedule::Advance(int now) {
  next += period;
  accum += fraction;
  if (accum >= rate) {
    accum -= rate;
    next += 1;
  }
  const int wait = next - now;
  if (wait > 0) return wait;
  next = now;
  return 0;
}

void InitGraphicsModule() {
  if (FlipHook_ >= 0) return;
  FlipHook_ = AllocHookId();
}

int FlipHook() { return FlipHook_; }

void SetGraphicsDriver(TGraphicsDriver* driver, int defaultFlags) {
  BumpGraphicsSeq();
  if (driver != CurrentDriver) ChangeDriver(driver);
  DefaultFlags = defaultFlags;
  ClearCurrent();
}

TGraphicsDriver* GetGraphicsDriver() { return CurrentDriver; }
int DefaultGraphicsFlags() { return DefaultFlags; }

std::vector<TGraphicsMode> GraphicsModes() { return CachedModes(); }
int CountGraphicsModes() { return int(CachedModes().size()); }

void GetGraphicsMode(int index, int& width, int& height, int& depth, int& hertz) {
  const auto& modes = CachedModes();
  if (index < 0 || index >= int(modes.size())) {
    width = height = depth = hertz = 0;  // out of range: nothing to copy
    return;
  }
  const TGraphicsMode& m = modes[size_t(index)];
  width = m.width;
  height = m.height;
  depth = m.depth;
  hertz = m.hertz;
}

int GraphicsModeExists(int width, int height, int depth, int hertz) {
  for (const TGraphicsMode& m : CachedModes()) {
    if (width && m.width != width) continue;
    if (height && m.height != height) continue;
    if (depth && m.depth != depth) continue;
    if (hertz && m.hertz != hertz) continue;
    return 1;
  }
  return 0;
}

Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) {
  if (!CurrentDriver) return nullptr;
  try {
    return CurrentDriver->CreateGraphics(width, height, depth, hertz, flags | DefaultFlags);
  } catch (const std::exception&) {
    return nullptr;
  }
}

Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) {
  if (!CurrentDriver) return nullptr;
  try {
    return CurrentDriver->AttachGraphics(widget, flags | DefaultFlags);
  } catch (const std::exception&) {
    return nullptr;
  }
}

void SetGraphics(TGraphics* g) {
  if (!g) {
    if (CurrentDriver && CurrentGraphics_) CurrentDriver->SetGraphics(nullptr);
    ClearCurrent();
    return;
  }
  TGraphicsDriver* d = g->Driver();
  if (d != CurrentDriver) ChangeDriver(d);
  g->GetSettings(CurrentWidth, CurrentHeight, CurrentDepth, CurrentHertz, CurrentFlags);
  d->SetGraphics(g);
  CurrentGraphics_ = g;
}

void CloseGraphics(TGraphics* g) {
  if (!g) return;
  Ref<TGraphics> keep(g);  // the owned/current references may be the last ones
  if (g == OwnedGraphics.get()) OwnedGraphics = nullptr;
  if (g == CurrentGraphics_.get()) SetGraphics(nullptr);
  g->Close();
}

Ref<TGraphics> Graphics(int width, int height, int depth, int hertz, int flags) {
  EndGraphics();
  flags |= DefaultFlags;
  Ref<TGraphics> g = CreateGraphics(width, height, depth, hertz, flags);
  if (!g) return nullptr;
  BumpGraphicsSeq();
  try {
    SetGraphics(g);
  } catch (...) {
    // No context for this surface: give the window or display back before the
    // error reaches the caller, so nothing is left half open.
    ClearCurrent();
    g->Close();
    throw;
  }
  if (depth != 0) {
    SoftSync = 0;
    HardSync = hertz != 0 ? 1 : 0;
    MoveMouse(width / 2, height / 2);
  } else {
    HardSync = 0;
    SoftSync = hertz != 0 ? 1 : 0;
  }
  if (SoftSync) Sync.Start(hertz, FrameClock().NowMs());
  EnablePolledInput(nullptr);
  OwnedGraphics = g;
  if (!exit_handler_registered) {
    exit_handler_registered = true;
    OnExit(EndGraphics);
  }
  return g;
}

void EndGraphics() {
  if (!OwnedGraphics) return;
  BumpGraphicsSeq();
  DisablePolledInput();
  CloseGraphics(OwnedGraphics.get());
}

int GraphicsWidth() { return CurrentWidth; }
int GraphicsHeight() { return CurrentHeight; }
int GraphicsDepth() { return CurrentDepth; }
int GraphicsHertz() { return CurrentHertz; }
int GraphicsFlags() { return CurrentFlags; }
TGraphics* CurrentGraphics() { return CurrentGraphics_.get(); }

void Flip(int sync) {
  if (FlipHook_ >= 0) RunHooks(FlipHook_, nullptr);
  if (!CurrentDriver) return;
  if (sync != -1) {
    CurrentDriver->Flip(sync);
    return;
  }
  if (CurrentGraphics_.get() != OwnedGraphics.get()) {
    CurrentDriver->Flip(1);
  } else if (SoftSync) {
    const int wait = Sync.Advance(FrameClock().NowMs());
    if (wait > 0) FrameClock().SleepMs(wait);
    CurrentDriver->Flip(0);
  } else if (HardSync) {
    CurrentDriver->Flip(1);
  } else {
    CurrentDriver->Flip(0);
  }
}

int GraphicsSeq() { return GraphicsSeq_; }

void BumpGraphicsSeq() {
  GraphicsSeq_ = int(unsigned(GraphicsSeq_) + 1u);  // wraps without overflow
  if (GraphicsSeq_ == 0) GraphicsSeq_ = 1;
}
