#include "media/pixmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "media/pixmap_ops.h"

namespace {

// Fills an RGBA pixmap from a list of 0xAARRGGBB values, row by row.
Ref<TPixmap> Rgba(int w, int h, std::initializer_list<uint32_t> argb) {
  Ref<TPixmap> p = CreatePixmap(w, h, PF_RGBA8888);
  auto it = argb.begin();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p->WritePixel(x, y, int(*it++));
  return p;
}

uint32_t At(const TPixmap* p, int x, int y) { return uint32_t(p->ReadPixel(x, y)); }

TEST(Pixmap, RowsAreAlignedToFourBytes) {
  Ref<TPixmap> p = CreatePixmap(3, 2, 4, 4);
  EXPECT_EQ(p->pitch, 12);
  EXPECT_EQ(p->capacity, 24);
  EXPECT_EQ(CreatePixmap(3, 2, 1, 4)->pitch, 4);
  EXPECT_EQ(CreatePixmap(3, 2, 1, 1)->pitch, 3);
  EXPECT_EQ(CreatePixmap(5, 1, 6, 16)->pitch, 32);
  EXPECT_EQ(PixmapPixelPtr(p, 2, 1), p->pixels + 12 + 6);
  EXPECT_EQ(PixmapWidth(p), 3);
  EXPECT_EQ(PixmapHeight(p), 2);
  EXPECT_EQ(PixmapPitch(p), 12);
  EXPECT_EQ(PixmapFormat(p), 4);
}

TEST(Pixmap, ImpossibleSizesGiveNull) {
  EXPECT_FALSE(CreatePixmap(-1, 2, 6));
  EXPECT_FALSE(CreatePixmap(2, -1, 6));
  EXPECT_FALSE(CreatePixmap(2, 2, 0));
  EXPECT_FALSE(CreatePixmap(2, 2, 13));
  EXPECT_FALSE(CreatePixmap(100000, 100000, 6));  // 40 GB does not fit the int capacity
  EXPECT_FALSE(CreatePixmap(0x7FFFFFFF, 1, 4));
  Ref<TPixmap> empty = CreatePixmap(0, 0, 6);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->capacity, 0);
}

TEST(Pixmap, PackedColoursOfTheFirstSixFormats) {
  struct Case {
    int format;
    uint32_t written;
    std::vector<unsigned char> bytes;
    uint32_t read;
  };
  const Case cases[] = {
      {1, 0x800A141F, {20}, 0xFF141414},  // (10 + 20 + 31) / 3 = 20
      {2, 0x800A141F, {128}, 0x80FFFFFF},
      {3, 0x800A141F, {31, 20, 10}, 0xFF0A141F},
      {4, 0x80010203, {1, 2, 3}, 0xFF010203},
      {5, 0x800A141F, {31, 20, 10, 128}, 0x800A141F},
      {6, 0x800A141F, {10, 20, 31, 128}, 0x800A141F},
  };
  for (const Case& c : cases) {
    Ref<TPixmap> p = CreatePixmap(2, 2, c.format);
    std::memset(p->pixels, 0, size_t(p->capacity));
    WritePixel(p, 1, 1, int(c.written));
    EXPECT_EQ(0, std::memcmp(p->PixelPtr(1, 1), c.bytes.data(), c.bytes.size())) << c.format;
    EXPECT_EQ(uint32_t(ReadPixel(p, 1, 1)), c.read) << c.format;
    EXPECT_EQ(p->pixels[0], 0) << "other pixels untouched";
  }
  Ref<TPixmap> red = CreatePixmap(1, 1, 7);
  red->pixels[0] = 5;
  red->WritePixel(0, 0, -1);
  EXPECT_EQ(red->pixels[0], 5);
  EXPECT_EQ(red->ReadPixel(0, 0), 0);
}

TEST(Pixmap, ClearPixels) {
  Ref<TPixmap> p = CreatePixmap(3, 2, 4);  // pitch 12: rows not packed
  std::memset(p->pixels, 0xAB, 24);
  ClearPixels(p, int(0xFF102030));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(p, x, y), 0xFF102030u);
  EXPECT_EQ(p->pixels[9], 0xAB);  // padding untouched
  ClearPixels(p, 0);
  EXPECT_EQ(At(p, 2, 1), 0xFF000000u);
  Ref<TPixmap> packed = CreatePixmap(4, 2, 6);
  std::memset(packed->pixels, 0xAB, 32);
  packed->ClearPixels(0);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(packed->pixels[i], 0);
  Ref<TPixmap> blue = CreatePixmap(2, 1, 9);
  blue->pixels[0] = 3;
  blue->ClearPixels(5);
  EXPECT_EQ(blue->pixels[0], 3);
  blue->ClearPixels(0);
  EXPECT_EQ(blue->pixels[0], 0);
}

TEST(Pixmap, WindowsShareMemoryAndKeepTheirSourceAlive) {
  Ref<TPixmap> base = CreatePixmap(4, 4, 6);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) base->WritePixel(x, y, int(0xFF000000u | uint32_t(y * 16 + x)));
  Ref<TPixmap> window = PixmapWindow(base, 1, 1, 3, 3);
  EXPECT_EQ(window->capacity, -1);
  EXPECT_EQ(window->pitch, base->pitch);
  Ref<TPixmap> inner = window->Window(1, 1, 2, 2);
  EXPECT_EQ(At(inner, 0, 0), 0xFF000022u);
  base = nullptr;  // the windows keep it alive
  inner->WritePixel(1, 1, int(0xFFABCDEF));
  EXPECT_EQ(At(window, 2, 2), 0xFFABCDEFu);
  EXPECT_EQ(At(window, 0, 0), 0xFF000011u);
}

TEST(Pixmap, CopyConvertAndPaste) {
  Ref<TPixmap> src = Rgba(3, 1, {0xFF0A141F, 0x80010203, 0x00FFFFFF});
  Ref<TPixmap> copy = CopyPixmap(src);
  EXPECT_NE(copy->pixels, src->pixels);
  EXPECT_EQ(At(copy, 1, 0), 0x80010203u);
  Ref<TPixmap> bgr = ConvertPixmap(src, 3);
  EXPECT_EQ(bgr->format, 3);
  EXPECT_EQ(bgr->pitch, 12);
  EXPECT_EQ(bgr->pixels[0], 31);
  EXPECT_EQ(At(bgr, 1, 0), 0xFF010203u);

  Ref<TPixmap> dst = CreatePixmap(4, 3, 1);
  dst->ClearPixels(0);
  Ref<TPixmap> two = Rgba(2, 2, {0xFF1E1E1E, 0xFF030303, 0xFF0A141F, 0xFF000000});
  dst->Paste(two, 1, 1);
  EXPECT_EQ(*dst->PixelPtr(0, 1), 0);
  EXPECT_EQ(*dst->PixelPtr(1, 1), 30);
  EXPECT_EQ(*dst->PixelPtr(2, 1), 3);
  EXPECT_EQ(*dst->PixelPtr(1, 2), 20);
  EXPECT_EQ(*dst->PixelPtr(3, 2), 0);
}

TEST(Pixmap, Flips) {
  Ref<TPixmap> p = CreatePixmap(3, 2, 4);  // 3-byte pixels in padded rows
  const uint32_t c[6] = {0xFF010101, 0xFF020202, 0xFF030303, 0xFF040404, 0xFF050505, 0xFF060606};
  for (int i = 0; i < 6; ++i) p->WritePixel(i % 3, i / 3, int(c[i]));
  Ref<TPixmap> x = XFlipPixmap(p);
  Ref<TPixmap> y = YFlipPixmap(p);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(At(x, 2 - i % 3, i / 3), c[i]);
    EXPECT_EQ(At(y, i % 3, 1 - i / 3), c[i]);
  }
  EXPECT_EQ(At(p, 0, 0), c[0]);  // the argument is unchanged
}

TEST(Pixmap, ResizeSamplesAtCentresWithClampedEdges) {
  // Sample positions -0.25, 0.25, 0.75, 1.25: 0, 0.25 * 255, 0.75 * 255, 255
  // truncated.
  Ref<TPixmap> bw = Rgba(2, 1, {0xFF000000, 0xFFFFFFFF});
  Ref<TPixmap> wide = ResizePixmap(bw, 4, 1);
  const uint32_t expected[4] = {0xFF000000, 0xFF3F3F3F, 0xFFBFBFBF, 0xFFFFFFFF};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(At(wide, x, 0), expected[x]) << x;
  // The same down a column.
  Ref<TPixmap> tall = ResizePixmap(Rgba(1, 2, {0xFF000000, 0xFFFFFFFF}), 1, 4);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(At(tall, 0, y), expected[y]) << y;
  // Shrinking 0, 100, 200, 255 to two: positions 0.5 and 2.5 give 50 and
  // 200 + 55 / 2 = 227.
  Ref<TPixmap> grey = CreatePixmap(4, 1, 1);
  const unsigned char g[4] = {0, 100, 200, 255};
  std::memcpy(grey->pixels, g, 4);
  Ref<TPixmap> half = ResizePixmap(grey, 2, 1);
  EXPECT_EQ(half->format, 1);  // the result keeps the argument's format
  EXPECT_EQ(half->pixels[0], 50);
  EXPECT_EQ(half->pixels[1], 227);
}

TEST(Pixmap, ResizeOfOnePixelIsUniformAndBadSizesGiveNull) {
  Ref<TPixmap> one = Rgba(1, 1, {0x7F102030});
  Ref<TPixmap> big = ResizePixmap(one, 5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(At(big, x, y), 0x7F102030u);
  EXPECT_FALSE(ResizePixmap(one, 0, 3));
  EXPECT_FALSE(ResizePixmap(CreatePixmap(0, 0, 6), 2, 2));
}

TEST(Pixmap, MaskMakesTheMaskColourTransparent) {
  // All mask: every pixel (0, 0, 0, 0).
  Ref<TPixmap> all = MaskPixmap(Rgba(2, 2, {0xFFFF00FF, 0xFFFF00FF, 0xFFFF00FF, 0xFFFF00FF}), 255, 0, 255);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(all, i % 2, i / 2), 0u);
  // One non-mask pixel with translucent alpha next to a mask pixel: it turns
  // opaque; the mask pixel takes its colour with alpha 0.
  Ref<TPixmap> two = MaskPixmap(Rgba(2, 1, {0x40123456, 0xFFFF00FF}), 255, 0, 255);
  EXPECT_EQ(At(two, 0, 0), 0xFF123456u);
  EXPECT_EQ(At(two, 1, 0), 0x00123456u);
  // A mask pixel in the middle of a 3 x 3 block averages its 8 neighbours
  // (integer division): reds 0..7 at the eight places sum to 28, 28 / 8 = 3.
  Ref<TPixmap> block = Rgba(3, 3,
                            {0xFF000000, 0xFF010000, 0xFF020000, 0xFF030000, 0xFFFF00FF, 0xFF040000,
                             0xFF050000, 0xFF060000, 0xFF070000});
  Ref<TPixmap> masked = MaskPixmap(block, 255, 0, 255);
  EXPECT_EQ(masked->format, 6);
  EXPECT_EQ(At(masked, 1, 1), 0x00030000u);
  // Other formats are converted first.
  Ref<TPixmap> rgb = CreatePixmap(1, 1, 4);
  rgb->WritePixel(0, 0, int(0xFF010203));
  EXPECT_EQ(At(MaskPixmap(rgb, 1, 2, 3), 0, 0), 0u);
}

}  // namespace

namespace {

TEST(Pixmap, AFreedLargeBlockServesTheNextPictureOfItsSize) {
  Ref<TPixmap> first = CreatePixmap(800, 600, PF_RGBA8888);
  unsigned char* pixels = first->pixels;
  first = nullptr;
  Ref<TPixmap> second = CreatePixmap(800, 600, PF_BGRA8888);
  EXPECT_EQ(second->pixels, pixels);  // no fresh pages for the same size
  second->ClearPixels(-1);
  Ref<TPixmap> small = CreatePixmap(4, 4, PF_RGBA8888);  // small ones never take it
  second = nullptr;
  Ref<TPixmap> tiny = CreatePixmap(300, 300, PF_RGBA8888);  // 360000 bytes: less than half, so not reused
  EXPECT_NE(tiny->pixels, pixels);
}

}  // namespace
