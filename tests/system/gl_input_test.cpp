// End to end on a real window on a virtual X server: input is produced by
// xdotool (the XTEST extension, as a real keyboard and mouse would) and read
// back through the system driver and polled input.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>

#include "core/app.h"
#include "core/runtime_error.h"
#include "platform/cursor.h"
#include "platform/dialogs.h"
#include "private_display.h"
#include "system/event_queue.h"
#include "system/polled_input.h"
#include "system/system.h"
#include "system/timer.h"

// Last: the X11 headers define macros (None, CurrentTime, Bool) that clash.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

class RealWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.ok()) << "no virtual X server";
    InitEventQueue();
    InitTimers();
    ASSERT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u) << "no display";
    window = SDL_CreateWindow("input test", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    context = SDL_GL_CreateContext(window);
    ASSERT_NE(context, nullptr) << SDL_GetError();
    SDL_GL_MakeCurrent(window, context);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(window, &info));
    display = info.info.x11.display;
    xid = info.info.x11.window;
    Xdo("windowfocus --sync " + std::to_string(xid));
    ASSERT_TRUE(PollUntil([&] { return SDL_GetKeyboardFocus() == window; })) << "window never got the focus";
    EnablePolledInput();
  }

  void TearDown() override {
    DisablePolledInput();
    if (context) SDL_GL_DeleteContext(context);
    if (window) SDL_DestroyWindow(window);
  }

  static void Xdo(const std::string& args) {
    const std::string command = "xdotool " + args;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Polls the system until the condition holds; false after 5 seconds.
  static bool PollUntil(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
      PollSystem();
      if (condition()) return true;
      SDL_Delay(5);
    }
    return false;
  }

  // Each test runs in a process of its own, so SDL meets this server first.
  PrivateDisplay server;
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  Display* display = nullptr;
  Window xid = 0;
};

TEST_F(RealWindow, EscapeIsCountedByKeyHit) {
  EXPECT_EQ(KeyHit(27), 0);
  Xdo("key Escape");
  int hits = 0;
  EXPECT_TRUE(PollUntil([&] { return (hits += KeyHit(27)) > 0 && KeyDown(27) == 0; }));
  EXPECT_EQ(hits, 1);
}

TEST_F(RealWindow, TypedTextReachesGetChar) {
  Xdo("type --delay 20 'Hi!'");
  std::string typed;
  EXPECT_TRUE(PollUntil([&] {
    while (const int c = GetChar()) typed += static_cast<char>(c);
    return typed.size() >= 3;
  }));
  EXPECT_EQ(typed, "Hi!");
  Xdo("key BackSpace");
  int c = 0;
  EXPECT_TRUE(PollUntil([&] { return (c = GetChar()) != 0; }));
  EXPECT_EQ(c, 8);
}

TEST_F(RealWindow, LeftShiftCarriesItsModifier) {
  Xdo("keydown Shift_L");
  ASSERT_TRUE(PollUntil([] { return KeyDown(160) == 1; }));
  // Taken off the queue in order: the shift press with its own bit set.
  bool found = false;
  while (PollEvent()) {
    if (EventID() == EVENT_KEY_DOWN && EventData() == 160) {
      found = true;
      EXPECT_EQ(EventMods() & MODIFIER_SHIFT, MODIFIER_SHIFT);
    }
  }
  EXPECT_TRUE(found);
  Xdo("keyup Shift_L");
  EXPECT_TRUE(PollUntil([] { return KeyDown(160) == 0; }));
}

TEST_F(RealWindow, PointerMotionIsMouseYSpeed) {
  Xdo("mousemove --window " + std::to_string(xid) + " 100 50");
  ASSERT_TRUE(PollUntil([] { return MouseX() == 100 && MouseY() == 50; }));
  MouseYSpeed();
  Xdo("mousemove --window " + std::to_string(xid) + " 100 120");
  ASSERT_TRUE(PollUntil([] { return MouseY() == 120; }));
  EXPECT_EQ(MouseYSpeed(), 70);
  EXPECT_EQ(MouseYSpeed(), 0);
}

TEST_F(RealWindow, ClicksAndADragLeavingTheWindow) {
  const std::string w = std::to_string(xid);
  Xdo("mousemove --window " + w + " 50 60 click 1");
  ASSERT_TRUE(PollUntil([] { return MouseHit(1) == 1; }));
  while (PollEvent()) {
  }
  // Press inside, move out to the right and below, release there.
  Xdo("mousemove --window " + w + " 50 60 mousedown 1");
  ASSERT_TRUE(PollUntil([] { return MouseDown(1) == 1; }));
  Xdo("mousemove --window " + w + " 500 400");
  ASSERT_TRUE(PollUntil([] { return MouseX() == 500; }));
  EXPECT_EQ(MouseY(), 400);
  Xdo("mouseup 1");
  ASSERT_TRUE(PollUntil([] { return MouseDown(1) == 0; }));
  bool dragged_outside = false;
  while (PollEvent()) {
    if (EventID() == EVENT_MOUSE_MOVE && EventX() == 500) {
      dragged_outside = true;
      EXPECT_EQ(EventData(), 1);
    }
  }
  EXPECT_TRUE(dragged_outside);
  // Without a button, motion outside is not reported.
  Xdo("mousemove --window " + w + " 600 300");
  Xdo("mousemove --window " + w + " 10 10");
  ASSERT_TRUE(PollUntil([] { return MouseX() == 10; }));
  bool outside = false;
  while (PollEvent()) outside |= EventID() == EVENT_MOUSE_MOVE && EventX() == 600;
  EXPECT_FALSE(outside);
}

TEST_F(RealWindow, CloseButtonTerminatesAndTheWindowStays) {
  // What a window manager sends when the close button is pressed.
  using InternAtom = Atom (*)(Display*, const char*, Bool);
  using SendEvent = Status (*)(Display*, Window, Bool, long, XEvent*);
  using Flush = int (*)(Display*);
  auto intern = reinterpret_cast<InternAtom>(dlsym(RTLD_DEFAULT, "XInternAtom"));
  auto send = reinterpret_cast<SendEvent>(dlsym(RTLD_DEFAULT, "XSendEvent"));
  auto flush = reinterpret_cast<Flush>(dlsym(RTLD_DEFAULT, "XFlush"));
  ASSERT_TRUE(intern && send && flush);
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = xid;
  close.xclient.message_type = intern(display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(intern(display, "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = 0;  // the current server time
  send(display, xid, False, NoEventMask, &close);
  flush(display);
  EXPECT_TRUE(PollUntil([] { return AppTerminate() == 1; }));
  EXPECT_EQ(AppTerminate(), 0);
  EXPECT_NE(SDL_GetWindowFromID(SDL_GetWindowID(window)), nullptr);
  Xdo("getwindowname " + std::to_string(xid) + " >/dev/null");
}

TEST_F(RealWindow, SigtermIsAQuitRequest) {
  std::raise(SIGTERM);
  EXPECT_TRUE(PollUntil([] { return AppTerminate() == 1; }));
}

TEST_F(RealWindow, MoveMouseWarpsAndReportsTheTarget) {
  MoveMouse(160, 120);
  EXPECT_EQ(MouseX(), 160);
  EXPECT_EQ(MouseYSpeed(), 120);
  // The real pointer went there: the window lies at the screen's origin.
  int x = 0;
  int y = 0;
  ASSERT_TRUE(PollUntil([&] {
    SDL_GetGlobalMouseState(&x, &y);
    return x == 160 && y == 120;
  }));
}

TEST_F(RealWindow, HiddenPointerShowsAgainOutsideTheWindow) {
  const std::string w = std::to_string(xid);
  Xdo("mousemove --window " + w + " 30 30");
  ASSERT_TRUE(PollUntil([] { return MouseX() == 30; }));
  HideMouse();
  EXPECT_FALSE(PlatformPointerShown());
  Xdo("mousemove 700 500");
  EXPECT_TRUE(PollUntil([] { return PlatformPointerShown(); }));
  Xdo("mousemove --window " + w + " 40 40");
  EXPECT_TRUE(PollUntil([] { return !PlatformPointerShown(); }));
  ShowMouse();
  EXPECT_TRUE(PlatformPointerShown());
}

TEST_F(RealWindow, WaitSystemSleepsUntilATimerWakesIt) {
  // Drain what the window's start produced, then block in WaitSystem while a
  // 20 Hz timer is the only source of events.
  for (int i = 0; i < 20; ++i) PollSystem();
  Ref<TTimer> timer = CreateTimer(20);
  ASSERT_NE(timer, nullptr);
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  const auto start = std::chrono::steady_clock::now();
  int ticks = 0;
  while (ticks < 10) ticks += WaitTimer(timer);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  StopTimer(timer);
  const double cpu = (after.ru_utime.tv_sec - before.ru_utime.tv_sec) +
                     (after.ru_utime.tv_usec - before.ru_utime.tv_usec) / 1e6 +
                     (after.ru_stime.tv_sec - before.ru_stime.tv_sec) +
                     (after.ru_stime.tv_usec - before.ru_stime.tv_usec) / 1e6;
  // Ten ticks at 20 Hz take about half a second; a spinning wait would burn a
  // whole core for it, a blocking one next to nothing.
  EXPECT_GE(wall, 0.4);
  EXPECT_LT(cpu, wall * 0.25) << "cpu " << cpu << " s in " << wall << " s";
  RecordProperty("idle_cpu_fraction", std::to_string(cpu / wall));
}

// Answers the next message box titled like the application with a key press,
// from a background process, once the box has appeared.
void AnswerBoxWith(const std::string& key) {
  const std::string command = "xdotool search --sync --name '^" + AppTitle() + "$' windowfocus --sync key " +
                              key + " >/dev/null 2>&1 &";
  ASSERT_EQ(std::system(command.c_str()), 0);
}

TEST_F(RealWindow, MessageBoxesAnswerWithTheirButtons) {
  SetAppTitle("Box under test");
  AnswerBoxWith("Return");
  // SDL draws its boxes with the X server's core fonts; a server without any
  // (no xfonts-base) cannot show one.
  if (PlatformMessageBox(AppTitle(), "Can a box be shown?", {"OK"}, false) != 0) {
    GTEST_SKIP() << "no message box on this X server: " << SDL_GetError();
  }
  AnswerBoxWith("Return");
  EXPECT_EQ(Confirm("Really?"), 1);
  AnswerBoxWith("Escape");
  EXPECT_EQ(Confirm("Really?", 1), 0);
  AnswerBoxWith("Return");
  EXPECT_EQ(Proceed("Save first?"), 1);
  AnswerBoxWith("Escape");
  EXPECT_EQ(Proceed("Save first?"), -1);
  AnswerBoxWith("Return");
  Notify("Done.");
}

TEST_F(RealWindow, RequestersRefuseFullScreen) {
  ASSERT_EQ(SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP), 0) << SDL_GetError();
  PollSystem();
  try {
    RequestFile("Open", "png");
    FAIL() << "no error in full screen";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "GUI unavailable in fullscreen mode");
  }
  EXPECT_THROW(RequestDir("Folder"), RuntimeError);
}

TEST_F(RealWindow, FullScreenHidesThePointerEverywhere) {
  ASSERT_EQ(SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP), 0) << SDL_GetError();
  PollSystem();
  HideMouse();
  EXPECT_FALSE(PlatformPointerShown());
  Xdo("mousemove 799 599");
  for (int i = 0; i < 20; ++i) PollSystem();
  EXPECT_FALSE(PlatformPointerShown());
  ShowMouse();
  EXPECT_TRUE(PlatformPointerShown());
}

}  // namespace
