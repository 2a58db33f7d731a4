#include "engine/engine_lists.h"

#include "engine/camera.h"
#include "engine/entity.h"
#include "engine/light.h"

void InitEngineLists() {
  TEntity::CreateLists();
  TCamera::CreateLists();
  TLight::CreateLists();
}
