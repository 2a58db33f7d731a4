#include "assets/generator/noise.h"

#include <cmath>

uint64_t SeededRandom::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double SeededRandom::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

namespace {

double LatticeValue(int x, int y, uint32_t seed) {
  uint32_t h =
      static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double Smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

double ValueNoise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const int x0 = static_cast<int>(fx);
  const int y0 = static_cast<int>(fy);
  const int x1 = x0 + 1;
  const int y1 = y0 + 1;
  const double tx = Smooth(x - fx);
  const double ty = Smooth(y - fy);
  const double top =
      LatticeValue(x0, y0, seed) + (LatticeValue(x1, y0, seed) - LatticeValue(x0, y0, seed)) * tx;
  const double bottom =
      LatticeValue(x0, y1, seed) + (LatticeValue(x1, y1, seed) - LatticeValue(x0, y1, seed)) * tx;
  return top + (bottom - top) * ty;
}

double FractalNoise(double x, double y, int octaves, uint32_t seed) {
  double sum = 0;
  double weight = 1;
  double total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, seed + i * 101) * weight;
    total += weight;
    x *= 2;
    y *= 2;
    weight *= 0.5;
  }
  return sum / total;
}
