#include "engine/engine_lists.h"

#include "engine/entity.h"

void InitEngineLists() { TEntity::CreateLists(); }
