#include "engine/collision_pair.h"

std::vector<Ref<TCollisionPair>> TCollisionPair::list;

TEntity::List* TCollisionPair::ListFor(int type) {
  if (type <= 0 || type >= kTypes) return nullptr;
  if (!ent_lists[type]) ent_lists[type] = new TEntity::List;
  return ent_lists[type];
}

void TCollisionPair::Forget(TEntity& entity) {
  if (TEntity::List* own = ExistingList(entity.collision_type)) own->Remove(&entity);
  entity.no_collisions = 0;
  entity.collision.clear();
  for (TEntity::List* types : ent_lists) {
    if (!types) continue;
    for (TEntity* other : *types) {
      for (TCollisionImpact& impact : other->collision) {
        if (impact.ent != &entity) continue;
        impact.ent = nullptr;
        impact.surf = nullptr;
      }
    }
  }
}
