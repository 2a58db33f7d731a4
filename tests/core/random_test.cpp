#include "core/random.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The generator's step worked out with 64-bit arithmetic instead of Schrage's
// decomposition: s' = 48271 s mod (2^31 - 1).
int64_t Reference(int64_t s) { return s * 48271 % 2147483647; }

TEST(Random, StartsAt4660AndFollowsTheMinimalStandardStep) {
  SeedRnd(4660);
  int64_t s = 4660;
  for (int i = 0; i < 1000; ++i) {
    const int64_t a = Reference(s);
    const int64_t b = Reference(a);
    s = b;
    const double expected = (double(a & 536870908) + double(b & 536870904) / 134217728.0) / 536870912.0;
    ASSERT_DOUBLE_EQ(RndDouble(), expected) << "draw " << i;
  }
  EXPECT_EQ(RndSeed(), s);
}

TEST(Random, FirstDrawsOfARunAreFixed) {
  SeedRnd(4660);
  // 4660 * 48271 = 224942860, then 224942860 * 48271 mod (2^31 - 1) = 539475828.
  const double u =
      (double(224942860 & 536870908) + double(539475828 & 536870904) / 134217728.0) / 536870912.0;
  EXPECT_DOUBLE_EQ(RndDouble(), u);
}

TEST(Random, RndRangeFollowsTheArgumentOrderRule) {
  struct Case {
    double a, b, lo, hi;
  } cases[] = {{-2, 2, -2, 2}, {2, -2, -2, 2}, {0.6, 0, 0, 0.6}, {0, 2.3, 0, 2.3}, {5, 5, 5, 5}};
  SeedRnd(99);
  for (const auto& c : cases) {
    for (int i = 0; i < 2000; ++i) {
      const double v = Rnd(c.a, c.b);
      ASSERT_GE(v, c.lo);
      if (c.lo < c.hi) {
        ASSERT_LT(v, c.hi);
      } else {
        ASSERT_EQ(v, c.lo);
      }
    }
  }
}

TEST(Random, UnitDrawIsBelowOne) {
  SeedRnd(4660);
  for (int i = 0; i < 100000; ++i) ASSERT_LT(RndDouble(), 1.0);
}

}  // namespace
