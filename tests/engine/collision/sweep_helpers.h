// Helpers for driving the collision library through its flat interface the
// way the engine's world update does.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/collision/collision_api.h"

namespace collision_test {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

// A mesh given as triangles (three indices each) over vertices (x, y, z each).
struct MeshData {
  std::vector<int16_t> tris;
  std::vector<float> verts;
};

// A square of side 20 in the plane y = 0 around the origin, facing +y.
MeshData Floor();
// The cube from (-1, -1, -1) to (1, 1, 1), every face looking outwards; its
// triangles are numbered face by face (z min, x max, z max, x min, y max,
// y min), two per face.
MeshData Cube();

CMeshCollider* MakeTree(const MeshData& mesh, int surface = 1);

// A transform handle placing an obstacle by matrix columns i, j, k and
// translation v; freed by the destructor.
class Placement {
 public:
  explicit Placement(Vec3 i = {1, 0, 0}, Vec3 j = {0, 1, 0}, Vec3 k = {0, 0, 1}, Vec3 v = {0, 0, 0});
  ~Placement();
  Placement(const Placement&) = delete;
  Placement& operator=(const Placement&) = delete;
  CTransform* get() const { return tform_; }

 private:
  CVector* cols_[4];
  CMatrix* matrix_;
  CTransform* tform_;
};

struct Obstacle {
  CTransform* tform = nullptr;
  CMeshCollider* tree = nullptr;
  int method = 2;
  float target_radius = 1;
  Vec3 box_a{-1, -1, -1}, box_b{1, 1, 1};
};

struct Contact {
  Vec3 point, normal;
  float time = 0;
  int surface = 0, triangle = 0;
};

struct Movement {
  std::vector<Contact> contacts;
  bool moved = false;  // C_CollisionFinal returned 1
  Vec3 position;       // where the mover ends up
};

// One movement of an ellipsoid from source to dest against the obstacles,
// driven exactly as the world update drives it.
Movement Move(Vec3 source, Vec3 dest, Vec3 radii, const std::vector<Obstacle>& obstacles, int response);

}  // namespace collision_test
