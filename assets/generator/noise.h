// Seeded, platform-independent randomness for the generator: the same seed
// gives the same numbers on every build, so the generated files never change
// unless their source does.
#pragma once

#include <cstdint>

// A small 64-bit generator (splitmix64).
class SeededRandom {
 public:
  explicit SeededRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next();
  // Uniform in [0, 1).
  double Uniform();
  // Uniform in [lo, hi).
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

 private:
  uint64_t state_;
};

// Smooth value noise on the integer lattice; result in [0, 1].
double ValueNoise(double x, double y, uint32_t seed);

// Sum of `octaves` layers of ValueNoise, each of twice the frequency and half
// the weight of the one before; result in [0, 1].
double FractalNoise(double x, double y, int octaves, uint32_t seed);
