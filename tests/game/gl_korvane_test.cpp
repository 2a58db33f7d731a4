// The game end to end on a virtual X server: the real executable, driven from
// outside with xdotool, and the entry routine in this process with its frame
// loop observed through the flip hook.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "engine/global.h"
#include "game/korvane.h"
#include "graphics/graphics.h"
#include "system/event.h"
#include "system/hook.h"

extern char** environ;

namespace {

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  return out;
}

// Waits up to `seconds` for the child to end; returns its wait status or -1.
int WaitFor(pid_t pid, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

class KorvaneProcess : public ::testing::Test {
protected:
  void SetUp() override {
    char* argv[] = {const_cast<char*>(KORVANE_EXE), nullptr};
    ASSERT_EQ(posix_spawn(&pid, KORVANE_EXE, nullptr, nullptr, argv, environ), 0);
    window = Shell("timeout 20 xdotool search --sync --name '^Korvane$' | head -n1");
    while (!window.empty() && window.back() == '\n') window.pop_back();
    ASSERT_FALSE(window.empty()) << "no window titled Korvane appeared";
  }
  void TearDown() override {
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  pid_t pid = -1;
  std::string window;
};

TEST_F(KorvaneProcess, OpensAn800x600DisplayAndQuitsOnEscape) {
  const std::string geometry = Shell("xdotool getwindowgeometry " + window);
  EXPECT_NE(geometry.find("Geometry: 800x600"), std::string::npos) << geometry;
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  Shell("xdotool key Escape");
  const int status = WaitFor(pid, 10);
  pid = -1;
  ASSERT_NE(status, -1) << "the game did not end after Escape";
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(KorvaneProcess, ATerminationSignalEndsItWithStatusZero) {
  kill(pid, SIGTERM);
  const int status = WaitFor(pid, 10);
  pid = -1;
  ASSERT_NE(status, -1) << "the game did not end after SIGTERM";
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(KorvaneProcessFailure, WithoutADisplayItSaysSoAndFails) {
  const std::string out = Shell("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " KORVANE_EXE " 2>&1; echo status=$?");
  EXPECT_NE(out.find("korvane: cannot open an 800x600 OpenGL display"), std::string::npos) << out;
  EXPECT_NE(out.find("status=1"), std::string::npos) << out;
}

// Counts the frames the loop presents during one second of real time, then
// asks the game to quit as the window system would.
struct FlipCounter : Object {
  std::chrono::steady_clock::time_point first;
  int flips = 0;
  bool quit_sent = false;
};

Object* CountFlips(int, Object* data, Object* context) {
  auto* counter = static_cast<FlipCounter*>(context);
  const auto now = std::chrono::steady_clock::now();
  if (counter->flips++ == 0) counter->first = now;
  if (!counter->quit_sent && now - counter->first >= std::chrono::seconds(1)) {
    counter->quit_sent = true;
    TEvent::Create(0x103)->Emit();  // "AppTerminate"
  }
  return data;
}

TEST(KorvaneFrameLoop, FlipsAtAboutTheDisplayRateUntilAskedToQuit) {
  InitEngine();
  FlipCounter counter;
  AddHook(FlipHook(), CountFlips, &counter);
  EXPECT_EQ(KorvaneMain(), 0);
  RemoveHook(FlipHook(), CountFlips, &counter);
  EXPECT_TRUE(counter.quit_sent);
  EXPECT_EQ(GraphicsWidth(), 800);
  // One second at 60 Hz, give or take a loaded machine; never hundreds, as a
  // flip that does not wait for the display would give. Two extra flips come
  // from clearing both buffers when the display opens.
  EXPECT_GE(counter.flips, 40);
  EXPECT_LE(counter.flips, 66);
}

}  // namespace
