#include "system/polled_input.h"

#include <gtest/gtest.h>

#include "scripted_driver.h"
#include "system/event_queue.h"
#include "system/hook.h"

namespace {

class PolledInput : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEventQueue();
    driver = ScriptedDriver::Install();
    EnablePolledInput();
  }
  // Emits the event as the driver would, inside the next poll.
  void Send(int id, int data = 0, int x = 0, int y = 0) { driver->Script(id, data, x, y); }
  void Press(int key) {
    Send(EVENT_KEY_DOWN, key);
    Send(EVENT_KEY_UP, key);
  }
  ScriptedDriver* driver = nullptr;
};

TEST_F(PolledInput, KeyHitCountsPressesSinceTheLastLook) {
  Press(27);
  Press(27);
  EXPECT_EQ(KeyHit(27), 2);
  EXPECT_EQ(KeyHit(27), 0);
  Press(27);
  EXPECT_EQ(KeyHit(27), 1);
}

TEST_F(PolledInput, AHeldKeyCountsOnceThroughItsRepeats) {
  Send(EVENT_KEY_DOWN, 65);
  for (int i = 0; i < 5; ++i) {
    Send(EVENT_KEY_REPEAT, 65);
    Send(EVENT_KEY_CHAR, 'a');
  }
  EXPECT_EQ(KeyDown(65), 1);
  Send(EVENT_KEY_DOWN, 65);  // a second down without an up adds nothing
  EXPECT_EQ(KeyHit(65), 1);
  EXPECT_EQ(KeyDown(65), 1);
  Send(EVENT_KEY_UP, 65);
  EXPECT_EQ(KeyDown(65), 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(GetChar(), 'a');
  EXPECT_EQ(GetChar(), 0);
}

TEST_F(PolledInput, The257thCharacterIsLost) {
  for (int i = 1; i <= 257; ++i) Send(EVENT_KEY_CHAR, i);
  for (int i = 1; i <= 256; ++i) ASSERT_EQ(GetChar(), i);
  EXPECT_EQ(GetChar(), 0);
}

TEST_F(PolledInput, MouseSpeedsMeasureFromTheirOwnReferencePoint) {
  Send(EVENT_MOUSE_MOVE, 0, 40, 300);
  // The first query reports the whole distance from 0.
  EXPECT_EQ(MouseYSpeed(), 300);
  EXPECT_EQ(MouseYSpeed(), 0);
  Send(EVENT_MOUSE_MOVE, 0, 50, 280);
  Send(EVENT_MOUSE_MOVE, 0, 55, 290);
  EXPECT_EQ(MouseX(), 55);  // position queries move no reference point
  EXPECT_EQ(MouseXSpeed(), 55);
  EXPECT_EQ(MouseYSpeed(), -10);
  Send(EVENT_MOUSE_MOVE, 0, 60, 290);
  EXPECT_EQ(MouseX(), 60);
  EXPECT_EQ(MouseXSpeed(), 5);
}

TEST_F(PolledInput, WheelAddsUpAndFlushResetsOnlyTheWheel) {
  Send(EVENT_MOUSE_MOVE, 0, 7, 8);
  Send(EVENT_MOUSE_WHEEL, 3);
  Send(EVENT_MOUSE_WHEEL, 2);
  EXPECT_EQ(MouseZ(), 5);
  EXPECT_EQ(MouseZSpeed(), 5);
  FlushMouse();
  EXPECT_EQ(MouseZ(), 0);
  EXPECT_EQ(MouseZSpeed(), -5);
  EXPECT_EQ(MouseX(), 7);
  EXPECT_EQ(MouseY(), 8);
  Send(EVENT_MOUSE_WHEEL, -1);
  EXPECT_EQ(MouseZ(), -1);
}

TEST_F(PolledInput, ButtonsCountLikeKeys) {
  Send(EVENT_MOUSE_DOWN, 1);
  Send(EVENT_MOUSE_DOWN, 1);
  Send(EVENT_MOUSE_DOWN, 3);
  EXPECT_EQ(MouseDown(1), 1);
  EXPECT_EQ(MouseDown(2), 0);
  EXPECT_EQ(MouseHit(1), 1);
  EXPECT_EQ(MouseHit(1), 0);
  Send(EVENT_MOUSE_UP, 1);
  Send(EVENT_MOUSE_DOWN, 1);
  EXPECT_EQ(MouseHit(1), 1);
  EXPECT_EQ(MouseHit(3), 1);
  // Outside the tables: 0 and no harm.
  EXPECT_EQ(MouseHit(4), 0);
  EXPECT_EQ(MouseDown(-1), 0);
  EXPECT_EQ(KeyHit(256), 0);
  EXPECT_EQ(KeyDown(-5), 0);
}

TEST_F(PolledInput, SuspendForgetsKeysAndButtonsButNotThePointer) {
  Send(EVENT_MOUSE_MOVE, 0, 11, 22);
  Send(EVENT_KEY_DOWN, 65);
  Send(EVENT_KEY_CHAR, 'a');
  Send(EVENT_MOUSE_DOWN, 2);
  Send(EVENT_MOUSE_WHEEL, 4);
  Send(EVENT_APP_SUSPEND);
  EXPECT_EQ(AppSuspended(), 1);
  EXPECT_EQ(KeyDown(65), 0);
  EXPECT_EQ(KeyHit(65), 0);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_EQ(MouseDown(2), 0);
  EXPECT_EQ(MouseHit(2), 0);
  EXPECT_EQ(MouseZ(), 0);
  EXPECT_EQ(MouseX(), 11);
  EXPECT_EQ(MouseY(), 22);
  Send(EVENT_KEY_DOWN, 66);
  Send(EVENT_APP_RESUME);
  EXPECT_EQ(AppSuspended(), 0);
  EXPECT_EQ(KeyHit(66), 0);
}

TEST_F(PolledInput, AppTerminateReadsOncePerRequest) {
  EXPECT_EQ(AppTerminate(), 0);
  Send(EVENT_APP_TERMINATE);
  EXPECT_EQ(AppTerminate(), 1);
  EXPECT_EQ(AppTerminate(), 0);
  Send(EVENT_APP_TERMINATE);
  Send(EVENT_APP_TERMINATE);
  EXPECT_EQ(AppTerminate(), 1);
  EXPECT_EQ(AppTerminate(), 0);
}

TEST_F(PolledInput, DisabledStateIsFrozenAndFlushed) {
  Send(EVENT_KEY_DOWN, 65);
  Send(EVENT_MOUSE_MOVE, 0, 3, 4);
  Send(EVENT_MOUSE_WHEEL, 2);
  EXPECT_EQ(KeyDown(65), 1);
  DisablePolledInput();
  EXPECT_EQ(KeyDown(65), 0);
  EXPECT_EQ(MouseZ(), 0);
  EXPECT_EQ(MouseY(), 4);
  Send(EVENT_KEY_DOWN, 66);
  Send(EVENT_MOUSE_MOVE, 0, 30, 40);
  EXPECT_EQ(KeyHit(66), 0);
  EXPECT_EQ(MouseY(), 4);
  // Still queued for the event queue, which is a separate consumer.
  EXPECT_EQ(PollEvent(), EVENT_KEY_DOWN);
  DisablePolledInput();
  EnablePolledInput();
  Send(EVENT_KEY_DOWN, 66);
  EXPECT_EQ(KeyHit(66), 1);
}

TEST_F(PolledInput, ASourceFilterKeepsOnlyThatSourcesEvents) {
  DisablePolledInput();
  Ref<Object> window = MakeRef<Object>();
  Ref<Object> other = MakeRef<Object>();
  EnablePolledInput(window);
  EnablePolledInput(other);  // already enabled: the first filter stays
  driver->Script(EVENT_KEY_DOWN, 65, 0, 0, window);
  driver->Script(EVENT_KEY_DOWN, 66, 0, 0, other);
  driver->Script(EVENT_KEY_DOWN, 67);
  EXPECT_EQ(KeyHit(65), 1);
  EXPECT_EQ(KeyHit(66), 0);
  EXPECT_EQ(KeyHit(67), 0);
}

TEST_F(PolledInput, WaitKeyReturnsTheLowestHitKeyAndKeepsTheOthers) {
  Press(70);  // before the wait: flushed
  driver->on_wait = [&] {
    if (driver->waits == 2) {
      Press(66);
      Press(65);
    }
  };
  EXPECT_EQ(WaitKey(), 65);
  EXPECT_EQ(KeyHit(66), 1);
  EXPECT_EQ(KeyHit(70), 0);
}

TEST_F(PolledInput, WaitCharAndWaitMouse) {
  driver->on_wait = [&] {
    if (driver->waits == 1) Send(EVENT_KEY_CHAR, 'z');
  };
  EXPECT_EQ(WaitChar(), 'z');
  Send(EVENT_MOUSE_DOWN, 1);  // flushed by WaitMouse
  driver->on_wait = [&] {
    if (driver->waits == 3) Send(EVENT_MOUSE_DOWN, 2);
  };
  EXPECT_EQ(WaitMouse(), 2);
  EXPECT_EQ(MouseHit(1), 0);
}

TEST_F(PolledInput, MoveMouseIsCountedAsMotion) {
  MoveMouse(400, 300);
  EXPECT_EQ(MouseX(), 400);
  EXPECT_EQ(MouseYSpeed(), 300);
}

Object* FlushInsideHook(int, Object* data, Object*) {
  // A flush from inside an emitted event: its own PollSystem must return at once.
  FlushKeys();
  return data;
}

TEST_F(PolledInput, FlushFromAHookDoesNotPollAgain) {
  AddHook(EmitEventHook, FlushInsideHook, nullptr, 5);
  Send(EVENT_KEY_DOWN, 65);
  const int polls = driver->polls;
  EXPECT_EQ(KeyHit(65), 1);
  EXPECT_EQ(driver->polls, polls + 1);
}

}  // namespace
