// Periodic timers. A running timer ticks hertz times per second; each tick
// runs Fire on the main thread inside PollSystem/WaitSystem, which emits the
// timer's own event or, without one, a new "TimerTick" (source = the timer,
// data = tick count). The system keeps a running timer alive until Stop.
#pragma once

#include "core/object.h"
#include "system/event.h"

class TTimer : public Object {
 public:
  // A running timer, or null when hertz is not a positive rate or no platform
  // timer can be made.
  static Ref<TTimer> Create(float hertz, TEvent* event = nullptr);

  // Ticks fired so far.
  int Ticks() const { return _ticks; }
  // Waits (WaitSystem) until the timer has ticked since the previous Wait and
  // returns how many times; 0 at once on a stopped timer.
  int Wait();
  // Cancels the platform timer and drops the event; the system lets go of it.
  void Stop();
  // One tick: does nothing once stopped.
  void Fire();

  int _ticks = 0;
  int _wticks = 0;
  Ref<TEvent> _event;
  int _handle = 0;
};

// Starts the timer module (and the system module beneath it). Idempotent.
void InitTimers();

Ref<TTimer> CreateTimer(float hertz, TEvent* event = nullptr);
int TimerTicks(TTimer* timer);
int WaitTimer(TTimer* timer);
void StopTimer(TTimer* timer);

// Fires the running timer with the platform handle ticks times; the system
// driver calls it when the platform reports due ticks.
void FireTimerTicks(int handle, int ticks);
