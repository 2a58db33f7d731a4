#include "media/pixel_format.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Rgba = std::array<int, 4>;
using Bytes = std::vector<unsigned char>;

// Worked out by hand from the format table. `sample` is one pixel in the
// format; `to_rgba` is what it becomes in format 6; `from` is what the RGBA
// pixel (10, 20, 31, 128) becomes in the format.
struct Format {
  int number;
  int bytes;
  int alpha_bits;
  Bytes sample;
  Rgba to_rgba;
  Bytes from;
};
const Format kFormats[] = {
    {1, 1, 0, {90}, {90, 90, 90, 255}, {20}},  // (10 + 20 + 31) / 3 = 20
    {2, 1, 8, {90}, {255, 255, 255, 90}, {128}},
    {3, 3, 0, {1, 2, 3}, {3, 2, 1, 255}, {31, 20, 10}},
    {4, 3, 0, {1, 2, 3}, {1, 2, 3, 255}, {10, 20, 31}},
    {5, 4, 8, {1, 2, 3, 4}, {3, 2, 1, 4}, {31, 20, 10, 128}},
    {6, 4, 8, {1, 2, 3, 4}, {1, 2, 3, 4}, {10, 20, 31, 128}},
    {7, 1, 0, {90}, {90, 0, 0, 255}, {10}},
    {8, 1, 0, {90}, {0, 90, 0, 255}, {20}},
    {9, 1, 0, {90}, {0, 0, 90, 255}, {31}},
    {10, 1, 8, {90}, {0, 0, 0, 90}, {128}},
    {11, 1, 0, {90}, {90, 90, 90, 90}, {47}},  // (10 + 20 + 31 + 128) / 4 = 47
    {12, 1, 0, {90}, {90, 90, 90, 255}, {20}},
};

// The from-RGBA rule of a format, applied to any RGBA pixel (hand-written from
// the table, independent of the converters).
Bytes FromRgba(int format, Rgba p) {
  const auto [r, g, b, a] = p;
  switch (format) {
    case 1:
    case 12:
      return {uint8_t((r + g + b) / 3)};
    case 2:
    case 10:
      return {uint8_t(a)};
    case 3:
      return {uint8_t(b), uint8_t(g), uint8_t(r)};
    case 4:
      return {uint8_t(r), uint8_t(g), uint8_t(b)};
    case 5:
      return {uint8_t(b), uint8_t(g), uint8_t(r), uint8_t(a)};
    case 6:
      return {uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(a)};
    case 7:
      return {uint8_t(r)};
    case 8:
      return {uint8_t(g)};
    case 9:
      return {uint8_t(b)};
    case 11:
      return {uint8_t((r + g + b + a) / 4)};
  }
  return {};
}

// `count` copies of one pixel.
Bytes Repeat(const Bytes& pixel, int count) {
  Bytes out;
  for (int i = 0; i < count; ++i) out.insert(out.end(), pixel.begin(), pixel.end());
  return out;
}

TEST(PixelFormat, TablesGiveBytesAndAlphaBits) {
  EXPECT_EQ(BytesPerPixel[0], 0);
  EXPECT_EQ(AlphaBitsPerPixel[0], 0);
  for (const Format& f : kFormats) {
    EXPECT_EQ(BytesPerPixel[f.number], f.bytes) << f.number;
    EXPECT_EQ(AlphaBitsPerPixel[f.number], f.alpha_bits) << f.number;
  }
  EXPECT_EQ(PixelBytes(13), 0);
  EXPECT_EQ(PixelBytes(-1), 0);
}

TEST(PixelFormat, ToAndFromTheStandardFormat) {
  for (const Format& f : kFormats) {
    unsigned char rgba[4];
    ConvertPixelsToStdFormat(f.sample.data(), rgba, f.number, 1);
    EXPECT_EQ((Rgba{rgba[0], rgba[1], rgba[2], rgba[3]}), f.to_rgba) << "format " << f.number;
    const unsigned char src[4] = {10, 20, 31, 128};
    Bytes out(f.bytes);
    ConvertPixelsFromStdFormat(src, out.data(), f.number, 1);
    EXPECT_EQ(out, f.from) << "format " << f.number;
  }
}

TEST(PixelFormat, EveryPairConvertsThroughRgba) {
  // 1500 pixels: more than one piece of the converter's stack buffer.
  const int n = 1500;
  for (const Format& src : kFormats) {
    const Bytes input = Repeat(src.sample, n);
    for (const Format& dst : kFormats) {
      const Bytes expected = src.number == dst.number ? input : Repeat(FromRgba(dst.number, src.to_rgba), n);
      Bytes out(size_t(n) * dst.bytes + 1, 0xEE);
      ConvertPixels(input.data(), src.number, out.data(), dst.number, n);
      EXPECT_EQ(out.back(), 0xEE) << src.number << " -> " << dst.number << " wrote past the end";
      out.pop_back();
      EXPECT_EQ(out, expected) << src.number << " -> " << dst.number;
    }
  }
}

TEST(PixelFormat, NamedExamples) {
  const unsigned char rgb[3] = {10, 20, 31};
  unsigned char out[3];
  ConvertPixels(rgb, 4, out, 3, 1);  // R and B swap
  EXPECT_EQ(out[0], 31);
  EXPECT_EQ(out[2], 10);
  ConvertPixels(rgb, 4, out, 1, 1);
  EXPECT_EQ(out[0], 20);
  const unsigned char grey = 77;
  ConvertPixels(&grey, 1, out, 4, 1);
  EXPECT_EQ(out[0], 77);
  EXPECT_EQ(out[1], 77);
  EXPECT_EQ(out[2], 77);
}

TEST(PixelFormat, UnknownFormatsConvertAsNothing) {
  unsigned char src[4] = {1, 2, 3, 4}, dst[4] = {9, 9, 9, 9};
  ConvertPixels(src, 13, dst, 6, 1);
  ConvertPixels(src, 6, dst, 0, 1);
  ConvertPixelsToStdFormat(src, dst, 13, 1);
  ConvertPixelsFromStdFormat(src, dst, 0, 1);
  CopyPixels(src, dst, 13, 1);
  EXPECT_EQ(dst[0], 9);
}

}  // namespace
