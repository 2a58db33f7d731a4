// TColTree: a mesh's link to the collision tree built from its surfaces. The
// mesh only raises reset_col_tree when its geometry changes; TreeCheck, which
// the collision pass and picking call before using the tree, rebuilds it when
// the flag is set or no tree exists yet. Copies of a mesh share one TColTree.
//
// The tree indexes vertices with 16-bit signed numbers counted across all the
// mesh's surfaces, so it holds the first 32768 vertices of the mesh: a
// triangle using a vertex past them is left out (never hit) and the vertices
// past them are not passed on.
#pragma once

#include "core/object.h"

struct CMeshCollider;
class TMesh;

class TColTree : public Object {
 public:
  static constexpr int kMaxVertices = 32768;

  CMeshCollider* c_col_tree = nullptr;
  int reset_col_tree = 1;

  TColTree() = default;
  TColTree(const TColTree&) = delete;
  TColTree& operator=(const TColTree&) = delete;
  ~TColTree() override;

  // Brings c_col_tree up to date with mesh's surfaces; returns 0.
  int TreeCheck(const TMesh& mesh);
};
