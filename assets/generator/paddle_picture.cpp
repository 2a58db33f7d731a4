#include "assets/generator/paddle_picture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/generator/noise.h"

namespace {

constexpr int kBevel = 2;

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

uint8_t ToByte(float v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f)); }

// Brightness of the plate at (x, y) before the accents: a rounded profile
// across the width, bevelled rim, engraved grooves away from the middle.
float PlateShade(int x, int y, int width, int height) {
  const float u = (x + 0.5f) / width * 2 - 1;
  float shade = 0.78f + 0.22f * std::cos(u * 1.2f);
  const bool lit_rim = x < kBevel || y < kBevel;
  const bool dark_rim = x >= width - kBevel || y >= height - kBevel;
  if (x == 0 || y == 0 || x == width - 1 || y == height - 1) return 0.25f;
  if (lit_rim && !dark_rim) return shade * 1.35f;
  if (dark_rim) return shade * 0.55f;
  const int middle_top = height * 3 / 8;
  const int middle_bottom = height - middle_top;
  const bool grip = (y > 5 && y < middle_top - 2) || (y > middle_bottom + 2 && y < height - 6);
  if (grip && x > kBevel + 1 && x < width - kBevel - 2) {
    const int phase = (y - 3) % 5;
    if (phase == 0) return shade * 0.5f;
    if (phase == 1) return shade * 1.2f;
  }
  return shade;
}

// Strength 0..1 of the chevron's glow: a thick V in the middle of the plate
// whose tip points toward the field.
float ChevronGlow(int x, int y, int width, int height, int facing) {
  const float cx = width * 0.5f;
  const float cy = height * 0.5f;
  const float along = (x + 0.5f - cx) * facing;  // toward the field
  const float across = std::fabs(y + 0.5f - cy);
  const float arm = along + across * 0.9f - 3.0f;  // 0 on the chevron's centre line
  if (across > 11.5f || std::fabs(along) > 10.0f) return 0;
  const float d = std::fabs(arm);
  if (d < 2.1f) return 1.0f;
  return std::max(0.0f, 1.0f - (d - 2.1f) / 2.4f) * 0.45f;
}

// Strength 0..1 of the strip along the field-side edge, inside the rim.
float EdgeGlow(int x, int width, int facing) {
  const int inner = facing > 0 ? width - 1 - kBevel - x : x - kBevel;
  if (inner < 0) return 0;
  if (inner < 2) return 1.0f;
  return std::max(0.0f, 0.5f - 0.15f * (inner - 2));
}

}  // namespace

PaddleScheme PlayerPaddleScheme() { return {{0.20f, 0.42f, 0.86f}, {0.55f, 0.93f, 1.0f}, 1, 0x51A7E7u}; }

PaddleScheme EnemyPaddleScheme() { return {{0.80f, 0.20f, 0.16f}, {1.0f, 0.78f, 0.32f}, -1, 0xE3E177u}; }

RgbaPicture PaintPaddle(int width, int height, const PaddleScheme& scheme) {
  RgbaPicture picture(width, height);
  SeededRandom grain(scheme.seed);
  std::vector<float> row_grain(height);
  for (float& g : row_grain) g = static_cast<float>(grain.Range(-0.04, 0.04));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float shade = PlateShade(x, y, width, height) + row_grain[y];
      const bool inside = x >= kBevel && y >= kBevel && x < width - kBevel && y < height - kBevel;
      const float glow = inside ? std::max(ChevronGlow(x, y, width, height, scheme.facing),
                                           EdgeGlow(x, width, scheme.facing))
                                : 0.0f;
      uint8_t* p = picture.At(x, y);
      for (int c = 0; c < 3; ++c) {
        const float plate = scheme.body[c] * shade;
        const float lit = scheme.accent[c] * (0.75f + 0.25f * glow) + 0.15f * glow;
        p[c] = ToByte(plate + (lit - plate) * glow);
      }
      p[3] = 255;
    }
  }
  return picture;
}
