// TCamera: an entity whose global matrix is the eye.
//
// RenderWorld renders the scene once per visible camera, in cam_list order.
// Each render starts with the camera's Update, which sets the viewport and
// scissor box, clears what the camera asks for, sets fog, loads the projection
// (with the sub-pixel jitter of accumulation anti-aliasing) and the view
// matrix, keeps copies of the matrices and extracts the six frustum planes.
// CameraProject and EntityInFrustum use those copies, so they describe the
// camera as it was at its last render; before its first render they are zeros.
//
// The view matrix is the rigid inverse of the global matrix: a camera's own
// scale, or one inherited from its parents, is not supported.
#pragma once

#include "engine/entity.h"

class TCamera : public TEntity {
 public:
  // Every camera, ordered by `order` like entity_list. Created by CreateLists.
  inline static List* cam_list = nullptr;
  // Result of the last CameraProject: pixels from the viewport's top-left
  // corner (y grows downward) and the window depth 0..1.
  inline static float projected_x = 0;
  inline static float projected_y = 0;
  inline static float projected_z = 0;

  int vx = 0, vy = 0;                     // viewport origin, pixels from the left and from the bottom
  int vwidth = 0, vheight = 0;            // viewport size in pixels
  float cls_r = 0, cls_g = 0, cls_b = 0;  // clear colour, 0..1
  int cls_color = 1;                      // 1: clear the colour buffer; other values: keep it
  int cls_zbuffer = 1;                    // 1: clear the depth buffer; other values: keep it
  float range_near = 1, range_far = 1000;
  float zoom = 1;                         // horizontal field of view is 2 · atan(1 / zoom)
  int proj_mode = 1;                      // 1 perspective, 2 orthographic, other: identity
  int fog_mode = 0;                       // 0 no fog, > 0 linear fog
  float fog_r = 0, fog_g = 0, fog_b = 0;  // fog colour, 0..1
  float fog_range_near = 1, fog_range_far = 1000;
  double mod_mat[16] = {};   // modelview of the last Update
  double proj_mat[16] = {};  // projection of the last Update
  int viewport[4] = {};      // viewport of the last Update
  float frustum[6][4] = {};  // planes right, left, bottom, top, far, near (stored space)

  // Creates cam_list; idempotent (InitEngineLists calls it).
  static void CreateLists();

  // A new camera under parent (none: a root) whose viewport is the whole
  // display given to Graphics3D.
  static TCamera* CreateCamera(TEntity* parent);

  // x and y from the display's top-left corner; converted to OpenGL's
  // bottom-left origin with the height given to Graphics3D.
  virtual int CameraViewport(int x, int y, int width, int height);
  virtual int CameraClsColor(float red, float green, float blue);  // 0..255
  virtual int CameraClsMode(int color, int zbuffer);
  virtual int CameraRange(float near, float far);
  virtual int CameraZoom(float zoom);
  virtual int CameraProjMode(int mode);
  virtual int CameraFogMode(int mode);
  virtual int CameraFogColor(float red, float green, float blue);  // 0..255
  virtual int CameraFogRange(float near, float far);
  // Projects a user-space world point with the matrices of the last Update;
  // read the result with ProjectedX/Y/Z. Points behind the camera are
  // projected all the same.
  virtual int CameraProject(float x, float y, float z);
  virtual float ProjectedX() const { return projected_x; }
  virtual float ProjectedY() const { return projected_y; }
  virtual float ProjectedZ() const { return projected_z; }
  // The culling test of EntityInFrustum, for the entity as it stands now.
  virtual float EntityInView(TEntity* entity);
  // Planes of the current GL projection · modelview into `frustum`.
  virtual int ExtractFrustum();
  // 0 when the entity's bounding sphere lies outside a plane of the last
  // Update (touching from outside counts as outside); otherwise the distance
  // from the near plane to the far side of the sphere. The sphere of an entity
  // is its global position with radius |cull_radius|.
  virtual float EntityInFrustum(TEntity* entity);
  // The same test for a sphere given in user-space world coordinates.
  float SphereInFrustum(float x, float y, float z, float radius) const;

  virtual int accPerspective(float fovy, float aspect, float near, float far, float pixdx, float pixdy,
                             float eyedx, float eyedy, float focus);
  virtual int accFrustum(float left, float right, float bottom, float top, float near, float far, float pixdx,
                         float pixdy, float eyedx, float eyedy, float focus);

  // Copies the scalar camera settings; matrices, viewport and planes start at
  // zero until the copy's first render.
  TCamera* CopyEntity(TEntity* parent) override;
  // Viewport, scissor, clearing, fog, projection, view matrix, read-back and
  // frustum, in that order.
  int Update() override;
  int FreeEntity() override;
  // Sets `order` and re-inserts the camera into cam_list by it.
  int EntityOrder(int order) override;

 private:
  TLink<TEntity>* cam_link_ = nullptr;
};
