// The driver-neutral graphics module.
//
// One current graphics driver (TGraphicsDriver) makes graphics objects
// (TGraphics: a drawing surface with its context). Graphics() opens one for
// the program (the "owned" graphics), selects it and chooses how Flip(-1)
// paces frames: full screen waits for the display (hard sync), a window sleeps
// to a millisecond schedule (soft sync). GraphicsSeq counts context
// generations: objects holding GPU resources remember the value they were made
// under and rebuild them when it has changed.
#pragma once

#include <string>
#include <vector>

#include "core/object.h"
#include "platform/gl_context.h"

class TGraphicsDriver;

struct TGraphicsMode : Object {
  int width = 0, height = 0, depth = 0, hertz = 0;

  TGraphicsMode() = default;
  TGraphicsMode(int w, int h, int d, int hz) : width(w), height(h), depth(d), hertz(hz) {}
  std::string ToString() const override;  // "800,600,32 60Hz"
};

class TGraphics : public Object {
public:
  virtual TGraphicsDriver* Driver() = 0;
  virtual void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) = 0;
  virtual void Close() = 0;  // safe to call twice
};

class TGraphicsDriver : public Object {
public:
  virtual std::vector<TGraphicsMode> GraphicsModes() = 0;
  virtual Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) = 0;
  virtual Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) = 0;
  virtual void SetGraphics(TGraphics* g) = 0;
  virtual void Flip(int sync) = 0;
};

// The millisecond clock that frame pacing reads and sleeps on. Tests install a
// controllable one; the default is the monotonic system clock.
class TFrameClock {
public:
  virtual ~TFrameClock() = default;
  virtual int NowMs() = 0;
  virtual void SleepMs(int ms) = 0;
};
TFrameClock& FrameClock();
void SetFrameClock(TFrameClock* clock);  // null restores the system clock

// Spreads 1000 ms over `rate` frames exactly: at 60 Hz two frames in three
// last 17 ms and one 16 ms. A late frame restarts the schedule from now.
struct FrameSchedule {
  int rate = 0, period = 0, fraction = 0, accum = 0, next = 0;

  void Start(int hertz, int now);
  // Advances to the next frame's slot; returns the milliseconds to wait for it
  // (> 0), or 0 after restarting the schedule at `now` when the slot has passed.
  int Advance(int now);
};

// Module start-up: allocates the flip hook.
void InitGraphicsModule();
int FlipHook();

void SetGraphicsDriver(TGraphicsDriver* driver, int defaultFlags = GFX_DOUBLE_BUFFER);
TGraphicsDriver* GetGraphicsDriver();
int DefaultGraphicsFlags();

std::vector<TGraphicsMode> GraphicsModes();  // a copy of the cached list
int CountGraphicsModes();
void GetGraphicsMode(int index, int& width, int& height, int& depth, int& hertz);
int GraphicsModeExists(int width, int height, int depth = 0, int hertz = 0);

// Null when the driver cannot make the surface (errors inside are caught).
Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags);
Ref<TGraphics> AttachGraphics(intptr_t widget, int flags);
void CloseGraphics(TGraphics* g);
void SetGraphics(TGraphics* g);

// Opens and selects the program's graphics: depth 0 gives a window, any other
// depth full screen. Null when it cannot be opened; nothing else then changes.
Ref<TGraphics> Graphics(int width, int height, int depth = 0, int hertz = 60, int flags = 0);
void EndGraphics();

int GraphicsWidth();
int GraphicsHeight();
int GraphicsDepth();
int GraphicsHertz();
int GraphicsFlags();
TGraphics* CurrentGraphics();

// Runs the flip hook, then presents the frame: sync 0 without vertical sync,
// any other value but -1 with it, -1 at the rate given to Graphics().
void Flip(int sync = -1);

int GraphicsSeq();
void BumpGraphicsSeq();
