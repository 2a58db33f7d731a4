// Handle checks of the flat function layer.
//
// The flat layer hands out raw pointers. Every function checks each handle it
// is given before using it: a null handle, or an entity pointer that is not a
// live entity (already freed, never made by the engine, or of another kind),
// raises a RuntimeError whose text names the function and the argument, e.g.
// "PositionEntity: null entity" or "PointEntity: freed or invalid target".
// Arguments documented as optional accept null.
#pragma once

#include "core/runtime_error.h"
#include "engine/engine_errors.h"
#include "engine/entity.h"

// A live entity, or the error.
TEntity& CheckEntity(TEntity* entity, const char* function, const char* role = "entity");

// Null, or a live entity.
TEntity* CheckOptionalEntity(TEntity* entity, const char* function, const char* role);

// A non-null object of a kind the engine shares by reference (brush, texture).
template <class T>
T& CheckObject(T* object, const char* function, const char* role) {
  if (!object) throw RuntimeError(NullHandleText(function, role));
  return *object;
}
