#include "engine/pivot.h"

TPivot* TPivot::CreatePivot(TEntity* parent) {
  auto* pivot = new TPivot;
  pivot->class_name = "Pivot";
  pivot->AddParent(parent);
  pivot->EntityListAdd(*entity_list);
  pivot->RefreshMat(false);
  return pivot;
}

TPivot* TPivot::CopyEntity(TEntity* parent) {
  auto* copy = new TPivot;
  CopyEntityInto(*copy, parent);
  return copy;
}
