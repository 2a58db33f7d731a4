// TSurface: the stored (z-negated, corners reversed) form behind the API,
// growth, buffer flags, triangle and vertex removal, and index checks.
#include <gtest/gtest.h>

#include <functional>

#include "core/runtime_error.h"
#include "engine/flat_mesh.h"
#include "tests/engine/engine_fixture.h"

namespace {

class SurfaceTest : public EngineTest {
 protected:
  TSurface* NewSurface() { return CreateSurface(CreateMesh()); }
};

TEST_F(SurfaceTest, AddVertexStoresZNegatedAndDefaults) {
  TSurface* s = NewSurface();
  EXPECT_EQ(AddVertex(s, 1, 2, 3, 0.5f, 0.25f, 9), 0);
  EXPECT_EQ(VertexZ(s, 0), 3.0f);
  EXPECT_EQ(s->vert_coords[2], -3.0f);
  EXPECT_EQ(VertexU(s, 0, 0), 0.5f);
  EXPECT_EQ(VertexV(s, 0, 0), 0.25f);
  EXPECT_EQ(VertexU(s, 0, 1), 0.0f);
  EXPECT_EQ(VertexW(s, 0, 0), 0.0f);
  EXPECT_EQ(VertexRed(s, 0), 255.0f);
  EXPECT_EQ(VertexAlpha(s, 0), 1.0f);
  EXPECT_EQ(VertexNX(s, 0), 0.0f);
  EXPECT_EQ(VertexU(s, 0, 2), 0.0f);  // no third set
}

TEST_F(SurfaceTest, CapacityDoublesPastTheCount) {
  TSurface* s = NewSurface();
  // A count reaching the capacity doubles it: after vertices 1 .. 5.
  const int expected[] = {2, 4, 4, 8, 8};
  for (int i = 0; i < 5; ++i) {
    AddVertex(s, float(i), 0, 0);
    EXPECT_EQ(s->vert_array_size, expected[i]) << i;
    EXPECT_GE(s->vert_coords.size(), size_t(s->vert_array_size) * 3);
    EXPECT_GE(s->vert_col.size(), size_t(s->vert_array_size) * 4);
  }
  EXPECT_EQ(VertexX(s, 0), 0.0f);  // contents survive growth
  EXPECT_EQ(VertexX(s, 4), 4.0f);
}

TEST_F(SurfaceTest, AddTriangleReversesCornersAndFlagsBuffers) {
  TSurface* s = NewSurface();
  for (int i = 0; i < 3; ++i) AddVertex(s, 0, 0, 0);
  s->reset_vbo = 0;
  EXPECT_EQ(AddTriangle(s, 0, 1, 2), 1);
  EXPECT_EQ(s->tris[0], 2);
  EXPECT_EQ(s->tris[1], 1);
  EXPECT_EQ(s->tris[2], 0);
  EXPECT_EQ(TriangleVertex(s, 0, 0), 0);
  EXPECT_EQ(TriangleVertex(s, 0, 2), 2);
  EXPECT_EQ(s->reset_vbo, 1 | 2 | 16);
  EXPECT_EQ(AddTriangle(s, 2, 1, 0), 2);
}

TEST_F(SurfaceTest, SettersConvertAndSetTheirBufferBit) {
  TSurface* s = NewSurface();
  AddVertex(s, 0, 0, 0);
  struct Case {
    const char* what;
    std::function<void()> call;
    int bit;
  } cases[] = {
      {"coords", [&] { VertexCoords(s, 0, 4, 5, 6); }, 1},
      {"texcoords", [&] { VertexTexCoords(s, 0, 0.5f, 0.75f, 0, 1); }, 2},
      {"bad set", [&] { VertexTexCoords(s, 0, 9, 9, 0, 2); }, 2},
      {"normal", [&] { VertexNormal(s, 0, 0, 0.6f, 0.8f); }, 4},
      {"colour", [&] { VertexColor(s, 0, 255, 128, 0, 0.5f); }, 8},
  };
  for (const Case& c : cases) {
    s->reset_vbo = 0;
    c.call();
    EXPECT_EQ(s->reset_vbo, c.bit) << c.what;
  }
  EXPECT_EQ(VertexZ(s, 0), 6.0f);
  EXPECT_EQ(s->vert_coords[2], -6.0f);
  EXPECT_EQ(VertexU(s, 0, 1), 0.5f);
  EXPECT_EQ(VertexV(s, 0, 1), 0.75f);
  EXPECT_EQ(VertexU(s, 0, 0), 0.0f);  // set 2 wrote nothing
  EXPECT_EQ(VertexNZ(s, 0), 0.8f);
  EXPECT_EQ(s->vert_norm[2], -0.8f);
  EXPECT_EQ(VertexRed(s, 0), 255.0f);
  EXPECT_NEAR(VertexGreen(s, 0), 128.0f, 1e-4);
  EXPECT_EQ(VertexBlue(s, 0), 0.0f);
  EXPECT_EQ(VertexAlpha(s, 0), 0.5f);
}

TEST_F(SurfaceTest, FaceNormalIsTheCrossProductOfTheEdges) {
  TSurface* s = NewSurface();
  AddVertex(s, 0, 0, 0);
  AddVertex(s, 2, 0, 0);
  AddVertex(s, 0, 3, 0);
  AddTriangle(s, 0, 1, 2);
  // (A1 - A0) x (A2 - A1) = (2, 0, 0) x (-2, 3, 0) = (0, 0, 6).
  EXPECT_EQ(s->TriangleNX(0), 0.0f);
  EXPECT_EQ(s->TriangleNY(0), 0.0f);
  EXPECT_EQ(s->TriangleNZ(0), 6.0f);
}

TEST_F(SurfaceTest, IndicesOutsideTheCountsRaise) {
  TSurface* s = NewSurface();
  AddVertex(s, 0, 0, 0);
  AddTriangle(s, 0, 0, 0);
  try {
    VertexX(s, 1);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "VertexX: vertex index out of range");
  }
  EXPECT_THROW(VertexCoords(s, -1, 0, 0, 0), RuntimeError);
  EXPECT_THROW(VertexColor(s, 1, 0, 0, 0), RuntimeError);
  EXPECT_THROW(TriangleVertex(s, 1, 0), RuntimeError);
  EXPECT_THROW(TriangleVertex(s, 0, 3), RuntimeError);
  EXPECT_THROW(AddTriangle(s, 0, -1, 0), RuntimeError);
  EXPECT_THROW(AddTriangle(s, 0, 65536, 0), RuntimeError);
  EXPECT_THROW(AddVertex(nullptr, 0, 0, 0), RuntimeError);
  EXPECT_EQ(CountTriangles(s), 1);
}

TEST_F(SurfaceTest, ClearSurfaceEmptiesWhatItIsAskedTo) {
  TSurface* s = NewSurface();
  for (int i = 0; i < 3; ++i) AddVertex(s, 0, 0, 0);
  AddTriangle(s, 0, 1, 2);
  s->reset_vbo = 0;
  ClearSurface(s, 1, 0);
  EXPECT_EQ(CountVertices(s), 0);
  EXPECT_EQ(s->vert_array_size, 1);
  EXPECT_TRUE(s->vert_coords.empty());
  EXPECT_EQ(CountTriangles(s), 1);
  EXPECT_EQ(s->reset_vbo, -1);
  ClearSurface(s, 0, 1);
  EXPECT_EQ(CountTriangles(s), 0);
  EXPECT_EQ(s->tri_array_size, 1);
}

TEST_F(SurfaceTest, RemoveTriKeepsTheOthersInOrder) {
  TSurface* s = NewSurface();
  for (int i = 0; i < 4; ++i) AddVertex(s, float(i), 0, 0);
  AddTriangle(s, 0, 1, 2);
  AddTriangle(s, 1, 2, 3);
  AddTriangle(s, 2, 3, 0);
  TSurface::RemoveTri(*s, 0);
  ASSERT_EQ(CountTriangles(s), 2);
  EXPECT_EQ(TriangleVertex(s, 0, 0), 1);
  EXPECT_EQ(TriangleVertex(s, 0, 2), 3);
  EXPECT_EQ(TriangleVertex(s, 1, 0), 2);
  EXPECT_EQ(TriangleVertex(s, 1, 2), 0);
  EXPECT_THROW(TSurface::RemoveTri(*s, 2), RuntimeError);
}

TEST_F(SurfaceTest, RemoveVertsRenumbersTheUsedVertices) {
  TSurface* s = NewSurface();
  for (int i = 0; i < 4; ++i) AddVertex(s, float(i), 0, 0, 0.1f * float(i), 0);
  VertexNormal(s, 2, 0, 1, 0);
  VertexColor(s, 3, 10, 20, 30, 0.5f);
  AddTriangle(s, 0, 2, 3);
  TSurface::RemoveVerts(*s);
  ASSERT_EQ(CountVertices(s), 3);
  EXPECT_EQ(TriangleVertex(s, 0, 1), 1);
  EXPECT_EQ(TriangleVertex(s, 0, 2), 2);
  EXPECT_EQ(VertexX(s, 1), 2.0f);
  EXPECT_FLOAT_EQ(VertexU(s, 1), 0.2f);
  EXPECT_EQ(VertexNY(s, 1), 1.0f);
  EXPECT_NEAR(VertexBlue(s, 2), 30.0f, 1e-4);
  EXPECT_EQ(VertexAlpha(s, 2), 0.5f);
}

TEST_F(SurfaceTest, CopyOwnsItsArraysAndBrush) {
  TSurface* s = NewSurface();
  AddVertex(s, 1, 2, 3);
  s->reset_vbo = 0;
  s->alpha_enable = 1;
  Ref<TSurface> c = s->Copy();
  EXPECT_EQ(c->reset_vbo, -1);
  EXPECT_EQ(c->alpha_enable, 0);
  EXPECT_EQ(c->vbo_id[0], 0);
  EXPECT_NE(c->brush.get(), s->brush.get());
  VertexCoords(c, 0, 7, 7, 7);
  EXPECT_EQ(VertexX(s, 0), 1.0f);
  EXPECT_EQ(s->Compare(*c), 1);
  EXPECT_EQ(c->Compare(*s), -1);
}

}  // namespace
