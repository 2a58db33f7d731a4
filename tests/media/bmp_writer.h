// Builds BMP files in memory for the reader tests: the 54-byte header, a
// colour table and the rows exactly as given (the caller pads them).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BmpSpec {
  int32_t width = 1;
  int32_t height = 1;  // negative: rows stored top first
  int bits = 24;
  int32_t colours_used = 0;
  std::vector<uint32_t> palette;           // 0x00RRGGBB (or with a fourth byte), written B, G, R, x
  std::vector<std::vector<uint8_t>> rows;  // in file order, padding included
};

inline void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

inline std::vector<uint8_t> MakeBmp(const BmpSpec& b) {
  std::vector<uint8_t> out = {'B', 'M'};
  size_t data = 0;
  for (const auto& r : b.rows) data += r.size();
  const uint32_t offset = uint32_t(54 + 4 * b.palette.size());
  PutLe(out, uint32_t(offset + data), 4);  // file size
  PutLe(out, 0, 4);                        // reserved
  PutLe(out, offset, 4);
  PutLe(out, 40, 4);
  PutLe(out, uint32_t(b.width), 4);
  PutLe(out, uint32_t(b.height), 4);
  PutLe(out, 1, 2);
  PutLe(out, uint32_t(b.bits), 2);
  PutLe(out, 0, 4);  // compression
  PutLe(out, uint32_t(data), 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, uint32_t(b.colours_used), 4);
  PutLe(out, 0, 4);
  for (uint32_t c : b.palette) PutLe(out, c, 4);
  for (const auto& r : b.rows) out.insert(out.end(), r.begin(), r.end());
  return out;
}
