#include "audio/audio_sample.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "audio/audio_errors.h"
#include "core/runtime_error.h"

namespace {

std::vector<uint8_t> ToStd(const std::vector<uint8_t>& src, int format) {
  const int count = int(src.size()) / BytesPerSample[format];
  std::vector<uint8_t> out(size_t(count) * 4);
  ConvertSamplesToStdFormat(src.data(), out.data(), format, count);
  return out;
}

std::vector<uint8_t> FromStd(const std::vector<uint8_t>& src, int format) {
  const int count = int(src.size()) / 4;
  std::vector<uint8_t> out(size_t(count) * BytesPerSample[format]);
  ConvertSamplesFromStdFormat(src.data(), out.data(), format, count);
  return out;
}

TEST(SampleFormats, Tables) {
  EXPECT_EQ(std::vector<int>(ChannelsPerSample, ChannelsPerSample + 7),
            (std::vector<int>{0, 1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(std::vector<int>(BytesPerSample, BytesPerSample + 7), (std::vector<int>{0, 1, 2, 2, 2, 4, 4}));
}

TEST(SampleFormats, ToStandardFormat) {
  // Format 6 frames are big-endian left, right. 8-bit v -> v x 257 - 32768.
  struct Case {
    int format;
    std::vector<uint8_t> src, expected;
  };
  const Case cases[] = {
      // 0 -> -32768 (80 00), 128 -> 128 (00 80), 255 -> 32767 (7F FF), both sides.
      {1, {0, 128, 255}, {0x80, 0, 0x80, 0, 0, 0x80, 0, 0x80, 0x7F, 0xFF, 0x7F, 0xFF}},
      // -2 little-endian (FE FF) -> FF FE twice.
      {2, {0xFE, 0xFF}, {0xFF, 0xFE, 0xFF, 0xFE}},
      {3, {0x12, 0x34}, {0x12, 0x34, 0x12, 0x34}},
      {4, {0, 255}, {0x80, 0, 0x7F, 0xFF}},
      {5, {0x34, 0x12, 0x78, 0x56}, {0x12, 0x34, 0x56, 0x78}},
      {6, {1, 2, 3, 4}, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) EXPECT_EQ(ToStd(c.src, c.format), c.expected) << "format " << c.format;
}

TEST(SampleFormats, FromStandardFormat) {
  // Left 1000 (03 E8), right -1001 (FC 17): mono m = (1000 - 1001) / 2 = 0
  // (truncated toward zero). 8-bit: (1000 + 32768) / 257 = 131,
  // (-1001 + 32768) / 257 = 123, (0 + 32768) / 257 = 127.
  const std::vector<uint8_t> frame = {0x03, 0xE8, 0xFC, 0x17};
  EXPECT_EQ(FromStd(frame, 1), (std::vector<uint8_t>{127}));
  EXPECT_EQ(FromStd(frame, 2), (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(FromStd(frame, 3), (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(FromStd(frame, 4), (std::vector<uint8_t>{131, 123}));
  EXPECT_EQ(FromStd(frame, 5), (std::vector<uint8_t>{0xE8, 0x03, 0x17, 0xFC}));
  EXPECT_EQ(FromStd(frame, 6), frame);
  // Mono of -3 and 0 is -1 (toward zero, not -2): FF FF.
  EXPECT_EQ(FromStd({0xFF, 0xFD, 0, 0}, 2), (std::vector<uint8_t>{0xFF, 0xFF}));
}

TEST(SampleFormats, EightBitRoundTrip) {
  EXPECT_EQ(FromStd(ToStd({0, 128, 255}, 1), 1), (std::vector<uint8_t>{0, 128, 255}));
}

TEST(SampleFormats, BetweenTwoOtherFormatsGoesThroughStandard) {
  // Stereo 8-bit (255, 0) -> (32767, -32768) -> mono 16 LE (32767 - 32768) / 2 = 0.
  const uint8_t src[2] = {255, 0};
  uint8_t dst[2] = {9, 9};
  ConvertSamples(src, 4, dst, 2, 1);
  EXPECT_EQ(dst[0], 0);
  EXPECT_EQ(dst[1], 0);
}

TEST(SampleFormats, UnknownFormatIsAnError) {
  uint8_t buf[8] = {};
  for (int format : {0, 7, -1}) {
    try {
      ConvertSamplesToStdFormat(buf, buf + 4, format, 1);
      FAIL() << format;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Text(), "Unimplemented sample format conversion");
    }
    EXPECT_THROW(ConvertSamplesFromStdFormat(buf, buf + 4, format, 1), RuntimeError);
  }
}

TEST(AudioSample, CreateCopyConvert) {
  Ref<TAudioSample> s = CreateAudioSample(2, 22050, 5);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->capacity, 8);
  const uint8_t frames[8] = {0x34, 0x12, 0x78, 0x56, 0xFF, 0x7F, 0x00, 0x80};
  std::memcpy(s->samples, frames, 8);

  Ref<TAudioSample> copy = s->Copy();
  EXPECT_NE(copy->samples, s->samples);
  EXPECT_EQ(std::memcmp(copy->samples, frames, 8), 0);
  EXPECT_EQ(copy->hertz, 22050);

  Ref<TAudioSample> big = s->Convert(6);
  EXPECT_EQ(big->format, 6);
  EXPECT_EQ(big->length, 2);
  const uint8_t expected[8] = {0x12, 0x34, 0x56, 0x78, 0x7F, 0xFF, 0x80, 0x00};
  EXPECT_EQ(std::memcmp(big->samples, expected, 8), 0);
  EXPECT_EQ(std::memcmp(s->samples, frames, 8), 0);  // source unchanged
  EXPECT_THROW(s->Convert(9), RuntimeError);
}

TEST(AudioSample, StaticSampleDoesNotOwnItsMemory) {
  uint8_t frames[4] = {1, 2, 3, 4};
  {
    Ref<TAudioSample> s = CreateStaticAudioSample(frames, 2, 8000, 2);
    EXPECT_EQ(s->capacity, -1);
    EXPECT_EQ(s->samples, frames);
  }
  EXPECT_EQ(frames[0], 1);  // still ours (ASan would flag a free of the stack)
}

TEST(AudioSample, RejectsImpossibleSamples) {
  EXPECT_FALSE(CreateAudioSample(-1, 44100, 5));
  EXPECT_FALSE(CreateAudioSample(10, 44100, 0));
  EXPECT_FALSE(CreateAudioSample(1 << 30, 44100, 5));  // 4 GB
}

}  // namespace
