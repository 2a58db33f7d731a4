#include "assets/generator/hit_sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "assets/generator/instruments.h"
#include "assets/generator/noise.h"

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// The partials of a struck metal bar: frequency ratio, level and decay time.
struct Partial {
  double ratio;
  double level;
  double decay;
};

constexpr Partial kPartials[] = {
    {1.0, 1.0, 0.15}, {2.76, 0.45, 0.07}, {5.40, 0.22, 0.03}, {8.93, 0.1, 0.015}};
constexpr double kBase = 620;

}  // namespace

std::vector<int16_t> RenderHitSound() {
  StereoBuffer out(kHitFrames, false);
  SeededRandom noise(0xD01);
  // The right channel rings a touch higher, which widens the sound.
  const double spread[2] = {1.0, 1.004};
  double phase[2][std::size(kPartials)] = {};
  for (int64_t i = 0; i < kHitFrames; ++i) {
    const double t = i / kSampleRate;
    // The strike bends the pitch up briefly, and the bar wobbles as it settles.
    const double bend =
        1 + 0.22 * std::exp(-t / 0.018) + 0.012 * std::sin(kTwoPi * 11 * t) * std::exp(-t / 0.2);
    const double attack = std::min(1.0, t / 0.0008);
    const double click = noise.Range(-1, 1) * 0.35 * std::exp(-t / 0.002);
    double s[2] = {click, click};
    for (int c = 0; c < 2; ++c) {
      for (size_t p = 0; p < std::size(kPartials); ++p) {
        phase[c][p] += kBase * kPartials[p].ratio * spread[c] * bend / kSampleRate;
        phase[c][p] -= std::floor(phase[c][p]);
        s[c] += std::sin(kTwoPi * phase[c][p]) * kPartials[p].level * std::exp(-t / kPartials[p].decay);
      }
      s[c] *= attack;
    }
    out.Add(i, s[0], s[1]);
  }
  return out.ToPcm16(0.8);
}
