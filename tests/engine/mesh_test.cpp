// Meshes and primitives: counts, positions, normals and winding against
// hand-worked values, bounds, and the whole-mesh operations.
#include <gtest/gtest.h>

#include <cmath>

#include "core/runtime_error.h"
#include "engine/flat_brush.h"
#include "engine/flat_entity.h"
#include "engine/flat_mesh.h"
#include "tests/engine/engine_fixture.h"

namespace {

class MeshTest : public EngineTest {
 protected:
  // The unit face normal of triangle t and its centroid, in user space.
  static void Face(TSurface* s, int t, float n[3], float c[3]) {
    n[0] = s->TriangleNX(t), n[1] = s->TriangleNY(t), n[2] = s->TriangleNZ(t);
    const float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (int k = 0; k < 3; ++k) n[k] /= len;
    c[0] = c[1] = c[2] = 0;
    for (int corner = 0; corner < 3; ++corner) {
      const int v = TriangleVertex(s, t, corner);
      c[0] += VertexX(s, v) / 3, c[1] += VertexY(s, v) / 3, c[2] += VertexZ(s, v) / 3;
    }
  }
  // Every triangle of a closed shape around the origin faces outward. (The
  // cone's base fan ends with a triangle of no area, which faces nowhere.)
  static void ExpectOutward(TSurface* s) {
    for (int t = 0; t < CountTriangles(s); ++t) {
      if (s->TriangleNX(t) == 0 && s->TriangleNY(t) == 0 && s->TriangleNZ(t) == 0) continue;
      float n[3], c[3];
      Face(s, t, n, c);
      EXPECT_GT(n[0] * c[0] + n[1] * c[1] + n[2] * c[2], 0.0f) << "triangle " << t;
    }
  }
};

TEST_F(MeshTest, CubeHasFourVerticesPerFaceAndOutwardNormals) {
  TMesh* cube = CreateCube();
  ASSERT_EQ(CountSurfaces(cube), 1);
  TSurface* s = GetSurface(cube, 1);
  EXPECT_EQ(CountVertices(s), 24);
  EXPECT_EQ(CountTriangles(s), 12);
  EXPECT_EQ(cube->EntityClass(), "Mesh");
  // Vertex 0: (-1, -1, -1), normal (0, 0, -1), uv (0, 1) in both sets.
  EXPECT_EQ(VertexX(s, 0), -1.0f);
  EXPECT_EQ(VertexZ(s, 0), -1.0f);
  EXPECT_EQ(s->vert_coords[2], 1.0f);
  EXPECT_EQ(VertexNZ(s, 0), -1.0f);
  EXPECT_EQ(VertexV(s, 0, 0), 1.0f);
  EXPECT_EQ(VertexV(s, 0, 1), 1.0f);
  // Vertex 13: (-1, 1, -1), normal (0, 1, 0), uv (0, 1).
  EXPECT_EQ(VertexY(s, 13), 1.0f);
  EXPECT_EQ(VertexNY(s, 13), 1.0f);
  EXPECT_EQ(VertexU(s, 22, 1), 0.0f);
  // Triangle 0 is (0, 1, 2), stored 2, 1, 0; its face normal
  // (0, 2, 0) x (2, 0, 0) = (0, 0, -4) points out of the z = -1 face.
  EXPECT_EQ(TriangleVertex(s, 0, 1), 1);
  EXPECT_EQ(s->tris[0], 2);
  EXPECT_EQ(s->TriangleNZ(0), -4.0f);
  // Every face normal agrees with its corners' vertex normals.
  for (int t = 0; t < 12; ++t) {
    float n[3], c[3];
    Face(s, t, n, c);
    for (int corner = 0; corner < 3; ++corner) {
      const int v = TriangleVertex(s, t, corner);
      EXPECT_EQ(VertexNX(s, v), n[0]) << t;
      EXPECT_EQ(VertexNY(s, v), n[1]) << t;
      EXPECT_EQ(VertexNZ(s, v), n[2]) << t;
    }
  }
  ExpectOutward(s);
  EXPECT_EQ(MeshWidth(cube), 2.0f);
  EXPECT_EQ(MeshHeight(cube), 2.0f);
  EXPECT_EQ(MeshDepth(cube), 2.0f);
  EXPECT_NEAR(cube->cull_radius, std::sqrt(3.0f), 1e-6);  // half of 2, times sqrt 3
}

TEST_F(MeshTest, SphereCountsFollowTheSegments) {
  EXPECT_EQ(CreateSphere(1), nullptr);
  EXPECT_EQ(CreateSphere(101), nullptr);
  EXPECT_EQ(CreateSphere(-4), nullptr);
  EXPECT_EQ(TEntity::entity_list->Count(), 0);
  struct Case {
    int segments, verts, tris;
  } cases[] = {{2, 16, 8}, {3, 36 + 24, 24}, {8, 480, 224}};  // 12s + 8s(s - 2), 4s(s - 1)
  for (const Case& c : cases) {
    TMesh* m = CreateSphere(c.segments);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->CountVertices(), c.verts) << c.segments;
    EXPECT_EQ(m->CountTriangles(), c.tris) << c.segments;
  }
}

TEST_F(MeshTest, SphereVerticesLieOnTheUnitSphereWithOutwardNormals) {
  for (int segments : {2, 8}) {
    TSurface* s = GetSurface(CreateSphere(segments), 1);
    for (int v = 0; v < CountVertices(s); ++v) {
      const float x = VertexX(s, v), y = VertexY(s, v), z = VertexZ(s, v);
      EXPECT_NEAR(x * x + y * y + z * z, 1.0f, 1e-5) << v;
      // Smoothed normals of a sphere point along the position.
      EXPECT_GT(VertexNX(s, v) * x + VertexNY(s, v) * y + VertexNZ(s, v) * z, 0.9f) << v;
    }
    ExpectOutward(s);
  }
  // The octahedron's north pole: four faces around it, symmetric, so (0, 1, 0).
  TSurface* octa = GetSurface(CreateSphere(2), 1);
  EXPECT_NEAR(VertexNY(octa, 0), 1.0f, 1e-6);
  // First cap vertex of 8 segments: azimuth 90, polar 22.5 degrees:
  // (-cos 90 sin 22.5, cos 22.5, sin 90 sin 22.5), u = 1, v = 1/8.
  TSurface* s8 = GetSurface(CreateSphere(8), 1);
  EXPECT_NEAR(VertexX(s8, 2), 0.0f, 1e-6);
  EXPECT_NEAR(VertexY(s8, 2), 0.9238795f, 1e-6);
  EXPECT_NEAR(VertexZ(s8, 2), 0.3826834f, 1e-6);
  EXPECT_EQ(VertexU(s8, 2), 1.0f);
  EXPECT_EQ(VertexV(s8, 2), 0.125f);
}

TEST_F(MeshTest, CylinderAndConeSurfaces) {
  EXPECT_EQ(CreateCylinder(2), nullptr);
  EXPECT_EQ(CreateCone(101), nullptr);
  TMesh* cyl = CreateCylinder(8, 1);
  ASSERT_EQ(CountSurfaces(cyl), 2);
  EXPECT_EQ(CountVertices(GetSurface(cyl, 1)), 18);
  EXPECT_EQ(CountTriangles(GetSurface(cyl, 1)), 16);
  EXPECT_EQ(CountVertices(GetSurface(cyl, 2)), 16);
  EXPECT_EQ(CountTriangles(GetSurface(cyl, 2)), 12);
  ExpectOutward(GetSurface(cyl, 1));
  ExpectOutward(GetSurface(cyl, 2));
  EXPECT_NEAR(MeshHeight(cyl), 2.0f, 1e-6);
  EXPECT_EQ(CountSurfaces(CreateCylinder(8, 0)), 1);

  // Cone: s apexes + s + 1 ring vertices; a fan of s - 1 base triangles.
  TMesh* cone = CreateCone(8, 1);
  ASSERT_EQ(CountSurfaces(cone), 2);
  EXPECT_EQ(CountVertices(GetSurface(cone, 1)), 17);
  EXPECT_EQ(CountTriangles(GetSurface(cone, 1)), 8);
  EXPECT_EQ(CountVertices(GetSurface(cone, 2)), 9);
  EXPECT_EQ(CountTriangles(GetSurface(cone, 2)), 7);
  ExpectOutward(GetSurface(cone, 1));
  ExpectOutward(GetSurface(cone, 2));
  // Base vertices map x, z to u, v: (0, -1, 1) gives (0.5, 1).
  EXPECT_FLOAT_EQ(VertexU(GetSurface(cone, 2), 0), 0.5f);
  EXPECT_FLOAT_EQ(VertexV(GetSurface(cone, 2), 0), 1.0f);
}

TEST_F(MeshTest, UpdateNormalsSharesNormalsByPositionOnly) {
  TMesh* m = CreateMesh();
  TSurface* s = CreateSurface(m);
  // A unit square in z = 0 as two triangles; vertex 4 repeats vertex 2's
  // position with other texture coordinates.
  AddVertex(s, 0, 0, 0);
  AddVertex(s, 1, 0, 0);
  AddVertex(s, 1, 1, 0, 0.3f, 0.3f);
  AddVertex(s, 0, 1, 0);
  AddVertex(s, 1, 1, 0, 0.9f, 0.9f);
  AddTriangle(s, 0, 1, 2);
  AddTriangle(s, 0, 4, 3);
  UpdateNormals(m);
  // (A1 - A0) x (A2 - A1) = (1, 0, 0) x (0, 1, 0) = (0, 0, 1) for both.
  for (int v = 0; v < 5; ++v) {
    EXPECT_NEAR(VertexNX(s, v), 0.0f, 1e-6) << v;
    EXPECT_NEAR(VertexNZ(s, v), 1.0f, 1e-6) << v;
  }
  EXPECT_EQ(s->reset_vbo & 4, 4);
}

TEST_F(MeshTest, UpdateNormalsKeepsApartPositionsBeyondTheTolerance) {
  TMesh* m = CreateMesh();
  TSurface* s = CreateSurface(m);
  // Two triangles facing +z and +y whose shared-looking corner is 0.00001
  // apart (ten times the tolerance) on x.
  AddVertex(s, 0, 0, 0);
  AddVertex(s, 1, 0, 0);
  AddVertex(s, 0, 1, 0);
  AddVertex(s, 0.00001f, 0, 0);
  AddVertex(s, 0, 0, 1);
  AddVertex(s, 1, 0, 0);
  AddTriangle(s, 0, 1, 2);  // (1, 0, 0) x (-1, 1, 0) = (0, 0, 1)
  AddTriangle(s, 3, 4, 5);  // (0, 0, 1) x (1, 0, -1) = (0, 1, 0) (after the tiny offset)
  UpdateNormals(m);
  EXPECT_NEAR(VertexNZ(s, 0), 1.0f, 1e-4);
  EXPECT_NEAR(VertexNY(s, 3), 1.0f, 1e-4);
  // Vertices 1 and 5 share a position: the normalised sum of both faces.
  EXPECT_NEAR(VertexNY(s, 1), std::sqrt(0.5f), 1e-4);
  EXPECT_NEAR(VertexNZ(s, 1), std::sqrt(0.5f), 1e-4);
}

TEST_F(MeshTest, ZeroAreaTrianglesLeaveNormalsAlone) {
  TMesh* m = CreateMesh();
  TSurface* s = CreateSurface(m);
  for (int i = 0; i < 3; ++i) {
    AddVertex(s, float(i), float(i), 0);  // on one line: no area
    VertexNormal(s, i, 0, 1, 0);
  }
  AddTriangle(s, 0, 1, 2);
  UpdateNormals(m);
  for (int v = 0; v < 3; ++v) {
    EXPECT_EQ(VertexNY(s, v), 1.0f);
    EXPECT_FALSE(std::isnan(VertexNX(s, v)));
  }
}

TEST_F(MeshTest, ScalePositionAndRotateMoveTheVertices) {
  TMesh* cube = CreateCube();
  ScaleMesh(cube, 2, 1, 1);
  EXPECT_EQ(MeshWidth(cube), 4.0f);
  EXPECT_EQ(VertexNZ(GetSurface(cube, 1), 0), -1.0f);  // normals untouched
  PositionMesh(cube, 0, 0, 5);
  cube->GetBounds();
  EXPECT_EQ(cube->min_z, 4.0f);
  EXPECT_EQ(cube->max_z, 6.0f);
  EXPECT_EQ(cube->col_tree->reset_col_tree, 1);

  // Yaw 90 turns left: +x goes to +z, and so does a normal along +x.
  TMesh* m = CreateMesh();
  TSurface* s = CreateSurface(m);
  AddVertex(s, 1, 0, 0);
  VertexNormal(s, 0, 1, 0, 0);
  RotateMesh(m, 0, 90, 0);
  EXPECT_NEAR(VertexX(s, 0), 0.0f, 1e-6);
  EXPECT_NEAR(VertexZ(s, 0), 1.0f, 1e-6);
  EXPECT_NEAR(VertexNZ(s, 0), 1.0f, 1e-6);
  // Pitch 90 looks down: forward +z goes to -y.
  VertexCoords(s, 0, 0, 0, 1);
  RotateMesh(m, 90, 0, 0);
  EXPECT_NEAR(VertexY(s, 0), -1.0f, 1e-6);
}

TEST_F(MeshTest, AddMeshMergesSurfacesWithEqualBrushes) {
  TMesh* target = CreateMesh();
  TMesh* a = CreateCube();
  TMesh* b = CreateCube();
  AddMesh(a, target);
  AddMesh(b, target);
  ASSERT_EQ(CountSurfaces(target), 1);
  TSurface* s = GetSurface(target, 1);
  EXPECT_EQ(CountVertices(s), 48);
  EXPECT_EQ(CountTriangles(s), 24);
  EXPECT_EQ(TriangleVertex(s, 12, 0), 24);  // the second cube's (0, 1, 2) offset by 24
  EXPECT_EQ(TriangleVertex(s, 12, 2), 26);
  EXPECT_EQ(VertexNZ(s, 24), -1.0f);
  EXPECT_EQ(VertexV(s, 24, 1), 1.0f);
  EXPECT_EQ(s->reset_vbo, -1);

  Ref<TBrush> red = CreateBrush(255, 0, 0);
  PaintMesh(b, red);
  AddMesh(b, target);
  EXPECT_EQ(CountSurfaces(target), 2);
  EXPECT_EQ(GetSurface(target, 2)->brush->green, 0.0f);
  EXPECT_NE(GetSurface(target, 2)->brush.get(), GetSurface(b, 1)->brush.get());
  // A mesh added to itself doubles once.
  AddMesh(a, a);
  EXPECT_EQ(a->CountVertices(), 48);
  EXPECT_THROW(AddMesh(a, reinterpret_cast<TMesh*>(Pivot())), RuntimeError);
}

TEST_F(MeshTest, FlipMeshReversesWindingAndNormals) {
  TMesh* cube = CreateCube();
  TSurface* s = GetSurface(cube, 1);
  s->reset_vbo = 0;
  FlipMesh(cube);
  EXPECT_EQ(TriangleVertex(s, 0, 0), 2);
  EXPECT_EQ(TriangleVertex(s, 0, 2), 0);
  EXPECT_EQ(VertexNZ(s, 0), 1.0f);
  EXPECT_EQ(s->reset_vbo, 4 | 16);
  FlipMesh(cube);
  EXPECT_EQ(TriangleVertex(s, 0, 0), 0);
  EXPECT_EQ(VertexNZ(s, 0), -1.0f);
  ExpectOutward(s);
}

TEST_F(MeshTest, FitMeshFillsTheBox) {
  TMesh* cube = CreateCube();
  FitMesh(cube, 0, 0, 0, 4, 2, 1);
  cube->GetBounds();
  EXPECT_EQ(cube->min_x, 0.0f);
  EXPECT_EQ(cube->max_x, 4.0f);
  EXPECT_EQ(cube->max_y, 2.0f);
  EXPECT_EQ(cube->max_z, 1.0f);
  // Normals times old size / new size per axis: (0, 0, -1) * 2 / 1.
  EXPECT_EQ(VertexNZ(GetSurface(cube, 1), 0), -2.0f);

  // Uniform into 4 x 2 x 2: ratios 0.5, 1, 1, so depth decides: the cube
  // keeps size 2 and is centred on x, 1 .. 3.
  TMesh* uniform = CreateCube();
  FitMesh(uniform, 0, 0, 0, 4, 2, 2, 1);
  uniform->GetBounds();
  EXPECT_EQ(uniform->min_x, 1.0f);
  EXPECT_EQ(uniform->max_x, 3.0f);
  EXPECT_EQ(uniform->min_y, 0.0f);
  EXPECT_EQ(uniform->max_z, 2.0f);
}

TEST_F(MeshTest, BoundsAndCullRadius) {
  TMesh* empty = CreateMesh();
  empty->GetBounds();
  EXPECT_EQ(empty->cull_radius, 0.0f);
  EXPECT_EQ(MeshWidth(empty), 0.0f);
  TMesh* cube = CreateCube();
  MeshCullRadius(cube, 5);
  ScaleMesh(cube, 3, 3, 3);
  EXPECT_EQ(MeshWidth(cube), 6.0f);
  EXPECT_EQ(cube->cull_radius, -5.0f);  // fixed by hand
  EXPECT_EQ(cube->reset_bounds, 0);
}

TEST_F(MeshTest, SurfacesBrushesAndLookup) {
  TMesh* m = CreateMesh();
  Ref<TBrush> blue = CreateBrush(0, 0, 255);
  TSurface* plain = CreateSurface(m);
  TSurface* painted = CreateSurface(m, blue);
  EXPECT_EQ(CountSurfaces(m), 2);
  EXPECT_EQ(GetSurface(m, 0), nullptr);
  EXPECT_EQ(GetSurface(m, 3), nullptr);
  EXPECT_EQ(GetSurface(m, 2), painted);
  EXPECT_NE(painted->brush.get(), blue.get());
  EXPECT_NE(m->brush.get(), blue.get());
  EXPECT_EQ(m->brush->red, 0.0f);
  EXPECT_EQ(FindSurface(m, blue), painted);
  EXPECT_EQ(FindSurface(m, CreateBrush()), plain);
  EXPECT_EQ(GetSurfaceBrush(painted)->blue, 1.0f);

  blue->tex_frame = 3;
  PaintMesh(m, blue);
  EXPECT_EQ(plain->brush->red, 0.0f);
  EXPECT_EQ(plain->brush->tex_frame, 0);
  EXPECT_THROW(ScaleMesh(nullptr, 1, 1, 1), RuntimeError);
}

TEST_F(MeshTest, CopiesShareGeometryCopyMeshDoesNot) {
  TMesh* cube = CreateCube();
  cube->GetBounds();
  auto* shared = static_cast<TMesh*>(CopyEntity(cube));
  EXPECT_EQ(shared->surf_list.get(), cube->surf_list.get());
  EXPECT_EQ(shared->col_tree.get(), cube->col_tree.get());
  EXPECT_EQ(MeshWidth(shared), 2.0f);
  TMesh* own = CopyMesh(cube);
  EXPECT_NE(own->surf_list.get(), cube->surf_list.get());
  ScaleMesh(own, 2, 2, 2);
  EXPECT_EQ(VertexX(GetSurface(cube, 1), 0), -1.0f);
  ScaleMesh(shared, 2, 2, 2);
  EXPECT_EQ(VertexX(GetSurface(cube, 1), 0), -2.0f);
  // Freeing the original leaves the copy's surfaces alive.
  FreeEntity(cube);
  EXPECT_EQ(shared->CountVertices(), 24);
}

TEST_F(MeshTest, CollapseAnimMeshBakesGlobalMatrices) {
  TPivot* root = Pivot();
  TMesh* child = CreateCube(root);
  PositionEntity(child, 10, 0, 0);
  TMesh* flat = TMesh::CollapseAnimMesh(root);
  EXPECT_EQ(flat->CountVertices(), 24);
  flat->GetBounds();
  EXPECT_EQ(flat->min_x, 9.0f);
  EXPECT_EQ(flat->max_x, 11.0f);
}

}  // namespace
