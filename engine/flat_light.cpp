#include "engine/flat_light.h"

#include "engine/handle_check.h"

namespace {

TLight& CheckLight(TLight* light, const char* function) {
  // Checked by address first: a freed or foreign pointer must not be
  // converted as if it were an object.
  TEntity* entity = reinterpret_cast<TEntity*>(light);
  auto* live = dynamic_cast<TLight*>(&CheckEntity(entity, function, "light"));
  if (!live) throw RuntimeError(InvalidHandleText(function, "light"));
  return *live;
}

}  // namespace

TLight* CreateLight(int type, TEntity* parent) {
  return TLight::CreateLight(type, CheckOptionalEntity(parent, "CreateLight", "parent"));
}
int LightRange(TLight* light, float range) { return CheckLight(light, "LightRange").LightRange(range); }
int LightColor(TLight* light, float red, float green, float blue) {
  return CheckLight(light, "LightColor").LightColor(red, green, blue);
}
int LightConeAngles(TLight* light, float inner, float outer) {
  return CheckLight(light, "LightConeAngles").LightConeAngles(inner, outer);
}
