// Swept spheres against triangles and spheres, with contacts worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/collision/sweep_helpers.h"

using namespace collision_test;

namespace {

constexpr float kTol = 1e-4f;

struct SweepCase {
  const char* name;
  Vec3 from, to;
  float radius;
  bool hit;
  float time;
  Vec3 normal;
};

// One detection of a single sweep against one obstacle; returns whether it hit
// and fills the contact results.
bool Detect(const SweepCase& c, const Obstacle& o) {
  CVector* d = C_CreateVecObject(c.to.x, c.to.y, c.to.z);
  CVector* s = C_CreateVecObject(c.from.x, c.from.y, c.from.z);
  CVector* r = C_CreateVecObject(c.radius, c.radius, c.radius);
  CCollisionInfo* info = C_CreateCollisionInfoObject(d, s, r);
  C_UpdateCollisionInfoObject(info, o.target_radius, o.box_a.x, o.box_a.y, o.box_a.z, o.box_b.x, o.box_b.y,
                              o.box_b.z);
  CCollision* coll = C_CreateCollisionObject();
  bool hit = C_CollisionDetect(info, coll, o.tform, o.tree, o.method) == 1;
  C_DeleteCollisionObject(coll);
  C_DeleteCollisionInfoObject(info);
  C_DeleteVecObject(d);
  C_DeleteVecObject(s);
  C_DeleteVecObject(r);
  return hit;
}

void ExpectCases(const std::vector<SweepCase>& cases, const Obstacle& o) {
  for (const SweepCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(Detect(c, o), c.hit);
    if (!c.hit) continue;
    EXPECT_NEAR(C_CollisionTime(), c.time, kTol);
    EXPECT_NEAR(C_CollisionNX(), c.normal.x, kTol);
    EXPECT_NEAR(C_CollisionNY(), c.normal.y, kTol);
    EXPECT_NEAR(C_CollisionNZ(), c.normal.z, kTol);
  }
}

}  // namespace

TEST(SweepTest, SphereIntoPlaneStopsAtItsRadius) {
  CMeshCollider* floor = MakeTree(Floor());
  Placement place;
  // The centre stops 1 above y = 0: from y 5 to y -5 that is at t = 0.4. The
  // contact plane lies 0.001 further out, so the mover rests at y = 1.001.
  for (int response : {1, 2}) {
    Movement m = Move({0, 5, 0}, {0, -5, 0}, {1, 1, 1}, {{place.get(), floor}}, response);
    ASSERT_EQ(m.contacts.size(), 1u);
    EXPECT_NEAR(m.contacts[0].time, 0.4f, kTol);
    EXPECT_NEAR(m.contacts[0].point.y, 0.0f, kTol);
    EXPECT_NEAR(m.contacts[0].normal.y, 1.0f, kTol);
    ASSERT_TRUE(m.moved);
    EXPECT_NEAR(m.position.x, 0.0f, kTol);
    EXPECT_NEAR(m.position.y, 1.001f, kTol);
    EXPECT_NEAR(m.position.z, 0.0f, kTol);
  }
  C_DeleteColTree(floor);
}

TEST(SweepTest, TriangleFaceEdgeVertexAndRay) {
  // One triangle in y = 0 facing +y, with an edge along z at x = 0 from z 0 to 10.
  MeshData tri{{0, 1, 2}, {0, 0, 0, 0, 0, 10, 10, 0, 0}};
  CMeshCollider* tree = MakeTree(tri);
  Placement place;
  Obstacle o{place.get(), tree, 2};
  ExpectCases(
      {
          // Face: the centre reaches y = 1 at t = 0.4.
          {"face", {2, 5, 2}, {2, -5, 2}, 1, true, 0.4f, {0, 1, 0}},
          // Edge: at x = -0.6 the sphere touches the edge when y = 0.8 (0.36 + y^2 = 1).
          {"edge", {-0.6f, 5, 5}, {-0.6f, -5, 5}, 1, true, 0.42f, {-0.6f, 0.8f, 0}},
          // Corner (0, 0, 0): 0.36 + 0.36 + y^2 = 1 gives y = 0.529150.
          {"vertex", {-0.6f, 5, -0.6f}, {-0.6f, -5, -0.6f}, 1, true, 0.4470850f, {-0.6f, 0.529150f, -0.6f}},
          // A ray hits the face, but never the edge beside which it passes.
          {"ray face", {1, 5, 1}, {1, -5, 1}, 0, true, 0.5f, {0, 1, 0}},
          {"ray beside edge", {-0.1f, 5, 5}, {-0.1f, -5, 5}, 0, false, 0, {}},
          // From below: only the front side collides.
          {"back side", {2, -5, 2}, {2, 5, 2}, 1, false, 0, {}},
          // A movement that ends exactly on contact counts.
          {"ends on contact", {1, 3, 1}, {1, 1, 1}, 1, true, 1.0f, {0, 1, 0}},
          {"stops short", {1, 3, 1}, {1, 1.01f, 1}, 1, false, 0, {}},
          // Starting 0.0005 inside is still stopped (t = -0.0005 / 1); 0.002 inside is not.
          {"barely inside", {1, 0.9995f, 1}, {1, -0.0005f, 1}, 1, true, -0.0005f, {0, 1, 0}},
          {"too far inside", {1, 0.998f, 1}, {1, -0.002f, 1}, 1, false, 0, {}},
          {"not moving", {1, 1, 1}, {1, 1, 1}, 1, false, 0, {}},
      },
      o);
  C_DeleteColTree(tree);
}

TEST(SweepTest, SphereAgainstSphere) {
  Placement place({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1.5f, 0});
  Obstacle o{place.get(), nullptr, 1, 2};
  // Radii 1 + 2 = 3: head on (centre line 1.5 below) x^2 + 2.25 = 9 gives x = -2.598076.
  ExpectCases(
      {
          {"offset", {-5, 0, 0}, {5, 0, 0}, 1, true, 0.2401924f, {-0.8660254f, -0.5f, 0}},
          {"head on", {-5, 1.5f, 0}, {5, 1.5f, 0}, 1, true, 0.2f, {-1, 0, 0}},
          {"misses", {-5, 5, 0}, {5, 5, 0}, 1, false, 0, {}},
          {"moving away", {-4, 1.5f, 0}, {-5, 1.5f, 0}, 1, false, 0, {}},
      },
      o);
}

TEST(SweepTest, EarliestContactWinsAcrossObstacles) {
  CMeshCollider* floor = MakeTree(Floor());
  Placement low, high({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 2, 0});
  // The floor raised to y = 2 is met at t = (5 - 3) / 10 = 0.2, before the one at y = 0.
  for (bool high_first : {true, false}) {
    std::vector<Obstacle> obstacles{{low.get(), floor}, {high.get(), floor}};
    if (high_first) std::swap(obstacles[0], obstacles[1]);
    Movement m = Move({0, 5, 0}, {0, -5, 0}, {1, 1, 1}, obstacles, 1);
    ASSERT_EQ(m.contacts.size(), 1u);
    EXPECT_NEAR(m.contacts[0].time, 0.2f, kTol);
    EXPECT_NEAR(m.position.y, 3.001f, kTol);
  }
  C_DeleteColTree(floor);
}

TEST(SweepTest, EqualTimesLetTheLaterObstacleWin) {
  // The same floor twice at one placement: the second test meets the contact
  // at exactly the time held and takes it over.
  CMeshCollider* floor = MakeTree(Floor());
  Placement place;
  CVector* d = C_CreateVecObject(1, -5, 1);
  CVector* s = C_CreateVecObject(1, 5, 1);
  CVector* r = C_CreateVecObject(1, 1, 1);
  CCollisionInfo* info = C_CreateCollisionInfoObject(d, s, r);
  CCollision* coll = C_CreateCollisionObject();
  EXPECT_EQ(C_CollisionDetect(info, coll, place.get(), floor, 2), 1);
  EXPECT_EQ(C_CollisionDetect(info, coll, place.get(), floor, 2), 1);
  EXPECT_NEAR(C_CollisionTime(), 0.4f, kTol);
  C_DeleteCollisionObject(coll);
  C_DeleteCollisionInfoObject(info);
  C_DeleteVecObject(d);
  C_DeleteVecObject(s);
  C_DeleteVecObject(r);
  C_DeleteColTree(floor);
}

TEST(SweepTest, PickReportsThePointOnTheSurface) {
  // A pick has no y scaling and no response: a sphere of radius 0.5 swept
  // from (2, 5, 3) down by 10 touches the floor at t = 0.45, at (2, 0, 3); a
  // ray meets it at t = 0.5. Against a sphere of radius 0.5 (info's target
  // radius) at (2, 0, 3) the centres are 1 apart at t = 0.4, touching at
  // (2, 0.5, 3). The box x 1..3, y -2..0, z 2..4 is met by a ray at its top.
  CMeshCollider* floor = MakeTree(Floor());
  Placement place;
  CVector* v = C_CreateVecObject(0, 0, 0);
  CCollisionInfo* info = C_CreateCollisionInfoObject(v, v, v);
  CLine* line = C_CreateLineObject(2, 5, 3, 0, -10, 0);
  struct {
    float radius;
    int method;
    float target_radius;
    float time;
    float y;
  } cases[] = {{0.5f, 2, 1, 0.45f, 0}, {0, 2, 1, 0.5f, 0}, {0.5f, 1, 0.5f, 0.4f, 0.5f}, {0, 3, 1, 0.5f, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    C_UpdateCollisionInfoObject(info, c.target_radius, 1, -2, 2, 3, 0, 4);
    Placement at_sphere({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {2, 0, 3});
    CCollision* coll = C_CreateCollisionObject();
    ASSERT_EQ(
        C_Pick(info, line, c.radius, coll, c.method == 1 ? at_sphere.get() : place.get(), floor, c.method),
        1);
    C_DeleteCollisionObject(coll);
    EXPECT_NEAR(C_CollisionTime(), c.time, kTol);
    EXPECT_NEAR(C_CollisionX(), 2, kTol);
    EXPECT_NEAR(C_CollisionY(), c.y, kTol);
    EXPECT_NEAR(C_CollisionZ(), 3, kTol);
    EXPECT_NEAR(C_CollisionNY(), 1, kTol);
  }
  C_DeleteLineObject(line);
  C_DeleteCollisionInfoObject(info);
  C_DeleteVecObject(v);
  C_DeleteColTree(floor);
}
