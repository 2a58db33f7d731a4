// The whole path: a WAV file written here -> LoadSound -> the software mixer ->
// SDL's "disk" audio driver, which writes what the device plays to a file of
// raw 16-bit stereo frames. The sound starts after the start delay and
// whatever silence the device played before; from its first frame on, the
// file must hold it sample for sample.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "audio/audio_driver.h"
#include "audio/audio_module.h"
#include "media/media_module.h"
#include "platform/audio_device.h"
#include "tests/audio/wav_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

struct DiskOutput : ::testing::Test {
  void SetUp() override {
    if (AudioDeviceDriverName()[0] != '\0') GTEST_SKIP() << "audio already started in this process";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    InitMedia();
    InitMixwellAudio();
    InitWavAudioLoader();
  }

  // Plays for a while, closes the device and returns the file's samples.
  std::vector<int16_t> Recorded(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    SetAudioDriver("Null");  // closes the device, which closes the file
    const std::string bytes = ReadWholeFile(output);
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }

  static size_t FirstSound(const std::vector<int16_t>& samples) {
    size_t i = 0;
    while (i < samples.size() && samples[i] == 0) ++i;
    return i & ~size_t{1};
  }

  TempDir dir;
  std::string output = dir.File("out.raw");
};

TEST_F(DiskOutput, PlayedWavComesOutSampleForSample) {
  // 2205 frames (50 ms): left counts up from 1000, right is its negative.
  std::vector<int16_t> pcm;
  for (int i = 0; i < 2205; ++i) {
    pcm.push_back(int16_t(1000 + 3 * i));
    pcm.push_back(int16_t(-1000 - 3 * i));
  }
  const std::string path = dir.File("tone.wav");
  std::ofstream(path, std::ios::binary)
      << wav::Riff(wav::Fmt(2, 44100, 16) + wav::Chunk("data", wav::Samples16(pcm)));

  Ref<TSound> sound = LoadSound(path);
  ASSERT_TRUE(sound);
  ASSERT_EQ(CurrentAudioDriver()->Name(), "Mixwell");
  EXPECT_STREQ(AudioDeviceDriverName(), "disk");
  PlaySound(sound);
  const std::vector<int16_t> out = Recorded(400);

  const size_t start = FirstSound(out);
  ASSERT_GE(out.size(), start + pcm.size() + 2);
  EXPECT_EQ(std::vector<int16_t>(out.begin() + long(start), out.begin() + long(start + pcm.size())), pcm);
  EXPECT_EQ(out[start + pcm.size()], 0);  // and then silence
}

TEST_F(DiskOutput, ChannelSettingsBeforePlayAreUsed) {
  // Mono 16-bit at 22050 Hz, 4000 and 0 alternating: at 44100 Hz each output
  // frame steps half a frame, giving 0, 2000, 4000, 2000, 0, ... Volume 0.5
  // halves them; pan +0.5 leaves the left side half of that again:
  // left gain 2048 x (4096 - 2048) >> 12 = 1024.
  std::vector<int16_t> pcm;
  for (int i = 0; i < 441; ++i) pcm.push_back(int16_t(i % 2 ? 0 : 4000));  // starts non-zero
  const std::string path = dir.File("mono.wav");
  std::ofstream(path, std::ios::binary)
      << wav::Riff(wav::Fmt(1, 22050, 16) + wav::Chunk("data", wav::Samples16(pcm)));
  Ref<TSound> sound = LoadSound(path);
  ASSERT_TRUE(sound);
  Ref<TChannel> channel = AllocChannel();
  SetChannelVolume(channel, 0.5f);
  SetChannelPan(channel, 0.5f);
  PlaySound(sound, channel);
  const std::vector<int16_t> out = Recorded(300);

  const size_t start = FirstSound(out);
  ASSERT_GE(out.size(), start + 12);
  // Frames: 4000, 2000 (halfway to 0), 0, 2000, 4000, 2000 ... x 0.5 volume.
  const int16_t expected_right[] = {2000, 1000, 0, 1000, 2000, 1000};
  const int16_t expected_left[] = {1000, 500, 0, 500, 1000, 500};
  for (size_t k = 0; k < 6; ++k) {
    EXPECT_EQ(out[start + 2 * k], expected_left[k]) << k;
    EXPECT_EQ(out[start + 2 * k + 1], expected_right[k]) << k;
  }
}

}  // namespace
