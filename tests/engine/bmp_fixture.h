// Small BMP files built in memory for texture tests: 24-bit (no alpha) or
// 32-bit (with alpha), pixels given top row first as 0xAARRGGBB.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bmp_fixture {

inline void Put32(std::vector<unsigned char>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

inline void Put16(std::vector<unsigned char>& out, uint16_t v) {
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

// pixel(x, y) gives 0xAARRGGBB for column x of row y (row 0 on top).
inline std::vector<unsigned char> MakeBmp(int width, int height, int bits,
                                          const std::function<uint32_t(int, int)>& pixel) {
  const int bytes = bits / 8;
  const int row = (width * bytes + 3) / 4 * 4;
  std::vector<unsigned char> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, uint32_t(54 + row * height));
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));
  Put16(out, 1);
  Put16(out, uint16_t(bits));
  Put32(out, 0);
  Put32(out, uint32_t(row * height));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {  // bottom row first
    int written = 0;
    for (int x = 0; x < width; ++x) {
      const uint32_t c = pixel(x, y);
      out.push_back(static_cast<unsigned char>(c));        // B
      out.push_back(static_cast<unsigned char>(c >> 8));   // G
      out.push_back(static_cast<unsigned char>(c >> 16));  // R
      if (bytes == 4) out.push_back(static_cast<unsigned char>(c >> 24));
      written += bytes;
    }
    for (; written < row; ++written) out.push_back(0);
  }
  return out;
}

}  // namespace bmp_fixture
