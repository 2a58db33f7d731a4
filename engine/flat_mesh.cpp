#include "engine/flat_mesh.h"

#include "engine/handle_check.h"

namespace {

TMesh& CheckMesh(TMesh* mesh, const char* function, const char* role = "mesh") {
  if (!mesh) throw RuntimeError(NullHandleText(function, role));
  if (!TEntity::IsLive(mesh) || !dynamic_cast<TMesh*>(static_cast<TEntity*>(mesh)))
    throw RuntimeError(InvalidHandleText(function, role));
  return *mesh;
}

TSurface& CheckSurface(TSurface* surface, const char* function) {
  return CheckObject(surface, function, "surface");
}

}  // namespace

TMesh* CreateMesh(TEntity* parent) {
  return TMesh::CreateMesh(CheckOptionalEntity(parent, "CreateMesh", "parent"));
}
TMesh* CreateCube(TEntity* parent) {
  return TMesh::CreateCube(CheckOptionalEntity(parent, "CreateCube", "parent"));
}

TMesh* CreateSphere(int segments, TEntity* parent) {
  return TMesh::CreateSphere(segments, CheckOptionalEntity(parent, "CreateSphere", "parent"));
}

TMesh* CreateCylinder(int segments, int solid, TEntity* parent) {
  return TMesh::CreateCylinder(segments, solid, CheckOptionalEntity(parent, "CreateCylinder", "parent"));
}

TMesh* CreateCone(int segments, int solid, TEntity* parent) {
  return TMesh::CreateCone(segments, solid, CheckOptionalEntity(parent, "CreateCone", "parent"));
}

TMesh* CopyMesh(TMesh* mesh, TEntity* parent) {
  return CheckMesh(mesh, "CopyMesh").CopyMesh(CheckOptionalEntity(parent, "CopyMesh", "parent"));
}

int AddMesh(TMesh* source, TMesh* target) {
  return CheckMesh(source, "AddMesh", "source").AddMesh(CheckMesh(target, "AddMesh", "target"));
}

int PaintMesh(TMesh* mesh, TBrush* brush) {
  return CheckMesh(mesh, "PaintMesh").PaintMesh(CheckObject(brush, "PaintMesh", "brush"));
}

int PaintSurface(TSurface* surface, TBrush* brush) {
  return CheckSurface(surface, "PaintSurface").PaintSurface(CheckObject(brush, "PaintSurface", "brush"));
}

int FlipMesh(TMesh* mesh) { return CheckMesh(mesh, "FlipMesh").FlipMesh(); }
int FitMesh(TMesh* mesh, float x, float y, float z, float width, float height, float depth, int uniform) {
  return CheckMesh(mesh, "FitMesh").FitMesh(x, y, z, width, height, depth, uniform);
}
int ScaleMesh(TMesh* mesh, float sx, float sy, float sz) {
  return CheckMesh(mesh, "ScaleMesh").ScaleMesh(sx, sy, sz);
}
int RotateMesh(TMesh* mesh, float pitch, float yaw, float roll) {
  return CheckMesh(mesh, "RotateMesh").RotateMesh(pitch, yaw, roll);
}
int PositionMesh(TMesh* mesh, float px, float py, float pz) {
  return CheckMesh(mesh, "PositionMesh").PositionMesh(px, py, pz);
}
int UpdateNormals(TMesh* mesh) { return CheckMesh(mesh, "UpdateNormals").UpdateNormals(); }
float MeshWidth(TMesh* mesh) { return CheckMesh(mesh, "MeshWidth").MeshWidth(); }
float MeshHeight(TMesh* mesh) { return CheckMesh(mesh, "MeshHeight").MeshHeight(); }
float MeshDepth(TMesh* mesh) { return CheckMesh(mesh, "MeshDepth").MeshDepth(); }
int CountSurfaces(TMesh* mesh) { return CheckMesh(mesh, "CountSurfaces").CountSurfaces(); }
TSurface* GetSurface(TMesh* mesh, int index) { return CheckMesh(mesh, "GetSurface").GetSurface(index); }
TSurface* FindSurface(TMesh* mesh, TBrush* brush) {
  return CheckMesh(mesh, "FindSurface").FindSurface(brush);
}
TSurface* CreateSurface(TMesh* mesh, TBrush* brush) {
  return CheckMesh(mesh, "CreateSurface").CreateSurface(brush);
}
int ClearSurface(TSurface* surface, int clear_verts, int clear_tris) {
  return CheckSurface(surface, "ClearSurface").ClearSurface(clear_verts, clear_tris);
}
int AddVertex(TSurface* surface, float x, float y, float z, float u, float v, float w) {
  return CheckSurface(surface, "AddVertex").AddVertex(x, y, z, u, v, w);
}
int AddTriangle(TSurface* surface, int v0, int v1, int v2) {
  return CheckSurface(surface, "AddTriangle").AddTriangle(v0, v1, v2);
}
int CountVertices(TSurface* surface) { return CheckSurface(surface, "CountVertices").CountVertices(); }
int CountTriangles(TSurface* surface) { return CheckSurface(surface, "CountTriangles").CountTriangles(); }
int VertexCoords(TSurface* surface, int v, float x, float y, float z) {
  return CheckSurface(surface, "VertexCoords").VertexCoords(v, x, y, z);
}
int VertexNormal(TSurface* surface, int v, float nx, float ny, float nz) {
  return CheckSurface(surface, "VertexNormal").VertexNormal(v, nx, ny, nz);
}
int VertexColor(TSurface* surface, int v, float r, float g, float b, float a) {
  return CheckSurface(surface, "VertexColor").VertexColor(v, r, g, b, a);
}
int VertexTexCoords(TSurface* surface, int v, float u, float vv, float w, int coord_set) {
  return CheckSurface(surface, "VertexTexCoords").VertexTexCoords(v, u, vv, w, coord_set);
}
float VertexX(TSurface* surface, int v) { return CheckSurface(surface, "VertexX").VertexX(v); }
float VertexY(TSurface* surface, int v) { return CheckSurface(surface, "VertexY").VertexY(v); }
float VertexZ(TSurface* surface, int v) { return CheckSurface(surface, "VertexZ").VertexZ(v); }
float VertexNX(TSurface* surface, int v) { return CheckSurface(surface, "VertexNX").VertexNX(v); }
float VertexNY(TSurface* surface, int v) { return CheckSurface(surface, "VertexNY").VertexNY(v); }
float VertexNZ(TSurface* surface, int v) { return CheckSurface(surface, "VertexNZ").VertexNZ(v); }
float VertexRed(TSurface* surface, int v) { return CheckSurface(surface, "VertexRed").VertexRed(v); }
float VertexGreen(TSurface* surface, int v) { return CheckSurface(surface, "VertexGreen").VertexGreen(v); }
float VertexBlue(TSurface* surface, int v) { return CheckSurface(surface, "VertexBlue").VertexBlue(v); }
float VertexAlpha(TSurface* surface, int v) { return CheckSurface(surface, "VertexAlpha").VertexAlpha(v); }
float VertexU(TSurface* surface, int v, int coord_set) {
  return CheckSurface(surface, "VertexU").VertexU(v, coord_set);
}
float VertexV(TSurface* surface, int v, int coord_set) {
  return CheckSurface(surface, "VertexV").VertexV(v, coord_set);
}
float VertexW(TSurface* surface, int v, int coord_set) {
  return CheckSurface(surface, "VertexW").VertexW(v, coord_set);
}
int TriangleVertex(TSurface* surface, int t, int corner) {
  return CheckSurface(surface, "TriangleVertex").TriangleVertex(t, corner);
}
