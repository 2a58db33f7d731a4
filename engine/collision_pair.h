// TCollisionPair: a collision rule, and the class-level rule list and
// per-type entity lists of the collision world.
//
// Collision types run from 0 to 99; 0 takes no part. ent_lists[t] is null
// until the first entity takes type t, then holds that type's entities in the
// order they joined. Type numbers outside 0..99 have no list: EntityType
// ignores them and queries asking for them find nothing.
#pragma once

#include <vector>

#include "core/object.h"
#include "engine/entity.h"

struct TCollisionPair : Object {
  static constexpr int kTypes = 100;

  int src_type = 0, des_type = 0, col_method = 0, response = 0;

  static std::vector<Ref<TCollisionPair>> list;  // every rule, in the order made
  inline static TEntity::List* ent_lists[kTypes] = {};

  static bool ValidType(int type) { return type >= 0 && type < kTypes; }
  // The list of type, made when missing; null for type 0 or one out of range.
  static TEntity::List* ListFor(int type);
  // The list of type when it exists.
  static TEntity::List* ExistingList(int type) {
    return type > 0 && type < kTypes ? ent_lists[type] : nullptr;
  }
  // Takes entity out of the list of its collision_type and clears, in every
  // listed entity, the impacts that name it. Called when an entity is freed.
  static void Forget(TEntity& entity);
};
