// Responses to contacts: stopping, sliding, limited sliding, ellipsoids and
// the movements that fail, with positions worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/collision/sweep_helpers.h"

using namespace collision_test;

namespace {

constexpr float kTol = 1e-4f;
constexpr double kPi = 3.14159265358979323846;

// A wall in the plane x = 0, y and z from -10 to 10, facing -x.
MeshData Wall() { return {{0, 1, 2, 0, 2, 3}, {0, -10, -10, 0, -10, 10, 0, 10, 10, 0, 10, -10}}; }

// The plane y = x facing (-1, 1, 0) / sqrt 2, x and z from -10 to 10.
MeshData Slope() { return {{0, 1, 2, 0, 2, 3}, {-10, -10, -10, -10, -10, 10, 10, 10, 10, 10, 10, -10}}; }

// A profile in the x-y plane stretched along z from -10 to 10; each pair of
// neighbouring points gives a facet facing left of the way the profile runs.
MeshData Extrude(const std::vector<Vec3>& profile) {
  MeshData m;
  for (const Vec3& p : profile) m.verts.insert(m.verts.end(), {p.x, p.y, -10, p.x, p.y, 10});
  for (size_t k = 0; k + 1 < profile.size(); ++k) {
    int16_t a = static_cast<int16_t>(2 * k);
    m.tris.insert(m.tris.end(), {a, int16_t(a + 1), int16_t(a + 3), a, int16_t(a + 3), int16_t(a + 2)});
  }
  return m;
}

void ExpectAt(Vec3 got, Vec3 want) {
  EXPECT_NEAR(got.x, want.x, kTol);
  EXPECT_NEAR(got.y, want.y, kTol);
  EXPECT_NEAR(got.z, want.z, kTol);
}

}  // namespace

TEST(ResponseTest, SlidingAlongAWallKeepsTheTangentialMotion) {
  // From (-3, 0, 0) by (4, 0, 4): the centre meets x = -1 halfway, at
  // (-1, 0, 2). The slide then keeps all of the z motion and ends at z = 4,
  // 0.001 off the contact plane.
  CMeshCollider* wall = MakeTree(Wall());
  Placement place;
  Movement m = Move({-3, 0, 0}, {1, 0, 4}, {1, 1, 1}, {{place.get(), wall}}, 2);
  ASSERT_EQ(m.contacts.size(), 1u);
  EXPECT_NEAR(m.contacts[0].time, 0.5f, kTol);
  ExpectAt(m.contacts[0].point, {0, 0, 2});
  ExpectAt(m.contacts[0].normal, {-1, 0, 0});
  ASSERT_TRUE(m.moved);
  ExpectAt(m.position, {-1.001f, 0, 4});
  C_DeleteColTree(wall);
}

TEST(ResponseTest, TheThreeResponsesOnASlope) {
  // A ball dropping from (0, 5, 0) to (0, -5, 0) meets the slope y = x when
  // its centre is sqrt 2 above the origin (t = 0.358579). The contact plane
  // lies 0.001 out, so the stretch is cut at t = 0.358437, y = 1.415628.
  // Sliding projects (0, -5, 0) onto that plane: (-3.207814, -1.792186, 0),
  // 4.5366 away, within the 6.4156 left to travel. Limiting the horizontal
  // length to the horizontal distance left (none) keeps the ball in place.
  CMeshCollider* slope = MakeTree(Slope());
  Placement place;
  struct {
    int response;
    Vec3 end;
  } cases[] = {{1, {0, 1.415628f, 0}}, {2, {-3.207814f, -1.792186f, 0}}, {3, {0, 1.415628f, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.response);
    Movement m = Move({0, 5, 0}, {0, -5, 0}, {1, 1, 1}, {{place.get(), slope}}, c.response);
    ASSERT_EQ(m.contacts.size(), 1u);
    EXPECT_NEAR(m.contacts[0].time, 0.3585786f, kTol);
    ExpectAt(m.contacts[0].normal, {-0.7071068f, 0.7071068f, 0});
    ASSERT_TRUE(m.moved);
    ExpectAt(m.position, c.end);
  }
  C_DeleteColTree(slope);
}

TEST(ResponseTest, EllipsoidsAreScaledIntoSpheresAndBack) {
  CMeshCollider* floor = MakeTree(Floor());
  CMeshCollider* wall = MakeTree(Wall());
  Placement place;
  struct {
    const char* name;
    CMeshCollider* tree;
    Vec3 from, to, radii;
    float time;
    Vec3 end;
  } cases[] = {
      // Radii (2, 1): y doubled, so the sphere of radius 2 falls from 10 to -10
      // and stops at scaled y 2 (t = 0.4); back in the world the centre rests
      // at 2.001 / 2 = 1.0005, one y radius above the floor.
      {"wide onto floor", floor, {0, 5, 0}, {0, -5, 0}, {2, 1, 2}, 0.4f, {0, 1.0005f, 0}},
      // Radii (1, 2): y halved, 2.5 to -2.5, contact at scaled y 1 (t = 0.3),
      // resting at 1.001 * 2 = 2.002.
      {"tall onto floor", floor, {0, 5, 0}, {0, -5, 0}, {1, 2, 1}, 0.3f, {0, 2.002f, 0}},
      // Sideways the x radius counts: the wide one stops 2 before x = 0.
      {"wide into wall", wall, {-5, 0, 0}, {5, 0, 0}, {2, 1, 2}, 0.3f, {-2.001f, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Movement m = Move(c.from, c.to, c.radii, {{place.get(), c.tree}}, 1);
    ASSERT_EQ(m.contacts.size(), 1u);
    EXPECT_NEAR(m.contacts[0].time, c.time, kTol);
    ExpectAt(m.contacts[0].point, {0, 0, 0});
    ASSERT_TRUE(m.moved);
    ExpectAt(m.position, c.end);
  }
  C_DeleteColTree(floor);
  C_DeleteColTree(wall);
}

TEST(ResponseTest, SlidingIntoACornerFollowsTheCrease) {
  // The ball lands on the floor (t = 0.25), slides towards +x and +z and
  // meets a wall leaning over it, normal (-2, -1, 0) / sqrt 5 through the
  // origin. Projecting the target onto the wall would push it into the floor,
  // so the slide follows the line where the two contact planes meet: y = 1.001
  // and (-2x - y) / sqrt 5 = 1.001, so x = -1.001 (sqrt 5 + 1) / 2. It keeps
  // the target's z of 4.
  CMeshCollider* floor = MakeTree(Floor());
  CMeshCollider* wall = MakeTree(Extrude({{0.5f, -1, 0}, {-5, 10, 0}}));
  Placement place;
  Movement m = Move({-4, 2, 0}, {0, -2, 4}, {1, 1, 1}, {{place.get(), floor}, {place.get(), wall}}, 2);
  ASSERT_EQ(m.contacts.size(), 2u);
  EXPECT_NEAR(m.contacts[0].time, 0.25f, kTol);
  ExpectAt(m.contacts[1].normal, {-0.894427f, -0.447214f, 0});
  ASSERT_TRUE(m.moved);
  ExpectAt(m.position, {-1.619652f, 1.001f, 4});
  C_DeleteColTree(floor);
  C_DeleteColTree(wall);
}

TEST(ResponseTest, TenContactsPutTheMoverBackAtItsStart) {
  // A floor running into a quarter pipe of radius 5 around (0, 5), in facets
  // of 5 degrees. A ball rolling in at y = 1.5 first meets the pipe near 29
  // degrees and then every facet after it, one contact each.
  std::vector<Vec3> profile{{-30, 0, 0}};
  for (int k = 0; k <= 18; ++k) {
    double a = k * 5 * kPi / 180;
    profile.push_back({static_cast<float>(5 * std::sin(a)), static_cast<float>(5 - 5 * std::cos(a)), 0});
  }
  CMeshCollider* pipe = MakeTree(Extrude(profile));
  Placement place;
  Movement m = Move({-10, 1.5f, 0}, {10, 1.5f, 0}, {1, 1, 1}, {{place.get(), pipe}}, 2);
  ASSERT_EQ(m.contacts.size(), 10u);
  for (const Contact& c : m.contacts) {
    // Every contact point lies on a facet: between the facet's middle
    // (5 cos 2.5 degrees from the centre) and its ends (5).
    double r = std::hypot(c.point.x, c.point.y - 5);
    EXPECT_GE(r, 5 * std::cos(2.5 * kPi / 180) - 1e-3);
    EXPECT_LE(r, 5 + 1e-3);
  }
  ASSERT_TRUE(m.moved);
  ExpectAt(m.position, {-10, 1.5f, 0});
  C_DeleteColTree(pipe);
}

TEST(ResponseTest, SqueezedBetweenNearlyParallelPlanesTheMoverGoesBack) {
  // A floor at y = 0 and a ceiling that sinks by tan 0.05 degrees per unit
  // from y = 2.21 at x = 0: the ball lands on the floor at x = 60, slides
  // along it and wedges where the gap is 2.001 (near x = 240). The two
  // normals differ by less than the tolerance of 0.999999 in their dot
  // product, so the movement fails and ends where it started.
  float s = static_cast<float>(std::tan(0.05 * kPi / 180));
  MeshData plates = Extrude({{-10, 0, 0}, {400, 0, 0}});
  MeshData ceiling = Extrude({{400, 2.21f - 400 * s, 0}, {-10, 2.21f + 10 * s, 0}});
  CMeshCollider* floor = MakeTree(plates);
  CMeshCollider* roof = MakeTree(ceiling);
  Placement place;
  Movement m = Move({0, 1.2f, 0}, {300, 0.2f, 0}, {1, 1, 1}, {{place.get(), floor}, {place.get(), roof}}, 2);
  ASSERT_EQ(m.contacts.size(), 2u);
  EXPECT_NEAR(m.contacts[0].normal.y, 1, kTol);
  EXPECT_NEAR(m.contacts[1].normal.y, -1, kTol);
  EXPECT_NEAR(m.contacts[1].point.x, 240, 2);
  ASSERT_TRUE(m.moved);
  ExpectAt(m.position, {0, 1.2f, 0});
  C_DeleteColTree(floor);
  C_DeleteColTree(roof);
}

TEST(ResponseTest, NoContactLeavesTheMoverAlone) {
  CMeshCollider* floor = MakeTree(Floor());
  Placement place;
  Movement m = Move({0, 5, 0}, {3, 2, 0}, {1, 1, 1}, {{place.get(), floor}}, 2);
  EXPECT_TRUE(m.contacts.empty());
  EXPECT_FALSE(m.moved);
  C_DeleteColTree(floor);
}
