#include "tests/engine/collision/sweep_helpers.h"

namespace collision_test {

MeshData Floor() { return {{0, 1, 2, 0, 2, 3}, {-10, 0, -10, -10, 0, 10, 10, 0, 10, 10, 0, -10}}; }

MeshData Cube() {
  MeshData m;
  // Corner c takes x = 1 when bit 0 is set, y = 1 for bit 1, z = 1 for bit 2.
  for (int c = 0; c < 8; ++c) {
    m.verts.push_back(c & 1 ? 1 : -1);
    m.verts.push_back(c & 2 ? 1 : -1);
    m.verts.push_back(c & 4 ? 1 : -1);
  }
  // Each face's corners run so that (q1 - q0) x (q2 - q0) points outwards.
  const int16_t faces[6][4] = {{2, 3, 1, 0}, {3, 7, 5, 1}, {7, 6, 4, 5},
                               {6, 2, 0, 4}, {6, 7, 3, 2}, {0, 1, 5, 4}};
  for (const auto& q : faces) m.tris.insert(m.tris.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
  return m;
}

CMeshCollider* MakeTree(const MeshData& mesh, int surface) {
  CMeshInfo* info = C_NewMeshInfo();
  C_AddSurface(info, static_cast<int>(mesh.tris.size() / 3), static_cast<int>(mesh.verts.size() / 3),
               mesh.tris.data(), mesh.verts.data(), surface);
  CMeshCollider* tree = C_CreateColTree(info);
  C_DeleteMeshInfo(info);
  return tree;
}

Placement::Placement(Vec3 i, Vec3 j, Vec3 k, Vec3 v) {
  const Vec3 values[4] = {i, j, k, v};
  for (int c = 0; c < 4; ++c) cols_[c] = C_CreateVecObject(values[c].x, values[c].y, values[c].z);
  matrix_ = C_CreateMatrixObject(cols_[0], cols_[1], cols_[2]);
  tform_ = C_CreateTFormObject(matrix_, cols_[3]);
}

Placement::~Placement() {
  C_DeleteTFormObject(tform_);
  C_DeleteMatrixObject(matrix_);
  for (CVector* v : cols_) C_DeleteVecObject(v);
}

Movement Move(Vec3 source, Vec3 dest, Vec3 radii, const std::vector<Obstacle>& obstacles, int response) {
  CVector* d = C_CreateVecObject(dest.x, dest.y, dest.z);
  CVector* s = C_CreateVecObject(source.x, source.y, source.z);
  CVector* r = C_CreateVecObject(radii.x, radii.y, radii.z);
  CCollisionInfo* info = C_CreateCollisionInfoObject(d, s, r);
  Movement out;
  for (;;) {
    CCollision* coll = C_CreateCollisionObject();
    bool hit = false;
    for (const Obstacle& o : obstacles) {
      if (o.method != 2)
        C_UpdateCollisionInfoObject(info, o.target_radius, o.box_a.x, o.box_a.y, o.box_a.z, o.box_b.x,
                                    o.box_b.y, o.box_b.z);
      hit |= C_CollisionDetect(info, coll, o.tform, o.tree, o.method) == 1;
    }
    int again = 0;
    if (hit) {
      again = C_CollisionResponse(info, coll, response);
      out.contacts.push_back({{C_CollisionX(), C_CollisionY(), C_CollisionZ()},
                              {C_CollisionNX(), C_CollisionNY(), C_CollisionNZ()},
                              C_CollisionTime(),
                              C_CollisionSurface(),
                              C_CollisionTriangle()});
    }
    C_DeleteCollisionObject(coll);
    if (!again) break;
  }
  out.moved = C_CollisionFinal(info) == 1;
  out.position = out.moved ? Vec3{C_CollisionPosX(), C_CollisionPosY(), C_CollisionPosZ()} : dest;
  C_DeleteCollisionInfoObject(info);
  C_DeleteVecObject(d);
  C_DeleteVecObject(s);
  C_DeleteVecObject(r);
  return out;
}

}  // namespace collision_test
