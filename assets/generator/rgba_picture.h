// An 8-bit RGBA picture, rows top first, as the generator's painters produce it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbaPicture {
  RgbaPicture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4) {}

  uint8_t* At(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
  const uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }

  int width;
  int height;
  std::vector<uint8_t> pixels;
};
