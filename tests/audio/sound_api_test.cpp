// The driver registry and the sound API over the software mixer, on SDL's
// "dummy" output (real time, output discarded).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "audio/audio_driver.h"
#include "audio/audio_module.h"
#include "audio/mixwell_driver.h"
#include "media/media_module.h"
#include "platform/audio_device.h"

namespace {

// 10 ms of stereo 16-bit sound at 44100 Hz.
Ref<TAudioSample> ShortSample() {
  Ref<TAudioSample> s = CreateAudioSample(441, 44100, SF_STEREO16LE);
  std::fill_n(reinterpret_cast<int16_t*>(s->samples), 2 * 441, int16_t{500});
  return s;
}

template <class Pred>
bool WaitFor(Pred pred) {
  for (int i = 0; i < 400 && !pred(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return pred();
}

struct SoundApi : ::testing::Test {
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    InitMedia();
    InitAudio();
    InitMixwellAudio();
  }
  void TearDown() override { SetAudioDriver("Null"); }
};

TEST_F(SoundApi, RegistryListsNewestFirst) {
  const std::vector<std::string> expected = {"Mixwell", "Mixwell CoreAudio", "Null"};
  EXPECT_EQ(AudioDrivers(), expected);
  EXPECT_EQ(AudioDriverExists("mixwell"), 1);
  EXPECT_EQ(AudioDriverExists("MIXWELL COREAUDIO"), 1);
  EXPECT_EQ(AudioDriverExists("OpenAL"), 0);
  InitMixwellAudio();  // idempotent
  EXPECT_EQ(AudioDrivers().size(), 3u);
}

TEST_F(SoundApi, FirstUseStartsTheMixer) {
  EXPECT_EQ(CurrentAudioDriver(), nullptr);
  Ref<TSound> sound = LoadSound(Ref<TAudioSample>(ShortSample()));
  ASSERT_TRUE(sound);
  ASSERT_TRUE(CurrentAudioDriver());
  EXPECT_EQ(CurrentAudioDriver()->Name(), "Mixwell");
  EXPECT_TRUE(dynamic_cast<TMixwellSound*>(sound.get()));
}

TEST_F(SoundApi, UnknownDriverLeavesTheSilentOne) {
  EXPECT_EQ(SetAudioDriver("mixwell coreaudio"), 1);
  EXPECT_EQ(CurrentAudioDriver()->Name(), "Mixwell CoreAudio");
  EXPECT_EQ(SetAudioDriver("DirectSound"), 0);
  EXPECT_EQ(CurrentAudioDriver()->Name(), "Null");
}

TEST_F(SoundApi, PlaysOverlapOnIndependentChannels) {
  Ref<TSound> sound = LoadSound(Ref<TAudioSample>(ShortSample()));
  Ref<TChannel> a = PlaySound(sound);
  Ref<TChannel> b = PlaySound(sound, nullptr);
  ASSERT_TRUE(a && b);
  EXPECT_NE(a.get(), b.get());
  EXPECT_EQ(ChannelPlaying(a), 1);
  EXPECT_EQ(ChannelPlaying(b), 1);
  StopChannel(a);
  EXPECT_EQ(ChannelPlaying(a), 0);
  EXPECT_EQ(ChannelPlaying(b), 1);
  EXPECT_TRUE(WaitFor([&] { return ChannelPlaying(b) == 0; }));
}

TEST_F(SoundApi, AllocatedChannelIsReusedByPlay) {
  Ref<TSound> sound = LoadSound(Ref<TAudioSample>(ShortSample()));
  Ref<TChannel> channel = AllocChannel();
  ASSERT_TRUE(channel);
  SetChannelVolume(channel, 0.5f);
  EXPECT_EQ(PlaySound(sound, channel).get(), channel.get());
  EXPECT_EQ(ChannelPlaying(channel), 1);
  EXPECT_TRUE(WaitFor([&] { return ChannelPlaying(channel) == 0; }));
  EXPECT_EQ(static_cast<TMixwellChannel*>(channel.get())->Position(), 441);
  // A channel of another driver is refused.
  EXPECT_FALSE(PlaySound(sound, MakeRef<TChannel>()));
}

TEST_F(SoundApi, CuedChannelPlaysAfterResume) {
  Ref<TSound> sound = LoadSound(Ref<TAudioSample>(ShortSample()));
  Ref<TChannel> channel = CueSound(sound);
  ASSERT_TRUE(channel);
  EXPECT_EQ(ChannelPlaying(channel), 0);
  ResumeChannel(channel);
  EXPECT_EQ(ChannelPlaying(channel), 1);
  PauseChannel(channel);
  EXPECT_EQ(ChannelPlaying(channel), 0);
}

TEST_F(SoundApi, LoopingSoundPlaysUntilStopped) {
  Ref<TSound> sound = LoadSound(Ref<TAudioSample>(ShortSample()), SOUND_LOOPING);
  Ref<TChannel> channel = PlaySound(sound);
  auto* mixwell_channel = static_cast<TMixwellChannel*>(channel.get());
  EXPECT_TRUE(WaitFor([&] { return mixwell_channel->Position() > 5 * 441; }));
  EXPECT_EQ(ChannelPlaying(channel), 1);
  SetChannelRate(channel, 2);
  SetChannelPan(channel, -1);
  SetChannelDepth(channel, -1);
  StopChannel(channel);
  EXPECT_EQ(ChannelPlaying(channel), 0);
  EXPECT_EQ(mixwell_channel->mw_channel, 0);
}

TEST_F(SoundApi, SoundsOutliveTheDriver) {
  Ref<TSound> sound = LoadSound(Ref<TAudioSample>(ShortSample()));
  Ref<TChannel> channel = PlaySound(sound);
  SetAudioDriver("Null");
  EXPECT_EQ(ChannelPlaying(channel), 0);
  EXPECT_FALSE(PlaySound(sound));
  // Dropping them now is harmless (checked by the sanitizers).
}

TEST_F(SoundApi, BadArgumentsAreHarmless) {
  EXPECT_FALSE(LoadSound("no/such/file.wav"));
  EXPECT_FALSE(PlaySound(nullptr));
  EXPECT_FALSE(CueSound(nullptr));
  StopChannel(nullptr);
  EXPECT_EQ(ChannelPlaying(nullptr), 0);
  SetChannelVolume(nullptr, 1);
  PauseChannel(nullptr);
  Ref<TAudioSample> no_format = MakeRef<TAudioSample>();
  EXPECT_FALSE(LoadSound(no_format));
}

TEST_F(SoundApi, BigEndianSamplesAreConverted) {
  Ref<TAudioSample> big = CreateAudioSample(441, 44100, SF_STEREO16BE);
  std::fill_n(big->samples, 441 * 4, uint8_t{1});
  Ref<TSound> sound = LoadSound(big);
  ASSERT_TRUE(sound);
  EXPECT_NE(static_cast<TMixwellSound*>(sound.get())->mw_sound, 0);
}

// With no usable audio driver the first use falls back to silence. The
// environment must be set before SDL's audio starts, so this needs a process
// of its own (CTest runs each test alone).
TEST(SoundApiWithoutDevice, FallsBackToNull) {
  if (AudioDeviceDriverName()[0] != '\0') GTEST_SKIP() << "audio already started in this process";
  setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
  InitMedia();
  InitMixwellAudio();
  Ref<TSound> sound = LoadSound(Ref<TAudioSample>(ShortSample()));
  ASSERT_TRUE(sound);
  EXPECT_EQ(CurrentAudioDriver()->Name(), "Null");
  Ref<TChannel> channel = PlaySound(sound);
  ASSERT_TRUE(channel);
  EXPECT_EQ(ChannelPlaying(channel), 0);
  EXPECT_TRUE(AllocChannel());
}

}  // namespace
