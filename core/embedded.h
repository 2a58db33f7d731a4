// Access to bytes put into the executable by the build's ostrel_embed().
//
//   OSTREL_EMBEDDED(korvane_wall_bmp);
//   ... EmbeddedBytes(korvane_wall_bmp_start, korvane_wall_bmp_end) ...
#pragma once

#include <cstddef>
#include <span>

#define OSTREL_EMBEDDED(symbol)                    \
  extern "C" const unsigned char symbol##_start[]; \
  extern "C" const unsigned char symbol##_end[]

inline std::span<const unsigned char> EmbeddedBytes(const unsigned char* start, const unsigned char* end) {
  return {start, static_cast<size_t>(end - start)};
}

// A named file carried inside the executable.
struct EmbeddedFile {
  const char* name;
  const unsigned char* data;
  size_t size;
};
