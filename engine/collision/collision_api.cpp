#include "engine/collision/collision_api.h"

#include <new>
#include <utility>

#include "engine/collision/collision_info.h"
#include "engine/collision/handles.h"
#include "engine/collision/mesh_collider.h"
#include "engine/collision/normals.h"

using collision::Box;
using collision::Collision;
using collision::CollisionInfo;
using collision::handles;
using collision::Line;
using collision::Matrix;
using collision::MeshInfo;
using collision::results;
using collision::Transform;
using collision::Vector;

namespace {

// Creates an object behind a handle of type H; null when memory runs out.
template <class H, class Table, class... Args>
H* Create(Table& table, Args&&... args) {
  try {
    return reinterpret_cast<H*>(table.Add(std::forward<Args>(args)...));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

extern "C" {

CMeshInfo* C_NewMeshInfo() { return Create<CMeshInfo>(handles().mesh_infos); }

void C_AddSurface(CMeshInfo* info, int no_tris, int no_verts, const int16_t* tris, const float* verts,
                  int surf) {
  MeshInfo* m = handles().mesh_infos.Get(info);
  if (!m) return;
  size_t old_tris = m->triangles.size(), old_verts = m->vertices.size();
  try {
    m->AddSurface(no_tris, no_verts, tris, verts, surf);
  } catch (const std::bad_alloc&) {
    m->triangles.resize(old_tris);  // all of the surface or none of it
    m->vertices.resize(old_verts);
  }
}

CMeshCollider* C_CreateColTree(CMeshInfo* info) {
  MeshInfo* m = handles().mesh_infos.Get(info);
  return m ? Create<CMeshCollider>(handles().colliders, *m) : nullptr;
}

void C_DeleteMeshInfo(CMeshInfo* info) { handles().mesh_infos.Remove(info); }
void C_DeleteColTree(CMeshCollider* tree) { handles().colliders.Remove(tree); }

CVector* C_CreateVecObject(float x, float y, float z) { return Create<CVector>(handles().vectors, x, y, z); }

void C_UpdateVecObject(CVector* v, float x, float y, float z) {
  if (Vector* p = handles().vectors.Get(v)) *p = {x, y, z};
}

float C_VecX(CVector* v) {
  Vector* p = handles().vectors.Get(v);
  return p ? p->x : 0;
}
float C_VecY(CVector* v) {
  Vector* p = handles().vectors.Get(v);
  return p ? p->y : 0;
}
float C_VecZ(CVector* v) {
  Vector* p = handles().vectors.Get(v);
  return p ? p->z : 0;
}
void C_DeleteVecObject(CVector* v) { handles().vectors.Remove(v); }

CLine* C_CreateLineObject(float ox, float oy, float oz, float dx, float dy, float dz) {
  return Create<CLine>(handles().lines, Line{{ox, oy, oz}, {dx, dy, dz}});
}

void C_UpdateLineObject(CLine* l, float ox, float oy, float oz, float dx, float dy, float dz) {
  if (Line* p = handles().lines.Get(l)) *p = {{ox, oy, oz}, {dx, dy, dz}};
}
void C_DeleteLineObject(CLine* l) { handles().lines.Remove(l); }

CMatrix* C_CreateMatrixObject(CVector* i, CVector* j, CVector* k) {
  Vector *pi = handles().vectors.Get(i), *pj = handles().vectors.Get(j), *pk = handles().vectors.Get(k);
  return pi && pj && pk ? Create<CMatrix>(handles().matrices, *pi, *pj, *pk) : nullptr;
}

void C_UpdateMatrixObject(CMatrix* m, CVector* i, CVector* j, CVector* k) {
  Matrix* p = handles().matrices.Get(m);
  Vector *pi = handles().vectors.Get(i), *pj = handles().vectors.Get(j), *pk = handles().vectors.Get(k);
  if (p && pi && pj && pk) *p = {*pi, *pj, *pk};
}
void C_DeleteMatrixObject(CMatrix* m) { handles().matrices.Remove(m); }

CTransform* C_CreateTFormObject(CMatrix* m, CVector* v) {
  Matrix* pm = handles().matrices.Get(m);
  Vector* pv = handles().vectors.Get(v);
  return pm && pv ? Create<CTransform>(handles().transforms, *pm, *pv) : nullptr;
}

void C_UpdateTFormObject(CTransform* t, CMatrix* m, CVector* v) {
  Transform* p = handles().transforms.Get(t);
  Matrix* pm = handles().matrices.Get(m);
  Vector* pv = handles().vectors.Get(v);
  if (p && pm && pv) *p = {*pm, *pv};
}
void C_DeleteTFormObject(CTransform* t) { handles().transforms.Remove(t); }

CCollision* C_CreateCollisionObject() { return Create<CCollision>(handles().collisions); }
void C_DeleteCollisionObject(CCollision* coll) { handles().collisions.Remove(coll); }

CCollisionInfo* C_CreateCollisionInfoObject(CVector* dest, CVector* source, CVector* radii) {
  Vector *pd = handles().vectors.Get(dest), *ps = handles().vectors.Get(source),
         *pr = handles().vectors.Get(radii);
  return pd && ps && pr ? Create<CCollisionInfo>(handles().infos, *pd, *ps, *pr) : nullptr;
}

void C_UpdateCollisionInfoObject(CCollisionInfo* info, float target_radius, float ax, float ay, float az,
                                 float bx, float by, float bz) {
  if (CollisionInfo* p = handles().infos.Get(info)) {
    p->target_radius = target_radius;
    p->target_box = Box{{ax, ay, az}, {bx, by, bz}};
  }
}
void C_DeleteCollisionInfoObject(CCollisionInfo* info) { handles().infos.Remove(info); }

int C_CollisionDetect(CCollisionInfo* info, CCollision* coll, CTransform* tform, CMeshCollider* tree,
                      int method) {
  CollisionInfo* pi = handles().infos.Get(info);
  Collision* pc = handles().collisions.Get(coll);
  Transform* pt = handles().transforms.Get(tform);
  if (!pi || !pc || !pt) return 0;
  return pi->Detect(*pc, *pt, handles().colliders.Get(tree), method);
}

int C_CollisionResponse(CCollisionInfo* info, CCollision* coll, int response) {
  CollisionInfo* pi = handles().infos.Get(info);
  Collision* pc = handles().collisions.Get(coll);
  return pi && pc ? pi->Respond(*pc, response) : 0;
}

int C_CollisionFinal(CCollisionInfo* info) {
  CollisionInfo* pi = handles().infos.Get(info);
  return pi ? pi->Final() : 0;
}

float C_CollisionPosX() { return results.pos.x; }
float C_CollisionPosY() { return results.pos.y; }
float C_CollisionPosZ() { return results.pos.z; }
float C_CollisionX() { return results.coords.x; }
float C_CollisionY() { return results.coords.y; }
float C_CollisionZ() { return results.coords.z; }
float C_CollisionNX() { return results.normal.x; }
float C_CollisionNY() { return results.normal.y; }
float C_CollisionNZ() { return results.normal.z; }
float C_CollisionTime() { return results.time; }
int C_CollisionSurface() { return results.surface; }
int C_CollisionTriangle() { return results.index; }

int C_Pick(CCollisionInfo* info, CLine* line, float radius, CCollision* coll, CTransform* tform,
           CMeshCollider* tree, int method) {
  CollisionInfo* pi = handles().infos.Get(info);
  Line* pl = handles().lines.Get(line);
  Collision* pc = handles().collisions.Get(coll);
  Transform* pt = handles().transforms.Get(tform);
  if (!pi || !pl || !pc || !pt) return 0;
  return pi->Pick(*pl, radius, *pc, *pt, handles().colliders.Get(tree), method);
}

void C_UpdateNormals(int no_tris, int no_verts, const int16_t* tris, const float* coords, float* norms) {
  collision::SmoothNormals(no_tris, no_verts, tris, coords, norms);
}
}
