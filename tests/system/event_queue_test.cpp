#include "system/event_queue.h"

#include <gtest/gtest.h>

#include "scripted_driver.h"
#include "system/string_object.h"

namespace {

class EventQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEventQueue();
    driver = ScriptedDriver::Install();
  }
  ScriptedDriver* driver = nullptr;
};

TEST_F(EventQueue, EmittedEventsComeOutInOrder) {
  CreateEvent(EVENT_KEY_DOWN, nullptr, 65)->Emit();
  CreateEvent(EVENT_KEY_UP, nullptr, 65)->Emit();
  EXPECT_EQ(PollEvent(), EVENT_KEY_DOWN);
  EXPECT_EQ(EventData(), 65);
  EXPECT_EQ(PollEvent(), EVENT_KEY_UP);
  EXPECT_EQ(driver->polls, 0);  // nothing polled while events were queued
  EXPECT_EQ(PollEvent(), 0);
  EXPECT_EQ(driver->polls, 1);
}

TEST_F(EventQueue, BlankEventBeforeTheFirstTakeAndAfterAnEmptyTake) {
  EXPECT_EQ(CurrentEvent()->id, 0);
  EXPECT_EQ(EventID(), 0);
  EXPECT_EQ(EventSource(), nullptr);
  EXPECT_EQ(EventExtra(), nullptr);
  EXPECT_EQ(EventText(), "");
  CreateEvent(EVENT_MOUSE_MOVE, nullptr, 0, 0, 5, 6)->Emit();
  EXPECT_EQ(PollEvent(), EVENT_MOUSE_MOVE);
  EXPECT_EQ(EventX(), 5);
  EXPECT_EQ(EventY(), 6);
  EXPECT_EQ(PollEvent(), 0);
  EXPECT_EQ(EventID(), 0);
  EXPECT_EQ(EventX(), 0);
}

TEST_F(EventQueue, PollEventPollsTheSystemWhenEmpty) {
  driver->Script(EVENT_MOUSE_DOWN, 1, 3, 4);
  EXPECT_EQ(PollEvent(), EVENT_MOUSE_DOWN);
  EXPECT_EQ(EventData(), 1);
  EXPECT_EQ(driver->polls, 1);
}

TEST_F(EventQueue, WaitEventWaitsUntilAnEventArrives) {
  int rounds = 0;
  driver->on_wait = [&] {
    if (++rounds == 3) driver->Script(EVENT_KEY_CHAR, 'q');
  };
  EXPECT_EQ(WaitEvent(), EVENT_KEY_CHAR);
  EXPECT_EQ(EventData(), 'q');
  EXPECT_EQ(driver->waits, 3);
}

TEST_F(EventQueue, PeekLeavesTheEventQueued) {
  EXPECT_EQ(PeekEvent(), nullptr);
  EXPECT_EQ(driver->polls, 1);
  driver->Script(EVENT_KEY_DOWN, 27);
  TEvent* head = PeekEvent();
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->data, 27);
  EXPECT_EQ(PeekEvent(), head);
  EXPECT_EQ(PollEvent(), EVENT_KEY_DOWN);
  EXPECT_EQ(CurrentEvent(), head);
}

TEST_F(EventQueue, ReadersGiveTheCurrentEventsFields) {
  Ref<Object> source = MakeRef<Object>();
  Ref<TStringObject> path = MakeRef<TStringObject>("/data/level 1.map");
  CreateEvent(EVENT_APP_OPEN_FILE, source, 7, 9, 1, 2, path)->Emit();
  ASSERT_EQ(PollEvent(), EVENT_APP_OPEN_FILE);
  EXPECT_EQ(EventMods(), 9);
  EXPECT_EQ(EventSource(), source.get());
  EXPECT_EQ(EventSourceHandle(), reinterpret_cast<std::intptr_t>(source.get()));
  EXPECT_EQ(EventExtra(), path.get());
  EXPECT_EQ(EventText(), "/data/level 1.map");
}

TEST_F(EventQueue, AFullQueueDropsNewEvents) {
  for (int i = 0; i < kEventQueueSize + 10; ++i) CreateEvent(EVENT_KEY_CHAR, nullptr, i)->Emit();
  for (int i = 0; i < kEventQueueSize; ++i) {
    ASSERT_EQ(PollEvent(), EVENT_KEY_CHAR);
    ASSERT_EQ(EventData(), i);
  }
  EXPECT_EQ(PollEvent(), 0);
}

TEST_F(EventQueue, CoalescingEventsUpdateTheirQueuedTwin) {
  Ref<Object> timer_a = MakeRef<Object>();
  Ref<Object> timer_b = MakeRef<Object>();
  CreateEvent(EVENT_TIMER_TICK, timer_a, 1)->Emit();
  CreateEvent(EVENT_KEY_DOWN, nullptr, 65)->Emit();
  CreateEvent(EVENT_TIMER_TICK, timer_b, 1)->Emit();
  CreateEvent(EVENT_TIMER_TICK, timer_a, 2, 1, 3, 4)->Emit();
  CreateEvent(EVENT_TIMER_TICK, timer_a, 3)->Emit();
  ASSERT_EQ(PollEvent(), EVENT_TIMER_TICK);
  EXPECT_EQ(EventSource(), timer_a.get());
  EXPECT_EQ(EventData(), 3);
  EXPECT_EQ(PollEvent(), EVENT_KEY_DOWN);
  ASSERT_EQ(PollEvent(), EVENT_TIMER_TICK);
  EXPECT_EQ(EventSource(), timer_b.get());
  EXPECT_EQ(EventData(), 1);
  EXPECT_EQ(PollEvent(), 0);
}

TEST_F(EventQueue, OnlyTheFourCoalescingIdsCoalesce) {
  const int coalescing[] = {EVENT_WINDOW_MOVE, EVENT_WINDOW_SIZE, EVENT_TIMER_TICK, EVENT_GADGET_ACTION};
  for (int id : coalescing) {
    CreateEvent(id, nullptr, 1)->Emit();
    CreateEvent(id, nullptr, 2)->Emit();
    EXPECT_EQ(PollEvent(), id);
    EXPECT_EQ(EventData(), 2);
    EXPECT_EQ(PollEvent(), 0) << id;
  }
  const int plain[] = {EVENT_MOUSE_MOVE, EVENT_WINDOW_CLOSE, EVENT_GADGET_PAINT, EVENT_KEY_REPEAT};
  for (int id : plain) {
    CreateEvent(id, nullptr, 1)->Emit();
    CreateEvent(id, nullptr, 2)->Emit();
    EXPECT_EQ(PollEvent(), id);
    EXPECT_EQ(PollEvent(), id);
    EXPECT_EQ(EventData(), 2);
  }
}

TEST_F(EventQueue, AFullQueueStillUpdatesAQueuedTick) {
  Ref<Object> timer = MakeRef<Object>();
  CreateEvent(EVENT_TIMER_TICK, timer, 1)->Emit();
  for (int i = 1; i < kEventQueueSize; ++i) CreateEvent(EVENT_KEY_CHAR, nullptr, i)->Emit();
  CreateEvent(EVENT_TIMER_TICK, timer, 2)->Emit();
  CreateEvent(EVENT_KEY_CHAR, nullptr, 999)->Emit();  // lost
  Ref<Object> other_timer = MakeRef<Object>();
  CreateEvent(EVENT_TIMER_TICK, other_timer, 1)->Emit();  // no twin: lost
  ASSERT_EQ(PollEvent(), EVENT_TIMER_TICK);
  EXPECT_EQ(EventData(), 2);
  int count = 1;
  while (PollEvent()) {
    ++count;
    EXPECT_EQ(EventID(), EVENT_KEY_CHAR);
    EXPECT_NE(EventData(), 999);
  }
  EXPECT_EQ(count, kEventQueueSize);
}

TEST_F(EventQueue, CountersKeepWorkingAcrossManyLaps) {
  for (int i = 0; i < 5 * kEventQueueSize + 3; ++i) {
    CreateEvent(EVENT_KEY_CHAR, nullptr, i)->Emit();
    CreateEvent(EVENT_KEY_CHAR, nullptr, -i)->Emit();
    ASSERT_EQ(PollEvent(), EVENT_KEY_CHAR);
    ASSERT_EQ(EventData(), i);
    ASSERT_EQ(PollEvent(), EVENT_KEY_CHAR);
    ASSERT_EQ(EventData(), -i);
  }
}

}  // namespace
