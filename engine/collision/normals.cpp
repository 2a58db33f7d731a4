#include "engine/collision/normals.h"

#include <cmath>
#include <cstddef>
#include <map>

#include "engine/collision/geometry.h"

namespace collision {

namespace {

// Orders positions by x, then y, then z, taking components within 0.000001
// of each other as equal.
struct NearlyLess {
  static bool Less(float a, float b, bool* decided) {
    *decided = std::fabs(a - b) > 0.000001f;
    return *decided && a < b;
  }
  bool operator()(const Vector& a, const Vector& b) const {
    bool decided;
    bool less = Less(a.x, b.x, &decided);
    if (decided) return less;
    less = Less(a.y, b.y, &decided);
    if (decided) return less;
    return Less(a.z, b.z, &decided);
  }
};

}  // namespace

void SmoothNormals(int no_tris, int no_verts, const int16_t* tris, const float* coords, float* norms) {
  if (no_tris < 0 || no_verts <= 0 || !coords || !norms || (no_tris > 0 && !tris)) return;
  auto position = [&](int v) {
    const float* c = coords + 3 * static_cast<size_t>(v);
    return Vector{c[0], c[1], c[2]};
  };

  std::map<Vector, Vector, NearlyLess> sums;
  for (int k = 0; k < no_tris; ++k) {
    // A surface draws its indices as unsigned 16-bit values, so read them so.
    const int16_t* raw = tris + 3 * static_cast<size_t>(k);
    const int t[3] = {static_cast<uint16_t>(raw[0]), static_cast<uint16_t>(raw[1]),
                      static_cast<uint16_t>(raw[2])};
    if (t[0] >= no_verts || t[1] >= no_verts || t[2] >= no_verts) continue;
    Vector p0 = position(t[0]), p1 = position(t[1]), p2 = position(t[2]);
    if (!p0.IsFinite() || !p1.IsFinite() || !p2.IsFinite()) continue;
    Vector f = (p1 - p0).Cross(p2 - p1).Normalized();
    for (const Vector& p : {p2, p1, p0}) {
      Vector& sum = sums[p];
      sum = sum + f;
    }
  }

  for (int v = 0; v < no_verts; ++v) {
    Vector p = position(v);
    if (!p.IsFinite()) continue;
    auto it = sums.find(p);
    if (it == sums.end()) continue;
    Vector n = it->second.Normalized();
    if (n.x == 0 && n.y == 0 && n.z == 0) continue;
    float* out = norms + 3 * static_cast<size_t>(v);
    out[0] = n.x;
    out[1] = n.y;
    out[2] = n.z;
  }
}

}  // namespace collision
