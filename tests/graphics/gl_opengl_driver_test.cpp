// The OpenGL driver on a real display (a virtual X server with Mesa).
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/app.h"
#include "graphics/gl_drav2d_driver.h"
#include "graphics/gl_graphics.h"
#include "tests/graphics/fake_clock.h"

namespace {

class OpenGLDriver : public ::testing::Test {
protected:
  void SetUp() override {
    SetAppTitle("Driver Test");
    InitGLDrav2D();
  }
  void TearDown() override { EndGraphics(); }
};

TEST_F(OpenGLDriver, StartUpSelectsThe2DDriver) {
  EXPECT_EQ(GetGraphicsDriver(), GLDrav2DDriver());
  EXPECT_EQ(DefaultGraphicsFlags(), GFX_DOUBLE_BUFFER);
  EXPECT_EQ(GraphicsSeq(), 3);  // selected twice since the initial 1
}

TEST_F(OpenGLDriver, WindowHasTheRequestedSizeTitleAndBuffers) {
  Ref<TGraphics> g = Graphics(640, 480, 0, 60, GFX_DEPTH_BITS | GFX_ACCUM_BITS);
  ASSERT_TRUE(g);
  EXPECT_EQ(GraphicsWidth(), 640);
  EXPECT_EQ(GraphicsHeight(), 480);
  EXPECT_EQ(GraphicsDepth(), 0);
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_STREQ(SDL_GetWindowTitle(window), "Driver Test");
  EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
  GLint depth_bits = 0, accum_bits = 0, doublebuffer = 0, viewport[4] = {};
  glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
  glGetIntegerv(GL_ACCUM_RED_BITS, &accum_bits);
  glGetIntegerv(GL_DOUBLEBUFFER, &doublebuffer);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_GT(depth_bits, 0);
  EXPECT_GT(accum_bits, 0);
  EXPECT_TRUE(doublebuffer);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
}

TEST_F(OpenGLDriver, FlipShowsTheBackBuffer) {
  ASSERT_TRUE(Graphics(320, 240, 0, 0, 0));
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  Flip(0);
  glFinish();
  // What the X server shows, read back through the screen itself.
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  int x = 0, y = 0;
  SDL_GetWindowPosition(window, &x, &y);
  const std::string command = "import -window root -crop 1x1+" + std::to_string(x + 10) + "+" +
                              std::to_string(y + 10) + " -depth 8 txt:- 2>/dev/null";
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  EXPECT_NE(text.find("#FF0000"), std::string::npos) << text;
}

TEST_F(OpenGLDriver, FullScreenAtTheDisplaySize) {
  // The virtual X server's screen is 800x600 at 24 bits (32 bits per pixel).
  Ref<TGraphics> g = Graphics(800, 600, 32, 60, GFX_DEPTH_BITS);
  ASSERT_TRUE(g);
  EXPECT_EQ(GraphicsDepth(), 32);
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
}

TEST_F(OpenGLDriver, AModeTheDisplayLacksFailsCleanly) {
  const int seq = GraphicsSeq();
  EXPECT_FALSE(Graphics(1234, 567, 32, 60, 0));
  EXPECT_EQ(GraphicsSeq(), seq);
  EXPECT_EQ(CurrentGraphics(), nullptr);
  EXPECT_EQ(SDL_GL_GetCurrentWindow(), nullptr);
}

TEST_F(OpenGLDriver, ModesAreListedWithAtLeastSixteenBits) {
  EXPECT_EQ(GraphicsModeExists(800, 600, 32, 0), 1);
  for (const TGraphicsMode& m : GraphicsModes()) EXPECT_GE(m.depth, 16);
}

TEST_F(OpenGLDriver, VerticalSyncFlipsArePacedWhenTheSwapIntervalIsRefused) {
  // Mesa under a virtual X server refuses a swap interval; a synchronised flip
  // must then still take a display refresh (60 Hz, the rate being unknown).
  ASSERT_TRUE(Graphics(800, 600, 32, 60, 0));
  FakeClockGuard guard;
  FakeClock& clock = guard.clock;
  const int start = clock.now;
  for (int i = 0; i < 60; ++i) Flip(-1);
  if (SDL_GL_GetSwapInterval() == 1) GTEST_SKIP() << "this display honours the swap interval";
  EXPECT_EQ(clock.now - start, 1000);
}

}  // namespace
