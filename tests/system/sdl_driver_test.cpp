// The SDL system driver with events pushed into SDL's own queue, as the window
// system would; no window is needed.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <csignal>

#include "system/event_queue.h"
#include "system/polled_input.h"
#include "system/system.h"

namespace {

class SdlDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEventQueue();
    EnablePolledInput();
    while (PollEvent()) {
    }
  }
};

TEST_F(SdlDriver, InterruptAndTerminateSignalsAreQuitRequests) {
  for (int signal : {SIGINT, SIGTERM}) {
    std::raise(signal);
    EXPECT_EQ(AppTerminate(), 1) << signal;
    EXPECT_EQ(AppTerminate(), 0);
  }
}

TEST_F(SdlDriver, DroppedFileBecomesAppOpenFile) {
  SDL_Event drop{};
  drop.type = SDL_DROPFILE;
  drop.drop.file = SDL_strdup("/srv/levels/level 2.map");  // SDL's queue owns it now
  ASSERT_EQ(SDL_PushEvent(&drop), 1);
  ASSERT_EQ(PollEvent(), EVENT_APP_OPEN_FILE);
  EXPECT_EQ(EventText(), "/srv/levels/level 2.map");
  EXPECT_EQ(EventSource(), nullptr);
}

TEST_F(SdlDriver, KeysPassThroughTheTranslatorToBothConsumers) {
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.type = SDL_KEYDOWN;
  key.key.state = SDL_PRESSED;
  key.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  EXPECT_EQ(KeyHit(27), 1);
  ASSERT_EQ(PollEvent(), EVENT_KEY_DOWN);
  EXPECT_EQ(EventData(), 27);
  ASSERT_EQ(PollEvent(), EVENT_KEY_CHAR);
  EXPECT_EQ(EventData(), 27);
  EXPECT_EQ(GetChar(), 27);
}

TEST_F(SdlDriver, WaitSystemReturnsForAnEventPushedBeforehand) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  WaitSystem();
  EXPECT_EQ(AppTerminate(), 1);
}

TEST_F(SdlDriver, WithoutAWindowPointerCallsDoNothing) {
  MoveMouse(10, 10);
  EXPECT_EQ(PollEvent(), 0);  // no window to warp into: no "MouseMove" either
  HideMouse();
  ShowMouse();
  PollSystem();
}

}  // namespace
