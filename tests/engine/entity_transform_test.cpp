// Transforms, queries and the matrix invariant. Expected matrices come from
// the textbook reference in reference_matrix.h; expected positions and angles
// are worked out by hand in the comments.
#include <gtest/gtest.h>

#include "core/runtime_error.h"
#include "tests/engine/engine_fixture.h"
#include "tests/engine/reference_matrix.h"

namespace {

using Transforms = EngineTest;

// The stored-space local matrix of an entity, from its user-space settings:
// stored z is -z and stored pitch is -pitch.
RefMat Local(double x, double y, double z, double pitch, double yaw, double roll, double sx = 1,
             double sy = 1, double sz = 1) {
  return RefMat::Entity(x, y, -z, -pitch, yaw, roll, sx, sy, sz);
}

TEST_F(Transforms, PositionStoresZNegated) {
  TPivot* e = Pivot();
  e->PositionEntity(1, 2, 3, 0);
  EXPECT_EQ(e->pz, -3);
  EXPECT_EQ(e->EntityZ(0), 3);
  EXPECT_EQ(e->EntityZ(1), 3);
  EXPECT_EQ(e->mat.grid[3][2], -3);
  ExpectMatNear(e->mat, RefMat::T(1, 2, -3), 0);
}

TEST_F(Transforms, NewPivotHasTheIdentityMatrix) {
  TPivot* e = Pivot();
  EXPECT_EQ(e->class_name, "Pivot");
  ExpectMatNear(e->mat, RefMat::Identity(), 0);
}

// Yaw 90 turns +z (user, ahead) to -x: a child 10 ahead ends up at x = -10.
TEST_F(Transforms, ChildOfAYawedParent) {
  TPivot* parent = Pivot();
  parent->RotateEntity(0, 90, 0, 0);
  TPivot* child = Pivot(parent);
  child->PositionEntity(0, 0, 10, 0);
  EXPECT_NEAR(child->EntityX(1), -10, 1e-5);
  EXPECT_NEAR(child->EntityY(1), 0, 1e-5);
  EXPECT_NEAR(child->EntityZ(1), 0, 1e-5);
  EXPECT_EQ(child->EntityZ(0), 10);
}

TEST_F(Transforms, MatrixFollowsTheWholeChainAfterEachOperation) {
  TPivot* a = Pivot();
  TPivot* b = Pivot(a);
  TPivot* c = Pivot(b);
  c->PositionEntity(1, 2, 3, 0);
  c->RotateEntity(10, 20, 30, 0);
  b->ScaleEntity(2, 1, 0.5f, 0);  // non-uniform scale under a rotation
  b->RotateEntity(0, 0, 45, 0);
  b->PositionEntity(0, 5, 0, 0);
  a->RotateEntity(-30, 60, 0, 0);
  a->PositionEntity(7, 0, -2, 0);
  const RefMat ma = Local(7, 0, -2, -30, 60, 0);
  const RefMat mb = ma * Local(0, 5, 0, 0, 0, 45, 2, 1, 0.5);
  const RefMat mc = mb * Local(1, 2, 3, 10, 20, 30);
  ExpectMatNear(a->mat, ma);
  ExpectMatNear(b->mat, mb);
  ExpectMatNear(c->mat, mc);
  // Moving the grandparent again refreshes both descendants.
  a->TurnEntity(0, 15, 0, 0);
  const RefMat ma2 = Local(7, 0, -2, -30, 75, 0);
  ExpectMatNear(c->mat, ma2 * Local(0, 5, 0, 0, 0, 45, 2, 1, 0.5) * Local(1, 2, 3, 10, 20, 30));
}

TEST_F(Transforms, MoveEntityFollowsOwnRotationAndIgnoresOwnScale) {
  TPivot* e = Pivot();
  e->RotateEntity(0, 90, 0, 0);
  e->MoveEntity(0, 0, 1);  // forward after turning left is -x
  EXPECT_NEAR(e->EntityX(0), -1, 1e-6);
  EXPECT_NEAR(e->EntityZ(0), 0, 1e-6);
  e->ScaleEntity(3, 3, 3, 0);
  e->MoveEntity(0, 0, 1);
  EXPECT_NEAR(e->EntityX(0), -2, 1e-6);
  // Pitch 90 looks down: forward is -y, and right stays +x.
  TPivot* f = Pivot();
  f->RotateEntity(90, 0, 0, 0);
  f->MoveEntity(1, 0, 2);
  EXPECT_NEAR(f->EntityX(0), 1, 1e-6);
  EXPECT_NEAR(f->EntityY(0), -2, 1e-6);
  EXPECT_NEAR(f->EntityZ(0), 0, 1e-6);
}

TEST_F(Transforms, MoveEntityIsScaledByTheParent) {
  TPivot* parent = Pivot();
  parent->ScaleEntity(2, 2, 2, 0);
  TPivot* child = Pivot(parent);
  child->MoveEntity(0, 0, 1);
  EXPECT_NEAR(child->EntityZ(1), 2, 1e-6);
  EXPECT_NEAR(child->EntityZ(0), 1, 1e-6);
}

TEST_F(Transforms, TurnEntityIgnoresTheGlobalFlag) {
  TPivot* parent = Pivot();
  parent->RotateEntity(20, 30, 40, 0);
  TPivot* a = Pivot(parent);
  TPivot* b = Pivot(parent);
  a->RotateEntity(5, 6, 7, 0);
  b->RotateEntity(5, 6, 7, 0);
  a->TurnEntity(10, 0, 0, 1);
  b->TurnEntity(10, 0, 0, 0);
  EXPECT_EQ(a->rx, b->rx);
  EXPECT_EQ(a->rx, -15);  // stored -(5 + 10)
  ExpectMatNear(a->mat, RefMat::Identity() * Local(0, 0, 0, 20, 30, 40) * Local(0, 0, 0, 15, 6, 7));
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(a->mat.grid[i][j], b->mat.grid[i][j]);
}

TEST_F(Transforms, RotationRoundTripsThroughTheGetters) {
  struct Case {
    float pitch, yaw, roll;
  } cases[] = {
      {30, 40, 50}, {0, 0, 0}, {-60, 170, -120}, {89, -45, 10}, {-10, -170, 179}, {45, 0, 90},
  };
  for (const Case& c : cases) {
    TPivot* e = Pivot();
    e->RotateEntity(c.pitch, c.yaw, c.roll, 0);
    SCOPED_TRACE(testing::Message() << c.pitch << ", " << c.yaw << ", " << c.roll);
    EXPECT_EQ(e->EntityPitch(0), c.pitch);
    EXPECT_EQ(e->EntityYaw(0), c.yaw);
    EXPECT_EQ(e->EntityRoll(0), c.roll);
    EXPECT_NEAR(e->EntityPitch(1), c.pitch, 1e-3);
    EXPECT_NEAR(e->EntityYaw(1), c.yaw, 1e-3);
    EXPECT_NEAR(e->EntityRoll(1), c.roll, 1e-3);
    ExpectMatNear(e->mat, Local(0, 0, 0, c.pitch, c.yaw, c.roll));
  }
}

TEST_F(Transforms, GlobalAngleGettersAreCleanedNearZero) {
  TPivot* e = Pivot();
  e->RotateEntity(0, 180, 0, 0);  // grid[2][0] = sin 180 is a residue of about 1e-16
  EXPECT_EQ(e->EntityYaw(1), 180.0f);
  EXPECT_EQ(e->EntityPitch(1), 0.0f);
}

TEST_F(Transforms, GlobalAnglesOfAChildAddUpUnderAYawedParent) {
  TPivot* parent = Pivot();
  parent->RotateEntity(0, 30, 0, 0);
  TPivot* child = Pivot(parent);
  child->RotateEntity(20, 40, 0, 0);
  // Both yaws are about the world y axis, so they add; pitch comes after.
  EXPECT_NEAR(child->EntityYaw(1), 70, 1e-4);
  EXPECT_NEAR(child->EntityPitch(1), 20, 1e-4);
  EXPECT_NEAR(child->EntityRoll(1), 0, 1e-4);
}

// The parent's global angles come from its matrix, where a roll with x and y
// scaled unequally does not read back exactly; the cases avoid that pairing.
TEST_F(Transforms, PositionEntityGlobalPlacesTheChildInTheWorld) {
  struct Case {
    float px, py, pz, pitch, yaw, roll, sx, sy, sz;
  } parents[] = {
      {0, 0, 0, 0, 0, 0, 1, 1, 1},   {10, -3, 4, 0, 90, 0, 1, 1, 1}, {1, 2, 3, 30, 40, 50, 1, 1, 1},
      {-5, 0, 2, 0, 45, 0, 2, 2, 2}, {3, 3, 3, 10, -60, 0, 2, 1, 4},
  };
  for (const Case& p : parents) {
    TPivot* parent = Pivot();
    parent->PositionEntity(p.px, p.py, p.pz, 0);
    parent->RotateEntity(p.pitch, p.yaw, p.roll, 0);
    parent->ScaleEntity(p.sx, p.sy, p.sz, 0);
    TPivot* child = Pivot(parent);
    child->PositionEntity(7, -8, 9, 1);
    SCOPED_TRACE(testing::Message() << "parent yaw " << p.yaw << " scale " << p.sx << ", " << p.sy);
    EXPECT_NEAR(child->EntityX(1), 7, 1e-4);
    EXPECT_NEAR(child->EntityY(1), -8, 1e-4);
    EXPECT_NEAR(child->EntityZ(1), 9, 1e-4);
  }
}

TEST_F(Transforms, PositionEntityGlobalOnARootIsLocal) {
  TPivot* e = Pivot();
  e->RotateEntity(0, 90, 0, 0);
  e->PositionEntity(1, 2, 3, 1);
  EXPECT_EQ(e->px, 1);
  EXPECT_EQ(e->pz, -3);
}

// Parent yawed 90 (turned left, so its +x points along world +z) and scaled 2.
// Global: (1, 0, 0) is turned into the parent's frame, then the parent's
// rotation and scale carry it back: world +x by 2, the scale is not undone.
// Local: the parent's +x, which is world +z, times 2.
TEST_F(Transforms, TranslateEntityMovesAlongTheParentsAxes) {
  TPivot* parent = Pivot();
  parent->RotateEntity(0, 90, 0, 0);
  parent->ScaleEntity(2, 2, 2, 0);
  TPivot* child = Pivot(parent);
  child->TranslateEntity(1, 0, 0, 1);
  EXPECT_NEAR(child->EntityX(1), 2, 1e-5);
  EXPECT_NEAR(child->EntityZ(1), 0, 1e-5);
  TPivot* other = Pivot(parent);
  other->TranslateEntity(1, 0, 0, 0);
  EXPECT_NEAR(other->EntityX(1), 0, 1e-5);
  EXPECT_NEAR(other->EntityZ(1), 2, 1e-5);
  // Translation ignores the entity's own rotation.
  TPivot* root = Pivot();
  root->RotateEntity(0, 90, 0, 0);
  root->TranslateEntity(0, 0, 1, 0);
  EXPECT_EQ(root->EntityZ(0), 1);
  EXPECT_EQ(root->EntityX(0), 0);
}

TEST_F(Transforms, ScaleEntityGlobalDividesByTheAncestorsScales) {
  TPivot* a = Pivot();
  a->ScaleEntity(2, 4, 8, 0);
  TPivot* b = Pivot(a);
  b->ScaleEntity(0.5f, 2, 1, 0);
  TPivot* c = Pivot(b);
  c->ScaleEntity(4, 4, 4, 1);
  EXPECT_EQ(c->sx, 4);     // 4 / 0.5 / 2
  EXPECT_EQ(c->sy, 0.5f);  // 4 / 2 / 4
  EXPECT_EQ(c->sz, 0.5f);  // 4 / 1 / 8
  EXPECT_EQ(c->EntityScaleX(1), 4);
  EXPECT_EQ(c->EntityScaleY(1), 4);
  EXPECT_EQ(c->EntityScaleZ(0), 0.5f);
  ExpectMatNear(c->mat, RefMat::S(4, 4, 4));
}

TEST_F(Transforms, RotateEntityGlobalSubtractsTheParentsAngles) {
  TPivot* parent = Pivot();
  parent->RotateEntity(0, 30, 0, 0);
  TPivot* child = Pivot(parent);
  child->RotateEntity(0, 100, 0, 1);
  EXPECT_NEAR(child->ry, 70, 1e-5);
  EXPECT_NEAR(child->EntityYaw(1), 100, 1e-4);
}

// From the origin: ahead gives 0, 0; to the right (+x) yaw -90; above pitch
// -90 (negative pitch looks up); the roll argument is kept. Straight up or
// down the yaw is arbitrary and not checked.
TEST_F(Transforms, PointEntityTurnsTheForwardAxisToTheTarget) {
  struct Case {
    float tx, ty, tz, pitch, yaw;
    bool vertical;
  } cases[] = {
      {0, 0, 10, 0, 0, false},  {10, 0, 0, 0, -90, false}, {0, 10, 0, -90, 0, true},
      {0, -10, 0, 90, 0, true}, {-5, 0, 0, 0, 90, false},  {10, 0, 10, 0, -45, false},
  };
  for (const Case& c : cases) {
    TPivot* e = Pivot();
    TPivot* t = Pivot();
    t->PositionEntity(c.tx, c.ty, c.tz, 0);
    e->PointEntity(t, 15);
    SCOPED_TRACE(testing::Message() << c.tx << ", " << c.ty << ", " << c.tz);
    EXPECT_NEAR(e->EntityPitch(0), c.pitch, 1e-4);
    if (!c.vertical) {
      EXPECT_NEAR(e->EntityYaw(0), c.yaw, 1e-4);
    }
    EXPECT_EQ(e->EntityRoll(0), 15);
    // Moving forward by the distance lands on the target.
    const float distance = e->EntityDistance(*t);
    e->MoveEntity(0, 0, distance);
    EXPECT_NEAR(e->EntityX(1), c.tx, 1e-4);
    EXPECT_NEAR(e->EntityY(1), c.ty, 1e-4);
    EXPECT_NEAR(e->EntityZ(1), c.tz, 1e-4);
  }
}

TEST_F(Transforms, PointEntityFromAChildUsesWorldPositions) {
  TPivot* parent = Pivot();
  parent->PositionEntity(5, 0, 0, 0);
  parent->RotateEntity(0, 60, 0, 0);
  TPivot* e = Pivot(parent);
  TPivot* t = Pivot();
  t->PositionEntity(5, 0, 10, 0);  // straight ahead of e in the world
  e->PointEntity(t, 0);
  EXPECT_NEAR(e->EntityYaw(1), 0, 1e-4);
  EXPECT_NEAR(e->EntityPitch(1), 0, 1e-4);
}

TEST_F(Transforms, DeltaYawAndPitchIgnoreTheEntitysOwnAngles) {
  TPivot* a = Pivot();
  TPivot* b = Pivot();
  b->PositionEntity(3, 0, 0, 0);
  for (float yaw : {0.0f, 45.0f, -120.0f}) {
    a->RotateEntity(10, yaw, 0, 0);
    EXPECT_NEAR(a->DeltaYaw(*b), -90, 1e-4);
    EXPECT_NEAR(a->DeltaPitch(*b), 0, 1e-4);
  }
  b->PositionEntity(0, 4, 4, 0);  // 45 degrees up, ahead
  EXPECT_NEAR(a->DeltaYaw(*b), 0, 1e-4);
  EXPECT_NEAR(a->DeltaPitch(*b), -45, 1e-4);
}

TEST_F(Transforms, DistancesUseWorldPositions) {
  TPivot* parent = Pivot();
  parent->PositionEntity(1, 0, 0, 0);
  TPivot* a = Pivot(parent);
  a->PositionEntity(2, 0, 0, 0);  // world x 3
  TPivot* b = Pivot();
  b->PositionEntity(0, 4, 0, 0);
  EXPECT_NEAR(a->EntityDistance(*b), 5, 1e-6);
  EXPECT_NEAR(a->EntityDistanceSquared(*b), 25, 1e-5);
  EXPECT_NEAR(a->EntityDistanceSquared0(*b), 25, 1e-5);
}

TEST_F(Transforms, GetMatElementReadsTheStoredMatrixAndChecksItsIndices) {
  TPivot* e = Pivot();
  e->PositionEntity(1, 2, 3, 0);
  EXPECT_EQ(e->GetMatElement(3, 2), -3);
  EXPECT_EQ(e->GetMatElement(3, 3), 1);
  EXPECT_THROW(e->GetMatElement(4, 0), RuntimeError);
  EXPECT_THROW(e->GetMatElement(0, -1), RuntimeError);
}

}  // namespace
