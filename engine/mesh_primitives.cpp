// The primitive generators of TMesh: cube, sphere, cylinder and cone, with
// their fixed vertex layouts. Angles in degrees; trigonometry in double
// precision, stored as float.
#include <cmath>
#include <numbers>

#include "engine/mesh.h"

namespace {

double Cos(double degrees) { return std::cos(degrees * std::numbers::pi / 180.0); }
double Sin(double degrees) { return std::sin(degrees * std::numbers::pi / 180.0); }

// Texture set 1 = set 0.
void CopySet0To1(TSurface& s, int v) { s.VertexTexCoords(v, s.VertexU(v, 0), s.VertexV(v, 0), 0, 1); }

int Vertex(TSurface& s, double x, double y, double z, double u, double v) {
  return s.AddVertex(float(x), float(y), float(z), float(u), float(v), 0);
}

// A vertex on the unit sphere at azimuth a and polar angle p.
int SphereVertex(TSurface& s, double a, double p, double u, double v) {
  return Vertex(s, -Cos(a) * Sin(p), Cos(p), Sin(a) * Sin(p), u, v);
}

// A base or cap vertex at (x, y, z), mapped from above.
int PlanarVertex(TSurface& s, double x, double y, double z) {
  const int v = Vertex(s, x, y, z, x / 2 + 0.5, z / 2 + 0.5);
  CopySet0To1(s, v);
  return v;
}

struct CubeVertex {
  float x, y, z, nx, ny, nz, u, v;
};

constexpr CubeVertex kCube[24] = {
    {-1, -1, -1, 0, 0, -1, 0, 1}, {-1, 1, -1, 0, 0, -1, 0, 0}, {1, 1, -1, 0, 0, -1, 1, 0},
    {1, -1, -1, 0, 0, -1, 1, 1},  {-1, -1, 1, 0, 0, 1, 1, 1},  {-1, 1, 1, 0, 0, 1, 1, 0},
    {1, 1, 1, 0, 0, 1, 0, 0},     {1, -1, 1, 0, 0, 1, 0, 1},   {-1, -1, 1, 0, -1, 0, 0, 1},
    {-1, 1, 1, 0, 1, 0, 0, 0},    {1, 1, 1, 0, 1, 0, 1, 0},    {1, -1, 1, 0, -1, 0, 1, 1},
    {-1, -1, -1, 0, -1, 0, 0, 0}, {-1, 1, -1, 0, 1, 0, 0, 1},  {1, 1, -1, 0, 1, 0, 1, 1},
    {1, -1, -1, 0, -1, 0, 1, 0},  {-1, -1, 1, -1, 0, 0, 0, 1}, {-1, 1, 1, -1, 0, 0, 0, 0},
    {1, 1, 1, 1, 0, 0, 1, 0},     {1, -1, 1, 1, 0, 0, 1, 1},   {-1, -1, -1, -1, 0, 0, 1, 1},
    {-1, 1, -1, -1, 0, 0, 1, 0},  {1, 1, -1, 1, 0, 0, 0, 0},   {1, -1, -1, 1, 0, 0, 0, 1},
};

constexpr int kCubeTris[12][3] = {{0, 1, 2},    {0, 2, 3},    {6, 5, 4},    {7, 6, 4},
                                  {14, 13, 9},  {10, 14, 9},  {8, 12, 15},  {8, 15, 11},
                                  {22, 18, 19}, {23, 22, 19}, {16, 17, 21}, {16, 21, 20}};

}  // namespace

TMesh* TMesh::CreateCube(TEntity* parent) {
  TMesh* mesh = CreateMesh(parent);
  TSurface& s = *mesh->CreateSurface();
  for (const CubeVertex& c : kCube) s.AddVertex(c.x, c.y, c.z);
  for (int i = 0; i < 24; ++i) s.VertexNormal(i, kCube[i].nx, kCube[i].ny, kCube[i].nz);
  for (int i = 0; i < 24; ++i) s.VertexTexCoords(i, kCube[i].u, kCube[i].v, 0, 0);
  for (int i = 0; i < 24; ++i) s.VertexTexCoords(i, kCube[i].u, kCube[i].v, 0, 1);
  for (const auto& t : kCubeTris) s.AddTriangle(t[0], t[1], t[2]);
  return mesh;
}

TMesh* TMesh::CreateSphere(int segments, TEntity* parent) {
  if (segments < 2 || segments > 100) return nullptr;
  TMesh* mesh = CreateMesh(parent);
  TSurface& s = *mesh->CreateSurface();
  const int n = segments;
  const double div = 360.0 / (2 * n), udiv = 1.0 / (2 * n), vdiv = 1.0 / n;

  if (n == 2) {
    double u = 1, a = 90;
    for (int i = 0; i < 4; ++i) {
      const int north = Vertex(s, 0, 1, 0, u - udiv / 2, 0);
      const int south = Vertex(s, 0, -1, 0, u - udiv / 2, 1);
      const int pa = Vertex(s, -Cos(a), 0, Sin(a), u, 0.5);
      a += div;
      if (a >= 360) a -= 360;
      u -= udiv;
      const int pb = Vertex(s, -Cos(a), 0, Sin(a), u, 0.5);
      s.AddTriangle(north, pa, pb);
      s.AddTriangle(pb, pa, south);
    }
  } else {
    double u = 1, a = 90;
    const double y = Cos(div), r = Sin(div);
    for (int i = 0; i < 2 * n; ++i) {
      const int north = Vertex(s, 0, 1, 0, u - udiv / 2, 0);
      const int south = Vertex(s, 0, -1, 0, u - udiv / 2, 1);
      const int pa = Vertex(s, -Cos(a) * r, y, Sin(a) * r, u, vdiv);
      const int pa2 = Vertex(s, -Cos(a) * r, -y, Sin(a) * r, u, 1 - vdiv);
      a += div;
      u -= udiv;
      const int pb = Vertex(s, -Cos(a) * r, y, Sin(a) * r, u, vdiv);
      const int pb2 = Vertex(s, -Cos(a) * r, -y, Sin(a) * r, u, 1 - vdiv);
      s.AddTriangle(north, pa, pb);
      s.AddTriangle(pb2, pa2, south);
    }
    u = 1;
    a = 90;
    for (int i = 0; i < 2 * n; ++i) {
      for (int j = 1; j <= n - 2; ++j) {
        const double p1 = div * j, p2 = div * (j + 1), v = j * vdiv;
        const int p = SphereVertex(s, a, p1, u, v);
        const int q = SphereVertex(s, a, p2, u, v + vdiv);
        CopySet0To1(s, p);
        CopySet0To1(s, q);
        const double a2 = a + div, u2 = u - udiv;
        const int r1 = SphereVertex(s, a2, p1, u2, v);
        const int t = SphereVertex(s, a2, p2, u2, v + vdiv);
        CopySet0To1(s, r1);
        CopySet0To1(s, t);
        s.AddTriangle(r1, p, q);
        s.AddTriangle(t, r1, q);
      }
      u -= udiv;
      a += div;
    }
  }
  mesh->UpdateNormals();
  return mesh;
}

TMesh* TMesh::CreateCylinder(int segments, int solid, TEntity* parent) {
  if (segments < 3 || segments > 100) return nullptr;
  TMesh* mesh = CreateMesh(parent);
  TSurface& side = *mesh->CreateSurface();
  const int n = segments;
  const double div = 360.0 / n, udiv = 1.0 / n;

  if (solid == 1) {
    TSurface& caps = *mesh->CreateSurface();
    double a = 90;
    const int t0 = PlanarVertex(caps, -Cos(a), 1, Sin(a));
    const int b0 = PlanarVertex(caps, -Cos(a), -1, Sin(a));
    a += div;
    int t1 = PlanarVertex(caps, -Cos(a), 1, Sin(a));
    int b1 = PlanarVertex(caps, -Cos(a), -1, Sin(a));
    for (int i = 1; i <= n - 2; ++i) {
      a += div;
      const int t2 = PlanarVertex(caps, -Cos(a), 1, Sin(a));
      const int b2 = PlanarVertex(caps, -Cos(a), -1, Sin(a));
      caps.AddTriangle(t0, t1, t2);
      caps.AddTriangle(b2, b1, b0);
      if (i != n - 2) t1 = t2, b1 = b2;
    }
  }

  std::vector<int> top, bottom;
  for (int ring = 0; ring < 2; ++ring) {
    const double y = ring == 0 ? 1 : -1, v = ring == 0 ? 0 : 1;
    std::vector<int>& out = ring == 0 ? top : bottom;
    double a = 90, u = 1;
    out.push_back(Vertex(side, -Cos(a), y, Sin(a), u, v));
    for (int i = 0; i < n; ++i) {
      a += div;
      u -= udiv;
      out.push_back(Vertex(side, -Cos(a), y, Sin(a), u, v));
    }
  }
  for (int v = 0; v < side.no_verts; ++v) CopySet0To1(side, v);
  for (int v = 1; v <= n; ++v) {
    side.AddTriangle(top[size_t(v)], top[size_t(v - 1)], bottom[size_t(v - 1)]);
    side.AddTriangle(bottom[size_t(v)], top[size_t(v)], bottom[size_t(v - 1)]);
  }
  mesh->UpdateNormals();
  return mesh;
}

TMesh* TMesh::CreateCone(int segments, int solid, TEntity* parent) {
  if (segments < 3 || segments > 100) return nullptr;
  TMesh* mesh = CreateMesh(parent);
  TSurface& side = *mesh->CreateSurface();
  TSurface* base = solid == 1 ? mesh->CreateSurface() : nullptr;
  const int n = segments;
  const double div = 360.0 / n, udiv = 1.0 / n;
  double u = 1, a = 90;

  int apex = Vertex(side, 0, 1, 0, u - udiv / 2, 0);
  int br = Vertex(side, -Cos(a), -1, Sin(a), u, 1);
  CopySet0To1(side, apex);
  CopySet0To1(side, br);
  const int c0 = base ? PlanarVertex(*base, -Cos(a), -1, Sin(a)) : 0;
  a += div;
  int bl = Vertex(side, -Cos(a), -1, Sin(a), u - udiv, 1);
  CopySet0To1(side, bl);
  int c1 = base ? PlanarVertex(*base, -Cos(a), -1, Sin(a)) : 0;
  side.AddTriangle(bl, apex, br);
  for (int i = 1; i <= n - 1; ++i) {
    br = bl;
    u -= udiv;
    apex = Vertex(side, 0, 1, 0, u - udiv / 2, 0);
    a += div;
    bl = Vertex(side, -Cos(a), -1, Sin(a), u - udiv, 1);
    CopySet0To1(side, apex);
    CopySet0To1(side, bl);
    side.AddTriangle(bl, apex, br);
    if (base) {
      const int c2 = PlanarVertex(*base, -Cos(a), -1, Sin(a));
      base->AddTriangle(c2, c1, c0);
      if (i != n - 1) c1 = c2;
    }
  }
  mesh->UpdateNormals();
  return mesh;
}
