#include "engine/mesh.h"

#include <algorithm>
#include <cmath>

#include "engine/collision/normals.h"

namespace {

// Applies m to the stored triple at p; translate 0 for normals.
void Transform(const TMatrix& m, float* p, bool translate) {
  const float x = p[0], y = p[1], z = p[2];
  const float w = translate ? 1.0f : 0.0f;
  for (int j = 0; j < 3; ++j)
    p[j] = m.grid[0][j] * x + m.grid[1][j] * y + m.grid[2][j] * z + m.grid[3][j] * w;
}

}  // namespace

TMesh::TMesh() {
  class_name = "Mesh";
  mat_sp.LoadIdentity();
}

TMesh* TMesh::Attach(TMesh* mesh, TEntity* parent) {
  mesh->AddParent(parent);
  mesh->EntityListAdd(*entity_list);
  mesh->RefreshMat(false);
  return mesh;
}

TMesh* TMesh::CreateMesh(TEntity* parent) { return Attach(new TMesh, parent); }

TMesh* TMesh::CopyEntity(TEntity* parent) {
  auto* copy = new TMesh;
  CopyEntityInto(*copy, parent);
  copy->surf_list = surf_list;
  copy->col_tree = col_tree;
  copy->no_surfs = no_surfs;
  copy->reset_bounds = reset_bounds;
  copy->min_x = min_x, copy->min_y = min_y, copy->min_z = min_z;
  copy->max_x = max_x, copy->max_y = max_y, copy->max_z = max_z;
  for (const Ref<TSurface>& anim : anim_surf_list) {
    Ref<TSurface> s = MakeRef<TSurface>();
    s->no_verts = anim->no_verts;
    s->vert_array_size = anim->vert_array_size;
    s->vert_coords = anim->vert_coords;
    s->vert_bone1_no = anim->vert_bone1_no, s->vert_bone2_no = anim->vert_bone2_no;
    s->vert_bone3_no = anim->vert_bone3_no, s->vert_bone4_no = anim->vert_bone4_no;
    s->vert_weight1 = anim->vert_weight1, s->vert_weight2 = anim->vert_weight2;
    s->vert_weight3 = anim->vert_weight3, s->vert_weight4 = anim->vert_weight4;
    copy->anim_surf_list.push_back(s);
  }
  copy->no_bones = no_bones;
  return copy;
}

int TMesh::FreeEntity() {
  anim_surf_list.clear();
  return TEntity::FreeEntity();
}

void TMesh::MarkGeometryChanged() {
  reset_bounds = 1;
  col_tree->reset_col_tree = 1;
}

TSurface* TMesh::CreateSurface(const TBrush* source) {
  Ref<TSurface> surface = MakeRef<TSurface>();
  if (source) {
    surface->brush = source->Copy();
    brush = source->Copy();
  }
  surf_list->push_back(surface);
  no_surfs = int(surf_list->size());
  MarkGeometryChanged();
  return surface.get();
}

TSurface* TMesh::GetSurface(int index) const {
  return index >= 1 && index <= int(surf_list->size()) ? (*surf_list)[size_t(index - 1)].get() : nullptr;
}

TSurface* TMesh::FindSurface(const TBrush* source) const {
  for (const Ref<TSurface>& s : *surf_list)
    if (TBrush::CompareBrushes(s->brush.get(), source)) return s.get();
  return nullptr;
}

int TMesh::CountVertices() const {
  int n = 0;
  for (const Ref<TSurface>& s : *surf_list) n += s->no_verts;
  return n;
}

int TMesh::CountTriangles() const {
  int n = 0;
  for (const Ref<TSurface>& s : *surf_list) n += s->no_tris;
  return n;
}

TMesh* TMesh::CopyMesh(TEntity* parent) {
  TMesh* copy = CreateMesh(parent);
  AddMesh(*copy);
  return copy;
}

void TMesh::AppendSurface(const TSurface& source, TSurface& target) {
  const int offset = target.no_verts;
  for (int v = 0; v < source.no_verts; ++v) {
    const size_t i3 = size_t(v) * 3, i2 = size_t(v) * 2, i4 = size_t(v) * 4;
    const int n =
        target.AddVertex(source.vert_coords[i3], source.vert_coords[i3 + 1], -source.vert_coords[i3 + 2]);
    target.VertexColor(n, source.vert_col[i4] * 255.0f, source.vert_col[i4 + 1] * 255.0f,
                       source.vert_col[i4 + 2] * 255.0f, source.vert_col[i4 + 3]);
    target.VertexNormal(n, source.vert_norm[i3], source.vert_norm[i3 + 1], -source.vert_norm[i3 + 2]);
    target.VertexTexCoords(n, source.vert_tex_coords0[i2], source.vert_tex_coords0[i2 + 1], 0, 0);
    target.VertexTexCoords(n, source.vert_tex_coords1[i2], source.vert_tex_coords1[i2 + 1], 0, 1);
  }
  for (int t = 0; t < source.no_tris; ++t) {
    const uint16_t* c = &source.tris[size_t(t) * 3];
    target.AddTriangle(c[2] + offset, c[1] + offset, c[0] + offset);
  }
  target.reset_vbo = -1;
}

int TMesh::AddMesh(TMesh& target) {
  // A snapshot, so that adding a mesh to itself (or to a copy sharing its
  // surfaces) adds the geometry once.
  const SurfaceList sources = *surf_list;
  for (const Ref<TSurface>& source : sources) {
    if (source->no_verts == 0 && source->no_tris == 0) continue;
    TSurface* match = target.FindSurface(source->brush.get());
    if (match) {
      AppendSurface(*source, *match);
    } else {
      TSurface* made = target.CreateSurface(nullptr);
      AppendSurface(*source, *made);
      made->brush = source->brush->Copy();
    }
  }
  target.MarkGeometryChanged();
  return 0;
}

int TMesh::FlipMesh() {
  for (const Ref<TSurface>& s : *surf_list) {
    for (int t = 0; t < s->no_tris; ++t) std::swap(s->tris[size_t(t) * 3], s->tris[size_t(t) * 3 + 2]);
    for (int i = 0; i < s->no_verts * 3; ++i) s->vert_norm[size_t(i)] = -s->vert_norm[size_t(i)];
    s->reset_vbo |= TSurface::kVboNormals | TSurface::kVboTris;
  }
  col_tree->reset_col_tree = 1;
  return 0;
}

int TMesh::PaintMesh(const TBrush& source) {
  for (const Ref<TSurface>& s : *surf_list) s->PaintSurface(source);
  return 0;
}

int TMesh::FitMesh(float x, float y, float z, float width, float height, float depth, int uniform) {
  if (uniform == 1) {
    const float wr = MeshWidth() / width, hr = MeshHeight() / height, dr = MeshDepth() / depth;
    if (wr >= hr && wr >= dr) {
      y += (height - MeshHeight() / wr) / 2;
      z += (depth - MeshDepth() / wr) / 2;
      height = MeshHeight() / wr;
      depth = MeshDepth() / wr;
    } else if (hr > dr) {
      x += (width - MeshWidth() / hr) / 2;
      z += (depth - MeshDepth() / hr) / 2;
      width = MeshWidth() / hr;
      depth = MeshDepth() / hr;
    } else {
      x += (width - MeshWidth() / dr) / 2;
      y += (height - MeshHeight() / dr) / 2;
      width = MeshWidth() / dr;
      height = MeshHeight() / dr;
    }
  }
  const float factor[3] = {MeshWidth() / width, MeshHeight() / height, MeshDepth() / depth};
  const float origin[3] = {x, y, z}, size[3] = {width, height, depth};

  float lo[3] = {1410065408.0f, 1410065408.0f, 1410065408.0f};
  float hi[3] = {-1410065408.0f, -1410065408.0f, -1410065408.0f};
  for (const Ref<TSurface>& s : *surf_list) {
    for (int v = 0; v < s->no_verts; ++v) {
      const float p[3] = {s->VertexX(v), s->VertexY(v), s->VertexZ(v)};
      for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
    }
  }
  for (const Ref<TSurface>& s : *surf_list) {
    for (int v = 0; v < s->no_verts; ++v) {
      const float p[3] = {s->VertexX(v), s->VertexY(v), s->VertexZ(v)};
      float out[3];
      for (int k = 0; k < 3; ++k) {
        const float extent = hi[k] - lo[k];
        const float rel = extent > -0.0001f && extent < 0.0001f ? 0.0f : (p[k] - lo[k]) / extent;
        out[k] = origin[k] + rel * size[k];
      }
      s->VertexCoords(v, out[0], out[1], out[2]);
      s->VertexNormal(v, s->VertexNX(v) * factor[0], s->VertexNY(v) * factor[1], s->VertexNZ(v) * factor[2]);
    }
    s->reset_vbo |= TSurface::kVboCoords | TSurface::kVboNormals;
  }
  MarkGeometryChanged();
  return 0;
}

int TMesh::ScaleMesh(float x, float y, float z) {
  for (const Ref<TSurface>& s : *surf_list) {
    for (int v = 0; v < s->no_verts; ++v) {
      float* p = &s->vert_coords[size_t(v) * 3];
      p[0] *= x;
      p[1] *= y;
      p[2] *= z;
    }
    s->reset_vbo |= TSurface::kVboCoords;
  }
  MarkGeometryChanged();
  return 0;
}

int TMesh::RotateMesh(float pitch, float yaw, float roll) {
  TMatrix m;
  m.LoadIdentity();
  m.Rotate(-pitch, yaw, roll);
  for (const Ref<TSurface>& s : *surf_list) {
    for (int v = 0; v < s->no_verts; ++v) {
      Transform(m, &s->vert_coords[size_t(v) * 3], true);
      Transform(m, &s->vert_norm[size_t(v) * 3], false);
    }
    s->reset_vbo |= TSurface::kVboCoords | TSurface::kVboNormals;
  }
  MarkGeometryChanged();
  return 0;
}

int TMesh::PositionMesh(float x, float y, float z) {
  for (const Ref<TSurface>& s : *surf_list) {
    for (int v = 0; v < s->no_verts; ++v) {
      float* p = &s->vert_coords[size_t(v) * 3];
      p[0] += x;
      p[1] += y;
      p[2] -= z;
    }
    s->reset_vbo |= TSurface::kVboCoords;
  }
  MarkGeometryChanged();
  return 0;
}

int TMesh::TransformMesh(const TMatrix& matrix) {
  for (const Ref<TSurface>& s : *surf_list) {
    for (int v = 0; v < s->no_verts; ++v) {
      Transform(matrix, &s->vert_coords[size_t(v) * 3], true);
      Transform(matrix, &s->vert_norm[size_t(v) * 3], false);
    }
    s->reset_vbo |= TSurface::kVboCoords | TSurface::kVboNormals;
  }
  MarkGeometryChanged();
  return 0;
}

int TMesh::UpdateNormals() {
  for (const Ref<TSurface>& s : *surf_list) {
    if (s->no_verts == 0) continue;
    collision::SmoothNormals(s->no_tris, s->no_verts, reinterpret_cast<const int16_t*>(s->tris.data()),
                             s->vert_coords.data(), s->vert_norm.data());
    s->reset_vbo |= TSurface::kVboNormals;
  }
  return 0;
}

float TMesh::MeshWidth() {
  GetBounds();
  return max_x - min_x;
}

float TMesh::MeshHeight() {
  GetBounds();
  return max_y - min_y;
}

float TMesh::MeshDepth() {
  GetBounds();
  return max_z - min_z;
}

int TMesh::GetBounds() {
  if (reset_bounds != 1) return 0;
  reset_bounds = 0;
  float lo[3] = {1000000000.0f, 1000000000.0f, 1000000000.0f};
  float hi[3] = {-1000000000.0f, -1000000000.0f, -1000000000.0f};
  bool any = false;
  for (const Ref<TSurface>& s : *surf_list) {
    for (int v = 0; v < s->no_verts; ++v) {
      const float* p = &s->vert_coords[size_t(v) * 3];
      const float q[3] = {p[0], p[1], -p[2]};
      for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], q[k]), hi[k] = std::max(hi[k], q[k]);
      any = true;
    }
  }
  if (!any) std::fill(lo, lo + 3, 0.0f), std::fill(hi, hi + 3, 0.0f);
  min_x = lo[0], min_y = lo[1], min_z = lo[2];
  max_x = hi[0], max_y = hi[1], max_z = hi[2];
  if (cull_radius >= 0) {
    const float largest = std::max({max_x - min_x, max_y - min_y, max_z - min_z});
    cull_radius = float(largest / 2.0 * std::sqrt(3.0));
  }
  return 0;
}

TMesh* TMesh::CollapseAnimMesh(TEntity* entity, TMesh* mesh) {
  if (!mesh) mesh = CreateMesh(nullptr);
  if (auto* source = dynamic_cast<TMesh*>(entity)) {
    TMesh* moved = source->CopyMesh(nullptr);
    moved->TransformMesh(source->mat);
    moved->AddMesh(*mesh);
    moved->FreeEntity();
  }
  CollapseChildren(entity, *mesh);
  return mesh;
}

void TMesh::CollapseChildren(TEntity* entity, TMesh& mesh) {
  for (TEntity* child : entity->child_list) {
    if (auto* source = dynamic_cast<TMesh*>(child)) {
      TMesh* moved = source->CopyMesh(nullptr);
      moved->TransformMesh(source->mat);
      moved->AddMesh(mesh);
      moved->FreeEntity();
    }
    CollapseChildren(child, mesh);
  }
}
