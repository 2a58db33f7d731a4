// The driver-neutral graphics module against a recording driver: selection,
// sequence numbers, the owned graphics, and Flip's sync rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/graphics.h"
#include "system/hook.h"
#include "tests/graphics/fake_clock.h"

namespace {

class RecordingDriver;

class RecordingGraphics : public TGraphics {
public:
  RecordingGraphics(RecordingDriver* d, int w, int h, int depth, int hz, int flags)
      : driver(d), w(w), h(h), depth(depth), hz(hz), flags(flags) {}
  TGraphicsDriver* Driver() override;
  void GetSettings(int& width, int& height, int& d, int& hertz, int& f) override {
    width = w, height = h, d = depth, hertz = hz, f = flags;
  }
  void Close() override { ++closes; }

  RecordingDriver* driver;
  int w, h, depth, hz, flags;
  int closes = 0;
};

class RecordingDriver : public TGraphicsDriver {
public:
  std::vector<TGraphicsMode> GraphicsModes() override {
    ++mode_queries;
    return modes;
  }
  Ref<TGraphics> AttachGraphics(intptr_t, int) override { return nullptr; }
  Ref<TGraphics> CreateGraphics(int w, int h, int depth, int hz, int flags) override {
    if (fail_create) throw std::runtime_error("Unable to set display mode");
    last = Ref<RecordingGraphics>(new RecordingGraphics(this, w, h, depth, hz, flags));
    return last;
  }
  void SetGraphics(TGraphics*) override {}
  void Flip(int sync) override { flips.push_back(sync); }

  std::vector<TGraphicsMode> modes;
  int mode_queries = 0;
  bool fail_create = false;
  Ref<RecordingGraphics> last;
  std::vector<int> flips;
};

TGraphicsDriver* RecordingGraphics::Driver() { return driver; }

class GraphicsModule : public ::testing::Test {
protected:
  void SetUp() override {
    InitGraphicsModule();
    SetGraphicsDriver(&driver, GFX_DOUBLE_BUFFER);
  }
  void TearDown() override {
    EndGraphics();
    SetGraphicsDriver(nullptr, 0);
  }
  RecordingDriver driver;
  FakeClockGuard clock_guard;
  FakeClock& clock = clock_guard.clock;
};

TEST(FrameSchedule, SixtyFramesAtSixtyHertzSpanOneSecond) {
  FrameSchedule s;
  s.Start(60, 0);
  std::vector<int> lengths;
  int previous = 0;
  for (int i = 0; i < 60; ++i) {
    const int wait = s.Advance(previous);  // drawing takes no time
    lengths.push_back(wait);
    previous += wait;
  }
  EXPECT_EQ(previous, 1000);
  // 1000 = 60 * 16 + 40: forty frames of 17 ms and twenty of 16 ms, two in three long.
  EXPECT_EQ(std::count(lengths.begin(), lengths.end(), 17), 40);
  EXPECT_EQ(std::count(lengths.begin(), lengths.end(), 16), 20);
}

TEST(FrameSchedule, ALateFrameRestartsFromNow) {
  FrameSchedule s;
  s.Start(60, 0);
  EXPECT_EQ(s.Advance(50), 0);  // slot at 16 already passed
  EXPECT_EQ(s.next, 50);
  EXPECT_EQ(s.Advance(50), 17);  // timed from the late frame, no catching up
}

TEST_F(GraphicsModule, SelectingADriverBumpsTheSequenceAndClearsTheSelection) {
  Ref<TGraphics> g = Graphics(640, 480, 0, 60, 0);
  ASSERT_TRUE(g);
  EXPECT_EQ(GraphicsWidth(), 640);
  const int seq = GraphicsSeq();
  SetGraphicsDriver(&driver, GFX_DOUBLE_BUFFER);  // same driver
  EXPECT_EQ(GraphicsSeq(), seq + 1);
  EXPECT_EQ(GraphicsWidth(), 0);
  EXPECT_EQ(CurrentGraphics(), nullptr);
}

TEST_F(GraphicsModule, GraphicsOpensSelectsAndOwns) {
  const int seq = GraphicsSeq();
  Ref<TGraphics> g = Graphics(640, 480, 0, 60, GFX_DEPTH_BITS);
  ASSERT_TRUE(g);
  EXPECT_EQ(GraphicsSeq(), seq + 1);
  EXPECT_EQ(driver.last->flags, GFX_DEPTH_BITS | GFX_DOUBLE_BUFFER);  // default flags OR-ed in
  EXPECT_EQ(CurrentGraphics(), g.get());
  EXPECT_EQ(GraphicsHeight(), 480);
  EXPECT_EQ(GraphicsFlags(), GFX_DEPTH_BITS | GFX_DOUBLE_BUFFER);

  // A second Graphics() ends the first.
  Ref<TGraphics> second = Graphics(320, 200, 0, 0, 0);
  EXPECT_EQ(static_cast<RecordingGraphics*>(g.get())->closes, 1);
  EXPECT_EQ(GraphicsWidth(), 320);

  const int before_end = GraphicsSeq();
  EndGraphics();
  EXPECT_EQ(GraphicsSeq(), before_end + 1);
  EXPECT_EQ(static_cast<RecordingGraphics*>(second.get())->closes, 1);
  EXPECT_EQ(GraphicsWidth(), 0);
  const int after_end = GraphicsSeq();
  EndGraphics();  // nothing open: no change
  EXPECT_EQ(GraphicsSeq(), after_end);
}

TEST_F(GraphicsModule, AFailedCreateChangesNothing) {
  Ref<TGraphics> g = Graphics(640, 480, 0, 60, 0);
  driver.fail_create = true;
  const int seq = GraphicsSeq();
  EXPECT_FALSE(CreateGraphics(800, 600, 32, 60, 0));
  EXPECT_EQ(GraphicsSeq(), seq);
  EXPECT_EQ(CurrentGraphics(), g.get());
  // Graphics() itself ends the owned graphics first, then fails without selecting anything.
  EXPECT_FALSE(Graphics(800, 600, 32, 60, 0));
  EXPECT_EQ(CurrentGraphics(), nullptr);
}

TEST_F(GraphicsModule, WindowFlipsAreSoftSynced) {
  Ref<TGraphics> g = Graphics(640, 480, 0, 60, 0);
  clock.sleeps.clear();
  const int start = clock.now;
  for (int i = 0; i < 60; ++i) Flip(-1);
  EXPECT_EQ(clock.now - start, 1000);
  EXPECT_EQ(driver.flips, std::vector<int>(60, 0));
}

TEST_F(GraphicsModule, FlipRules) {
  struct Case {
    const char* what;
    int depth, hertz, sync;
    bool select_foreign;
    int expected_driver_sync;
    bool sleeps;
  } cases[] = {
      {"full screen, -1: vertical sync, no sleep", 32, 60, -1, false, 1, false},
      {"full screen without rate: no sync", 32, 0, -1, false, 0, false},
      {"window without rate: no sync, no pacing", 0, 0, -1, false, 0, false},
      {"window, -1: soft sync", 0, 60, -1, false, 0, true},
      {"explicit 0", 32, 60, 0, false, 0, false},
      {"explicit 2 passes through", 32, 60, 2, false, 2, false},
      {"foreign graphics selected: always sync", 0, 60, -1, true, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ref<TGraphics> g = Graphics(640, 480, c.depth, c.hertz, 0);
    ASSERT_TRUE(g);
    Ref<TGraphics> foreign(new RecordingGraphics(&driver, 10, 10, 0, 0, 0));
    if (c.select_foreign) SetGraphics(foreign);
    driver.flips.clear();
    clock.sleeps.clear();
    clock.now += 100;  // the first paced frame is due at once... after a pause
    Flip(c.sync);
    Flip(c.sync);
    EXPECT_EQ(driver.flips, std::vector<int>(2, c.expected_driver_sync));
    EXPECT_EQ(!clock.sleeps.empty(), c.sleeps);
    EndGraphics();
  }
}

Object* CountFlip(int, Object* data, Object* context) {
  ++static_cast<RecordingGraphics*>(context)->closes;
  return data;
}

TEST_F(GraphicsModule, FlipRunsTheFlipHookFirst) {
  RecordingGraphics counter(&driver, 0, 0, 0, 0, 0);
  AddHook(FlipHook(), CountFlip, &counter);
  Flip(0);
  Flip(1);
  EXPECT_EQ(counter.closes, 2);
  RemoveHook(FlipHook(), CountFlip, &counter);
}

TEST_F(GraphicsModule, ModeQueriesAreCachedAndHandOutCopies) {
  driver.modes = {{640, 480, 16, 60}, {800, 600, 32, 60}, {800, 600, 32, 75}};
  SetGraphicsDriver(&driver, GFX_DOUBLE_BUFFER);
  std::vector<TGraphicsMode> modes = GraphicsModes();
  modes[0].width = 1;  // must not reach the cache
  EXPECT_EQ(CountGraphicsModes(), 3);
  int w, h, d, hz;
  GetGraphicsMode(0, w, h, d, hz);
  EXPECT_EQ(w, 640);
  GetGraphicsMode(2, w, h, d, hz);
  EXPECT_EQ(hz, 75);
  EXPECT_EQ(driver.mode_queries, 1);
  EXPECT_EQ(GraphicsModeExists(0, 0, 32, 0), 1);
  EXPECT_EQ(GraphicsModeExists(800, 600, 32, 85), 0);
  EXPECT_EQ(GraphicsModeExists(0, 0, 24, 0), 0);
  EXPECT_EQ(modes[1].ToString(), "800,600,32 60Hz");
}

}  // namespace
