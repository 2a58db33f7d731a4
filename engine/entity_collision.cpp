// TEntity's collision settings and impact queries.
#include "engine/collision_pair.h"
#include "engine/entity.h"

int TEntity::EntityType(int type_no, int recursive) {
  if (!TCollisionPair::ValidType(type_no)) return 0;
  if (collision_type != type_no) {
    if (TEntity::List* old = TCollisionPair::ExistingList(collision_type)) old->Remove(this);
    if (TEntity::List* joined = TCollisionPair::ListFor(type_no)) joined->AddLast(this);
    // An entity of type 0 is never visited by the pass, so impacts kept now
    // would never be replaced.
    if (type_no == 0) {
      no_collisions = 0;
      collision.clear();
    }
  }
  collision_type = type_no;
  old_x = EntityX(1), old_y = EntityY(1), old_z = EntityZ(1);
  if (recursive == 1)
    for (TEntity* child : child_list) child->EntityType(type_no, 1);
  return 0;
}

int TEntity::GetEntityType() const { return collision_type; }

int TEntity::EntityRadius(float rx, float ry) {
  radius_x = rx;
  radius_y = ry == 0 ? rx : ry;
  return 0;
}

int TEntity::EntityBox(float x, float y, float z, float w, float h, float d) {
  box_x = x, box_y = y, box_z = z;
  box_w = w, box_h = h, box_d = d;
  return 0;
}

int TEntity::ResetEntity() {
  no_collisions = 0;
  collision.clear();
  old_x = EntityX(1), old_y = EntityY(1), old_z = EntityZ(1);
  return 0;
}

int TEntity::CountCollisions() const { return no_collisions; }

namespace {

const TCollisionImpact* Impact(const TEntity& entity, int i) {
  return i >= 1 && i <= entity.no_collisions ? &entity.collision[size_t(i - 1)] : nullptr;
}

}  // namespace

float TEntity::CollisionX(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->x : 0;
}
float TEntity::CollisionY(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->y : 0;
}
float TEntity::CollisionZ(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->z : 0;
}
float TEntity::CollisionNX(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->nx : 0;
}
float TEntity::CollisionNY(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->ny : 0;
}
float TEntity::CollisionNZ(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->nz : 0;
}
float TEntity::CollisionTime(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->time : 0;
}
TEntity* TEntity::CollisionEntity(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->ent : nullptr;
}
TSurface* TEntity::CollisionSurface(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->surf : nullptr;
}
int TEntity::CollisionTriangle(int i) const {
  const TCollisionImpact* c = Impact(*this, i);
  return c ? c->tri : 0;
}

TEntity* TEntity::EntityCollided(int type) const {
  for (int i = 1; i <= no_collisions; ++i) {
    TEntity* hit = CollisionEntity(i);
    if (hit && hit->collision_type == type) return hit;
  }
  if (const TEntity::List* movers = TCollisionPair::ExistingList(type)) {
    for (TEntity* mover : *movers)
      for (int i = 1; i <= mover->no_collisions; ++i)
        if (mover->CollisionEntity(i) == this) return mover;
  }
  return nullptr;
}
