// The flat function layer for cameras. Camera arguments must be live cameras:
// null raises "<Function>: null camera", a freed entity or one of another kind
// "<Function>: freed or invalid camera". Colours are on 0..255; viewport
// origins are measured from the display's top-left corner. Settings take
// effect when the camera next renders.
#pragma once

#include "engine/camera.h"
#include "engine/entity.h"

// ---- Life cycle ----
TCamera* CreateCamera(TEntity* parent = nullptr);  // parent may be null; viewport: the whole display

// ---- Settings ----
int CameraViewport(TCamera* camera, int x, int y, int width, int height);
int CameraClsColor(TCamera* camera, float red, float green, float blue);
int CameraClsMode(TCamera* camera, int color, int zbuffer);  // 1 clears that buffer, other values keep it
int CameraRange(TCamera* camera, float near, float far);     // near > 0, far > near
int CameraZoom(TCamera* camera, float zoom);                 // horizontal view 2 · atan(1 / zoom)
int CameraProjMode(TCamera* camera, int mode);               // 1 perspective, 2 orthographic, other: none
int CameraFogMode(TCamera* camera, int mode);                // 0 off, > 0 linear
int CameraFogColor(TCamera* camera, float red, float green, float blue);
int CameraFogRange(TCamera* camera, float near, float far);

// ---- Projection and culling (against the camera's last render) ----
// Projects a world point; read the pixel position from the viewport's
// top-left corner with ProjectedX/Y and the depth with ProjectedZ.
int CameraProject(TCamera* camera, float x, float y, float z);
float ProjectedX();
float ProjectedY();
float ProjectedZ();
// Non-zero when the entity's culling sphere lies in the camera's view: the
// camera's EntityInView truncated to an integer.
int EntityInView(TCamera* camera, TEntity* entity);
