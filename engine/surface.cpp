#include "engine/surface.h"

#include <GL/glew.h>

#include "core/runtime_error.h"
#include "engine/engine_errors.h"
#include "graphics/graphics.h"

namespace {

// Doubles the capacity until it exceeds count.
int GrownCapacity(int capacity, int count) {
  while (capacity <= count) capacity *= 2;
  return capacity;
}

void UploadArray(GLenum target, int id, const void* data, size_t bytes) {
  glBindBufferARB(target, GLuint(id));
  glBufferDataARB(target, GLsizeiptrARB(bytes), data, GL_STATIC_DRAW_ARB);
}

}  // namespace

TSurface::~TSurface() { FreeVBO(); }

void TSurface::CheckVertex(int v, const char* function) const {
  if (v < 0 || v >= no_verts) throw RuntimeError(IndexRangeText(function, "vertex"));
}

void TSurface::CheckTriangle(int t, const char* function) const {
  if (t < 0 || t >= no_tris) throw RuntimeError(IndexRangeText(function, "triangle"));
}

int TSurface::Compare(const TSurface& other) const {
  return alpha_enable > other.alpha_enable ? 1 : alpha_enable < other.alpha_enable ? -1 : 0;
}

Ref<TSurface> TSurface::Copy() const {
  Ref<TSurface> s = MakeRef<TSurface>();
  s->no_verts = no_verts;
  s->no_tris = no_tris;
  s->tris = tris;
  s->vert_coords = vert_coords;
  s->vert_tex_coords0 = vert_tex_coords0;
  s->vert_tex_coords1 = vert_tex_coords1;
  s->vert_norm = vert_norm;
  s->vert_col = vert_col;
  s->vert_bone1_no = vert_bone1_no;
  s->vert_bone2_no = vert_bone2_no;
  s->vert_bone3_no = vert_bone3_no;
  s->vert_bone4_no = vert_bone4_no;
  s->vert_weight1 = vert_weight1;
  s->vert_weight2 = vert_weight2;
  s->vert_weight3 = vert_weight3;
  s->vert_weight4 = vert_weight4;
  s->brush = brush->Copy();
  s->vert_array_size = vert_array_size;
  s->tri_array_size = tri_array_size;
  return s;
}

int TSurface::PaintSurface(const TBrush& source) {
  if (!brush) brush = MakeRef<TBrush>();
  brush->Paint(source);
  return 0;
}

int TSurface::ClearSurface(int clear_verts, int clear_tris) {
  if (clear_verts) {
    no_verts = 0;
    vert_coords.clear();
    vert_tex_coords0.clear();
    vert_tex_coords1.clear();
    vert_norm.clear();
    vert_col.clear();
    vert_array_size = 1;
  }
  if (clear_tris) {
    no_tris = 0;
    tris.clear();
    tri_array_size = 1;
  }
  reset_vbo = -1;
  return 0;
}

int TSurface::AddVertex(float x, float y, float z, float u, float v, float /*w*/) {
  const int vid = no_verts++;
  if (no_verts >= vert_array_size || vert_coords.empty()) {
    vert_array_size = GrownCapacity(vert_array_size, no_verts);
    const size_t n = size_t(vert_array_size);
    vert_coords.resize(n * 3);
    vert_norm.resize(n * 3);
    vert_tex_coords0.resize(n * 2);
    vert_tex_coords1.resize(n * 2);
    vert_col.resize(n * 4);
  }
  float* p = &vert_coords[size_t(vid) * 3];
  p[0] = x;
  p[1] = y;
  p[2] = -z;
  float* n = &vert_norm[size_t(vid) * 3];
  n[0] = n[1] = n[2] = 0;
  vert_tex_coords0[size_t(vid) * 2] = u;
  vert_tex_coords0[size_t(vid) * 2 + 1] = v;
  vert_tex_coords1[size_t(vid) * 2] = 0;
  vert_tex_coords1[size_t(vid) * 2 + 1] = 0;
  float* c = &vert_col[size_t(vid) * 4];
  c[0] = c[1] = c[2] = c[3] = 1;
  return vid;
}

int TSurface::AddTriangle(int a, int b, int c) {
  for (int corner : {a, b, c})
    if (corner < 0 || corner > 0xFFFF) throw RuntimeError(IndexRangeText("AddTriangle", "vertex"));
  const int tid = no_tris++;
  if (no_tris >= tri_array_size || tris.empty()) {
    tri_array_size = GrownCapacity(tri_array_size, no_tris);
    tris.resize(size_t(tri_array_size) * 3);
  }
  uint16_t* t = &tris[size_t(tid) * 3];
  t[0] = uint16_t(c);
  t[1] = uint16_t(b);
  t[2] = uint16_t(a);
  reset_vbo |= kVboCoords | kVboTexCoords | kVboTris;
  return no_tris;
}

int TSurface::VertexCoords(int v, float x, float y, float z) {
  CheckVertex(v, "VertexCoords");
  float* p = &vert_coords[size_t(v) * 3];
  p[0] = x;
  p[1] = y;
  p[2] = -z;
  reset_vbo |= kVboCoords;
  return 0;
}

int TSurface::VertexColor(int v, float r, float g, float b, float a) {
  CheckVertex(v, "VertexColor");
  float* c = &vert_col[size_t(v) * 4];
  c[0] = r / 255.0f;
  c[1] = g / 255.0f;
  c[2] = b / 255.0f;
  c[3] = a;
  reset_vbo |= kVboColours;
  return 0;
}

int TSurface::VertexNormal(int v, float nx, float ny, float nz) {
  CheckVertex(v, "VertexNormal");
  float* n = &vert_norm[size_t(v) * 3];
  n[0] = nx;
  n[1] = ny;
  n[2] = -nz;
  reset_vbo |= kVboNormals;
  return 0;
}

int TSurface::VertexTexCoords(int v, float u, float vv, float /*w*/, int coord_set) {
  CheckVertex(v, "VertexTexCoords");
  if (coord_set == 0 || coord_set == 1) {
    float* t = &(coord_set == 0 ? vert_tex_coords0 : vert_tex_coords1)[size_t(v) * 2];
    t[0] = u;
    t[1] = vv;
  }
  reset_vbo |= kVboTexCoords;
  return 0;
}

float TSurface::VertexX(int v) const {
  CheckVertex(v, "VertexX");
  return vert_coords[size_t(v) * 3];
}

float TSurface::VertexY(int v) const {
  CheckVertex(v, "VertexY");
  return vert_coords[size_t(v) * 3 + 1];
}

float TSurface::VertexZ(int v) const {
  CheckVertex(v, "VertexZ");
  return -vert_coords[size_t(v) * 3 + 2];
}

float TSurface::VertexRed(int v) const {
  CheckVertex(v, "VertexRed");
  return vert_col[size_t(v) * 4] * 255.0f;
}

float TSurface::VertexGreen(int v) const {
  CheckVertex(v, "VertexGreen");
  return vert_col[size_t(v) * 4 + 1] * 255.0f;
}

float TSurface::VertexBlue(int v) const {
  CheckVertex(v, "VertexBlue");
  return vert_col[size_t(v) * 4 + 2] * 255.0f;
}

float TSurface::VertexAlpha(int v) const {
  CheckVertex(v, "VertexAlpha");
  return vert_col[size_t(v) * 4 + 3];
}

float TSurface::VertexNX(int v) const {
  CheckVertex(v, "VertexNX");
  return vert_norm[size_t(v) * 3];
}

float TSurface::VertexNY(int v) const {
  CheckVertex(v, "VertexNY");
  return vert_norm[size_t(v) * 3 + 1];
}

float TSurface::VertexNZ(int v) const {
  CheckVertex(v, "VertexNZ");
  return -vert_norm[size_t(v) * 3 + 2];
}

float TSurface::VertexU(int v, int coord_set) const {
  CheckVertex(v, "VertexU");
  if (coord_set == 0) return vert_tex_coords0[size_t(v) * 2];
  if (coord_set == 1) return vert_tex_coords1[size_t(v) * 2];
  return 0;
}

float TSurface::VertexV(int v, int coord_set) const {
  CheckVertex(v, "VertexV");
  if (coord_set == 0) return vert_tex_coords0[size_t(v) * 2 + 1];
  if (coord_set == 1) return vert_tex_coords1[size_t(v) * 2 + 1];
  return 0;
}

float TSurface::VertexW(int v, int /*coord_set*/) const {
  CheckVertex(v, "VertexW");
  return 0;
}

int TSurface::TriangleVertex(int t, int corner) const {
  CheckTriangle(t, "TriangleVertex");
  if (corner < 0 || corner > 2) throw RuntimeError(IndexRangeText("TriangleVertex", "corner"));
  return tris[size_t(t) * 3 + size_t(2 - corner)];
}

void TSurface::FaceNormal(int t, float out[3]) const {
  float p[3][3];
  for (int corner = 0; corner < 3; ++corner) {
    const int v = tris[size_t(t) * 3 + size_t(2 - corner)];
    if (v >= no_verts) throw RuntimeError(IndexRangeText("TriangleNormal", "vertex"));
    p[corner][0] = vert_coords[size_t(v) * 3];
    p[corner][1] = vert_coords[size_t(v) * 3 + 1];
    p[corner][2] = -vert_coords[size_t(v) * 3 + 2];
  }
  const float a[3] = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
  const float b[3] = {p[2][0] - p[1][0], p[2][1] - p[1][1], p[2][2] - p[1][2]};
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

float TSurface::TriangleNX(int t) const {
  CheckTriangle(t, "TriangleNX");
  float n[3];
  FaceNormal(t, n);
  return n[0];
}

float TSurface::TriangleNY(int t) const {
  CheckTriangle(t, "TriangleNY");
  float n[3];
  FaceNormal(t, n);
  return n[1];
}

float TSurface::TriangleNZ(int t) const {
  CheckTriangle(t, "TriangleNZ");
  float n[3];
  FaceNormal(t, n);
  return n[2];
}

int TSurface::UpdateVBO() {
  if (vbo_id[0] && vbo_seq != GraphicsSeq()) {
    // The buffers went with the context that made them.
    for (int& id : vbo_id) id = 0;
    reset_vbo = -1;
  }
  if (vbo_id[0] == 0) {
    GLuint ids[6] = {};
    glGenBuffersARB(6, ids);
    for (int i = 0; i < 6; ++i) vbo_id[i] = int(ids[i]);
    vbo_seq = GraphicsSeq();
    reset_vbo = -1;
  }
  const int bits = reset_vbo == -1 ? 31 : reset_vbo;
  const size_t nv = size_t(no_verts);
  if (bits & kVboCoords)
    UploadArray(GL_ARRAY_BUFFER_ARB, vbo_id[0], vert_coords.data(), nv * 3 * sizeof(float));
  if (bits & kVboTexCoords) {
    UploadArray(GL_ARRAY_BUFFER_ARB, vbo_id[1], vert_tex_coords0.data(), nv * 2 * sizeof(float));
    UploadArray(GL_ARRAY_BUFFER_ARB, vbo_id[2], vert_tex_coords1.data(), nv * 2 * sizeof(float));
  }
  if (bits & kVboNormals)
    UploadArray(GL_ARRAY_BUFFER_ARB, vbo_id[3], vert_norm.data(), nv * 3 * sizeof(float));
  if (bits & kVboColours)
    UploadArray(GL_ARRAY_BUFFER_ARB, vbo_id[4], vert_col.data(), nv * 4 * sizeof(float));
  if (bits & kVboTris)
    UploadArray(GL_ELEMENT_ARRAY_BUFFER_ARB, vbo_id[5], tris.data(), size_t(no_tris) * 3 * sizeof(uint16_t));
  reset_vbo = 0;
  return 0;
}

int TSurface::FreeVBO() {
  if (vbo_id[0] && vbo_seq == GraphicsSeq()) {
    GLuint ids[6];
    for (int i = 0; i < 6; ++i) ids[i] = GLuint(vbo_id[i]);
    glDeleteBuffersARB(6, ids);
  }
  for (int& id : vbo_id) id = 0;
  return 0;
}

int TSurface::RemoveTri(TSurface& surface, int t) {
  surface.CheckTriangle(t, "RemoveTri");
  const std::vector<uint16_t> old(surface.tris.begin(),
                                  surface.tris.begin() + ptrdiff_t(surface.no_tris) * 3);
  const int count = surface.no_tris;
  surface.ClearSurface(0, 1);
  for (int i = 0; i < count; ++i)
    if (i != t) surface.AddTriangle(old[size_t(i) * 3 + 2], old[size_t(i) * 3 + 1], old[size_t(i) * 3]);
  return 0;
}

int TSurface::RemoveVerts(TSurface& surface) {
  const int nv = surface.no_verts, nt = surface.no_tris;
  const std::vector<uint16_t> old_tris(surface.tris.begin(), surface.tris.begin() + ptrdiff_t(nt) * 3);
  std::vector<int> new_index(size_t(nv), -1);
  for (uint16_t v : old_tris)
    if (v < nv) new_index[v] = 0;
  const std::vector<float> coords = surface.vert_coords, norms = surface.vert_norm, cols = surface.vert_col,
                           tex0 = surface.vert_tex_coords0, tex1 = surface.vert_tex_coords1;
  surface.ClearSurface(1, 1);
  for (int v = 0; v < nv; ++v) {
    if (new_index[size_t(v)] < 0) continue;
    const size_t i3 = size_t(v) * 3, i2 = size_t(v) * 2, i4 = size_t(v) * 4;
    const int n = surface.AddVertex(coords[i3], coords[i3 + 1], -coords[i3 + 2]);
    new_index[size_t(v)] = n;
    const size_t o3 = size_t(n) * 3, o2 = size_t(n) * 2, o4 = size_t(n) * 4;
    for (int k = 0; k < 3; ++k) surface.vert_norm[o3 + size_t(k)] = norms[i3 + size_t(k)];
    for (int k = 0; k < 4; ++k) surface.vert_col[o4 + size_t(k)] = cols[i4 + size_t(k)];
    for (int k = 0; k < 2; ++k) {
      surface.vert_tex_coords0[o2 + size_t(k)] = tex0[i2 + size_t(k)];
      surface.vert_tex_coords1[o2 + size_t(k)] = tex1[i2 + size_t(k)];
    }
  }
  for (int i = 0; i < nt; ++i) {
    const uint16_t* t = &old_tris[size_t(i) * 3];
    if (t[0] >= nv || t[1] >= nv || t[2] >= nv) continue;  // a corner with no vertex cannot be renumbered
    surface.AddTriangle(new_index[t[2]], new_index[t[1]], new_index[t[0]]);
  }
  surface.reset_vbo = -1;
  return 0;
}
