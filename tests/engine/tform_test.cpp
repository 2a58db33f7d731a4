// TFormPoint, TFormVector and TFormNormal between entity spaces.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/engine_fixture.h"

namespace {

using TForm = EngineTest;

void ExpectFormed(float x, float y, float z, double tolerance = 1e-4) {
  EXPECT_NEAR(TEntity::TFormedX(), x, tolerance);
  EXPECT_NEAR(TEntity::TFormedY(), y, tolerance);
  EXPECT_NEAR(TEntity::TFormedZ(), z, tolerance);
}

// a stands at (10, 0, 0) turned left 90: its forward (+z) is world -x.
// The point one unit ahead of a is world (9, 0, 0); as a vector, (-1, 0, 0).
TEST_F(TForm, FromAnEntityToTheWorldByHand) {
  TPivot* a = Pivot();
  a->PositionEntity(10, 0, 0, 0);
  a->RotateEntity(0, 90, 0, 0);
  TEntity::TFormPoint(0, 0, 1, a, nullptr);
  ExpectFormed(9, 0, 0);
  TEntity::TFormVector(0, 0, 1, a, nullptr);
  ExpectFormed(-1, 0, 0);
  TEntity::TFormNormal(0, 0, 5, a, nullptr);
  ExpectFormed(-1, 0, 0);
}

// d at the origin scaled 2: world (2, 4, 6) is (1, 2, 3) in d's space.
TEST_F(TForm, FromTheWorldIntoAScaledEntityByHand) {
  TPivot* d = Pivot();
  d->ScaleEntity(2, 2, 2, 0);
  TEntity::TFormPoint(2, 4, 6, nullptr, d);
  ExpectFormed(1, 2, 3);
  d->PositionEntity(0, 0, 10, 0);
  TEntity::TFormPoint(2, 4, 6, nullptr, d);
  ExpectFormed(1, 2, -2);
  TEntity::TFormVector(2, 4, 6, nullptr, d);  // translation does not apply
  ExpectFormed(1, 2, 3);
}

TEST_F(TForm, NoEntitiesLeaveThePointAlone) {
  TEntity::TFormPoint(1, -2, 3, nullptr, nullptr);
  ExpectFormed(1, -2, 3, 0);
}

TEST_F(TForm, PointsRoundTripThroughAHierarchy) {
  TPivot* a = Pivot();
  a->PositionEntity(3, -2, 7, 0);
  a->RotateEntity(20, -50, 10, 0);
  a->ScaleEntity(2, 2, 2, 0);
  TPivot* b = Pivot(a);
  b->PositionEntity(-1, 4, 2, 0);
  b->RotateEntity(-35, 80, 60, 0);
  TPivot* c = Pivot();
  c->PositionEntity(5, 5, 5, 0);
  c->RotateEntity(0, 180, 0, 0);
  const float points[][3] = {{0, 0, 0}, {1, 2, 3}, {-4, 0.5f, 9}, {100, -50, 25}};
  for (const auto& p : points) {
    SCOPED_TRACE(testing::Message() << p[0] << ", " << p[1] << ", " << p[2]);
    // b's space to the world and back.
    TEntity::TFormPoint(p[0], p[1], p[2], b, nullptr);
    const float wx = TEntity::TFormedX(), wy = TEntity::TFormedY(), wz = TEntity::TFormedZ();
    TEntity::TFormPoint(wx, wy, wz, nullptr, b);
    ExpectFormed(p[0], p[1], p[2], 1e-3);
    // b's space to c's and back.
    TEntity::TFormPoint(p[0], p[1], p[2], b, c);
    TEntity::TFormPoint(TEntity::TFormedX(), TEntity::TFormedY(), TEntity::TFormedZ(), c, b);
    ExpectFormed(p[0], p[1], p[2], 1e-3);
    // Vectors too.
    TEntity::TFormVector(p[0], p[1], p[2], b, c);
    TEntity::TFormVector(TEntity::TFormedX(), TEntity::TFormedY(), TEntity::TFormedZ(), c, b);
    ExpectFormed(p[0], p[1], p[2], 1e-3);
  }
}

// A child's origin transformed to the world is its global position.
TEST_F(TForm, AnEntitysOriginIsItsGlobalPosition) {
  TPivot* a = Pivot();
  a->PositionEntity(1, 2, 3, 0);
  a->RotateEntity(0, 45, 0, 0);
  TPivot* b = Pivot(a);
  b->PositionEntity(4, 5, 6, 0);
  TEntity::TFormPoint(0, 0, 0, b, nullptr);
  ExpectFormed(b->EntityX(1), b->EntityY(1), b->EntityZ(1), 1e-5);
}

TEST_F(TForm, NormalOfZeroIsNotFinite) {
  TEntity::TFormNormal(0, 0, 0, nullptr, nullptr);
  EXPECT_FALSE(std::isfinite(TEntity::TFormedX()));
}

}  // namespace
