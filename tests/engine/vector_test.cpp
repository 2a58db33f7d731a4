#include "engine/vector.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/trig.h"

namespace {

TEST(TVector, ArithmeticGivesNewVectors) {
  const TVector a = TVector::Create(1, 2, 3);
  const TVector b = TVector::Create(4, -5, 6);
  const TVector sum = a.Add(b);
  EXPECT_EQ(sum.x, 5);
  EXPECT_EQ(sum.y, -3);
  EXPECT_EQ(sum.z, 9);
  const TVector diff = a.Subtract(b);
  EXPECT_EQ(diff.x, -3);
  EXPECT_EQ(diff.y, 7);
  EXPECT_EQ(diff.z, -3);
  EXPECT_EQ(a.Multiply(2).z, 6);
  EXPECT_EQ(a.Divide(2).y, 1);
  EXPECT_EQ(a.Dot(b), 4 - 10 + 18);
  // (2·6 - 3·(-5), 3·4 - 1·6, 1·(-5) - 2·4) = (27, 6, -13)
  const TVector cross = a.Cross(b);
  EXPECT_EQ(cross.x, 27);
  EXPECT_EQ(cross.y, 6);
  EXPECT_EQ(cross.z, -13);
  EXPECT_EQ(a.x, 1);  // a itself is unchanged
  EXPECT_EQ(TVector::Create(3, 4, 12).Length(), 13);
  EXPECT_EQ(TVector::Create(3, 4, 12).SquaredLength(), 169);
}

TEST(TVector, NormalizeAndSetLengthWorkInPlace) {
  TVector v = TVector::Create(0, 3, 4);
  EXPECT_EQ(v.Normalize(), 0);
  EXPECT_NEAR(v.y, 0.6, 1e-7);
  EXPECT_NEAR(v.z, 0.8, 1e-7);
  TVector w = TVector::Create(0, 3, 4);
  EXPECT_EQ(w.SetLength(10), 0.0f);
  EXPECT_NEAR(w.y, 6, 1e-5);
  EXPECT_NEAR(w.z, 8, 1e-5);
}

TEST(TVector, ZeroVectorNormalizesToNonFiniteComponents) {
  TVector v;
  v.Normalize();
  EXPECT_FALSE(std::isfinite(v.x));
  TVector w;
  w.SetLength(2);
  EXPECT_FALSE(std::isfinite(w.z));
}

TEST(TVector, CompareUsesTheToleranceOnEachComponentInTurn) {
  struct Case {
    TVector other;
    int expected;
  } cases[] = {
      {{1.00005f, 2, 3}, 0},  // x larger by half the tolerance
      {{1.0002f, 2, 3}, -1},  // x larger by twice the tolerance
      {{0.9998f, 2, 3}, 1},   // x smaller by twice the tolerance
      {{1, 2.0002f, 3}, -1},  // x ties, y decides
      {{1, 2, 2.9998f}, 1},   // x and y tie, z decides
      {{0.9998f, 9, 9}, 1},   // x decides before the larger y and z
      {{1, 2.00005f, 3.00005f}, 0},
  };
  const TVector v = TVector::Create(1, 2, 3);
  for (const Case& c : cases) {
    EXPECT_EQ(v.Compare(c.other), c.expected) << c.other.x << ", " << c.other.y << ", " << c.other.z;
  }
}

TEST(TVector, VectorYawAndPitchPointAlongTheVector) {
  struct Case {
    float x, y, z, yaw, pitch;
  } cases[] = {
      {0, 0, 1, 0, 0},      // ahead
      {1, 0, 0, -90, 0},    // right: yaw turns right, which is negative
      {-1, 0, 0, 90, 0},    // left
      {1, 0, -1, -135, 0},  // right and behind
      {0, 1, 0, 0, -90},    // straight up: negative pitch looks up
      {0, -1, 0, 0, 90},    // straight down
      {0, 1, 1, 0, -45},    // 45 degrees up, ahead
      {1, 0, 1, -45, 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(TVector::VectorYaw(c.x, c.y, c.z), c.yaw, 1e-4) << c.x << ", " << c.y << ", " << c.z;
    EXPECT_NEAR(TVector::VectorPitch(c.x, c.y, c.z), c.pitch, 1e-4) << c.x << ", " << c.y << ", " << c.z;
  }
  // The clean-up makes a horizontal pitch exactly 0, not a rounding residue.
  EXPECT_EQ(TVector::VectorPitch(1, 0, 0), 0.0f);
}

TEST(Trig, AnglesAreDegrees) {
  EXPECT_NEAR(SinDeg(30), 0.5, 1e-15);
  EXPECT_NEAR(CosDeg(60), 0.5, 1e-15);
  EXPECT_NEAR(ACosDeg(0.5), 60, 1e-12);
  EXPECT_EQ(ATan2(1, 0), 90.0f);    // the angle of the point (0, 1)
  EXPECT_EQ(ATan2(0, -1), 180.0f);  // of the point (-1, 0)
  EXPECT_EQ(ATan2(-1, 1), -45.0f);
}

}  // namespace
