// The handle tables behind the flat interface: one per kind of object, made
// on first use and never destroyed, so the library stays usable from exit
// handlers whatever order static objects go in.
#pragma once

#include "engine/collision/collision.h"
#include "engine/collision/collision_info.h"
#include "engine/collision/geometry.h"
#include "engine/collision/handle_table.h"
#include "engine/collision/mesh_collider.h"

namespace collision {

struct Handles {
  HandleTable<Vector, 1> vectors;
  HandleTable<Line, 2> lines;
  HandleTable<Matrix, 3> matrices;
  HandleTable<Transform, 4> transforms;
  HandleTable<Collision, 5> collisions;
  HandleTable<CollisionInfo, 6> infos;
  HandleTable<MeshInfo, 7> mesh_infos;
  HandleTable<MeshCollider, 8> colliders;
};

Handles& handles();

}  // namespace collision
