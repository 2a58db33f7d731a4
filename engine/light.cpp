#include "engine/light.h"

#include <GL/glew.h>

#include <algorithm>

void TLight::CreateLists() {
  if (!light_list) light_list = new List;
  for (int i = 0; i < kSlots; ++i) gl_light[i] = GL_LIGHT0 + i;
}

bool TLight::SlotFree() { return no_lights < std::min(max_lights, kSlots); }

void TLight::ClaimSlot() {
  ++no_lights;
  glEnable(GLenum(gl_light[no_lights - 1]));
}

TLight* TLight::CreateLight(int type, TEntity* parent) {
  if (!SlotFree()) return nullptr;
  auto* light = new TLight;
  light->light_type = type;
  light->class_name = "Light";
  ClaimSlot();
  light->light_link_ = light_list->AddLast(light);
  light->AddParent(parent);
  light->EntityListAdd(*entity_list);
  light->RefreshMat(false);
  return light;
}

int TLight::LightRange(float new_range) {
  range = 1.0f / new_range;
  return 0;
}

int TLight::LightColor(float r, float g, float b) {
  red = r / 255.0f;
  green = g / 255.0f;
  blue = b / 255.0f;
  return 0;
}

int TLight::LightConeAngles(float inner, float outer) {
  inner_ang = inner / 2.0f;
  outer_ang = outer / 2.0f;
  return 0;
}

int TLight::Update() {
  ++light_no;
  if (light_no > no_lights) light_no = 1;
  const GLenum slot = GLenum(gl_light[light_no - 1]);
  if (Hidden()) {
    glDisable(slot);
    return 0;
  }
  glEnable(slot);
  glPushMatrix();
  glMultMatrixf(&mat.grid[0][0]);

  // Directional lights shine along the entity's forward axis (user +z, stored
  // -z): GL's direction points toward the light, hence (0, 0, 1).
  const bool positional = light_type > 1;
  const GLfloat position[4] = {0, 0, positional ? 0.0f : 1.0f, positional ? 1.0f : 0.0f};
  const GLfloat diffuse[4] = {red, green, blue, 1};
  const GLfloat specular[4] = {1, 1, 1, 1};
  glLightfv(slot, GL_POSITION, position);
  glLightfv(slot, GL_DIFFUSE, diffuse);
  glLightfv(slot, GL_SPECULAR, specular);
  // Attenuation range / d for point and spot lights; directional lights are
  // not attenuated by GL, so theirs keep GL's defaults.
  glLightf(slot, GL_CONSTANT_ATTENUATION, positional ? 0.0f : 1.0f);
  glLightf(slot, GL_LINEAR_ATTENUATION, positional ? range : 0.0f);
  if (light_type == 3) {
    const GLfloat direction[3] = {0, 0, -1};
    glLightfv(slot, GL_SPOT_DIRECTION, direction);
    glLightf(slot, GL_SPOT_EXPONENT, 10.0f);
    glLightf(slot, GL_SPOT_CUTOFF, outer_ang);
  } else {
    glLightf(slot, GL_SPOT_EXPONENT, 0.0f);
    glLightf(slot, GL_SPOT_CUTOFF, 180.0f);
  }
  glPopMatrix();
  return 0;
}

TLight* TLight::CopyEntity(TEntity* new_parent) {
  if (!SlotFree()) return nullptr;
  auto* copy = new TLight;
  ClaimSlot();
  copy->light_link_ = light_list->AddLast(copy);
  CopyEntityInto(*copy, new_parent);
  copy->light_type = light_type;
  copy->range = range;
  copy->red = red, copy->green = green, copy->blue = blue;
  copy->inner_ang = inner_ang;
  copy->outer_ang = outer_ang;
  return copy;
}

int TLight::FreeEntity() {
  if (!IsLive(this)) return 0;
  Ref<TEntity> keep(this);
  TLink<TEntity>* light_link = light_link_;
  light_link_ = nullptr;
  TEntity::FreeEntity();
  if (light_link) light_list->Remove(light_link);
  if (no_lights > 0) --no_lights;
  glDisable(GLenum(gl_light[no_lights]));
  return 0;
}
