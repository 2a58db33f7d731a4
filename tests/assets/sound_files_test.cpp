#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "tests/assets/asset_bytes.h"

namespace {

struct Wav {
  bool ok = false;
  uint32_t format = 0, channels = 0, rate = 0, byte_rate = 0, block_align = 0, bits = 0;
  size_t data_offset = 0;
  std::vector<int16_t> left, right;
};

// Walks the RIFF chunks as any reader would, rather than assuming offsets.
Wav ParseWav(std::span<const unsigned char> b) {
  Wav w;
  if (Tag(b, 0) != "RIFF" || Tag(b, 8) != "WAVE" || Le32(b, 4) != b.size() - 8) return w;
  bool have_format = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const std::string tag = Tag(b, at);
    const size_t size = Le32(b, at + 4);
    const size_t body = at + 8;
    if (size > b.size() - body) return w;
    if (tag == "fmt " && size >= 16) {
      w.format = Le16(b, body);
      w.channels = Le16(b, body + 2);
      w.rate = Le32(b, body + 4);
      w.byte_rate = Le32(b, body + 8);
      w.block_align = Le16(b, body + 12);
      w.bits = Le16(b, body + 14);
      have_format = true;
    } else if (tag == "data" && have_format && w.channels == 2 && w.bits == 16) {
      w.data_offset = body;
      for (size_t i = body; i + 4 <= body + size; i += 4) {
        w.left.push_back(static_cast<int16_t>(Le16(b, i)));
        w.right.push_back(static_cast<int16_t>(Le16(b, i + 2)));
      }
      w.ok = true;
    }
    at = body + size + (size & 1);
  }
  return w;
}

double Rms(const std::vector<int16_t>& s, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count; ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / count);
}

int Peak(const std::vector<int16_t>& s, size_t from, size_t count) {
  int peak = 0;
  for (size_t i = from; i < from + count; ++i) peak = std::max(peak, std::abs(int(s[i])));
  return peak;
}

TEST(SoundFiles, AreStereo16BitPcmAt44100WithAPlain44ByteHeader) {
  struct Case {
    const char* name;
    size_t frames;
  } cases[] = {{"hungry.wav", 4322304}, {"doing.wav", 38959}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Wav w = ParseWav(GameFile(c.name));
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.format, 1u);
    EXPECT_EQ(w.channels, 2u);
    EXPECT_EQ(w.rate, 44100u);
    EXPECT_EQ(w.byte_rate, 44100u * 4);
    EXPECT_EQ(w.block_align, 4u);
    EXPECT_EQ(w.bits, 16u);
    EXPECT_EQ(w.data_offset, 44u);
    EXPECT_EQ(w.left.size(), c.frames);
  }
}

// The tune is heard for minutes on end: it must be audible all the way
// through, never clip, and use both speakers.
TEST(Tune, PlaysThroughoutWithoutClipping) {
  const Wav w = ParseWav(GameFile("hungry.wav"));
  ASSERT_TRUE(w.ok);
  const size_t n = w.left.size();
  const int peak = std::max(Peak(w.left, 0, n), Peak(w.right, 0, n));
  EXPECT_LT(peak, 32000);
  EXPECT_GT(peak, 32768 / 4);
  const size_t window = 44100 * 2;
  for (size_t at = 0; at + window <= n; at += window) {
    EXPECT_GT(Rms(w.left, at, window), 32768 * 0.02) << "quiet at " << at / 44100 << " s";
    EXPECT_GT(Rms(w.right, at, window), 32768 * 0.02) << "quiet at " << at / 44100 << " s";
  }
  EXPECT_NE(w.left, w.right);
}

double MedianStep(const std::vector<int16_t>& s, size_t from, size_t count) {
  std::vector<int> steps;
  for (size_t i = from; i < from + count; ++i) steps.push_back(std::abs(s[i + 1] - s[i]));
  std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
  return steps[steps.size() / 2];
}

// Played in a loop, the last frame is followed by the first. That step must
// be no larger than a typical step of the music on either side of it: the
// median step of the last 20 ms and of the first 20 ms. A tune whose notes are
// cut off at the end instead of ringing on into the start fails this.
TEST(Tune, LoopsWithoutASeam) {
  const Wav w = ParseWav(GameFile("hungry.wav"));
  ASSERT_TRUE(w.ok);
  const size_t near = 882;
  for (const std::vector<int16_t>* channel : {&w.left, &w.right}) {
    const std::vector<int16_t>& s = *channel;
    const size_t n = s.size();
    const int wrap = std::abs(s[0] - s[n - 1]);
    EXPECT_LE(wrap, MedianStep(s, n - 1 - near, near));
    EXPECT_LE(wrap, MedianStep(s, 0, near));
    // The music does not merely fall silent at the loop point.
    EXPECT_GT(Rms(s, n - near, near), 32768 * 0.005);
    EXPECT_GT(Rms(s, 0, near), 32768 * 0.005);
  }
}

TEST(HitSound, StartsAtOnceAndDiesAway) {
  const Wav w = ParseWav(GameFile("doing.wav"));
  ASSERT_TRUE(w.ok);
  for (const std::vector<int16_t>* channel : {&w.left, &w.right}) {
    const std::vector<int16_t>& s = *channel;
    const size_t n = s.size();
    const int peak = Peak(s, 0, n);
    EXPECT_GT(peak, 32768 / 2);
    EXPECT_LT(peak, 32000);
    // No click from a first sample far from zero, but half the peak within 5 ms.
    EXPECT_LT(std::abs(s[0]), peak / 10);
    EXPECT_GE(Peak(s, 0, 220), peak / 2);
    // Every 100 ms is quieter than the one before, and the last 50 ms are
    // 40 dB below the peak.
    double previous = Rms(s, 0, 4410);
    for (size_t at = 4410; at + 4410 <= n; at += 4410) {
      const double now = Rms(s, at, 4410);
      EXPECT_LT(now, previous) << "at " << at;
      previous = now;
    }
    EXPECT_LT(Peak(s, n - 2205, 2205), peak / 100);
  }
}

}  // namespace
