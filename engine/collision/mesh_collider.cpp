#include "engine/collision/mesh_collider.h"

#include <algorithm>
#include <cstddef>

namespace collision {

MeshCollider::Stats MeshCollider::stats;

void MeshInfo::AddSurface(int no_tris, int no_verts, const int16_t* tris, const float* verts, int surf) {
  if (no_tris < 0 || no_verts < 0) return;
  if ((no_tris > 0 && !tris) || (no_verts > 0 && !verts)) return;
  size_t room = vertices.size() < kMaxVertices ? kMaxVertices - vertices.size() : 0;
  size_t kept_verts = std::min(static_cast<size_t>(no_verts), room);
  triangles.reserve(triangles.size() + static_cast<size_t>(no_tris));
  vertices.reserve(vertices.size() + kept_verts);
  for (int k = 0; k < no_tris; ++k) {
    const int16_t* t = tris + 3 * static_cast<size_t>(k);
    triangles.push_back({surf, {t[0], t[1], t[2]}, k});
  }
  for (size_t v = 0; v < kept_verts; ++v)
    vertices.push_back({verts[3 * v], verts[3 * v + 1], verts[3 * v + 2]});
}

MeshCollider::MeshCollider(const MeshInfo& info, int leaf_triangles)
    : vertices_(info.vertices), triangles_(info.triangles) {
  std::vector<int> order;
  std::vector<Vector> centres(triangles_.size());
  for (size_t k = 0; k < triangles_.size(); ++k) {
    const MeshTriangle& tri = triangles_[k];
    bool usable = true;
    for (int c : tri.verts) usable = usable && c >= 0 && static_cast<size_t>(c) < vertices_.size();
    if (!usable) continue;
    const Vector& p0 = vertices_[tri.verts[0]];
    const Vector& p1 = vertices_[tri.verts[1]];
    const Vector& p2 = vertices_[tri.verts[2]];
    if (!p0.IsFinite() || !p1.IsFinite() || !p2.IsFinite()) continue;
    if (!((p1 - p0).Cross(p2 - p0).Length() > 0)) continue;
    centres[k] = Vector{(p0.x + p1.x + p2.x) / 3, (p0.y + p1.y + p2.y) / 3, (p0.z + p1.z + p2.z) / 3};
    order.push_back(static_cast<int>(k));
  }
  slots_.reserve(order.size());
  Build(order, 0, static_cast<int>(order.size()), centres, std::max(1, leaf_triangles));
}

Box MeshCollider::NodeBox(const std::vector<int>& order, int first, int count) const {
  Box box;
  for (int k = first; k < first + count; ++k)
    for (int c : triangles_[order[k]].verts) box.Add(vertices_[c]);
  return box;
}

int MeshCollider::Build(std::vector<int>& order, int first, int count, const std::vector<Vector>& centres,
                        int leaf_triangles) {
  int self = static_cast<int>(nodes_.size());
  nodes_.push_back({NodeBox(order, first, count)});
  if (count <= leaf_triangles) {
    nodes_[self].first = static_cast<int>(slots_.size());
    nodes_[self].count = count;
    for (int k = first; k < first + count; ++k) {
      const MeshTriangle& tri = triangles_[order[k]];
      Slot slot{{vertices_[tri.verts[0]], vertices_[tri.verts[1]], vertices_[tri.verts[2]]}, {}, order[k]};
      for (const Vector& p : slot.p) slot.box.Add(p);
      slots_.push_back(slot);
    }
    return self;
  }

  // The longest axis; ties prefer y, then z, then x.
  const Box& box = nodes_[self].box;
  float ex = box.b.x - box.a.x, ey = box.b.y - box.a.y, ez = box.b.z - box.a.z;
  float m = std::max({ex, ey, ez});
  float Vector::*axis = ey == m ? &Vector::y : ez == m ? &Vector::z : &Vector::x;
  std::stable_sort(order.begin() + first, order.begin() + first + count,
                   [&](int l, int r) { return centres[l].*axis < centres[r].*axis; });

  int half = count / 2;
  int left = Build(order, first, half, centres, leaf_triangles);
  int right = Build(order, first + half, count - half, centres, leaf_triangles);
  nodes_[self].left = left;
  nodes_[self].right = right;
  return self;
}

bool MeshCollider::Collide(const Line& line, float radius, const Transform& tform, Collision& coll) const {
  Vector end = line.o + line.d;
  Vector r{radius, radius, radius};
  Box query(Vector{std::fmin(line.o.x, end.x), std::fmin(line.o.y, end.y), std::fmin(line.o.z, end.z)} - r,
            Vector{std::fmax(line.o.x, end.x), std::fmax(line.o.y, end.y), std::fmax(line.o.z, end.z)} + r);
  Transform inverse = tform.Inverse();
  if (!inverse.m.i.IsFinite() || !inverse.m.j.IsFinite() || !inverse.m.k.IsFinite() || !inverse.v.IsFinite())
    return false;  // a mesh flattened to no volume, or a broken placement
  Box local = inverse * query;

  // Depth-first, left before right; the tree is balanced, so its depth is at
  // most about log2 of the triangle count and the stack cannot fill.
  int stack[64];
  int top = 0;
  stack[top++] = 0;
  bool hit = false;
  while (top > 0) {
    const Node& node = nodes_[stack[--top]];
    ++stats.boxes_tested;
    if (!node.box.Overlaps(local)) continue;
    if (node.count == 0) {
      if (node.right >= 0) stack[top++] = node.right;
      if (node.left >= 0) stack[top++] = node.left;
      continue;
    }
    for (int s = node.first; s < node.first + node.count; ++s) {
      const Slot& slot = slots_[s];
      ++stats.boxes_tested;
      if (!slot.box.Overlaps(local)) continue;
      ++stats.triangles_tested;
      if (coll.TriangleCollide(line, radius, tform * slot.p[0], tform * slot.p[1], tform * slot.p[2])) {
        const MeshTriangle& tri = triangles_[slot.triangle];
        coll.surface = tri.surface;
        coll.index = tri.index;
        hit = true;
      }
    }
  }
  return hit;
}

}  // namespace collision
