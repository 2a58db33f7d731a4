#include "system/timer.h"

#include <algorithm>
#include <vector>

#include "platform/timers.h"
#include "system/system.h"

namespace {

// Running timers, held alive until stopped; made once and never torn down.
std::vector<Ref<TTimer>>* running = nullptr;

std::vector<Ref<TTimer>>& Running() {
  InitTimers();
  return *running;
}

}  // namespace

void InitTimers() {
  if (running) return;
  InitSystem();
  running = new std::vector<Ref<TTimer>>;
}

Ref<TTimer> TTimer::Create(float hertz, TEvent* event) {
  std::vector<Ref<TTimer>>& timers = Running();
  const int handle = PlatformStartTimer(hertz);
  if (handle == 0) return nullptr;
  Ref<TTimer> timer = MakeRef<TTimer>();
  timer->_event = event;
  timer->_handle = handle;
  timers.push_back(timer);
  return timer;
}

int TTimer::Wait() {
  if (_handle == 0) return 0;
  // Stop may run inside WaitSystem; the reference keeps this timer alive.
  Ref<TTimer> keep(this);
  while (_ticks == _wticks) {
    if (_handle == 0) return 0;
    WaitSystem();
  }
  const int elapsed = _ticks - _wticks;
  _wticks += elapsed;
  return elapsed;
}

void TTimer::Stop() {
  if (_handle == 0) return;
  PlatformStopTimer(_handle);
  _handle = 0;
  _event = nullptr;
  std::vector<Ref<TTimer>>& timers = Running();
  const auto it =
      std::find_if(timers.begin(), timers.end(), [this](const Ref<TTimer>& t) { return t.get() == this; });
  if (it != timers.end()) timers.erase(it);
}

void TTimer::Fire() {
  if (_handle == 0) return;
  ++_ticks;
  if (_event) {
    Ref<TEvent> event = _event;
    event->Emit();
  } else {
    CreateEvent(EVENT_TIMER_TICK, this, _ticks)->Emit();
  }
}

Ref<TTimer> CreateTimer(float hertz, TEvent* event) { return TTimer::Create(hertz, event); }
int TimerTicks(TTimer* timer) { return timer ? timer->Ticks() : 0; }
int WaitTimer(TTimer* timer) { return timer ? timer->Wait() : 0; }

void StopTimer(TTimer* timer) {
  if (timer) timer->Stop();
}

void FireTimerTicks(int handle, int ticks) {
  std::vector<Ref<TTimer>>& timers = Running();
  for (const Ref<TTimer>& entry : timers) {
    if (entry->_handle != handle) continue;
    const Ref<TTimer> timer = entry;
    for (int i = 0; i < ticks && timer->_handle == handle; ++i) timer->Fire();
    return;
  }
}
