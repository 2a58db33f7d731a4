// The value types the sweeps are built on.
#include "engine/collision/geometry.h"

#include <gtest/gtest.h>

using collision::Box;
using collision::Line;
using collision::Matrix;
using collision::Plane;
using collision::Transform;
using collision::Vector;

namespace {

void ExpectVector(const Vector& got, const Vector& want) {
  EXPECT_NEAR(got.x, want.x, 1e-5f);
  EXPECT_NEAR(got.y, want.y, 1e-5f);
  EXPECT_NEAR(got.z, want.z, 1e-5f);
}

}  // namespace

TEST(GeometryTest, GeneralInverseUndoesAShearedScaledTransform) {
  // Columns (2, 0, 0), (1, 1, 0), (0, 0, 4): p = (1, 2, 3) maps to
  // (2 + 2, 2, 12) + (1, 2, 3) = (5, 4, 15).
  Transform t{{{2, 0, 0}, {1, 1, 0}, {0, 0, 4}}, {1, 2, 3}};
  ExpectVector(t * Vector{1, 2, 3}, {5, 4, 15});
  ExpectVector(t.Inverse() * Vector{5, 4, 15}, {1, 2, 3});
  EXPECT_FLOAT_EQ(t.m.Determinant(), 8);
}

TEST(GeometryTest, OrthonormalInverseAndLinesAndBoxes) {
  // A quarter turn about z (x goes to y) and a move by (0, 0, 5).
  Transform t{{{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}}, {0, 0, 5}};
  Line moved = t * Line{{1, 0, 0}, {0, 2, 0}};
  ExpectVector(moved.o, {0, 1, 5});
  ExpectVector(moved.d, {-2, 0, 0});
  ExpectVector(t.OrthoInverse() * Vector{0, 1, 5}, {1, 0, 0});
  // The box x 0..1, y 0..2, z 0..3 turned: x -2..0, y 0..1, z 5..8.
  Box b = t * Box{{0, 0, 0}, {1, 2, 3}};
  ExpectVector(b.a, {-2, 0, 5});
  ExpectVector(b.b, {0, 1, 8});
}

TEST(GeometryTest, PlanesAndBoxOverlap) {
  Plane p({0, 2, 0}, {0, 2, 1}, {1, 2, 0});  // (0, 0, 1) x (1, 0, 0) = (0, 1, 0)
  ExpectVector(p.n, {0, 1, 0});
  EXPECT_FLOAT_EQ(p.Distance({7, 5, -3}), 3);
  Box unit{{0, 0, 0}, {1, 1, 1}};
  EXPECT_TRUE(unit.Overlaps({{1, 1, 1}, {2, 2, 2}}));  // touching at a corner
  EXPECT_FALSE(unit.Overlaps({{1.001f, 0, 0}, {2, 1, 1}}));
  EXPECT_FALSE(unit.Overlaps(Box{}));  // the empty box
  Box grown;
  grown.Add({1, -2, 3});
  grown.Add({-1, 2, 0});
  ExpectVector(grown.a, {-1, -2, 0});
  ExpectVector(grown.b, {1, 2, 3});
  ExpectVector(grown.Corner(5), {1, -2, 3});
}
