#include "engine/matrix.h"

#include <gtest/gtest.h>

#include "tests/engine/reference_matrix.h"

namespace {

TEST(TMatrix, NewMatrixIsAllZeros) {
  TMatrix m;
  for (auto& column : m.grid)
    for (float v : column) EXPECT_EQ(v, 0.0f);
}

TEST(TMatrix, TranslationLiesInElementsTwelveToFourteenOfTheArray) {
  TMatrix m;
  m.LoadIdentity();
  m.Translate(7, 8, 9);
  const float* flat = &m.grid[0][0];  // the array handed to glLoadMatrixf
  EXPECT_EQ(flat[12], 7.0f);
  EXPECT_EQ(flat[13], 8.0f);
  EXPECT_EQ(flat[14], 9.0f);
  EXPECT_EQ(flat[15], 1.0f);
}

// LoadIdentity, Translate(1, 2, 3), RotateYaw(90): column 2 becomes (1, 0, 0)
// (Ry(90) sends +z to +x) and a point one unit ahead in stored space,
// (0, 0, -1), lands at (1, 2, 3) + (-1, 0, 0) = (0, 2, 3).
TEST(TMatrix, TranslateThenYawMapsAPointAheadByHand) {
  TMatrix m;
  m.LoadIdentity();
  m.Translate(1, 2, 3);
  m.RotateYaw(90);
  EXPECT_NEAR(m.grid[2][0], 1, 1e-6);
  EXPECT_NEAR(m.grid[2][1], 0, 1e-6);
  EXPECT_NEAR(m.grid[2][2], 0, 1e-6);
  EXPECT_EQ(m.grid[3][0], 1);
  EXPECT_EQ(m.grid[3][1], 2);
  EXPECT_EQ(m.grid[3][2], 3);
  m.Translate(0, 0, -1);  // maps the point: the translation column is its image
  EXPECT_NEAR(m.grid[3][0], 0, 1e-6);
  EXPECT_NEAR(m.grid[3][1], 2, 1e-6);
  EXPECT_NEAR(m.grid[3][2], 3, 1e-6);
}

struct Transform {
  float px, py, pz, rx, ry, rz, sx, sy, sz;
};

TEST(TMatrix, TranslateRotateScaleMatchesTheTextbookProduct) {
  const Transform cases[] = {
      {0, 0, 0, 0, 0, 0, 1, 1, 1},       {1, 2, 3, 0, 90, 0, 1, 1, 1},    {0, 0, 0, 30, 0, 0, 1, 1, 1},
      {0, 0, 0, 0, 0, 45, 1, 1, 1},      {5, -4, 2, 30, 40, 50, 1, 1, 1}, {1, 1, 1, -80, 170, -20, 2, 3, 4},
      {-7, 0, 9, 89, -135, 10, 1, 1, 1}, {0, 0, 0, 0, 0, 0, -1, 2, 0.5f},
  };
  for (const Transform& t : cases) {
    TMatrix m;
    m.LoadIdentity();
    m.Translate(t.px, t.py, t.pz);
    m.Rotate(t.rx, t.ry, t.rz);
    m.Scale(t.sx, t.sy, t.sz);
    SCOPED_TRACE(testing::Message() << "r = " << t.rx << ", " << t.ry << ", " << t.rz);
    ExpectMatNear(m, RefMat::Entity(t.px, t.py, t.pz, t.rx, t.ry, t.rz, t.sx, t.sy, t.sz));
  }
}

TEST(TMatrix, RotateAppliesYawThenPitchThenRoll) {
  TMatrix m;
  m.LoadIdentity();
  m.Rotate(20, 30, 40);
  ExpectMatNear(m, RefMat::Ry(30) * RefMat::Rx(20) * RefMat::Rz(40));
  TMatrix n;
  n.LoadIdentity();
  n.RotatePitch(20);
  n.RotateYaw(30);
  n.RotateRoll(40);
  ExpectMatNear(n, RefMat::Rx(20) * RefMat::Ry(30) * RefMat::Rz(40));
}

TEST(TMatrix, MultiplyIsTheRightProductAndKeepsRowThree) {
  TMatrix a;
  a.LoadIdentity();
  a.Translate(1, -2, 3);
  a.RotateYaw(35);
  TMatrix b;
  b.LoadIdentity();
  b.Translate(4, 5, 6);
  b.RotateRoll(-60);
  b.Scale(2, 2, 2);
  a.grid[3][3] = 7;  // row 3 is never written by Multiply
  a.Multiply(b);
  RefMat expected =
      RefMat::T(1, -2, 3) * RefMat::Ry(35) * RefMat::T(4, 5, 6) * RefMat::Rz(-60) * RefMat::S(2, 2, 2);
  // Rows 0 to 2 read only rows 0 to 2 of a, so they are the ordinary product;
  // row 3 keeps its 7.
  expected.a[3][3] = 7;
  ExpectMatNear(a, expected);
}

TEST(TMatrix, InverseOfARigidTransformUndoesIt) {
  TMatrix m;
  m.LoadIdentity();
  m.Translate(3, -1, 8);
  m.Rotate(25, -70, 15);
  TMatrix product = m.Inverse();
  product.Multiply(m);
  ExpectMatNear(product, RefMat::Identity(), 1e-5);
}

TEST(TMatrix, InverseOfAScaledMatrixIsWrong) {
  TMatrix m;
  m.LoadIdentity();
  m.Translate(3, -1, 8);
  m.RotateYaw(30);
  m.Scale(2, 2, 2);
  TMatrix product = m.Inverse();
  product.Multiply(m);
  // Transposing a block of scale 2 gives scale 4 on the diagonal, not 1.
  EXPECT_NEAR(product.grid[1][1], 4, 1e-5);
}

TEST(TMatrix, CopyAndOverwriteTakeAllSixteenElements) {
  TMatrix m;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) m.grid[i][j] = float(i * 4 + j);
  TMatrix c = m.Copy();
  TMatrix o;
  o.Overwrite(m);
  m.grid[2][2] = -1;  // the copies are independent
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(c.grid[i][j], float(i * 4 + j));
      EXPECT_EQ(o.grid[i][j], float(i * 4 + j));
    }
}

}  // namespace
