// The mw_ entry points on a real output device (SDL's "dummy" driver, which
// pulls blocks in real time and discards them).
#include "audio/mixwell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

struct Mixwell : ::testing::Test {
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_EQ(mw_Init(0), 0);
    tone = std::vector<int16_t>(2 * 441, 1000);  // 10 ms of stereo
    sample = mw_CreateSound(441, 16, 2, 44100, tone.data(), 0);
    ASSERT_NE(sample, 0);
  }
  void TearDown() override {
    mw_FreeSound(sample);
    mw_Close();
  }

  // Polls until pred holds, for at most two seconds of real time.
  template <class Pred>
  static bool WaitFor(Pred pred) {
    for (int i = 0; i < 400 && !pred(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return pred();
  }

  std::vector<int16_t> tone;
  int sample = 0;
};

TEST_F(Mixwell, HandlesCarryIndexAndGeneration) {
  // Every slot starts at generation 4096 and gains 4096 per allocation; the
  // free list hands out index 1 first and takes freed slots back at its head.
  const int a = mw_AllocChannel();
  EXPECT_EQ(a, 1 | 8192);
  EXPECT_EQ(mw_AllocChannel(), 2 | 8192);
  mw_FreeChannel(a);
  const int again = mw_AllocChannel();
  EXPECT_EQ(again, 1 | 12288);
  EXPECT_EQ(mw_ChannelStatus(again), 1);  // placeholder voice: finished
}

TEST_F(Mixwell, StaleHandlesAreIgnored) {
  const int old = mw_AllocChannel();
  mw_FreeChannel(old);
  const int fresh = mw_AllocChannel();  // same slot, newer generation
  ASSERT_EQ(old & 4095, fresh & 4095);
  ASSERT_EQ(mw_PlaySound(sample, 1, fresh), fresh);
  EXPECT_EQ(mw_ChannelStatus(fresh), 2 | 16);

  EXPECT_EQ(mw_ChannelStatus(old), 0);
  EXPECT_EQ(mw_ChannelPosition(old), 0);
  EXPECT_EQ(mw_PlaySound(sample, 0, old), 0);
  mw_StopChannel(old);
  mw_SetChannelPaused(old, 0);
  mw_FreeChannel(old);
  EXPECT_EQ(mw_ChannelStatus(fresh), 2 | 16);  // untouched by all of the above
  EXPECT_EQ(mw_ChannelStatus(0), 0);
  EXPECT_EQ(mw_ChannelStatus(12345678), 0);
}

TEST_F(Mixwell, ChannelsRunOutAt4095) {
  std::vector<int> handles;
  for (int h; (h = mw_AllocChannel()) != 0;) handles.push_back(h);
  EXPECT_EQ(handles.size(), 4095u);
  EXPECT_EQ(mw_PlaySound(sample, 0, 0), 0);  // plays without a channel
  mw_FreeChannel(handles.back());
  EXPECT_NE(mw_PlaySound(sample, 0, 0), 0);
}

TEST_F(Mixwell, PlaysWithoutChannelOnFreshOnesThatEnd) {
  const int a = mw_PlaySound(sample, 0, 0);
  const int b = mw_PlaySound(sample, 0, 0);
  ASSERT_NE(a, 0);
  ASSERT_NE(b, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(mw_ChannelStatus(a), 2);
  // 10 ms of sound after a 20 ms delay: the voices finish and are released.
  EXPECT_TRUE(WaitFor([&] { return mw_ChannelStatus(a) == 0 && mw_ChannelStatus(b) == 0; }));
  EXPECT_EQ(mw_ChannelPosition(a), 441);
  // A newer play reuses a released voice; the old channel still reads as
  // finished, not as the new sound.
  const int c = mw_PlaySound(sample, 0, 0);
  EXPECT_EQ(mw_ChannelStatus(c), 2);
  EXPECT_NE(mw_ChannelStatus(a), 2);
  EXPECT_NE(mw_ChannelStatus(b), 2);
}

TEST_F(Mixwell, KeptChannelFinishesAndReplays) {
  const int h = mw_AllocChannel();
  ASSERT_EQ(mw_PlaySound(sample, 0, h), h);
  EXPECT_TRUE(WaitFor([&] { return mw_ChannelStatus(h) == 1; }));
  EXPECT_EQ(mw_ChannelPosition(h), 441);
  ASSERT_EQ(mw_PlaySound(sample, 0, h), h);
  EXPECT_EQ(mw_ChannelStatus(h), 2);
  EXPECT_EQ(mw_ChannelPosition(h), 0);
  mw_StopChannel(h);
  EXPECT_EQ(mw_ChannelStatus(h), 0);  // freed by the stop
}

TEST_F(Mixwell, LoopingVoiceCountsPositionAcrossLoops) {
  const int looped = mw_CreateSound(441, 16, 2, 44100, tone.data(), -1);
  const int h = mw_PlaySound(looped, 0, 0);
  EXPECT_EQ(mw_ChannelStatus(h), 4);
  EXPECT_TRUE(WaitFor([&] { return mw_ChannelPosition(h) > 3 * 441; }));
  EXPECT_EQ(mw_ChannelStatus(h), 4);
  mw_SetChannelPaused(h, 1);
  EXPECT_EQ(mw_ChannelStatus(h), 4 | 16);
  mw_StopChannel(h);
  mw_FreeSound(looped);
}

TEST_F(Mixwell, CuedVoiceWaitsForResume) {
  const int h = mw_PlaySound(sample, 1, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(mw_ChannelStatus(h), 2 | 16);
  EXPECT_EQ(mw_ChannelPosition(h), 0);
  mw_SetChannelPaused(h, 0);
  EXPECT_TRUE(WaitFor([&] { return mw_ChannelStatus(h) == 0; }));
}

TEST_F(Mixwell, BadSoundsAreRefused) {
  EXPECT_EQ(mw_CreateSound(0, 16, 2, 44100, tone.data(), 0), 0);
  EXPECT_EQ(mw_CreateSound(10, 12, 2, 44100, tone.data(), 0), 0);
  EXPECT_EQ(mw_CreateSound(10, 16, 6, 44100, tone.data(), 0), 0);
  EXPECT_EQ(mw_CreateSound(10, 16, 2, 0, tone.data(), 0), 0);
  EXPECT_EQ(mw_PlaySound(0, 0, 0), 0);
  const int h = mw_AllocChannel();
  EXPECT_EQ(mw_PlaySound(sample + 1, 0, h), h);  // no such sample: the channel comes back untouched
  EXPECT_EQ(mw_ChannelStatus(h), 1);
}

TEST_F(Mixwell, FreedSampleStaysUntilItsVoicesEnd) {
  const int h = mw_PlaySound(sample, 0, 0);
  mw_FreeSound(sample);
  EXPECT_EQ(mw_PlaySound(sample, 0, 0), 0);  // the handle is gone
  EXPECT_TRUE(WaitFor([&] { return mw_ChannelStatus(h) == 0; }));
  EXPECT_EQ(mw_ChannelPosition(h), 441);  // the voice played to the end
  sample = 0;
}

TEST(MixwellClosed, EveryCallIsHarmless) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ASSERT_EQ(mw_Init(0), 0);
  const int16_t frame[2] = {1, 2};
  const int s = mw_CreateSound(1, 16, 2, 44100, frame, 0);
  const int h = mw_PlaySound(s, 0, 0);
  ASSERT_NE(h, 0);
  EXPECT_EQ(mw_Close(), 0);
  EXPECT_EQ(mw_Close(), 0);
  EXPECT_EQ(mw_CreateSound(1, 16, 2, 44100, frame, 0), 0);
  EXPECT_EQ(mw_AllocChannel(), 0);
  EXPECT_EQ(mw_PlaySound(s, 0, 77), 77);
  EXPECT_EQ(mw_ChannelStatus(h), 0);
  EXPECT_EQ(mw_ChannelPosition(h), 0);
  EXPECT_EQ(mw_SetChannelVolume(h, 0.5f), 0);
  EXPECT_EQ(mw_StopChannel(h), 0);
  mw_FreeChannel(h);
  EXPECT_EQ(mw_FreeSound(s), 0);
}

}  // namespace
