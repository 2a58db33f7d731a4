#include "engine/col_tree.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/collision/collision_api.h"
#include "engine/mesh.h"

TColTree::~TColTree() { C_DeleteColTree(c_col_tree); }

int TColTree::TreeCheck(const TMesh& mesh) {
  if (reset_col_tree == 1) {
    C_DeleteColTree(c_col_tree);
    c_col_tree = nullptr;
    reset_col_tree = 0;
  }
  if (c_col_tree) return 0;
  // Scratch copies in the library's frame; kept to spare the next rebuild
  // its allocations.
  static std::vector<int16_t> tris;
  static std::vector<float> coords;
  CMeshInfo* info = C_NewMeshInfo();
  int base = 0;
  for (int s = 1; s <= mesh.CountSurfaces() && base < kMaxVertices; ++s) {
    const TSurface& surface = *mesh.GetSurface(s);
    if (surface.no_tris == 0 || surface.no_verts == 0) continue;
    const int verts = std::min(surface.no_verts, kMaxVertices - base);
    tris.clear();
    for (int t = 0; t < surface.no_tris; ++t) {
      const uint16_t* c = &surface.tris[size_t(t) * 3];
      if (c[0] >= verts || c[1] >= verts || c[2] >= verts) continue;
      // Stored corners run backwards: reverse them into the API winding.
      tris.push_back(int16_t(c[2] + base));
      tris.push_back(int16_t(c[1] + base));
      tris.push_back(int16_t(c[0] + base));
    }
    coords.assign(surface.vert_coords.begin(), surface.vert_coords.begin() + ptrdiff_t(verts) * 3);
    for (size_t i = 2; i < coords.size(); i += 3) coords[i] = -coords[i];
    C_AddSurface(info, int(tris.size() / 3), verts, tris.data(), coords.data(), s);
    base += surface.no_verts;
  }
  c_col_tree = C_CreateColTree(info);
  C_DeleteMeshInfo(info);
  return 0;
}
