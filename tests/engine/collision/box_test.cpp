// Swept spheres against boxes (method 3) and against a scaled cube mesh (the
// game's paddle), with contacts worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/collision/sweep_helpers.h"

using namespace collision_test;

namespace {

constexpr float kTol = 1e-4f;

struct BoxCase {
  const char* name;
  float y, z;  // the sweep runs from x = -5 to x = 5 at this height and depth
  bool hit;
  float time;
  Vec3 normal;
};

void ExpectBoxCases(const Obstacle& box) {
  const BoxCase cases[] = {
      // Face x = -1: the centre stops at x = -2, t = 0.3.
      {"face", 0, 0, true, 0.3f, {-1, 0, 0}},
      // Edge (x -1, y 1) along z: (x + 1)^2 + 0.6^2 = 1 gives x = -1.8, t = 0.32.
      {"edge", 1.6f, 0, true, 0.32f, {-0.8f, 0.6f, 0}},
      // Corner (-1, 1, 1): (x + 1)^2 + 0.4^2 + 0.4^2 = 1 gives x = -1.824621.
      {"corner", 1.4f, 1.4f, true, 0.3175379f, {-0.824621f, 0.4f, 0.4f}},
      // Farther than the radius from every edge and corner.
      {"miss", 1.8f, 1.8f, false, 0, {}},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    Movement m = Move({-5, c.y, c.z}, {5, c.y, c.z}, {1, 1, 1}, {box}, 1);
    ASSERT_EQ(m.contacts.size(), c.hit ? 1u : 0u);
    if (!c.hit) continue;
    EXPECT_NEAR(m.contacts[0].time, c.time, kTol);
    EXPECT_NEAR(m.contacts[0].normal.x, c.normal.x, kTol);
    EXPECT_NEAR(m.contacts[0].normal.y, c.normal.y, kTol);
    EXPECT_NEAR(m.contacts[0].normal.z, c.normal.z, kTol);
  }
}

}  // namespace

TEST(BoxTest, FaceEdgeAndCornerOfABox) {
  Placement place;
  ExpectBoxCases({place.get(), nullptr, 3});
}

TEST(BoxTest, BoxFollowsRotationButNotScale) {
  // The box x 0..2, y -1..1, z 0..2 turned a quarter about y (local x runs
  // along -z, local z along x) covers x 0..2, z -2..0; moved by (-1, 0, 1) it
  // is the cube above again. The columns carry a scale of 3, which the box
  // ignores, and the normals come back turned into the world.
  Placement place({0, 0, -3}, {0, 3, 0}, {3, 0, 0}, {-1, 0, 1});
  Obstacle box{place.get(), nullptr, 3, 1, {0, -1, 0}, {2, 1, 2}};
  ExpectBoxCases(box);
}

TEST(BoxTest, BallIntoScaledCubeMeshReportsThePaddle) {
  // A cube of edge 2 scaled by 4, 4, 16 is an 8 x 8 x 32 paddle. A ball of
  // radius 1 moving along x at z = 3 meets its face x = -4 with its centre at
  // x = -5, halfway, and comes to rest 0.001 before it.
  CMeshCollider* cube = MakeTree(Cube(), 3);
  Placement place({4, 0, 0}, {0, 4, 0}, {0, 0, 16});
  for (int response : {1, 2, 3}) {
    SCOPED_TRACE(response);
    Movement m = Move({-10, 0, 3}, {0, 0, 3}, {1, 1, 1}, {{place.get(), cube}}, response);
    ASSERT_EQ(m.contacts.size(), 1u);
    const Contact& c = m.contacts[0];
    EXPECT_NEAR(c.time, 0.5f, kTol);
    EXPECT_NEAR(c.normal.x, -1, kTol);
    EXPECT_NEAR(c.point.x, -4, kTol);
    EXPECT_NEAR(c.point.z, 3, kTol);
    // Face x minimum is the fourth face; local (y 0, z 0.1875) lies in its second triangle.
    EXPECT_EQ(c.surface, 3);
    EXPECT_EQ(c.triangle, 7);
    ASSERT_TRUE(m.moved);
    EXPECT_NEAR(m.position.x, -5.001f, kTol);
    EXPECT_NEAR(m.position.y, 0, kTol);
    EXPECT_NEAR(m.position.z, 3, kTol);
  }
  // Along z the paddle reaches to 16: a ball moving towards its end face meets
  // it with its centre at z = 17.
  Movement m = Move({0, 0, 30}, {0, 0, 10}, {1, 1, 1}, {{place.get(), cube}}, 1);
  ASSERT_EQ(m.contacts.size(), 1u);
  EXPECT_NEAR(m.contacts[0].time, 0.65f, kTol);
  EXPECT_NEAR(m.position.z, 17.001f, kTol);
  C_DeleteColTree(cube);
}
