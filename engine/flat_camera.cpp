#include "engine/flat_camera.h"

#include "engine/handle_check.h"

namespace {

TCamera& CheckCamera(TCamera* camera, const char* function) {
  // Checked by address first: a freed or foreign pointer must not be
  // converted as if it were an object.
  TEntity* entity = reinterpret_cast<TEntity*>(camera);
  auto* live = dynamic_cast<TCamera*>(&CheckEntity(entity, function, "camera"));
  if (!live) throw RuntimeError(InvalidHandleText(function, "camera"));
  return *live;
}

}  // namespace

TCamera* CreateCamera(TEntity* parent) {
  return TCamera::CreateCamera(CheckOptionalEntity(parent, "CreateCamera", "parent"));
}

int CameraViewport(TCamera* camera, int x, int y, int width, int height) {
  return CheckCamera(camera, "CameraViewport").CameraViewport(x, y, width, height);
}
int CameraClsColor(TCamera* camera, float red, float green, float blue) {
  return CheckCamera(camera, "CameraClsColor").CameraClsColor(red, green, blue);
}
int CameraClsMode(TCamera* camera, int color, int zbuffer) {
  return CheckCamera(camera, "CameraClsMode").CameraClsMode(color, zbuffer);
}
int CameraRange(TCamera* camera, float near, float far) {
  return CheckCamera(camera, "CameraRange").CameraRange(near, far);
}
int CameraZoom(TCamera* camera, float zoom) { return CheckCamera(camera, "CameraZoom").CameraZoom(zoom); }
int CameraProjMode(TCamera* camera, int mode) {
  return CheckCamera(camera, "CameraProjMode").CameraProjMode(mode);
}
int CameraFogMode(TCamera* camera, int mode) {
  return CheckCamera(camera, "CameraFogMode").CameraFogMode(mode);
}
int CameraFogColor(TCamera* camera, float red, float green, float blue) {
  return CheckCamera(camera, "CameraFogColor").CameraFogColor(red, green, blue);
}
int CameraFogRange(TCamera* camera, float near, float far) {
  return CheckCamera(camera, "CameraFogRange").CameraFogRange(near, far);
}

int CameraProject(TCamera* camera, float x, float y, float z) {
  return CheckCamera(camera, "CameraProject").CameraProject(x, y, z);
}
float ProjectedX() { return TCamera::projected_x; }
float ProjectedY() { return TCamera::projected_y; }
float ProjectedZ() { return TCamera::projected_z; }

int EntityInView(TCamera* camera, TEntity* entity) {
  TCamera& c = CheckCamera(camera, "EntityInView");
  return int(c.EntityInView(&CheckEntity(entity, "EntityInView")));
}
