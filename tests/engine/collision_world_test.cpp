// The collision world: rules, type lists, the pass of UpdateWorld and the
// impact queries. Expected contacts are worked out by hand in the comments.
// The library keeps a 0.001 gap in front of a plane it slides or stops on,
// hence the tolerances.
#include "engine/collision_world.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/runtime_error.h"
#include "engine/collision_pair.h"
#include "engine/ostrel.h"
#include "engine_fixture.h"

namespace {

constexpr float kTol = 0.01f;

class CollisionWorldTest : public EngineTest {
 protected:
  void TearDown() override {
    EngineTest::TearDown();
    ClearCollisions();
  }

  // A 20 x 20 quad in the plane z = z, spanning -10..10 in x and y, that
  // collides on its -z side: (v1 - v0) x (v2 - v0) = (0, 20, 0) x (20, 20, 0)
  // = (0, 0, -400), and likewise for the second triangle.
  static TMesh* Wall(float z) {
    TMesh* mesh = CreateMesh();
    TSurface* s = CreateSurface(mesh);
    AddVertex(s, -10, -10, z);
    AddVertex(s, -10, 10, z);
    AddVertex(s, 10, 10, z);
    AddVertex(s, 10, -10, z);
    AddTriangle(s, 0, 1, 2);
    AddTriangle(s, 0, 2, 3);
    return mesh;
  }

  // A mover of type 1 at (x, y, z), its previous position set there.
  static TPivot* Mover(float x, float y, float z) {
    TPivot* p = CreatePivot();
    PositionEntity(p, x, y, z);
    EntityType(p, 1);
    return p;
  }
};

TEST_F(CollisionWorldTest, SphereMovingIntoAWallStopsAtItsRadius) {
  // Radius 1 moving from z 0 to z 10 into the wall at z 5: the centre stops
  // at z 4, the contact point is (0, 0, 5) at time 0.4 with normal -z.
  for (int response : {1, 2}) {
    TMesh* wall = Wall(5);
    EntityType(wall, 2);
    Collisions(1, 2, 2, response);
    TPivot* ball = Mover(0, 0, 0);
    PositionEntity(ball, 0, 0, 10);
    UpdateWorld();
    EXPECT_NEAR(EntityZ(ball), 4, kTol) << "response " << response;
    EXPECT_NEAR(EntityX(ball), 0, kTol);
    ASSERT_EQ(CountCollisions(ball), 1);
    EXPECT_NEAR(CollisionZ(ball, 1), 5, kTol);
    EXPECT_NEAR(CollisionNZ(ball, 1), -1, kTol);
    EXPECT_NEAR(CollisionTime(ball, 1), 0.4f, kTol);
    EXPECT_EQ(EntityCollided(ball, 2), wall);
    FreeEntity(ball);
    FreeEntity(wall);
  }
}

TEST_F(CollisionWorldTest, SlidingKeepsTheTangentialMotionAndStopDoesNot) {
  // From (0, 0, 0) to (3, 0, 10): contact at t 0.4, centre (1.2, 0, 4).
  // Slide: the remaining (1.8, 0, 6) loses its normal part, leaving (1.8, 0,
  // 0), so the ball ends at (3, 0, 4). Stop: it stays at (1.2, 0, 4).
  struct Case {
    int response;
    float x;
  } cases[] = {{2, 3.0f}, {1, 1.2f}, {3, 3.0f}};
  for (const Case& c : cases) {
    TMesh* wall = Wall(5);
    EntityType(wall, 2);
    Collisions(1, 2, 2, c.response);
    TPivot* ball = Mover(0, 0, 0);
    PositionEntity(ball, 3, 0, 10);
    UpdateWorld();
    EXPECT_NEAR(EntityX(ball), c.x, kTol) << "response " << c.response;
    EXPECT_NEAR(EntityZ(ball), 4, kTol) << "response " << c.response;
    FreeEntity(ball);
    FreeEntity(wall);
  }
}

TEST_F(CollisionWorldTest, LimitedSlideDoesNotSlideDownASlopeWhenFallingStraight) {
  // The ramp y = z, colliding on its upper side: (v1 - v0) x (v2 - v0) =
  // (0, 20, 20) x (20, 20, 20) = (0, 400, -400). A ball of radius 1 dropped
  // from (0, 5, 0) to (0, -5, 0) touches it when y / sqrt 2 = 1, at y 1.414.
  // Full slide moves the remaining 6.414 of fall along the ramp: half of it
  // down and half towards -z, ending at (0, -1.793, -3.207). The limited
  // slide has no horizontal travel left to spend, so the ball stays.
  struct Case {
    int response;
    float y, z;
  } cases[] = {{2, -1.793f, -3.207f}, {3, 1.414f, 0.0f}, {1, 1.414f, 0.0f}};
  for (const Case& c : cases) {
    TMesh* ramp = CreateMesh();
    TSurface* s = CreateSurface(ramp);
    AddVertex(s, -10, -10, -10);
    AddVertex(s, -10, 10, 10);
    AddVertex(s, 10, 10, 10);
    AddVertex(s, 10, -10, -10);
    AddTriangle(s, 0, 1, 2);
    AddTriangle(s, 0, 2, 3);
    EntityType(ramp, 2);
    Collisions(1, 2, 2, c.response);
    TPivot* ball = Mover(0, 5, 0);
    PositionEntity(ball, 0, -5, 0);
    UpdateWorld();
    EXPECT_NEAR(EntityY(ball), c.y, kTol) << "response " << c.response;
    EXPECT_NEAR(EntityZ(ball), c.z, kTol) << "response " << c.response;
    EXPECT_NEAR(CollisionNY(ball, 1), std::sqrt(0.5f), kTol);
    EXPECT_NEAR(CollisionNZ(ball, 1), -std::sqrt(0.5f), kTol);
    FreeEntity(ball);
    FreeEntity(ramp);
  }
}

TEST_F(CollisionWorldTest, SphereAndBoxObstacles) {
  // An obstacle at (0, 0, 10); the ball of radius 1 moves from the origin to
  // (0, 0, 10) and stops. Method 1: a sphere of radius 2, so the centres stop
  // 3 apart (z 7) and the contact point is at z 8. Method 3: the box
  // -2..2 on every axis, face at z 8, so again z 7 and contact z 8; the
  // default box -1..1 has its face at z 9 (centre stops at 8).
  struct Case {
    int method;
    bool big_box;
    float z;
  } cases[] = {{1, false, 7}, {3, true, 7}, {3, false, 8}};
  for (const Case& c : cases) {
    TPivot* obstacle = CreatePivot();
    PositionEntity(obstacle, 0, 0, 10);
    EntityType(obstacle, 2);
    EntityRadius(obstacle, 2);
    if (c.big_box) EntityBox(obstacle, -2, -2, -2, 4, 4, 4);
    Collisions(1, 2, c.method, 1);
    TPivot* ball = Mover(0, 0, 0);
    PositionEntity(ball, 0, 0, 10);
    UpdateWorld();
    EXPECT_NEAR(EntityZ(ball), c.z, kTol) << "method " << c.method;
    ASSERT_EQ(CountCollisions(ball), 1);
    EXPECT_NEAR(CollisionZ(ball, 1), c.z + 1, kTol);
    EXPECT_NEAR(CollisionNZ(ball, 1), -1, kTol);
    EXPECT_EQ(CollisionEntity(ball, 1), obstacle);
    EXPECT_EQ(CollisionSurface(ball, 1), nullptr);
    FreeEntity(ball);
    FreeEntity(obstacle);
  }
}

TEST_F(CollisionWorldTest, PolygonRuleFindsNothingInAnEntityThatIsNotAMesh) {
  TPivot* obstacle = CreatePivot();
  PositionEntity(obstacle, 0, 0, 5);
  EntityType(obstacle, 2);
  Collisions(1, 2, 2, 2);
  TPivot* ball = Mover(0, 0, 0);
  PositionEntity(ball, 0, 0, 10);
  UpdateWorld();
  EXPECT_EQ(EntityZ(ball), 10);
  EXPECT_EQ(CountCollisions(ball), 0);
}

TEST_F(CollisionWorldTest, EllipsoidUsesItsYRadiusVertically) {
  // A floor at y 0 facing up: the wall quad pitched by 90 (looking down, so
  // its -z side faces +y). An ellipsoid 1 wide and 2 tall falling onto it stops with its
  // centre at y 2; EntityRadius(1, 0) is a sphere and stops at y 1.
  struct Case {
    float ry, y;
  } cases[] = {{2, 2}, {0, 1}};
  for (const Case& c : cases) {
    TMesh* floor = Wall(0);
    RotateEntity(floor, 90, 0, 0);
    EntityType(floor, 2);
    Collisions(1, 2, 2, 2);
    TPivot* ball = Mover(0, 10, 0);
    EntityRadius(ball, 1, c.ry);
    PositionEntity(ball, 0, -10, 0);
    UpdateWorld();
    EXPECT_NEAR(EntityY(ball), c.y, kTol) << "ry " << c.ry;
    EXPECT_NEAR(CollisionNY(ball, 1), 1, kTol);
    FreeEntity(ball);
    FreeEntity(floor);
  }
}

TEST_F(CollisionWorldTest, TheGameBallReportsThePaddleItRunsInto) {
  // The paddle: a cube (-1..1) scaled by (4, 4, 16) at z 20 spans z 4..36.
  // The ball (a sphere mesh, default radius 1) moves 0.4 a frame towards it
  // from the origin: frame 7 (counting from 0) asks for z 3.2, past z 3
  // where it touches, so it is held at z 3 and EntityCollided reports the
  // paddle; before that, nothing.
  Collisions(1, 2, 2, 2);
  TMesh* paddle = CreateCube();
  ScaleEntity(paddle, 4, 4, 16);
  PositionEntity(paddle, 0, 0, 20);
  EntityType(paddle, 2);
  TMesh* other = CreateCube();
  ScaleEntity(other, 4, 4, 16);
  PositionEntity(other, 0, 0, -20);
  EntityType(other, 2);
  TMesh* ball = CreateSphere();
  EntityType(ball, 1);
  int frame = 0;
  for (; frame < 10; ++frame) {
    TranslateEntity(ball, 0, 0, 0.4f);
    UpdateWorld();
    if (EntityCollided(ball, 2)) break;
  }
  EXPECT_EQ(frame, 7);
  EXPECT_EQ(EntityCollided(ball, 2), paddle);
  EXPECT_EQ(EntityCollided(paddle, 1), ball);
  EXPECT_EQ(EntityCollided(other, 1), nullptr);
  EXPECT_NEAR(EntityZ(ball), 3, kTol);
  EXPECT_NEAR(CollisionZ(ball, 1), 4, kTol);
  EXPECT_NEAR(CollisionNZ(ball, 1), -1, kTol);
  EXPECT_EQ(CollisionSurface(ball, 1), GetSurface(paddle, 1));
  // Moving along the face (x) while pressed against it slides and still
  // reports the paddle; moving away reports nothing.
  TranslateEntity(ball, 1, 0, 0.5f);
  UpdateWorld();
  EXPECT_NEAR(EntityX(ball), 1, kTol);
  EXPECT_NEAR(EntityZ(ball), 3, kTol);
  EXPECT_EQ(EntityCollided(ball, 2), paddle);
  TranslateEntity(ball, 0, 0, -1);
  UpdateWorld();
  EXPECT_EQ(EntityCollided(ball, 2), nullptr);
  EXPECT_EQ(EntityCollided(paddle, 1), nullptr);
}

TEST_F(CollisionWorldTest, ImpactsAreReadThroughEveryQueryAndOnlyInRange) {
  // The slide of the wall case: contact (1.2, 0, 5), normal (0, 0, -1), at
  // time 0.4, on surface 1, triangle 1 (the corners 0, 2, 3 hold the points
  // with y < x).
  TMesh* wall = Wall(5);
  EntityType(wall, 2);
  Collisions(1, 2, 2, 2);
  TPivot* ball = Mover(0, 0, 0);
  PositionEntity(ball, 3, 0, 10);
  UpdateWorld();
  ASSERT_EQ(CountCollisions(ball), 1);
  EXPECT_NEAR(CollisionX(ball, 1), 1.2f, kTol);
  EXPECT_NEAR(CollisionY(ball, 1), 0, kTol);
  EXPECT_NEAR(CollisionZ(ball, 1), 5, kTol);
  EXPECT_NEAR(CollisionNX(ball, 1), 0, kTol);
  EXPECT_NEAR(CollisionNY(ball, 1), 0, kTol);
  EXPECT_NEAR(CollisionNZ(ball, 1), -1, kTol);
  EXPECT_NEAR(CollisionTime(ball, 1), 0.4f, kTol);
  EXPECT_EQ(CollisionEntity(ball, 1), wall);
  EXPECT_EQ(CollisionSurface(ball, 1), GetSurface(wall, 1));
  EXPECT_EQ(CollisionTriangle(ball, 1), 1);
  for (int i : {0, 2, -1}) {
    EXPECT_EQ(CollisionX(ball, i), 0);
    EXPECT_EQ(CollisionY(ball, i), 0);
    EXPECT_EQ(CollisionZ(ball, i), 0);
    EXPECT_EQ(CollisionNX(ball, i), 0);
    EXPECT_EQ(CollisionNY(ball, i), 0);
    EXPECT_EQ(CollisionNZ(ball, i), 0);
    EXPECT_EQ(CollisionTime(ball, i), 0);
    EXPECT_EQ(CollisionEntity(ball, i), nullptr);
    EXPECT_EQ(CollisionSurface(ball, i), nullptr);
    EXPECT_EQ(CollisionTriangle(ball, i), 0);
  }
  // The next update replaces the impacts: the ball has not moved.
  UpdateWorld();
  EXPECT_EQ(CountCollisions(ball), 0);
  EXPECT_EQ(CollisionEntity(ball, 1), nullptr);
}

TEST_F(CollisionWorldTest, AMoverThatDidNotMoveIsNotTested) {
  // The ball overlaps the wall's plane but has not moved since EntityType;
  // then the wall moves onto it: neither records anything.
  TMesh* wall = Wall(0);
  EntityType(wall, 2);
  Collisions(1, 2, 2, 2);
  Collisions(2, 1, 1, 1);
  TPivot* ball = Mover(0, 0, -0.5f);
  UpdateWorld();
  EXPECT_EQ(CountCollisions(ball), 0);
  PositionEntity(wall, 0, 0, -1);
  UpdateWorld();
  EXPECT_EQ(CountCollisions(ball), 0);
  EXPECT_EQ(EntityZ(ball), -0.5f);
  EXPECT_EQ(QuickCheck(*ball, *wall), 0);
  TranslateEntity(ball, 0, 0, 0.25f);
  EXPECT_EQ(QuickCheck(*ball, *wall), 1);
}

TEST_F(CollisionWorldTest, ResetEntityDropsImpactsAndTheSweepSinceTheLastUpdate) {
  TMesh* wall = Wall(5);
  EntityType(wall, 2);
  Collisions(1, 2, 2, 2);
  TPivot* ball = Mover(0, 0, 0);
  PositionEntity(ball, 0, 0, 10);
  UpdateWorld();
  ASSERT_EQ(CountCollisions(ball), 1);
  // Teleported behind the wall and reset: no sweep through it, no impacts.
  PositionEntity(ball, 0, 0, 20);
  ResetEntity(ball);
  EXPECT_EQ(CountCollisions(ball), 0);
  EXPECT_EQ(CollisionEntity(ball, 1), nullptr);
  UpdateWorld();
  EXPECT_EQ(EntityZ(ball), 20);
  EXPECT_EQ(CountCollisions(ball), 0);
  // Without the reset a jump back through the wall's front is swept: it
  // collides only from its -z side, so jump to z 0 then forward again.
  PositionEntity(ball, 0, 0, 0);
  ResetEntity(ball);
  PositionEntity(ball, 0, 0, 20);
  UpdateWorld();
  EXPECT_NEAR(EntityZ(ball), 4, kTol);
}

TEST_F(CollisionWorldTest, HiddenMoverKeepsItsPreviousPosition) {
  TMesh* wall = Wall(5);
  EntityType(wall, 2);
  Collisions(1, 2, 2, 2);
  TPivot* ball = Mover(0, 0, 0);
  HideEntity(ball);
  PositionEntity(ball, 0, 0, 10);
  UpdateWorld();
  EXPECT_EQ(EntityZ(ball), 10);
  // Shown again, it is swept from where it was hidden.
  ShowEntity(ball);
  UpdateWorld();
  EXPECT_NEAR(EntityZ(ball), 4, kTol);
}

TEST_F(CollisionWorldTest, TypesJoinAndLeaveTheirLists) {
  TPivot* parent = CreatePivot();
  TPivot* child = CreatePivot(parent);
  EntityType(parent, 3, 1);
  ASSERT_NE(TCollisionPair::ent_lists[3], nullptr);
  EXPECT_EQ(TCollisionPair::ent_lists[3]->Count(), 2);
  EXPECT_EQ(GetEntityType(child), 3);
  EntityType(child, 4);
  EXPECT_EQ(TCollisionPair::ent_lists[3]->Count(), 1);
  EXPECT_EQ(TCollisionPair::ent_lists[4]->First(), child);
  // Setting the type it has changes no list.
  EntityType(child, 4);
  EXPECT_EQ(TCollisionPair::ent_lists[4]->Count(), 1);
  // A copy joins its source's list; freeing leaves it.
  TEntity* copy = CopyEntity(child);
  EXPECT_EQ(TCollisionPair::ent_lists[4]->Count(), 2);
  EXPECT_EQ(TCollisionPair::ent_lists[4]->Last(), copy);
  FreeEntity(copy);
  EXPECT_EQ(TCollisionPair::ent_lists[4]->Count(), 1);
  // Freeing a parent takes its subtree out of every list.
  FreeEntity(parent);
  EXPECT_EQ(TCollisionPair::ent_lists[3]->Count(), 0);
  EXPECT_EQ(TCollisionPair::ent_lists[4]->Count(), 0);
  // Type 0 joins nothing.
  TPivot* none = CreatePivot();
  EntityType(none, 0);
  EXPECT_EQ(TCollisionPair::ent_lists[0], nullptr);
}

TEST_F(CollisionWorldTest, TypesOutsideTheRangeAreIgnored) {
  TPivot* p = CreatePivot();
  EntityType(p, 5);
  for (int type : {100, -1, 1 << 30}) {
    EntityType(p, type);
    EXPECT_EQ(GetEntityType(p), 5);
    EXPECT_EQ(EntityCollided(p, type), nullptr);
  }
  EXPECT_EQ(TCollisionPair::ent_lists[5]->Count(), 1);
  Collisions(5, 200, 2, 2);
  Collisions(-3, 5, 2, 2);
  PositionEntity(p, 1, 2, 3);
  UpdateWorld();
  EXPECT_EQ(EntityX(p), 1);
}

TEST_F(CollisionWorldTest, FreeingAnObstacleClearsItFromImpacts) {
  TMesh* wall = Wall(5);
  EntityType(wall, 2);
  Collisions(1, 2, 2, 2);
  TPivot* ball = Mover(0, 0, 0);
  PositionEntity(ball, 0, 0, 10);
  UpdateWorld();
  ASSERT_EQ(EntityCollided(ball, 2), wall);
  FreeEntity(wall);
  EXPECT_EQ(CountCollisions(ball), 1);
  EXPECT_EQ(CollisionEntity(ball, 1), nullptr);
  EXPECT_EQ(CollisionSurface(ball, 1), nullptr);
  EXPECT_EQ(EntityCollided(ball, 2), nullptr);
  // And a freed mover no longer answers for its obstacle.
  TMesh* wall2 = Wall(5);
  EntityType(wall2, 2);
  PositionEntity(ball, 0, 0, 0);
  ResetEntity(ball);
  PositionEntity(ball, 0, 0, 10);
  UpdateWorld();
  ASSERT_EQ(EntityCollided(wall2, 1), ball);
  FreeEntity(ball);
  EXPECT_EQ(EntityCollided(wall2, 1), nullptr);
}

TEST_F(CollisionWorldTest, TheTreeIsRebuiltAfterTheMeshGeometryChanges) {
  // Moving the vertices by 5 moves the contact from z 4 to z 9.
  TMesh* wall = Wall(5);
  EntityType(wall, 2);
  Collisions(1, 2, 2, 1);
  TPivot* ball = Mover(0, 0, 0);
  PositionEntity(ball, 0, 0, 20);
  UpdateWorld();
  EXPECT_NEAR(EntityZ(ball), 4, kTol);
  PositionMesh(wall, 0, 0, 5);
  PositionEntity(ball, 0, 0, 0);
  ResetEntity(ball);
  PositionEntity(ball, 0, 0, 20);
  UpdateWorld();
  EXPECT_NEAR(EntityZ(ball), 9, kTol);
}

TEST_F(CollisionWorldTest, MeshVerticesPastTheTreeLimitAreLeftOut) {
  // 40000 vertices in one surface. The wall's first triangle at z 5 uses
  // vertices 0..2; a second wall at z 3 uses vertices 39997..39999, past the
  // 32768 the tree can address, so it is never hit.
  TMesh* mesh = CreateMesh();
  TSurface* s = CreateSurface(mesh);
  for (int v = 0; v < 40000; ++v) AddVertex(s, 0, 0, 0);
  VertexCoords(s, 0, -10, -10, 5);
  VertexCoords(s, 1, -10, 10, 5);
  VertexCoords(s, 2, 10, 10, 5);
  VertexCoords(s, 39997, -10, -10, 3);
  VertexCoords(s, 39998, -10, 10, 3);
  VertexCoords(s, 39999, 10, 10, 3);
  AddTriangle(s, 0, 1, 2);
  AddTriangle(s, 39997, 39998, 39999);
  EntityType(mesh, 2);
  Collisions(1, 2, 2, 1);
  TPivot* ball = Mover(-5, 5, 0);
  PositionEntity(ball, -5, 5, 10);
  UpdateWorld();
  EXPECT_NEAR(EntityZ(ball), 4, kTol);
  EXPECT_EQ(CollisionTriangle(ball, 1), 0);
}

TEST_F(CollisionWorldTest, FlatFunctionsCheckTheirEntity) {
  TPivot* freed = CreatePivot();
  FreeEntity(freed);
  try {
    EntityType(nullptr, 1);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "EntityType: null entity");
  }
  try {
    EntityCollided(freed, 1);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "EntityCollided: freed or invalid entity");
  }
}

}  // namespace
