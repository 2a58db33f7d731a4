#include "engine/quaternion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/reference_matrix.h"

namespace {

const double kC45 = std::cos(std::numbers::pi / 4);
const double kC15 = std::cos(std::numbers::pi / 12);
const double kS15 = std::sin(std::numbers::pi / 12);

TEST(TQuaternion, IdentityQuaternionLeavesAnIdentityMatrix) {
  TMatrix m;
  m.LoadIdentity();
  TQuaternion::QuatToMat(1, 0, 0, 0, m);
  ExpectMatNear(m, RefMat::Identity(), 0);
}

// (cos 45°, 0, sin 45°, 0): 2·w·y = 1 in grid[0][2], -1 in grid[2][0], and
// 1 - 2·y² = 0 in grid[0][0] and grid[2][2] after the clean-up.
TEST(TQuaternion, QuarterTurnIsExactAfterTheCleanUp) {
  TMatrix m;
  m.LoadIdentity();
  TQuaternion::QuatToMat(float(kC45), 0, float(kC45), 0, m);
  EXPECT_NEAR(m.grid[0][2], 1, 1e-6);
  EXPECT_NEAR(m.grid[2][0], -1, 1e-6);
  EXPECT_NEAR(m.grid[1][1], 1, 1e-6);
  EXPECT_EQ(m.grid[0][0], 0.0f);
  EXPECT_EQ(m.grid[2][2], 0.0f);
}

// The quaternion of a 30° turn about y is (cos 15°, 0, sin 15°, 0). Written by
// columns, QuatToMat gives the transpose of its rotation: Ry(-30).
TEST(TQuaternion, MatrixIsTheRotationOfTheConjugate) {
  TMatrix m;
  m.LoadIdentity();
  m.Translate(4, 5, 6);  // kept: column 3 is not touched
  TQuaternion::QuatToMat(float(kC15), 0, float(kS15), 0, m);
  ExpectMatNear(m, RefMat::T(4, 5, 6) * RefMat::Ry(-30), 1e-6);
}

TEST(TQuaternion, QuatToEulerReadsTheAnglesOfThatMatrix) {
  struct Case {
    double w, x, y, z;
    float pitch, yaw, roll;
  } cases[] = {
      {1, 0, 0, 0, 0, 0, 0},
      {kC15, 0, kS15, 0, 0, -30, 0},  // about y: Ry(-30), yaw -30
      {kC15, kS15, 0, 0, 30, 0, 0},   // about x: Rx(-30), so column 2 is (0, sin 30, cos 30): pitch 30
      {kC15, 0, 0, kS15, 0, 0, -30},  // about z: Rz(-30), so g01 = -sin 30, g11 = cos 30: roll -30
  };
  for (const Case& c : cases) {
    float pitch = 99, yaw = 99, roll = 99;
    TQuaternion::QuatToEuler(float(c.w), float(c.x), float(c.y), float(c.z), pitch, yaw, roll);
    EXPECT_NEAR(pitch, c.pitch, 1e-4);
    EXPECT_NEAR(yaw, c.yaw, 1e-4);
    EXPECT_NEAR(roll, c.roll, 1e-4);
  }
}

TEST(TQuaternion, SlerpOfNearlyEqualQuaternionsReturnsTheFirst) {
  float r[4];
  EXPECT_EQ(TQuaternion::Slerp(1, 0, 0, 0, 0.9995f, 0.0005f, 0, 0, r[0], r[1], r[2], r[3], 0.5f), 1);
  EXPECT_EQ(r[0], 1.0f);
  EXPECT_EQ(r[1], 0.0f);
}

TEST(TQuaternion, SlerpEndsAndMiddle) {
  const float a[4] = {1, 0, 0, 0};
  const float b[4] = {float(kC45), 0, float(kC45), 0};  // 90° about y
  float r[4];
  EXPECT_EQ(TQuaternion::Slerp(a[0], a[1], a[2], a[3], b[0], b[1], b[2], b[3], r[0], r[1], r[2], r[3], 0), 0);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(r[i], a[i], 1e-6);
  TQuaternion::Slerp(a[0], a[1], a[2], a[3], b[0], b[1], b[2], b[3], r[0], r[1], r[2], r[3], 1);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(r[i], b[i], 1e-6);
  // Half way is the 45° turn: (cos 22.5°, 0, sin 22.5°, 0) = (0.9238795, 0, 0.3826834, 0).
  TQuaternion::Slerp(a[0], a[1], a[2], a[3], b[0], b[1], b[2], b[3], r[0], r[1], r[2], r[3], 0.5f);
  EXPECT_NEAR(r[0], 0.9238795, 1e-6);
  EXPECT_NEAR(r[1], 0, 1e-6);
  EXPECT_NEAR(r[2], 0.3826834, 1e-6);
  EXPECT_NEAR(r[3], 0, 1e-6);
}

TEST(TQuaternion, SlerpTakesTheShortArcByNegatingB) {
  // a·b = -cos 45° < 0: b is negated, so t = 1 gives -b.
  const float b[4] = {-float(kC45), 0, -float(kC45), 0};
  float r[4];
  TQuaternion::Slerp(1, 0, 0, 0, b[0], b[1], b[2], b[3], r[0], r[1], r[2], r[3], 1);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(r[i], -b[i], 1e-6);
}

TEST(TQuaternion, SlerpOfCloseButDistinctQuaternionsIsLinear) {
  // 1 - a·b is below 0.0001 but a component differs by more than 0.001:
  // the weights are 1 - t and t.
  const float b[4] = {0.99999f, 0, 0.0045f, 0};
  float r[4];
  EXPECT_EQ(TQuaternion::Slerp(1, 0, 0, 0, b[0], b[1], b[2], b[3], r[0], r[1], r[2], r[3], 0.25f), 0);
  EXPECT_NEAR(r[0], 0.75 + 0.25 * 0.99999, 1e-7);
  EXPECT_NEAR(r[2], 0.25 * 0.0045, 1e-7);
}

}  // namespace
