// TSurface: one drawable piece of a mesh: growable vertex and triangle arrays
// and one brush.
//
// The arrays hold the data ready for OpenGL's right-handed space: every z
// coordinate and normal z is stored negated, and a triangle given as corners
// a, b, c is stored as c, b, a. The accessors convert both ways, so callers of
// the methods never see the stored form; code reading the arrays (renderer,
// collision, normal smoothing) does. Only the first no_verts vertices and
// no_tris triangles of the arrays are in use.
//
// Vertex and triangle indices given to the methods are checked: an index
// outside 0 .. count - 1 raises a RuntimeError naming the method. Triangle
// corners are stored as unsigned 16-bit values, so a surface addresses at most
// 65536 vertices; AddTriangle refuses a corner outside 0 .. 65535.
#pragma once

#include <cstdint>
#include <vector>

#include "core/object.h"
#include "engine/brush.h"

class TSurface : public Object {
 public:
  // reset_vbo bits: which buffers need uploading again. -1 means all.
  static constexpr int kVboCoords = 1, kVboTexCoords = 2, kVboNormals = 4, kVboColours = 8, kVboTris = 16;
  // Surfaces of at least this many triangles are drawn from buffers.
  static constexpr int kVboMinTris = 250;

  int no_verts = 0;
  int no_tris = 0;
  std::vector<uint16_t> tris;
  std::vector<float> vert_coords;
  std::vector<float> vert_tex_coords0;
  std::vector<float> vert_tex_coords1;
  std::vector<float> vert_norm;
  std::vector<float> vert_col;
  std::vector<int> vert_bone1_no, vert_bone2_no, vert_bone3_no, vert_bone4_no;
  std::vector<float> vert_weight1, vert_weight2, vert_weight3, vert_weight4;
  Ref<TBrush> brush = MakeRef<TBrush>();
  int vbo_id[7] = {};
  int vert_array_size = 1;
  int tri_array_size = 1;
  int reset_vbo = -1;
  int alpha_enable = 0;
  int vbo_seq = 0;  // GraphicsSeq() the buffers in vbo_id were made under

  TSurface() = default;
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;
  // Releases the buffers when their context is still the current one.
  ~TSurface() override;

  // 1, -1 or 0 by alpha_enable: opaque surfaces sort first.
  int Compare(const TSurface& other) const;
  // Arrays, capacities and a copy of the brush; no buffers, reset_vbo -1.
  Ref<TSurface> Copy() const;
  // Copies the brush's fields and texture slots, not its tex_frame.
  int PaintSurface(const TBrush& source);
  int ClearSurface(int clear_verts = 1, int clear_tris = 1);
  // Index of the new vertex; colour (1, 1, 1, 1), normal 0, w ignored.
  int AddVertex(float x, float y, float z, float u = 0, float v = 0, float w = 0);
  // The new triangle count.
  int AddTriangle(int a, int b, int c);
  int CountVertices() const { return no_verts; }
  int CountTriangles() const { return no_tris; }
  int VertexCoords(int v, float x, float y, float z);
  // r, g, b on 0..255; a on 0..1.
  int VertexColor(int v, float r, float g, float b, float a = 1);
  int VertexNormal(int v, float nx, float ny, float nz);
  // Writes set 0 or 1; any other set writes nothing.
  int VertexTexCoords(int v, float u, float vv, float w = 0, int coord_set = 0);
  float VertexX(int v) const;
  float VertexY(int v) const;
  float VertexZ(int v) const;
  float VertexRed(int v) const;
  float VertexGreen(int v) const;
  float VertexBlue(int v) const;
  float VertexAlpha(int v) const;
  float VertexNX(int v) const;
  float VertexNY(int v) const;
  float VertexNZ(int v) const;
  float VertexU(int v, int coord_set = 0) const;
  float VertexV(int v, int coord_set = 0) const;
  float VertexW(int v, int coord_set = 0) const;
  // The vertex given as corner 0, 1 or 2 to AddTriangle; other corners raise.
  int TriangleVertex(int t, int corner) const;
  // The unnormalised face normal (A1 - A0) x (A2 - A1) of API positions.
  float TriangleNX(int t) const;
  float TriangleNY(int t) const;
  float TriangleNZ(int t) const;
  // A single surface has no normals of its own to smooth: TMesh does it.
  int UpdateNormals() { return 0; }
  // Makes the buffers when there are none and uploads the parts flagged in
  // reset_vbo. Needs a current OpenGL context with buffer objects.
  int UpdateVBO();
  int FreeVBO();
  // Removes triangle t, keeping the others in order.
  static int RemoveTri(TSurface& surface, int t);
  // Drops every vertex no triangle uses, renumbering the rest in order.
  static int RemoveVerts(TSurface& surface);

 private:
  void CheckVertex(int v, const char* function) const;
  void CheckTriangle(int t, const char* function) const;
  void FaceNormal(int t, float out[3]) const;
};
