// The box tree over the triangles of a mesh (a MeshCollider) and its build
// input (a MeshInfo).
//
// Triangles keep the mesh's local frame; a query brings only its own box into
// that frame and transforms the triangles that survive the box tests into the
// frame of the sweep, so meshes placed by any affine transform, scale
// included, need no special handling.
//
// Each leaf holds at most 16 triangles; an interior node splits its triangles
// at the median of their centres along the longest axis of its box, so the tree
// is balanced and a short sweep visits a number of nodes that grows with the
// logarithm of the triangle count.
//
// A triangle is left out of the tree, and so is never hit, when one of its
// corners is not a vertex of the mesh, when a corner has a non-finite
// coordinate, or when its corners span no area (it has no plane to slide on;
// the faces around it carry the contact). Its number still counts.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/collision/collision.h"
#include "engine/collision/geometry.h"

namespace collision {

struct MeshTriangle {
  int surface = 0;
  int verts[3] = {0, 0, 0};  // indices into the mesh's vertices
  int index = 0;             // the triangle's number within its surface
};

struct MeshInfo {
  // Indices are 16-bit signed, so no triangle can address a vertex past this.
  static constexpr int kMaxVertices = 32768;

  std::vector<Vector> vertices;
  std::vector<MeshTriangle> triangles;

  // Appends no_tris triangles (3 indices each, not offset) numbered 0, 1, 2 ...
  // within surface surf, then no_verts vertices (3 floats each). Vertices past
  // kMaxVertices are dropped; negative counts or missing arrays add nothing.
  void AddSurface(int no_tris, int no_verts, const int16_t* tris, const float* verts, int surf);
};

class MeshCollider {
 public:
  static constexpr int kLeafTriangles = 16;

  struct Node {
    Box box;                    // around every vertex of its triangles, no margin
    int left = -1, right = -1;  // child nodes; -1 in a leaf
    int first = 0, count = 0;   // a leaf's triangle slots; count is 0 in an interior node
  };

  // Counts of work done by queries, for tests and benchmarks.
  struct Stats {
    uint64_t boxes_tested = 0;      // node and triangle boxes compared with the query
    uint64_t triangles_tested = 0;  // exact sweep tests run
  };
  static Stats stats;

  // leaf_triangles other than 16 serve only to measure the tree against a
  // single leaf holding every triangle.
  explicit MeshCollider(const MeshInfo& info, int leaf_triangles = kLeafTriangles);

  // Sweeps the sphere along line (both in the frame tform maps the mesh into)
  // against every triangle, keeping the earliest contact in coll; sets its
  // surface and index on every improvement.
  bool Collide(const Line& line, float radius, const Transform& tform, Collision& coll) const;

  // Node 0 is the root; a collider without triangles has one empty leaf.
  const std::vector<Node>& nodes() const { return nodes_; }
  // The triangle number held in a leaf's slot.
  int SlotTriangle(int slot) const { return slots_[slot].triangle; }
  const std::vector<MeshTriangle>& triangles() const { return triangles_; }

 private:
  // A triangle as stored in a leaf: its local corners and their box, kept
  // together so a leaf's tests read one contiguous run of memory.
  struct Slot {
    Vector p[3];
    Box box;
    int triangle;
  };

  int Build(std::vector<int>& order, int first, int count, const std::vector<Vector>& centres,
            int leaf_triangles);
  Box NodeBox(const std::vector<int>& order, int first, int count) const;

  std::vector<Vector> vertices_;
  std::vector<MeshTriangle> triangles_;
  std::vector<Node> nodes_;
  std::vector<Slot> slots_;
};

}  // namespace collision
