// The built-in 8x16 font for character codes 32-127.
#pragma once

#include <array>
#include <cstdint>

// 1536 bytes, 16 rows of 96 bytes: byte r * 96 + n is pixel row r (0 = top) of
// the glyph for code 32 + n, and bit b of it is the pixel in column b (bit 0 =
// leftmost column).
constexpr int kFontGlyphs = 96;
constexpr int kFontRows = 16;
std::array<uint8_t, kFontGlyphs * kFontRows> PackFont();
