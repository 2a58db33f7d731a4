#include "assets/generator/wall_picture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/generator/noise.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
// Picture rows kVisibleTop .. kHeight - kVisibleTop fill the screen's height.
constexpr double kVisibleTop = 75;
constexpr double kSquash = 0.75;
constexpr int kStars = 1100;
constexpr int kGlintRadius = 14;

struct Rgb {
  double r, g, b;
};

double SmoothStep(double lo, double hi, double v) {
  const double t = std::clamp((v - lo) / (hi - lo), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// Screen coordinates of a picture point as the player sees it.
double ScreenY(double picture_y) { return (picture_y - kVisibleTop) / kSquash; }

Rgb Nebula(double sx, double sy) {
  const double warp_x = FractalNoise(sx / 420, sy / 420, 3, 17) * 2.2;
  const double warp_y = FractalNoise(sx / 420 + 9.3, sy / 420 + 4.1, 3, 29) * 2.2;
  const double density = FractalNoise(sx / 240 + warp_x, sy / 240 + warp_y, 6, 41);
  const double hue = FractalNoise(sx / 520 + 3.7, sy / 520 + 1.9, 3, 53);
  const double cloud = SmoothStep(0.42, 0.82, density);
  const double core = SmoothStep(0.68, 0.92, density);
  // The middle of the view, where the ball and paddles are, stays darkest.
  const double dx = (sx - kWidth / 2.0) / (kWidth / 2.0);
  const double dy = (sy - kHeight / 2.0) / (kHeight / 2.0);
  const double open_middle = 0.3 + 0.7 * SmoothStep(0.2, 1.1, std::sqrt(dx * dx + dy * dy));
  const double mix = SmoothStep(0.3, 0.7, hue);
  const Rgb violet{0.30, 0.08, 0.50};
  const Rgb teal{0.04, 0.30, 0.42};
  // Fine streaks inside the clouds.
  const double detail = 0.55 + 0.9 * FractalNoise(sx / 70 + 5.5, sy / 70 + 7.7, 3, 67);
  const double k = cloud * 0.4 * open_middle * detail;
  const double glow = core * 0.16 * open_middle * detail;
  return {(violet.r + (teal.r - violet.r) * mix) * k + glow * 0.9,
          (violet.g + (teal.g - violet.g) * mix) * k + glow * 0.6,
          (violet.b + (teal.b - violet.b) * mix) * k + glow * 1.0};
}

void AddStar(std::vector<Rgb>& light, double x, double y, double brightness, const Rgb& tint) {
  const double sigma = 0.45 + 0.7 * brightness;
  const bool glint = brightness > 0.75;
  const int reach = glint ? kGlintRadius : 3;
  for (int py = static_cast<int>(y) - reach; py <= static_cast<int>(y) + reach; ++py) {
    if (py < 0 || py >= kHeight) continue;
    for (int px = static_cast<int>(x) - reach; px <= static_cast<int>(x) + reach; ++px) {
      if (px < 0 || px >= kWidth) continue;
      const double dx = px + 0.5 - x;
      const double dy = (py + 0.5 - y) / kSquash;
      double v = std::exp(-(dx * dx + dy * dy) / (2 * sigma * sigma));
      if (glint) {
        v += 0.5 * std::exp(-std::fabs(dx) / 3.5) * std::exp(-dy * dy / 0.35);
        v += 0.5 * std::exp(-std::fabs(dy) / 3.5) * std::exp(-dx * dx / 0.35);
      }
      v *= brightness;
      Rgb& l = light[static_cast<size_t>(py) * kWidth + px];
      l.r += tint.r * v;
      l.g += tint.g * v;
      l.b += tint.b * v;
    }
  }
}

}  // namespace

RgbaPicture PaintWall() {
  std::vector<Rgb> light(static_cast<size_t>(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    const double sy = ScreenY(y + 0.5);
    for (int x = 0; x < kWidth; ++x) {
      const Rgb n = Nebula(x + 0.5, sy);
      light[static_cast<size_t>(y) * kWidth + x] = {0.010 + n.r, 0.012 + n.g, 0.028 + n.b};
    }
  }
  SeededRandom random(0x57A25u);
  for (int i = 0; i < kStars; ++i) {
    const double x = random.Range(0, kWidth);
    const double y = random.Range(0, kHeight);
    const double brightness = 0.12 + 0.88 * std::pow(random.Uniform(), 7);
    const double warmth = random.Uniform();
    const Rgb tint = warmth < 0.5 ? Rgb{0.75 + 0.5 * warmth, 0.85 + 0.3 * warmth, 1.0}
                                  : Rgb{1.0, 1.0 - 0.3 * (warmth - 0.5), 1.0 - 0.6 * (warmth - 0.5)};
    AddStar(light, x, y, brightness, tint);
  }
  RgbaPicture picture(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb& l = light[static_cast<size_t>(y) * kWidth + x];
      uint8_t* p = picture.At(x, y);
      p[0] = static_cast<uint8_t>(std::lround(std::clamp(l.r, 0.0, 1.0) * 255));
      p[1] = static_cast<uint8_t>(std::lround(std::clamp(l.g, 0.0, 1.0) * 255));
      p[2] = static_cast<uint8_t>(std::lround(std::clamp(l.b, 0.0, 1.0) * 255));
      p[3] = 255;
    }
  }
  return picture;
}
