// TPivot: an entity with no content of its own, used to group and move other
// entities. Its class name is "Pivot".
#pragma once

#include "engine/entity.h"

class TPivot : public TEntity {
 public:
  // A new pivot under parent (none: a root), in entity_list.
  static TPivot* CreatePivot(TEntity* parent);

  TPivot* CopyEntity(TEntity* parent) override;
  int Update() override { return 0; }
};
