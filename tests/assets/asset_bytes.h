// Access to the embedded asset files for the tests, and little-endian field
// reads that do not trust the data's length.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

#include "assets/korvane_assets.h"

inline std::span<const unsigned char> GameFile(const std::string& name) {
  for (const EmbeddedFile& f : KorvaneGameFiles()) {
    if (name == f.name) return {f.data, f.size};
  }
  ADD_FAILURE() << "no embedded file " << name;
  return {};
}

inline uint32_t Le16(std::span<const unsigned char> b, size_t at) {
  if (at + 2 > b.size()) return 0;
  return b[at] | b[at + 1] << 8;
}

inline uint32_t Le32(std::span<const unsigned char> b, size_t at) {
  if (at + 4 > b.size()) return 0;
  return Le16(b, at) | Le16(b, at + 2) << 16;
}

inline std::string Tag(std::span<const unsigned char> b, size_t at) {
  if (at + 4 > b.size()) return "";
  return std::string(reinterpret_cast<const char*>(b.data()) + at, 4);
}
