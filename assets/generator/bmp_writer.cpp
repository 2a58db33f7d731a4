#include "assets/generator/bmp_writer.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

bool WriteBmp32(const std::string& path, const RgbaPicture& picture) {
  constexpr uint32_t kHeaderSize = 54;
  const uint32_t image_size = static_cast<uint32_t>(picture.width) * picture.height * 4;
  std::vector<uint8_t> out;
  out.reserve(kHeaderSize + image_size);
  out.push_back('B');
  out.push_back('M');
  Put32(out, kHeaderSize + image_size);
  Put32(out, 0);
  Put32(out, kHeaderSize);
  Put32(out, 40);
  Put32(out, picture.width);
  Put32(out, picture.height);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);  // no compression
  Put32(out, image_size);
  Put32(out, 2835);  // 72 dots per inch, in dots per metre
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* p = picture.At(x, y);
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file.flush());
}
