// Builds WAV files byte by byte for the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wav {

inline std::string Le16(int v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }
inline std::string Le32(uint32_t v) { return Le16(int(v & 0xFFFF)) + Le16(int(v >> 16)); }

// A chunk with its 8-byte header; an odd body gets the RIFF pad byte unless
// pad is false.
inline std::string Chunk(const std::string& id, const std::string& body, bool pad = true) {
  std::string c = id + Le32(uint32_t(body.size())) + body;
  if (pad && body.size() % 2) c += '\0';
  return c;
}

// A format chunk; extra bytes after the 16 standard ones make it longer.
inline std::string Fmt(int channels, int hertz, int bits, int tag = 1, const std::string& extra = "") {
  const int block = channels * bits / 8;
  return Chunk("fmt ", Le16(tag) + Le16(channels) + Le32(uint32_t(hertz)) +
                           Le32(uint32_t(hertz) * uint32_t(block)) + Le16(block) + Le16(bits) + extra);
}

inline std::string Riff(const std::string& chunks) {
  return "RIFF" + Le32(uint32_t(4 + chunks.size())) + "WAVE" + chunks;
}

inline std::string Samples16(const std::vector<int16_t>& values) {
  std::string s;
  for (int16_t v : values) s += Le16(v);
  return s;
}

}  // namespace wav
