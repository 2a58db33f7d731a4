#include "core/random.h"

namespace {

constexpr int32_t kInitialState = 4660;
int32_t state = kInitialState;

int32_t Step() {
  // Schrage's method: 48271 * s mod (2^31 - 1) without 64-bit intermediates.
  state = 48271 * (state % 44488) - 3399 * (state / 44488);
  if (state < 0) state += 2147483647;
  return state;
}

}  // namespace

double RndDouble() {
  const double a = Step() & 536870908;
  const double b = Step() & 536870904;
  return (a + b / 134217728.0) / 536870912.0;
}

double Rnd(double a, double b) {
  const double u = RndDouble();
  return b > a ? u * (b - a) + a : u * (a - b) + b;
}

int32_t Rand(int32_t a, int32_t b) {
  if (b < a) {
    const int32_t t = a;
    a = b;
    b = t;
  }
  const int64_t span = int64_t(b) - a + 1;
  return int32_t(a + int64_t(RndDouble() * double(span)));
}

void SeedRnd(int32_t seed) {
  // Zero is a fixed point of the step, and the state must stay in [1, 2^31 - 2].
  seed &= 0x7fffffff;
  if (seed == 0 || seed == 0x7fffffff) seed = 0x1234;
  state = seed;
}

int32_t RndSeed() { return state; }
