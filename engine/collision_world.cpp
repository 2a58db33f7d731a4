#include "engine/collision_world.h"

#include <algorithm>

#include "engine/collision/collision_api.h"
#include "engine/collision_pair.h"
#include "engine/mesh.h"

namespace {

// Library objects refilled for every use; made on the first pass.
struct Scratch {
  CVector* dest = C_CreateVecObject(0, 0, 0);
  CVector* source = C_CreateVecObject(0, 0, 0);
  CVector* radii = C_CreateVecObject(0, 0, 0);
  CVector* i = C_CreateVecObject(1, 0, 0);
  CVector* j = C_CreateVecObject(0, 1, 0);
  CVector* k = C_CreateVecObject(0, 0, 1);
  CVector* translation = C_CreateVecObject(0, 0, 0);
  CMatrix* matrix = C_CreateMatrixObject(i, j, k);
  CTransform* tform = C_CreateTFormObject(matrix, translation);
};

Scratch& Objects() {
  static Scratch* scratch = new Scratch;
  return *scratch;
}

// Loads obstacle's global placement, z mirrored into user space.
void LoadPlacement(Scratch& s, const TEntity& obstacle) {
  const float(*g)[4] = obstacle.mat.grid;
  C_UpdateVecObject(s.i, g[0][0], g[0][1], -g[0][2]);
  C_UpdateVecObject(s.j, g[1][0], g[1][1], -g[1][2]);
  C_UpdateVecObject(s.k, -g[2][0], -g[2][1], g[2][2]);
  C_UpdateVecObject(s.translation, g[3][0], g[3][1], -g[3][2]);
  C_UpdateMatrixObject(s.matrix, s.i, s.j, s.k);
  C_UpdateTFormObject(s.tform, s.matrix, s.translation);
}

// True when some rule moves type t against a type that has entities.
bool MovesAgainstAnything(int t) {
  for (const Ref<TCollisionPair>& rule : TCollisionPair::list)
    if (rule->src_type == t && TCollisionPair::ExistingList(rule->des_type)) return true;
  return false;
}

// One round over every obstacle of type t's rules; the rule whose obstacle
// gave the earliest contact, or null.
const TCollisionPair* DetectRound(Scratch& s, CCollisionInfo* info, CCollision* coll, TEntity& mover, int t,
                                  TEntity*& hit) {
  const TCollisionPair* kept = nullptr;
  for (const Ref<TCollisionPair>& rule : TCollisionPair::list) {
    if (rule->src_type != t) continue;
    const TEntity::List* obstacles = TCollisionPair::ExistingList(rule->des_type);
    if (!obstacles) continue;
    for (TEntity* obstacle : *obstacles) {
      if (obstacle == &mover || obstacle->Hidden()) continue;
      LoadPlacement(s, *obstacle);
      if (rule->col_method != 2) {
        const TEntity& o = *obstacle;
        C_UpdateCollisionInfoObject(info, o.radius_x, o.box_x, o.box_y, o.box_z, o.box_x + o.box_w,
                                    o.box_y + o.box_h, o.box_z + o.box_d);
      }
      CMeshCollider* tree = nullptr;
      if (auto* mesh = dynamic_cast<TMesh*>(obstacle)) {
        mesh->col_tree->TreeCheck(*mesh);
        tree = mesh->col_tree->c_col_tree;
      }
      if (C_CollisionDetect(info, coll, s.tform, tree, rule->col_method) == 1) {
        hit = obstacle;
        kept = rule.get();
      }
    }
  }
  return kept;
}

void RecordImpact(TEntity& mover, TEntity& hit) {
  TCollisionImpact& impact = mover.collision.emplace_back();
  mover.no_collisions = int(mover.collision.size());
  impact.x = C_CollisionX(), impact.y = C_CollisionY(), impact.z = C_CollisionZ();
  impact.nx = C_CollisionNX(), impact.ny = C_CollisionNY(), impact.nz = C_CollisionNZ();
  impact.time = C_CollisionTime();
  impact.ent = &hit;
  if (auto* mesh = dynamic_cast<TMesh*>(&hit)) impact.surf = mesh->GetSurface(C_CollisionSurface());
  impact.tri = C_CollisionTriangle();
}

// Sweeps mover of type t from its previous to its current position.
void Sweep(Scratch& s, TEntity& mover, int t) {
  C_UpdateVecObject(s.dest, mover.EntityX(1), mover.EntityY(1), mover.EntityZ(1));
  C_UpdateVecObject(s.source, mover.old_x, mover.old_y, mover.old_z);
  C_UpdateVecObject(s.radii, mover.radius_x, mover.radius_y, mover.radius_x);
  CCollisionInfo* info = C_CreateCollisionInfoObject(s.dest, s.source, s.radii);
  if (!info) return;
  for (;;) {
    CCollision* coll = C_CreateCollisionObject();
    if (!coll) break;
    TEntity* hit = nullptr;
    const TCollisionPair* rule = DetectRound(s, info, coll, mover, t, hit);
    int again = 0;
    if (rule) {
      again = C_CollisionResponse(info, coll, rule->response);
      RecordImpact(mover, *hit);
    }
    C_DeleteCollisionObject(coll);
    if (again != 1) break;
  }
  if (C_CollisionFinal(info) == 1)
    mover.PositionEntity(C_CollisionPosX(), C_CollisionPosY(), C_CollisionPosZ(), 1);
  C_DeleteCollisionInfoObject(info);
}

}  // namespace

int QuickCheck(const TEntity& ent, const TEntity& /*ent2*/) {
  return ent.EntityX(1) == ent.old_x && ent.EntityY(1) == ent.old_y && ent.EntityZ(1) == ent.old_z ? 0 : 1;
}

int UpdateCollisions() {
  Scratch& s = Objects();
  for (int t = 1; t < TCollisionPair::kTypes; ++t) {
    TEntity::List* movers = TCollisionPair::ent_lists[t];
    if (!movers) continue;
    const bool moves = MovesAgainstAnything(t);
    for (TEntity* mover : *movers) {
      mover->no_collisions = 0;
      mover->collision.clear();
      if (mover->Hidden()) continue;
      // A mover that has not moved tests nothing.
      if (moves && QuickCheck(*mover, *mover) == 1) Sweep(s, *mover, t);
      mover->old_x = mover->EntityX(1), mover->old_y = mover->EntityY(1), mover->old_z = mover->EntityZ(1);
    }
  }
  return 0;
}

int BoxFromPoints(float x1, float y1, float z1, float x2, float y2, float z2, float& min_x, float& min_y,
                  float& min_z, float& max_x, float& max_y, float& max_z) {
  min_x = std::min(x1, x2), min_y = std::min(y1, y2), min_z = std::min(z1, z2);
  max_x = std::max(x1, x2), max_y = std::max(y1, y2), max_z = std::max(z1, z2);
  return 0;
}

int BoxFromTri(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
               float& min_x, float& min_y, float& min_z, float& max_x, float& max_y, float& max_z) {
  min_x = min_y = min_z = 1000000.0f;
  max_x = max_y = max_z = -1000000.0f;
  min_x = std::min({min_x, x1, x2, x3}), max_x = std::max({max_x, x1, x2, x3});
  min_y = std::min({min_y, y1, y2, y3}), max_y = std::max({max_y, y1, y2, y3});
  min_z = std::min({min_z, z1, z2, z3}), max_z = std::max({max_z, z1, z2, z3});
  return 0;
}

int BoxBoxIntersection(float min_x1, float min_y1, float min_z1, float max_x1, float max_y1, float max_z1,
                       float min_x2, float min_y2, float min_z2, float max_x2, float max_y2, float max_z2) {
  if (max_x1 < min_x2 || min_x1 > max_x2) return 0;
  if (max_y1 < min_y2 || min_y1 > max_y2) return 0;
  if (max_z1 < min_z2 || min_z1 > max_z2) return 0;
  return 1;
}

int BoxSphereIntersection(float min_x, float min_y, float min_z, float max_x, float max_y, float max_z,
                          float cx, float cy, float cz, float radius) {
  auto gap = [](float c, float lo, float hi) { return c < lo ? lo - c : c > hi ? c - hi : 0.0f; };
  const float dx = gap(cx, min_x, max_x), dy = gap(cy, min_y, max_y), dz = gap(cz, min_z, max_z);
  return dx * dx + dy * dy + dz * dz <= radius * radius ? 1 : 0;
}
