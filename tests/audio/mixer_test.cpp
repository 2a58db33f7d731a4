// The mixer driven directly into buffers, against values worked out by hand.
// Volume 1 is gain 4096: a value v adds v x 4096 >> 8 = 16 v to the
// accumulator and mix16 shifts it back by 4, so at full volume, centred, the
// output equals the (interpolated) sample value.
#include "audio/mixer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace mixwell {
namespace {

int64_t now_ms = 0;
int64_t FakeClock() { return now_ms; }

struct Fixture : ::testing::Test {
  Fixture() { now_ms = 1000; }

  // A sample that the test keeps one reference to (like the driver's sound).
  sample* Make(std::vector<int16_t> data, int channels, int hertz, bool loop) {
    const int length = int(data.size()) / channels;
    sample* s = sample::create(length, 16, channels, hertz, data.data(), loop ? -1 : 0);
    samples.push_back(s);
    return s;
  }
  sample* Make8(std::vector<uint8_t> data, int channels, int hertz, bool loop) {
    const int length = int(data.size()) / channels;
    sample* s = sample::create(length, 8, channels, hertz, data.data(), loop ? -1 : 0);
    samples.push_back(s);
    return s;
  }

  // Starts a voice whose start delay has already run out at the next block.
  sound* Start(sample* s, const output* tmpl = nullptr, int extra_mode = 0, bool autofree = false) {
    sound* v = m->play(s, tmpl, (s->loop ? kPlayingLooped : kPlayingOnce) | extra_mode, 0, autofree);
    now_ms += mixer::start_delay_ms;
    return v;
  }

  // Mixes one block of frames and returns the interleaved 16-bit output.
  std::vector<int16_t> Block(int frames) {
    std::vector<int16_t> out(size_t(frames) * 2);
    m->mix(frames * 2);
    m->mix16(out.data(), frames * 2);
    return out;
  }

  static std::vector<int16_t> Left(const std::vector<int16_t>& out) {
    std::vector<int16_t> l;
    for (size_t i = 0; i < out.size(); i += 2) l.push_back(out[i]);
    return l;
  }
  static std::vector<int16_t> Right(const std::vector<int16_t>& out) {
    std::vector<int16_t> r;
    for (size_t i = 1; i < out.size(); i += 2) r.push_back(out[i]);
    return r;
  }

  ~Fixture() override {
    m.reset();
    for (sample* s : samples) s->release();
  }

  std::unique_ptr<mixer> m = std::make_unique<mixer>(FakeClock);
  std::vector<sample*> samples;
};

using Mixer = Fixture;

TEST_F(Mixer, Mono16At22050HzStepsHalfAFrameAndInterpolates) {
  // Step 65536 x 22050 / 44100 = 32768: positions 0, 0.5, 1, ... 3.5. Halfway
  // values are the means of neighbours; at 3.5 the guard frame (a copy of the
  // last frame) holds 3200. Position 4 is the end: silence follows.
  sample* s = Make({0, 1600, -1600, 3200}, 1, 22050, false);
  sound* v = Start(s);
  const auto out = Block(10);
  const std::vector<int16_t> expected = {0, 800, 1600, 0, -1600, 800, 3200, 3200, 0, 0};
  EXPECT_EQ(Left(out), expected);
  EXPECT_EQ(Right(out), expected);  // mono feeds both sides
  EXPECT_EQ(v->status.load(), kFinished);
  EXPECT_EQ(v->getposition(), 4);
}

TEST_F(Mixer, Mono16At22050HzRate2StepsOneFrame) {
  sample* s = Make({0, 1600, -1600, 3200}, 1, 22050, false);
  m->allocsound(nullptr);
  sound* tmpl = m->allocsound(nullptr);
  tmpl->setrate(131072);
  Start(s, tmpl);
  EXPECT_EQ(Left(Block(6)), (std::vector<int16_t>{0, 1600, -1600, 3200, 0, 0}));
}

TEST_F(Mixer, Mono8InterpolatesInUnsignedBytes) {
  // Byte b plays as b x 256 - 32768. Between 0 and 255 at half a frame:
  // -32768 + (32768 x 255 >> 8) = -32768 + 32640 = -128. The guard copies 255
  // (-> 32512).
  sample* s = Make8({0, 255}, 1, 22050, false);
  Start(s);
  EXPECT_EQ(Left(Block(5)), (std::vector<int16_t>{-32768, -128, 32512, 32512, 0}));
}

TEST_F(Mixer, StereoLoopWrapsThroughGuardFrameCopyOfFirst) {
  // Looping stereo at 22050 Hz: at position 1.5 the frame after the last is
  // the guard, a copy of frame 0, so left goes 100, 200, 300, 200, 100, ...
  sample* s = Make({100, -100, 300, -300}, 2, 22050, true);
  sound* v = Start(s);
  const auto out = Block(6);
  EXPECT_EQ(Left(out), (std::vector<int16_t>{100, 200, 300, 200, 100, 200}));
  EXPECT_EQ(Right(out), (std::vector<int16_t>{-100, -200, -300, -200, -100, -200}));
  EXPECT_EQ(v->status.load(), kPlayingLooped);
}

TEST_F(Mixer, Stereo8PlaysBothSides) {
  // Left bytes 192 -> 16384, right 64 -> -16384; the guard repeats them.
  sample* s = Make8({192, 64}, 2, 44100, false);
  Start(s);
  const auto out = Block(2);
  EXPECT_EQ(out, (std::vector<int16_t>{16384, -16384, 0, 0}));
}

TEST_F(Mixer, PanAndDepthGains) {
  // Left 1000, right 2000 at volume 1 (4096):
  //   pan +1:   left gain 4096 x (4096 - 4096) >> 12 = 0
  //   pan -1:   right gain 0
  //   pan 0.5:  left gain 4096 x 2048 >> 12 = 2048 -> 1000 x 2048 >> 8 >> 4 = 500
  //   depth -1: right gain -4096 -> -2000
  struct Case {
    int pan, depth;
    int16_t left, right;
  };
  const Case cases[] = {
      {4096, 0, 0, 2000}, {-4096, 0, 1000, 0}, {2048, 0, 500, 2000}, {0, -4096, 1000, -2000}};
  for (const Case& c : cases) {
    sample* s = Make({1000, 2000}, 2, 44100, true);
    sound* tmpl = m->allocsound(nullptr);
    tmpl->setpan(c.pan);
    tmpl->setdepth(c.depth);
    sound* v = Start(s, tmpl);
    const auto out = Block(3);
    EXPECT_EQ(Left(out), std::vector<int16_t>(3, c.left)) << c.pan << " " << c.depth;
    EXPECT_EQ(Right(out), std::vector<int16_t>(3, c.right)) << c.pan << " " << c.depth;
    v->finish();
    v->autofree = 1;
    Block(1);
  }
}

TEST_F(Mixer, VolumeTwoDoublesAndOutputClips) {
  // Gain 8192: 10000 -> 20000; 20000 -> 40000 clips to 32767; -20000 -> -32768.
  sample* s = Make({10000, 20000, -20000}, 1, 44100, false);
  sound* tmpl = m->allocsound(nullptr);
  tmpl->setvolume(8192);
  Start(s, tmpl);
  EXPECT_EQ(Left(Block(4)), (std::vector<int16_t>{20000, 32767, -32768, 0}));
}

TEST_F(Mixer, VoicesAddAndTheSumClips) {
  sample* a = Make({20000, -20000, 1000}, 1, 44100, false);
  sample* b = Make({20000, -20000, -3000}, 1, 44100, false);
  m->play(b, nullptr, kPlayingOnce, 0, false);
  Start(a);
  EXPECT_EQ(Left(Block(3)), (std::vector<int16_t>{32767, -32768, -2000}));
}

TEST_F(Mixer, VolumeChangeRampsOverOneBlock) {
  // Constant 16000 at 44100 Hz; volume 1 -> 0 over a 4-frame block steps the
  // volume by -4096 x 256 / 4 per frame: 4096, 3072, 2048, 1024, giving
  // 16000, 12000, 8000, 4000; the next block is steady at 0.
  sample* s = Make({16000}, 1, 44100, true);
  sound* v = Start(s);
  EXPECT_EQ(Left(Block(4)), std::vector<int16_t>(4, 16000));
  v->setvolume(0);
  EXPECT_EQ(Left(Block(4)), (std::vector<int16_t>{16000, 12000, 8000, 4000}));
  EXPECT_EQ(Left(Block(4)), std::vector<int16_t>(4, 0));
  EXPECT_EQ(v->getvolume(0), 0);
}

TEST_F(Mixer, RateChangeRampsTheStep) {
  // d[i] = 100 i at 44100 Hz. Rate 1 -> 2 over 4 frames: steps 65536 + k x
  // 16384, i.e. 1, 1.25, 1.5, 1.75 frames, so positions 0, 1, 2.25, 3.75
  // (values 0, 100, 225, 375); then steady 2 frames per frame from 5.5.
  std::vector<int16_t> ramp(64);
  for (int i = 0; i < 64; ++i) ramp[size_t(i)] = int16_t(100 * i);
  sample* s = Make(ramp, 1, 44100, false);
  sound* v = Start(s);
  v->setrate(131072);
  EXPECT_EQ(Left(Block(4)), (std::vector<int16_t>{0, 100, 225, 375}));
  EXPECT_EQ(Left(Block(3)), (std::vector<int16_t>{550, 750, 950}));
  EXPECT_EQ(v->getrate(0), 131072);
}

TEST_F(Mixer, Rate1Point5Interpolates) {
  // Step 98304 (1.5 frames): positions 0, 1.5, 3, 4.5 over d[i] = 100 i.
  std::vector<int16_t> ramp(16);
  for (int i = 0; i < 16; ++i) ramp[size_t(i)] = int16_t(100 * i);
  sample* s = Make(ramp, 1, 44100, false);
  sound* tmpl = m->allocsound(nullptr);
  tmpl->setrate(98304);
  Start(s, tmpl);
  EXPECT_EQ(Left(Block(4)), (std::vector<int16_t>{0, 150, 300, 450}));
}

TEST_F(Mixer, SilentVoiceOnlyAdvances) {
  sample* s = Make(std::vector<int16_t>(100, 5000), 1, 44100, false);
  sound* tmpl = m->allocsound(nullptr);
  tmpl->setvolume(0);
  sound* v = Start(s, tmpl);
  EXPECT_EQ(Left(Block(60)), std::vector<int16_t>(60, 0));
  EXPECT_EQ(v->getposition(), 60);
  Block(60);  // one end test per block: the end is noticed after the advance
  EXPECT_EQ(v->status.load(), kFinished);
}

TEST_F(Mixer, PositionCountsAcrossLoops) {
  sample* s = Make(std::vector<int16_t>(200, 1), 2, 44100, true);  // 100 frames
  sound* v = Start(s);
  Block(250);
  EXPECT_EQ(v->getposition(), 250);
  EXPECT_EQ(v->status.load(), kPlayingLooped);
}

TEST_F(Mixer, NewVoiceStartsTwentyMillisecondsAfterItsRequest) {
  // Played at t = 1000 and t = 1010, mixed at t = 1012: delays (20 - 12) ms
  // and (20 - 2) ms, i.e. 8 x 44100 / 1000 = 352 and 18 x 44100 / 1000 = 793
  // frames.
  sample* s = Make({1000}, 1, 44100, true);
  sample* t = Make({10}, 1, 44100, true);
  m->play(s, nullptr, kPlayingLooped, 0, false);
  now_ms = 1010;
  m->play(t, nullptr, kPlayingLooped, 0, false);
  now_ms = 1012;
  const auto left = Left(Block(1024));
  EXPECT_EQ(left[351], 0);
  EXPECT_EQ(left[352], 1000);
  EXPECT_EQ(left[792], 1000);
  EXPECT_EQ(left[793], 1010);
}

TEST_F(Mixer, DelaySpansBlocksAndLateBlocksStartAtOnce) {
  sample* s = Make({1000}, 1, 44100, true);
  m->play(s, nullptr, kPlayingLooped, 0, false);  // at t = 1000: 882 frames to wait
  EXPECT_EQ(Left(Block(500)), std::vector<int16_t>(500, 0));
  const auto left = Left(Block(500));
  EXPECT_EQ(left[381], 0);
  EXPECT_EQ(left[382], 1000);

  m->play(s, nullptr, kPlayingLooped, 0, false);
  now_ms += 50;  // mixed later than 20 ms after the request: no delay
  EXPECT_EQ(Left(Block(1))[0], 2000);
}

TEST_F(Mixer, CuedVoiceDoesNotSpendItsDelayWhilePaused) {
  sample* s = Make({1000}, 1, 44100, true);
  sound* v = m->play(s, nullptr, kPlayingLooped | kPaused, 0, false);
  EXPECT_EQ(Left(Block(2000)), std::vector<int16_t>(2000, 0));
  v->changeflags(kPaused, false);
  const auto left = Left(Block(1000));
  EXPECT_EQ(left[881], 0);
  EXPECT_EQ(left[882], 1000);
}

TEST_F(Mixer, FinishedVoicesAreReleasedOnlyWithAutofree) {
  sample* s = Make({1, 2}, 1, 44100, false);
  sound* freed = m->play(s, nullptr, kPlayingOnce, 0, true);
  sound* kept = Start(s, nullptr, 0, false);
  Block(4);
  EXPECT_EQ(kept->status.load(), kFinished);
  EXPECT_EQ(freed->status.load(), 0);
  EXPECT_EQ(s->refs, 3);                     // the test, kept, and freed until the main thread collects it
  EXPECT_EQ(m->allocsound(nullptr), freed);  // reused through spare
  EXPECT_EQ(s->refs, 2);
}

TEST_F(Mixer, PausedSettersAlsoSetTheValueInUse) {
  sample* s = Make({1000}, 1, 44100, true);
  sound* v = Start(s);
  v->changeflags(kPaused, true);
  v->setvolume(2048);
  EXPECT_EQ(v->getvolume(0), 2048);
  v->changeflags(kPaused, false);
  EXPECT_EQ(Left(Block(2)), std::vector<int16_t>(2, 500));  // no ramp from 4096
}

TEST_F(Mixer, NegativeRatePlaysAsStopped) {
  sample* s = Make({700, 800}, 1, 44100, false);
  sound* tmpl = m->allocsound(nullptr);
  tmpl->setrate(-65536);
  sound* v = Start(s, tmpl);
  EXPECT_EQ(Left(Block(3)), std::vector<int16_t>(3, 700));
  EXPECT_EQ(v->getposition(), 0);
}

TEST_F(Mixer, HugeRateOnTinyLoopStaysInside) {
  sample* s = Make({1, 2, 3}, 1, 8000, true);
  sound* tmpl = m->allocsound(nullptr);
  tmpl->setrate(INT32_MAX);
  Start(s, tmpl);
  Block(4096);  // must not read outside the 3 frames (checked by the sanitizers)
}

TEST(MixerSample, RejectsUnplayableFormats) {
  const int16_t data[2] = {0, 0};
  EXPECT_EQ(sample::create(1, 24, 1, 44100, data, 0), nullptr);
  EXPECT_EQ(sample::create(1, 16, 3, 44100, data, 0), nullptr);
  EXPECT_EQ(sample::create(0, 16, 1, 44100, data, 0), nullptr);
  EXPECT_EQ(sample::create(1, 16, 1, 0, data, 0), nullptr);
  EXPECT_EQ(sample::create(1, 16, 1, 44100, nullptr, 0), nullptr);
  EXPECT_EQ(sample::create(INT32_MAX, 16, 2, 44100, data, 0), nullptr);
}

TEST(Mix16, ShiftsClipsAndClears) {
  // Fill the accumulator through a voice: gain 32767 on value 32767 adds
  // 32767 x 32767 >> 8 = 4194048 per frame, which mix16 clips to 32767.
  mixer m(FakeClock);
  const int16_t loud[1] = {32767};
  sample* s = sample::create(1, 16, 1, 44100, loud, -1);
  sound* tmpl = m.allocsound(nullptr);
  tmpl->setvolume(32767);
  m.play(s, tmpl, kPlayingLooped, 0, false);
  now_ms += 100;
  int16_t out[4];
  m.mix(4);
  m.mix16(out, 4);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[3], 32767);
  tmpl->setvolume(0);
  s->release();
}

}  // namespace
}  // namespace mixwell
