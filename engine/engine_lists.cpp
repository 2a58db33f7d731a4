#include "engine/engine_lists.h"

#include "engine/camera.h"
#include "engine/entity.h"
<<<<<<< HEAD
#include "engine/light.h"

void InitEngineLists() {
  TEntity::CreateLists();
  TCamera::CreateLists();
  TLight::CreateLists();
=======
#include "engine/texture.h"
#include "engine/texture_filter.h"

void InitEngineLists() {
  TEntity::CreateLists();
  TTexture::CreateList();
  TTextureFilter::CreateList();
>>>>>>> meshes
}
