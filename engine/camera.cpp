#include "engine/camera.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "engine/global.h"
#include "engine/mesh.h"
#include "engine/trig.h"

void TCamera::CreateLists() {
  if (!cam_list) cam_list = new List;
}

TCamera* TCamera::CreateCamera(TEntity* parent) {
  auto* camera = new TCamera;
  camera->CameraViewport(0, 0, TGlobal::width, TGlobal::height);
  camera->class_name = "Camera";
  camera->AddParent(parent);
  camera->EntityListAdd(*entity_list);
  camera->EntityListAdd(*cam_list);
  camera->cam_link_ = camera->link;
  camera->RefreshMat(false);
  return camera;
}

int TCamera::CameraViewport(int x, int y, int width, int height) {
  vx = x;
  vy = TGlobal::height - height - y;
  vwidth = width;
  vheight = height;
  return 0;
}

int TCamera::CameraClsColor(float red, float green, float blue) {
  cls_r = red / 255.0f;
  cls_g = green / 255.0f;
  cls_b = blue / 255.0f;
  return 0;
}

int TCamera::CameraClsMode(int color, int zbuffer) {
  cls_color = color;
  cls_zbuffer = zbuffer;
  return 0;
}

int TCamera::CameraRange(float near, float far) {
  range_near = near;
  range_far = far;
  return 0;
}

int TCamera::CameraZoom(float new_zoom) {
  zoom = new_zoom;
  return 0;
}

int TCamera::CameraProjMode(int mode) {
  proj_mode = mode;
  return 0;
}

int TCamera::CameraFogMode(int mode) {
  fog_mode = mode;
  return 0;
}

int TCamera::CameraFogColor(float red, float green, float blue) {
  fog_r = red / 255.0f;
  fog_g = green / 255.0f;
  fog_b = blue / 255.0f;
  return 0;
}

int TCamera::CameraFogRange(float near, float far) {
  fog_range_near = near;
  fog_range_far = far;
  return 0;
}

int TCamera::Update() {
  glViewport(vx, vy, vwidth, vheight);
  glScissor(vx, vy, vwidth, vheight);
  glClearColor(cls_r, cls_g, cls_b, 1.0f);
  if (cls_color == 1 && cls_zbuffer == 1) {
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  } else if (cls_color == 1) {
    glClear(GL_COLOR_BUFFER_BIT);
  } else if (cls_zbuffer == 1) {
    glDepthMask(GL_TRUE);
    glClear(GL_DEPTH_BUFFER_BIT);
  }

  if (fog_mode > 0) {
    // The camera has no fog alpha of its own; an opaque fog colour keeps the
    // alpha of fogged fragments unchanged at full fog.
    const GLfloat color[4] = {fog_r, fog_g, fog_b, 1.0f};
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, fog_range_near);
    glFogf(GL_FOG_END, fog_range_far);
    glFogfv(GL_FOG_COLOR, color);
  } else {
    glDisable(GL_FOG);
  }

  // fovy chosen so that the horizontal field of view is 2 · atan(1 / zoom)
  // whatever the viewport's shape.
  const float aspect = float(vwidth) / float(vheight);
  const float fovy = float(std::atan(1.0 / (double(zoom) * aspect)) * 2.0 * kRadiansToDegrees);
  float pixdx = 0, pixdy = 0;
  if (TGlobal::aa) {
    pixdx = TGlobal::j[TGlobal::jitter][0];
    pixdy = TGlobal::j[TGlobal::jitter][1];
  }
  accPerspective(fovy, aspect, range_near, range_far, pixdx, pixdy, 0, 0, 1);

  const TMatrix view = mat.Inverse();
  glLoadMatrixf(&view.grid[0][0]);

  glGetDoublev(GL_MODELVIEW_MATRIX, mod_mat);
  glGetDoublev(GL_PROJECTION_MATRIX, proj_mat);
  glGetIntegerv(GL_VIEWPORT, viewport);
  ExtractFrustum();
  return 0;
}

int TCamera::accPerspective(float fovy, float aspect, float near, float far, float pixdx, float pixdy,
                            float eyedx, float eyedy, float focus) {
  const double top = near * std::tan(fovy * kDegreesToRadians / 2.0);
  const double right = top * aspect;
  return accFrustum(float(-right), float(right), float(-top), float(top), near, far, pixdx, pixdy, eyedx,
                    eyedy, focus);
}

int TCamera::accFrustum(float left, float right, float bottom, float top, float near, float far, float pixdx,
                        float pixdy, float eyedx, float eyedy, float focus) {
  const double dx = -(double(pixdx) * (right - left) / vwidth + double(eyedx) * near / focus);
  const double dy = -(double(pixdy) * (top - bottom) / vheight + double(eyedy) * near / focus);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (proj_mode == 1) {
    glFrustum(left + dx, right + dx, bottom + dy, top + dy, near, far);
  } else if (proj_mode == 2) {
    glOrtho(left + dx, right + dx, bottom + dy, top + dy, near, far);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(-eyedx, -eyedy, 0.0f);
  return 0;
}

int TCamera::ExtractFrustum() {
  float proj[16], modl[16], clip[16];
  glGetFloatv(GL_PROJECTION_MATRIX, proj);
  glGetFloatv(GL_MODELVIEW_MATRIX, modl);
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += modl[c * 4 + k] * proj[k * 4 + r];
      clip[c * 4 + r] = sum;
    }
  }
  // Each plane is the fourth row of clip plus or minus row e.
  struct PlaneRule {
    float sign;
    int e;
  };
  static constexpr PlaneRule kPlanes[6] = {{-1, 0}, {1, 0}, {1, 1}, {-1, 1}, {-1, 2}, {1, 2}};
  for (int p = 0; p < 6; ++p) {
    float* plane = frustum[p];
    for (int i = 0; i < 4; ++i) plane[i] = clip[i * 4 + 3] + kPlanes[p].sign * clip[i * 4 + kPlanes[p].e];
    const float length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
    for (int i = 0; i < 4; ++i) plane[i] /= length;
  }
  return 0;
}

float TCamera::SphereInFrustum(float x, float y, float z, float radius) const {
  float d = 0;
  for (const float* plane : frustum) {
    d = plane[0] * x + plane[1] * y + plane[2] * -z + plane[3];
    if (d <= -radius) return 0;
  }
  return d + radius;
}

float TCamera::EntityInFrustum(TEntity* entity) {
  if (const auto* mesh = dynamic_cast<const TMesh*>(entity)) {
    // The box centre in world space; the radius grows with the largest scale.
    TFormPoint(mesh->min_x + (mesh->max_x - mesh->min_x) / 2, mesh->min_y + (mesh->max_y - mesh->min_y) / 2,
               mesh->min_z + (mesh->max_z - mesh->min_z) / 2, mesh, nullptr);
    const float scale = std::max({std::fabs(mesh->EntityScaleX(1)), std::fabs(mesh->EntityScaleY(1)),
                                  std::fabs(mesh->EntityScaleZ(1))});
    return SphereInFrustum(tformed_x, tformed_y, tformed_z, std::fabs(mesh->cull_radius) * scale);
  }
  return SphereInFrustum(entity->EntityX(1), entity->EntityY(1), entity->EntityZ(1),
                         std::fabs(entity->cull_radius));
}

float TCamera::EntityInView(TEntity* entity) {
  if (auto* mesh = dynamic_cast<TMesh*>(entity)) mesh->GetBounds();
  return EntityInFrustum(entity);
}

int TCamera::CameraProject(float x, float y, float z) {
  // Before the first render the matrices are zeros and gluProject fails
  // without writing; the result is then the viewport's corner.
  GLdouble wx = 0, wy = 0, wz = 0;
  gluProject(x, y, -z, mod_mat, proj_mat, viewport, &wx, &wy, &wz);
  projected_x = float(wx - vx);
  projected_y = float((vy + vheight) - wy);
  projected_z = float(wz);
  return 0;
}

TCamera* TCamera::CopyEntity(TEntity* new_parent) {
  auto* copy = new TCamera;
  CopyEntityInto(*copy, new_parent);
  copy->vx = vx, copy->vy = vy, copy->vwidth = vwidth, copy->vheight = vheight;
  copy->cls_r = cls_r, copy->cls_g = cls_g, copy->cls_b = cls_b;
  copy->cls_color = cls_color, copy->cls_zbuffer = cls_zbuffer;
  copy->range_near = range_near, copy->range_far = range_far;
  copy->zoom = zoom;
  copy->proj_mode = proj_mode;
  copy->fog_mode = fog_mode;
  copy->fog_r = fog_r, copy->fog_g = fog_g, copy->fog_b = fog_b;
  copy->fog_range_near = fog_range_near, copy->fog_range_far = fog_range_far;
  copy->EntityListAdd(*cam_list);
  copy->cam_link_ = copy->link;
  return copy;
}

int TCamera::FreeEntity() {
  if (!IsLive(this)) return 0;
  // cam_list's reference goes last, after the entity steps are done.
  Ref<TEntity> keep(this);
  TLink<TEntity>* cam_link = cam_link_;
  cam_link_ = nullptr;
  TEntity::FreeEntity();
  if (cam_link) cam_list->Remove(cam_link);
  return 0;
}

int TCamera::EntityOrder(int new_order) {
  order = new_order;
  if (cam_link_) {
    // The list's reference is about to go; keep the camera alive across it.
    Ref<TEntity> keep(this);
    cam_list->Remove(cam_link_);
    EntityListAdd(*cam_list);
    cam_link_ = link;
  }
  return 0;
}
