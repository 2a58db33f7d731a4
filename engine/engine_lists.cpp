#include "engine/engine_lists.h"

#include "engine/entity.h"
#include "engine/texture.h"
#include "engine/texture_filter.h"

void InitEngineLists() {
  TEntity::CreateLists();
  TTexture::CreateList();
  TTextureFilter::CreateList();
}
