// Smoothed vertex normals.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/collision/collision_api.h"

namespace {

constexpr float kH = 0.70710678f;  // sqrt(1/2)

void ExpectNormal(const std::vector<float>& norms, int v, float x, float y, float z) {
  SCOPED_TRACE(v);
  EXPECT_NEAR(norms[3 * v], x, 1e-6f);
  EXPECT_NEAR(norms[3 * v + 1], y, 1e-6f);
  EXPECT_NEAR(norms[3 * v + 2], z, 1e-6f);
}

}  // namespace

TEST(NormalsTest, SharedPositionsAverageTheirFaces) {
  // Triangle A (0, 1, 2) lies in y = 0: (p1 - p0) x (p2 - p1) =
  // (0, 0, 1) x (1, 0, -1) = (0, 1, 0). Triangle B (1, 0, 3) lies in x = 0:
  // (0, 0, -1) x (0, 1, 0) = (1, 0, 0). They share the edge 0-1.
  // Vertex 4 sits on vertex 0 within 0.000001 and shares its normal though no
  // triangle uses it; vertex 5 is 0.000002 off in z and keeps its normal, as
  // does vertex 6, used by no triangle.
  const float coords[] = {0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0, 5e-7f, 0, 0, 2e-6f, 4, 4, 4};
  const int16_t tris[] = {0, 1, 2, 1, 0, 3};
  std::vector<float> norms(21, 9);
  C_UpdateNormals(2, 7, tris, coords, norms.data());
  ExpectNormal(norms, 0, kH, kH, 0);
  ExpectNormal(norms, 1, kH, kH, 0);
  ExpectNormal(norms, 2, 0, 1, 0);
  ExpectNormal(norms, 3, 1, 0, 0);
  ExpectNormal(norms, 4, kH, kH, 0);
  ExpectNormal(norms, 5, 9, 9, 9);
  ExpectNormal(norms, 6, 9, 9, 9);
}

TEST(NormalsTest, FacesCountOncePerCornerNotByArea) {
  // Around vertex 0: a large triangle facing +y and a small one facing +x;
  // unweighted, their sum points halfway between.
  const float coords[] = {0, 0, 0, 0, 0, 100, 100, 0, 0, 0, 0, -0.01f, 0, 0.01f, 0};
  const int16_t tris[] = {0, 1, 2, 3, 0, 4};
  std::vector<float> norms(15, 9);
  C_UpdateNormals(2, 5, tris, coords, norms.data());
  // Small triangle: (0, 0, 0.01) x (0, 0.01, 0) = (-0.0001, 0, 0): facing -x.
  ExpectNormal(norms, 0, -kH, kH, 0);
  ExpectNormal(norms, 3, -1, 0, 0);
}

TEST(NormalsTest, FacesThatCancelAndBadIndicesChangeNothing) {
  // The same triangle twice, once each way round: its corners' sums are 0.
  // The third triangle points past the vertices given and is ignored.
  const float coords[] = {0, 0, 0, 0, 0, 1, 1, 0, 0};
  const int16_t tris[] = {0, 1, 2, 0, 2, 1, 0, 1, 7};
  std::vector<float> norms(9, 9);
  C_UpdateNormals(3, 3, tris, coords, norms.data());
  for (float n : norms) EXPECT_EQ(n, 9);
  C_UpdateNormals(1, 0, tris, coords, norms.data());
  C_UpdateNormals(-1, 3, tris, coords, norms.data());
  C_UpdateNormals(1, 3, nullptr, coords, norms.data());
  C_UpdateNormals(1, 3, tris, coords, nullptr);
  for (float n : norms) EXPECT_EQ(n, 9);
}

TEST(NormalsTest, IndicesPastSignedSixteenBitsAreReadUnsigned) {
  // A surface of 40000 vertices whose only triangle uses vertices
  // 39997..39999, stored as 16-bit values that read negative when signed.
  const int n = 40000;
  std::vector<float> coords(3 * n, 50);
  const float tri[9] = {0, 0, 0, 0, 0, 1, 1, 0, 0};  // faces +y, as in the first test
  std::copy(tri, tri + 9, coords.begin() + 3 * (n - 3));
  const int16_t tris[] = {static_cast<int16_t>(n - 3), static_cast<int16_t>(n - 2),
                          static_cast<int16_t>(n - 1)};
  std::vector<float> norms(3 * n, 9);
  C_UpdateNormals(1, n, tris, coords.data(), norms.data());
  ExpectNormal(norms, n - 3, 0, 1, 0);
  ExpectNormal(norms, n - 1, 0, 1, 0);
  ExpectNormal(norms, 0, 9, 9, 9);
}
