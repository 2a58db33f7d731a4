// The box tree of a mesh: its shape, its agreement with testing every
// triangle, its cost, and the triangles it leaves out.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/collision/mesh_collider.h"
#include "tests/engine/collision/sweep_helpers.h"

using collision::Collision;
using collision::Line;
using collision::MeshCollider;
using collision::MeshInfo;
using collision::Transform;
using collision::Vector;
using namespace collision_test;

namespace {

// A small triangle (0.1 on every axis) with its centre near c.
void AddSmallTriangle(MeshInfo& info, Vector c) {
  int16_t base = static_cast<int16_t>(info.vertices.size());
  const float v[9] = {c.x, c.y, c.z, c.x + 0.1f, c.y, c.z, c.x, c.y + 0.1f, c.z + 0.1f};
  const int16_t t[3] = {base, int16_t(base + 1), int16_t(base + 2)};
  info.AddSurface(1, 3, t, v, 1);
}

std::set<int> LeafSet(const MeshCollider& tree, const MeshCollider::Node& leaf) {
  std::set<int> out;
  for (int s = leaf.first; s < leaf.first + leaf.count; ++s) out.insert(tree.SlotTriangle(s));
  return out;
}

// A height field of n x n quads of side 10 with two triangles each, facing up.
MeshInfo Terrain(int n) {
  MeshInfo info;
  for (int i = 0; i <= n; ++i)
    for (int j = 0; j <= n; ++j) {
      float x = -5.0f * n + 10 * i, z = -5.0f * n + 10 * j;
      info.vertices.push_back(
          {x, 20 * std::sin(x / 37) * std::cos(z / 53) + 5 * std::sin(x / 11 + z / 17), z});
    }
  auto v = [n](int i, int j) { return i * (n + 1) + j; };
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      int k = static_cast<int>(info.triangles.size());
      info.triangles.push_back({1, {v(i, j), v(i, j + 1), v(i + 1, j + 1)}, k});
      info.triangles.push_back({1, {v(i, j), v(i + 1, j + 1), v(i + 1, j)}, k + 1});
    }
  return info;
}

}  // namespace

TEST(MeshTreeTest, SeventeenTrianglesSplitEightAndNineAtTheMedian) {
  // Listed from the largest x down, so the split has to order them.
  MeshInfo info;
  for (int k = 16; k >= 0; --k) AddSmallTriangle(info, {static_cast<float>(k), 0, 0});
  MeshCollider tree(info);
  const auto& nodes = tree.nodes();
  ASSERT_EQ(nodes.size(), 3u);
  const auto& left = nodes[nodes[0].left];
  const auto& right = nodes[nodes[0].right];
  EXPECT_EQ(left.count, 8);
  EXPECT_EQ(right.count, 9);
  // Triangle k sits at x = 16 - k: the left half holds x 0..7, triangles 9..16.
  std::set<int> want{9, 10, 11, 12, 13, 14, 15, 16};
  EXPECT_EQ(LeafSet(tree, left), want);
  EXPECT_FLOAT_EQ(left.box.a.x, 0);
  EXPECT_FLOAT_EQ(left.box.b.x, 7.1f);
}

TEST(MeshTreeTest, EqualExtentsSplitAlongY) {
  // Centres run over 0..16 on every axis, in a different order on each, so
  // the box is a cube and only a split along y puts these 8 on the left.
  MeshInfo info;
  std::set<int> low_y;
  for (int k = 0; k < 17; ++k) {
    int y = 7 * k % 17;
    AddSmallTriangle(info, {static_cast<float>(k), static_cast<float>(y), static_cast<float>(3 * k % 17)});
    if (y < 8) low_y.insert(k);
  }
  MeshCollider tree(info);
  EXPECT_EQ(LeafSet(tree, tree.nodes()[tree.nodes()[0].left]), low_y);
}

TEST(MeshTreeTest, LeavesHoldEveryTriangleOnceAndAtMostSixteen) {
  MeshInfo info = Terrain(50);  // 5000 triangles
  MeshCollider tree(info);
  std::vector<int> seen(info.triangles.size());
  int leaves = 0;
  for (const auto& node : tree.nodes()) {
    if (node.count == 0) continue;
    ++leaves;
    EXPECT_LE(node.count, 16);
    for (int s = node.first; s < node.first + node.count; ++s) {
      int t = tree.SlotTriangle(s);
      ++seen[t];
      for (int c : info.triangles[t].verts) {
        const Vector& p = info.vertices[c];
        EXPECT_TRUE(p.x >= node.box.a.x && p.x <= node.box.b.x && p.y >= node.box.a.y &&
                    p.y <= node.box.b.y && p.z >= node.box.a.z && p.z <= node.box.b.z);
      }
    }
  }
  for (int n : seen) EXPECT_EQ(n, 1);
  // Halving 5000 until at most 16 remain takes 9 levels: 512 leaves.
  EXPECT_EQ(leaves, 512);
}

TEST(MeshTreeTest, TreeFindsTheSameContactsAsTestingEveryTriangle) {
  MeshInfo info = Terrain(40);
  MeshCollider tree(info);
  MeshCollider flat(info, 1 << 30);
  ASSERT_EQ(flat.nodes().size(), 1u);
  // A turned, scaled and moved placement exercises the local query box.
  Transform place{{{0.8f, 0, 0.6f}, {0, 1.5f, 0}, {-0.6f, 0, 0.8f}}, {3, -2, 7}};
  uint32_t state = 12345;
  auto uniform = [&](float a, float b) {
    state = state * 1103515245u + 12345u;
    return a + (b - a) * static_cast<float>((state >> 8) & 0xffffff) / 16777216.0f;
  };
  int hits = 0;
  for (int k = 0; k < 2000; ++k) {
    Line line{{uniform(-180, 180), uniform(-40, 60), uniform(-180, 180)},
              {uniform(-30, 30), uniform(-60, 10), uniform(-30, 30)}};
    float radius = uniform(0, 3);
    Collision a, b;
    bool hit_tree = tree.Collide(line, radius, place, a);
    bool hit_flat = flat.Collide(line, radius, place, b);
    ASSERT_EQ(hit_tree, hit_flat) << k;
    if (!hit_tree) continue;
    ++hits;
    EXPECT_FLOAT_EQ(a.time, b.time) << k;
    EXPECT_NEAR(a.normal.x, b.normal.x, 1e-6f) << k;
    EXPECT_NEAR(a.normal.y, b.normal.y, 1e-6f) << k;
    EXPECT_NEAR(a.normal.z, b.normal.z, 1e-6f) << k;
  }
  EXPECT_GT(hits, 300);
}

TEST(MeshTreeTest, AShortSweepTestsFewBoxesWhateverTheMeshSize) {
  // Quadrupling the triangles adds two levels to the tree, not four times the work.
  uint64_t boxes[2];
  int sizes[2] = {50, 100};
  for (int k = 0; k < 2; ++k) {
    MeshCollider tree(Terrain(sizes[k]));
    MeshCollider::stats = {};
    Collision coll;
    tree.Collide({{1, 40, 1}, {5, -80, 5}}, 1, Transform{}, coll);
    EXPECT_LT(coll.time, 1);
    boxes[k] = MeshCollider::stats.boxes_tested;
    EXPECT_LE(MeshCollider::stats.triangles_tested, 16u);
  }
  EXPECT_LT(boxes[0], 150u);  // of 5000 triangle boxes and 1000 node boxes
  EXPECT_LT(boxes[1], boxes[0] + 40);
}

TEST(MeshTreeTest, AMoverThatDidNotMoveCostsNoTests) {
  CMeshCollider* floor = MakeTree(Floor());
  Placement place;
  MeshCollider::stats = {};
  Movement m = Move({0, 0.5f, 0}, {0, 0.5f, 0}, {1, 1, 1}, {{place.get(), floor}}, 2);
  EXPECT_TRUE(m.contacts.empty());
  EXPECT_EQ(MeshCollider::stats.boxes_tested, 0u);
  EXPECT_EQ(MeshCollider::stats.triangles_tested, 0u);
  C_DeleteColTree(floor);
}

TEST(MeshTreeTest, SurfacesAndTriangleNumbersAreReported) {
  // Surface 1: the floor's two triangles; surface 3: one triangle at y = 2
  // over x, z 0..10, its vertices counted after the floor's four.
  MeshData floor = Floor();
  const int16_t tris[3] = {4, 5, 6};
  const float verts[9] = {0, 2, 0, 0, 2, 10, 10, 2, 0};
  CMeshInfo* info = C_NewMeshInfo();
  C_AddSurface(info, 2, 4, floor.tris.data(), floor.verts.data(), 1);
  C_AddSurface(info, 1, 3, tris, verts, 3);
  CMeshCollider* tree = C_CreateColTree(info);
  C_DeleteMeshInfo(info);
  Placement place;
  Movement high = Move({2, 5, 2}, {2, -5, 2}, {1, 1, 1}, {{place.get(), tree}}, 1);
  ASSERT_EQ(high.contacts.size(), 1u);
  EXPECT_EQ(high.contacts[0].surface, 3);
  EXPECT_EQ(high.contacts[0].triangle, 0);
  EXPECT_NEAR(high.contacts[0].time, 0.2f, 1e-5f);
  // (-5, -5) lies under the floor's first triangle (0, 1, 2), where z > x.
  Movement low = Move({-5, 5, 5}, {-5, -5, 5}, {1, 1, 1}, {{place.get(), tree}}, 1);
  ASSERT_EQ(low.contacts.size(), 1u);
  EXPECT_EQ(low.contacts[0].surface, 1);
  EXPECT_EQ(low.contacts[0].triangle, 0);
  Movement low2 = Move({5, 5, -5}, {5, -5, -5}, {1, 1, 1}, {{place.get(), tree}}, 1);
  ASSERT_EQ(low2.contacts.size(), 1u);
  EXPECT_EQ(low2.contacts[0].triangle, 1);
  C_DeleteColTree(tree);
}

TEST(MeshTreeTest, UnusableTrianglesAreNeverHitAndKeepTheirNumbers) {
  // Triangles 0..3 cannot be hit: no area (collinear), a corner out of
  // range, a negative corner, a NaN corner. Triangle 4 is the floor's first
  // half and keeps its number 4.
  float nan = std::nanf("");
  const float verts[] = {-10, 0, -10, -10, 0, 10, 10, 0, 10, 0, 0, 0, 10, 0, 30, nan, 0, 0};
  const int16_t tris[] = {0, 3, 2, 0, 1, 9, -1, 1, 2, 0, 1, 5, 0, 1, 2};
  CMeshInfo* info = C_NewMeshInfo();
  C_AddSurface(info, 5, 6, tris, verts, 1);
  CMeshCollider* tree = C_CreateColTree(info);
  C_DeleteMeshInfo(info);
  Placement place;
  // Straight down onto the collinear triangle's middle (0, 0, 0): nothing.
  EXPECT_TRUE(
      Move({0.01f, 5, -0.01f}, {0.01f, -5, -0.01f}, {0, 0, 0}, {{place.get(), tree}}, 1).contacts.empty());
  Movement m = Move({-5, 5, 5}, {-5, -5, 5}, {1, 1, 1}, {{place.get(), tree}}, 1);
  ASSERT_EQ(m.contacts.size(), 1u);
  EXPECT_EQ(m.contacts[0].triangle, 4);
  C_DeleteColTree(tree);
}

TEST(MeshTreeTest, VerticesPastSixteenBitIndicesAreDropped) {
  // 40000 vertices on a line; the triangle over vertices 32765..32767 is
  // kept, the one whose indices wrapped past 32767 to negative is not.
  std::vector<float> verts;
  for (int v = 0; v < 40000; ++v)
    verts.insert(verts.end(), {static_cast<float>(v % 2), 0, static_cast<float>(v)});
  verts[3 * 32767 + 0] = 5;
  const int16_t tris[] = {32765, 32766, 32767, -32768, -32767, -32766};
  MeshInfo info;
  info.AddSurface(2, 40000, tris, verts.data(), 1);
  EXPECT_EQ(info.vertices.size(), 32768u);
  MeshCollider tree(info);
  ASSERT_EQ(tree.nodes().size(), 1u);
  EXPECT_EQ(tree.nodes()[0].count, 1);
  EXPECT_EQ(tree.SlotTriangle(0), 0);
}

TEST(MeshTreeTest, AnEmptyMeshIsNeverHit) {
  CMeshInfo* info = C_NewMeshInfo();
  C_AddSurface(info, 0, 0, nullptr, nullptr, 1);
  C_AddSurface(info, -5, -7, nullptr, nullptr, 1);
  CMeshCollider* tree = C_CreateColTree(info);
  C_DeleteMeshInfo(info);
  ASSERT_NE(tree, nullptr);
  Placement place;
  EXPECT_TRUE(Move({0, 5, 0}, {0, -5, 0}, {1, 1, 1}, {{place.get(), tree}}, 2).contacts.empty());
  C_DeleteColTree(tree);
}
