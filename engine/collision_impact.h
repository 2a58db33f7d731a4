// TCollisionImpact: one contact recorded on a moving entity by the collision
// pass of UpdateWorld. Positions and normals are in user space.
//
// The obstacle and surface are plain pointers: freeing an entity clears them
// (to null) in every impact that names it, so a query never returns a
// pointer to a freed entity or to one of its surfaces.
#pragma once

class TEntity;
class TSurface;

struct TCollisionImpact {
  float x = 0, y = 0, z = 0;     // contact point on the obstacle's surface
  float nx = 0, ny = 0, nz = 0;  // contact normal, from the obstacle towards the mover
  float time = 0;                // along the stretch of movement being tested, 0..1
  TEntity* ent = nullptr;        // the obstacle
  TSurface* surf = nullptr;      // the surface hit when the obstacle is a mesh
  int tri = 0;                   // triangle number within surf
};
