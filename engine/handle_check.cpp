#include "engine/handle_check.h"

TEntity& CheckEntity(TEntity* entity, const char* function, const char* role) {
  if (!entity) throw RuntimeError(NullHandleText(function, role));
  if (!TEntity::IsLive(entity)) throw RuntimeError(InvalidHandleText(function, role));
  return *entity;
}

TEntity* CheckOptionalEntity(TEntity* entity, const char* function, const char* role) {
  if (entity && !TEntity::IsLive(entity)) throw RuntimeError(InvalidHandleText(function, role));
  return entity;
}
