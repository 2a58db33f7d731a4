// Smoothed vertex normals of one surface.
#pragma once

#include <cstdint>

namespace collision {

// Gives every vertex the normalised sum of the unit normals of the triangles
// at its position, (p1 - p0) x (p2 - p1) for corners p0, p1, p2, each face
// counted once per corner there. Positions whose components all differ by at
// most 0.000001 count as one. A vertex with no usable face around it, or whose
// faces cancel out, keeps the normal it had. Indices are read as unsigned
// 16-bit values, as a surface draws them, so a surface of up to 65536 vertices
// is smoothed whole; triangles with a corner outside 0 .. no_verts - 1 or with
// a non-finite coordinate are ignored.
void SmoothNormals(int no_tris, int no_verts, const int16_t* tris, const float* coords, float* norms);

}  // namespace collision
