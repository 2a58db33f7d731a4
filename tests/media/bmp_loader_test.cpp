#include "media/bmp_loader.h"

#include <gtest/gtest.h>

#include "media/ram_stream.h"
#include "media/stream_exception.h"
#include "tests/media/bmp_writer.h"

namespace {

class BmpLoader : public testing::Test {
 protected:
  void SetUp() override { InitBMPLoader(); }

  // Through the whole chain, from memory.
  Ref<TPixmap> Load(const std::vector<uint8_t>& file) {
    return LoadPixmap(Ref<TStream>(CreateRamStream(file.data(), int(file.size()))));
  }
  // The reader alone, so that its own exceptions are visible.
  Ref<TPixmap> Read(const std::vector<uint8_t>& file) {
    Ref<TStream> s = CreateRamStream(file.data(), int(file.size()));
    return reader.LoadPixmap(s);
  }
  TPixmapLoaderBMP reader;
};

uint32_t At(const TPixmap* p, int x, int y) { return uint32_t(p->ReadPixel(x, y)); }

TEST_F(BmpLoader, ThirtyTwoBitsKeepTheFourthByteAsAlpha) {
  BmpSpec b;
  b.width = 2;
  b.height = 2;
  b.bits = 32;
  b.rows = {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08},   // bottom row
            {0x11, 0x12, 0x13, 0x14, 0x21, 0x22, 0x23, 0x24}};  // top row
  Ref<TPixmap> p = Load(MakeBmp(b));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->format, 5);
  EXPECT_EQ(p->width, 2);
  EXPECT_EQ(p->height, 2);
  EXPECT_EQ(At(p, 0, 0), 0x14131211u);  // B, G, R, A = 11, 12, 13, 14
  EXPECT_EQ(At(p, 1, 0), 0x24232221u);
  EXPECT_EQ(At(p, 0, 1), 0x04030201u);
  EXPECT_EQ(At(p, 1, 1), 0x08070605u);
}

TEST_F(BmpLoader, TwentyFourBitRowsSkipTheirPadding) {
  BmpSpec b;
  b.width = 3;
  b.height = 2;
  b.bits = 24;
  // 9 bytes of pixels and 3 of padding per row.
  b.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE},
            {10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE, 0xEE, 0xEE}};
  Ref<TPixmap> p = Load(MakeBmp(b));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->format, 3);
  EXPECT_EQ(At(p, 0, 0), 0xFF0C0B0Au);  // R = 12, G = 11, B = 10
  EXPECT_EQ(At(p, 2, 0), 0xFF121110u);
  EXPECT_EQ(At(p, 0, 1), 0xFF030201u);
  EXPECT_EQ(At(p, 2, 1), 0xFF090807u);
}

TEST_F(BmpLoader, EightBitIndexesTheColourTable) {
  BmpSpec b;
  b.width = 3;
  b.height = 1;
  b.bits = 8;
  b.colours_used = 3;
  b.palette = {0xAA102030, 0xBB405060, 0xCC708090};  // the fourth byte is dropped
  b.rows = {{2, 0, 1, 0xEE}};
  Ref<TPixmap> p = Load(MakeBmp(b));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->format, 3);
  EXPECT_EQ(At(p, 0, 0), 0xFF708090u);
  EXPECT_EQ(At(p, 1, 0), 0xFF102030u);
  EXPECT_EQ(At(p, 2, 0), 0xFF405060u);
}

TEST_F(BmpLoader, FourBitOddWidthTakesTheHighNibbleOfTheLastByte) {
  BmpSpec b;
  b.width = 3;
  b.height = 1;
  b.bits = 4;
  b.colours_used = 0;  // 0 means 16
  for (uint32_t i = 0; i < 16; ++i) b.palette.push_back(i * 0x010101);
  b.rows = {{0x5A, 0x3F, 0, 0}};  // pixels 5, 10, 3 (the F is not a pixel)
  Ref<TPixmap> p = Load(MakeBmp(b));
  ASSERT_TRUE(p);
  EXPECT_EQ(At(p, 0, 0), 0xFF050505u);
  EXPECT_EQ(At(p, 1, 0), 0xFF0A0A0Au);
  EXPECT_EQ(At(p, 2, 0), 0xFF030303u);
}

TEST_F(BmpLoader, OneBitMostSignificantBitFirst) {
  BmpSpec b;
  b.width = 10;
  b.height = 2;
  b.bits = 1;
  b.colours_used = 7;  // ignored: a 1-bit table has two entries
  b.palette = {0x00112233, 0x00AABBCC};
  // Rows of 4 bytes (10 bits rounded up to 2 bytes, then to 4).
  b.rows = {{0x80, 0x40, 0, 0}, {0x01, 0xC0, 0, 0}};
  Ref<TPixmap> p = Load(MakeBmp(b));
  ASSERT_TRUE(p);
  // Top row (second in the file): bits 7 of byte 0, 8 and 9.
  for (int x = 0; x < 10; ++x) {
    const bool set = x == 7 || x == 8 || x == 9;
    EXPECT_EQ(At(p, x, 0), set ? 0xFFAABBCCu : 0xFF112233u) << x;
  }
  EXPECT_EQ(At(p, 0, 1), 0xFFAABBCCu);
  EXPECT_EQ(At(p, 9, 1), 0xFFAABBCCu);
  EXPECT_EQ(At(p, 1, 1), 0xFF112233u);
}

TEST_F(BmpLoader, TopDownFilesKeepTheirRowOrder) {
  BmpSpec b;
  b.width = 1;
  b.height = -2;
  b.bits = 32;
  b.rows = {{1, 1, 1, 255}, {2, 2, 2, 255}};
  Ref<TPixmap> p = Load(MakeBmp(b));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->height, 2);
  EXPECT_EQ(At(p, 0, 0), 0xFF010101u);
  EXPECT_EQ(At(p, 0, 1), 0xFF020202u);
}

TEST_F(BmpLoader, OversizedTablesAreCutAndShortTablesGiveBlack) {
  BmpSpec b;
  b.width = 2;
  b.height = 1;
  b.bits = 8;
  b.colours_used = 300;  // 256 entries kept, 44 skipped: the rows still follow
  for (uint32_t i = 0; i < 300; ++i) b.palette.push_back(i < 256 ? i : 0xFFFFFF);
  b.rows = {{255, 7, 0, 0}};
  Ref<TPixmap> p = Load(MakeBmp(b));
  ASSERT_TRUE(p);
  EXPECT_EQ(At(p, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(At(p, 1, 0), 0xFF000007u);

  BmpSpec s;
  s.width = 2;
  s.height = 1;
  s.bits = 8;
  s.colours_used = 1;
  s.palette = {0x00FFFFFF};
  s.rows = {{0, 200, 0, 0}};
  Ref<TPixmap> q = Load(MakeBmp(s));
  ASSERT_TRUE(q);
  EXPECT_EQ(At(q, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(At(q, 1, 0), 0xFF000000u);
}

TEST_F(BmpLoader, RowsWiderThanSixtyFourKilobytesLoad) {
  BmpSpec b;
  b.width = 22000;  // 66000 bytes per row
  b.height = 1;
  b.bits = 24;
  std::vector<uint8_t> row(66000, 0);
  row[3 * 21999] = 7;  // blue of the last pixel
  b.rows = {row};
  Ref<TPixmap> p = Load(MakeBmp(b));
  ASSERT_TRUE(p);
  EXPECT_EQ(At(p, 21999, 0), 0xFF000007u);
}

TEST_F(BmpLoader, DeclinesOtherDataAndOtherDepths) {
  const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
  EXPECT_FALSE(Read(png));
  BmpSpec b;
  b.bits = 16;
  b.rows = {{0, 0, 0, 0}};
  EXPECT_FALSE(Read(MakeBmp(b)));
}

TEST_F(BmpLoader, ImpossibleHeadersGiveNull) {
  struct Case {
    const char* what;
    int32_t width, height;
    int bits;
    int32_t colours;
  };
  const Case cases[] = {
      {"zero width", 0, 1, 24, 0},
      {"negative width", -4, 1, 24, 0},
      {"zero height", 1, 0, 24, 0},
      {"most negative height", 1, INT32_MIN, 24, 0},
      {"negative colour count", 1, 1, 8, -5},
      {"colour table past the end", 1, 1, 8, 0x40000000},
      {"huge picture, few bytes", 20000, 20000, 24, 0},
      {"more than an int of pixels", 0x7FFFFFFF, 0x7FFFFFFF, 32, 0},
      {"huge one-bit picture", 0x7FFFFFFF, 1000, 1, 0},
  };
  for (const Case& c : cases) {
    BmpSpec b;
    b.width = c.width;
    b.height = c.height;
    b.bits = c.bits;
    b.colours_used = c.colours;
    b.palette = {0, 0};
    b.rows = {{1, 2, 3, 4}};
    EXPECT_FALSE(Load(MakeBmp(b))) << c.what;
  }
}

TEST_F(BmpLoader, EveryTruncationGivesNull) {
  BmpSpec b;
  b.width = 3;
  b.height = 2;
  b.bits = 8;
  b.colours_used = 2;
  b.palette = {0x000000FF, 0x0000FF00};
  b.rows = {{0, 1, 0, 0}, {1, 1, 1, 0}};
  const std::vector<uint8_t> whole = MakeBmp(b);
  ASSERT_TRUE(Load(whole));
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    const std::vector<uint8_t> part(whole.begin(), whole.begin() + long(cut));
    EXPECT_FALSE(Load(part)) << "cut at " << cut;
  }
  // The reader alone lets the stream error out at a header boundary.
  EXPECT_THROW(Read(std::vector<uint8_t>(whole.begin(), whole.begin() + 20)), TStreamReadException);
}

}  // namespace
