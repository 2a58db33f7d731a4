#include <gtest/gtest.h>

#include <array>
#include <set>

#include "assets/builtin_fonts.h"
#include "assets/korvane_assets.h"

namespace {

// Rows 0-15 of the glyph for `code` from the 16 x 96 byte layout.
std::array<unsigned char, 16> Glyph(int code) {
  const EmbeddedFile font = GLDrawTextFontFile();
  std::array<unsigned char, 16> rows{};
  if (font.size != 1536) return rows;
  for (int r = 0; r < 16; ++r) rows[r] = font.data[r * 96 + (code - 32)];
  return rows;
}

TEST(Font, CapitalAHasTheDocumentedRows) {
  const std::array<unsigned char, 16> expected = {0x00, 0x00, 0x7C, 0xC6, 0xC6, 0xC6, 0xFE, 0xC6,
                                                  0xC6, 0xC6, 0xC6, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(Glyph('A'), expected);
}

TEST(Font, LeastSignificantBitIsTheLeftmostPixel) {
  // 'A' row 3 is 0xC6: columns 1, 2, 6 and 7 are set, so its legs reach the
  // right-most column 7 (bit 7) and leave column 0 (bit 0) as the gap before
  // the next character. An 'L' stands on its left leg: every row of its stem
  // has the same low bits set as its foot, while its foot alone reaches bit 7.
  const auto l = Glyph('L');
  int foot = -1;
  for (int r = 15; r >= 0 && foot < 0; --r) {
    if (l[r]) foot = r;
  }
  ASSERT_GE(foot, 1);
  const unsigned char stem = l[foot - 1];
  EXPECT_NE(stem, 0);
  EXPECT_EQ(stem & 0x80, 0) << "the stem is on the left, away from bit 7";
  EXPECT_EQ(l[foot] & stem, stem) << "the foot starts under the stem";
  EXPECT_NE(l[foot] & 0x80, 0) << "the foot reaches the right-most column";
}

TEST(Font, EveryPrintableCharacterHasItsOwnGlyphAndSpaceIsBlank) {
  const std::array<unsigned char, 16> blank{};
  EXPECT_EQ(Glyph(' '), blank);
  std::set<std::array<unsigned char, 16>> seen;
  for (int code = 33; code <= 126; ++code) {
    const auto g = Glyph(code);
    EXPECT_NE(g, blank) << "code " << code;
    EXPECT_TRUE(seen.insert(g).second) << "code " << code << " repeats another glyph";
  }
}

TEST(Font, GlyphsKeepColumnZeroFreeAsTheGapBetweenCharacters) {
  for (int code = 32; code <= 127; ++code) {
    const auto g = Glyph(code);
    for (int r = 0; r < 16; ++r) EXPECT_EQ(g[r] & 1, 0) << "code " << code << " row " << r;
  }
}

}  // namespace
