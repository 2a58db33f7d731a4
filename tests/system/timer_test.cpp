#include "system/timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "system/event_queue.h"
#include "system/hook.h"
#include "system/system.h"

namespace {

class Timers : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEventQueue();
    InitTimers();
  }
};

TEST_F(Timers, InvalidRatesGiveNoTimer) {
  EXPECT_EQ(CreateTimer(0), nullptr);
  EXPECT_EQ(CreateTimer(-5), nullptr);
  EXPECT_EQ(CreateTimer(std::numeric_limits<float>::infinity()), nullptr);
  EXPECT_EQ(CreateTimer(std::numeric_limits<float>::quiet_NaN()), nullptr);
}

TEST_F(Timers, TicksArriveOnlyInsidePolling) {
  Ref<TTimer> timer = CreateTimer(200);
  ASSERT_NE(timer, nullptr);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  // About 12 periods have passed, but nothing fires outside PollSystem.
  EXPECT_EQ(TimerTicks(timer), 0);
  PollSystem();
  EXPECT_GE(TimerTicks(timer), 5);
  StopTimer(timer);
}

TEST_F(Timers, WaitReturnsTheTicksSinceTheLastWait) {
  Ref<TTimer> timer = CreateTimer(100);
  ASSERT_NE(timer, nullptr);
  EXPECT_GE(WaitTimer(timer), 1);
  const int before = TimerTicks(timer);
  std::this_thread::sleep_for(std::chrono::milliseconds(55));
  const int waited = WaitTimer(timer);
  // At 100 Hz, 55 ms hold five periods or more; all of them are counted.
  EXPECT_GE(waited, 4);
  EXPECT_EQ(TimerTicks(timer), before + waited);
  EXPECT_EQ(timer->_wticks, TimerTicks(timer));
  StopTimer(timer);
}

TEST_F(Timers, TicksWithoutAnEventOfTheirOwnQueueOneCoalescedTimerTick) {
  Ref<TTimer> timer = CreateTimer(200);
  ASSERT_NE(timer, nullptr);
  while (TimerTicks(timer) < 3) WaitSystem();
  ASSERT_EQ(PollEvent(), EVENT_TIMER_TICK);
  EXPECT_EQ(EventSource(), timer.get());
  EXPECT_EQ(EventData(), TimerTicks(timer));
  StopTimer(timer);
  EXPECT_EQ(PollEvent(), 0);
}

TEST_F(Timers, ATimersOwnEventIsEmittedEachTick) {
  Ref<TEvent> own = CreateEvent(AllocUserEventId("Frame"));
  Ref<TTimer> timer = CreateTimer(200, own);
  ASSERT_NE(timer, nullptr);
  while (TimerTicks(timer) < 2) WaitSystem();
  StopTimer(timer);
  // Not a coalescing id: one queued entry per tick, each the same object.
  int taken = 0;
  while (PollEvent()) {
    EXPECT_EQ(CurrentEvent(), own.get());
    ++taken;
  }
  EXPECT_GE(taken, 2);
  EXPECT_EQ(timer->_event, nullptr);
}

TEST_F(Timers, StopEndsTicksAndTheSystemLetsGo) {
  Ref<TTimer> timer = CreateTimer(500);
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->RefCount(), 2);  // ours and the system's
  WaitTimer(timer);
  StopTimer(timer);
  EXPECT_EQ(timer->_handle, 0);
  while (PollEvent()) {
  }  // queued ticks name the timer as their source
  EXPECT_EQ(timer->RefCount(), 1);
  const int ticks = TimerTicks(timer);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  PollSystem();
  EXPECT_EQ(TimerTicks(timer), ticks);
  EXPECT_EQ(WaitTimer(timer), 0);
  StopTimer(timer);  // a second stop does nothing
  timer->Fire();     // neither does firing a stopped timer
  EXPECT_EQ(TimerTicks(timer), ticks);
}

TEST_F(Timers, ARunningTimerStaysAliveWithoutOtherReferences) {
  TTimer* timer = CreateTimer(200).get();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->RefCount(), 1);
  EXPECT_GE(WaitTimer(timer), 1);
  Ref<TTimer> keep(timer);
  StopTimer(timer);
  while (PollEvent()) {
  }
  EXPECT_EQ(keep->RefCount(), 1);
}

Object* StopOnSecondTick(int, Object* data, Object*) {
  auto* event = dynamic_cast<TEvent*>(data);
  if (event && event->id == EVENT_TIMER_TICK && event->data == 2) {
    StopTimer(static_cast<TTimer*>(event->source.get()));
  }
  return data;
}

TEST_F(Timers, AHookMayStopTheTimerThatTicks) {
  AddHook(EmitEventHook, StopOnSecondTick, nullptr, 1);
  TTimer* timer = CreateTimer(500).get();
  ASSERT_NE(timer, nullptr);
  Ref<TTimer> keep(timer);
  // Even when several ticks are due at once, none fires after the stop.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  while (keep->_handle != 0) WaitSystem();
  EXPECT_EQ(keep->Ticks(), 2);
  EXPECT_EQ(WaitTimer(keep), 0);
}

TEST_F(Timers, ManyTimersRunSideBySide) {
  Ref<TTimer> fast = CreateTimer(400);
  Ref<TTimer> slow = CreateTimer(50);
  ASSERT_NE(fast, nullptr);
  ASSERT_NE(slow, nullptr);
  EXPECT_NE(fast->_handle, slow->_handle);
  WaitTimer(slow);
  WaitTimer(slow);
  // Two slow periods (40 ms) hold about 16 fast ones.
  EXPECT_GE(TimerTicks(fast), 8);
  StopTimer(fast);
  StopTimer(slow);
}

}  // namespace
