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
#include <cstdlib>
#include <string>
#include <thread>

#include "assets/builtin_fonts.h"
#include "assets/korvane_assets.h"
#include "engine/global.h"
#include "game/korvane.h"
#include "graphics/graphics.h"
#include "media/resources.h"
#include "system/event.h"
#include "system/hook.h"
#include "tests/support/temp_dir.h"

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

// The game run for a few seconds with its sound going to a file: the picture
// shows the score line over the scene and the tune comes out sample for sample.
TEST(KorvaneRun, ShowsTheScoreLineAndPlaysTheTune) {
  TempDir dir;
  const std::string audio = dir.File("audio.raw"), shot = dir.File("shot.txt");
  const std::string command =
      "SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=" + audio + " " KORVANE_EXE +
      " 2>/dev/null & pid=$!; timeout 20 xdotool search --sync --name '^Korvane$' >/dev/null;"
      " sleep 2; import -window root -depth 8 -crop 64x16+398+8 txt:" +
      shot + "; xdotool key Escape; wait $pid; echo status=$?";
  const std::string out = Shell(command);
  EXPECT_NE(out.find("status=0"), std::string::npos) << out;

  // The score line "0  VS  0" (or a goal later) starts at (398, 8): every pixel
  // the font sets for its first character, a digit, is pure white.
  const std::string pixels = ReadWholeFile(shot);
  ASSERT_FALSE(pixels.empty());
  auto white_at = [&](int x, int y) {
    const std::string key = std::to_string(x) + "," + std::to_string(y) + ":";
    const size_t at = pixels.find("\n" + key);
    return at != std::string::npos && pixels.find("#FFFFFF", at) < pixels.find('\n', at + 1);
  };
  const EmbeddedFile font = GLDrawTextFontFile();
  bool digit_found = false;
  for (char digit = '0'; digit <= '9' && !digit_found; ++digit) {
    bool all = true;
    for (int r = 0; r < 16 && all; ++r)
      for (int b = 0; b < 8 && all; ++b)
        if (font.data[r * 96 + (digit - 32)] & (1 << b)) all = white_at(b, r);
    digit_found = all;
  }
  EXPECT_TRUE(digit_found) << "no white digit at the score line's start";
  // "VS" sits in cells 3 and 4.
  bool v_all = true;
  for (int r = 0; r < 16; ++r)
    for (int b = 0; b < 8; ++b)
      if (font.data[r * 96 + ('V' - 32)] & (1 << b)) v_all = v_all && white_at(24 + b, r);
  EXPECT_TRUE(v_all);

  // The tune: the output's first sound is the start of "hungry.wav".
  const std::string raw = ReadWholeFile(audio);
  ASSERT_GT(raw.size(), 44100u * 4) << "less than a second of sound";
  const auto* out_samples = reinterpret_cast<const int16_t*>(raw.data());
  const size_t out_count = raw.size() / 2;
  size_t first = 0;
  while (first < out_count && out_samples[first] == 0) ++first;
  const EmbeddedFile tune = KorvaneGameFiles()[3];
  const auto* tune_samples = reinterpret_cast<const int16_t*>(tune.data + 44);
  size_t tune_first = 0;
  while (tune_samples[tune_first] == 0) ++tune_first;
  ASSERT_LT(first + 8192, out_count);
  // Before the first bounce nothing else sounds, so the samples agree exactly.
  int equal = 0;
  for (size_t i = 0; i < 8192; ++i) equal += out_samples[first + i] == tune_samples[tune_first + i];
  EXPECT_GT(equal, 8100) << "the output does not start with the tune";

  // The first serve from the fixed generator reaches the lower side line after
  // about 43 frames: from then on the hit sound is mixed over the tune.
  size_t differing = 0;
  for (size_t i = 0; first + i < out_count && tune_first + i < tune.size / 2 - 22; ++i) {
    differing += std::abs(int(out_samples[first + i]) - int(tune_samples[tune_first + i])) > 64;
  }
  EXPECT_GT(differing, 2000u) << "no hit sound over the tune";
}

TEST(KorvaneProcessFailure, WithoutADisplayItSaysSoAndFails) {
  const std::string out =
      Shell("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " KORVANE_EXE " 2>&1; echo status=$?");
  EXPECT_NE(out.find("korvane: cannot open an 800x600 OpenGL display"), std::string::npos) << out;
  EXPECT_NE(out.find("status=1"), std::string::npos) << out;
}

// Counts the frames the loop presents during one second of real time, after a
// second of warm-up (textures are uploaded on the first frames), then asks the
// game to quit as the window system would.
struct FlipCounter : Object {
  std::chrono::steady_clock::time_point first;
  int flips = 0;
  int counted = -1;
  bool quit_sent = false;
};

Object* CountFlips(int, Object* data, Object* context) {
  auto* counter = static_cast<FlipCounter*>(context);
  const auto now = std::chrono::steady_clock::now();
  if (counter->flips++ == 0) counter->first = now;
  if (counter->counted < 0 && now - counter->first >= std::chrono::seconds(1)) counter->counted = 0;
  if (counter->counted >= 0 && !counter->quit_sent) {
    if (now - counter->first >= std::chrono::seconds(2)) {
      counter->quit_sent = true;
      TEvent::Create(0x103)->Emit();  // "AppTerminate"
    } else {
      ++counter->counted;
    }
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
  // At most one display refresh per frame: 60 in a second, never the hundreds
  // a flip that does not wait would give. The software renderer needs most of
  // a frame for the full-screen overlay, so a loaded machine may draw fewer.
  EXPECT_GE(counter.counted, 15);
  EXPECT_LE(counter.counted, 62);
}

}  // namespace
