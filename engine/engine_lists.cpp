#include "engine/engine_lists.h"

#include "engine/camera.h"
#include "engine/entity.h"
#include "engine/light.h"
#include "engine/texture.h"
#include "engine/texture_filter.h"

void InitEngineLists() {
  TEntity::CreateLists();
  TCamera::CreateLists();
  TLight::CreateLists();
  TTexture::CreateList();
  TTextureFilter::CreateList();
}
