// TSprite: a mesh of one textured 2 x 2 square, drawn facing the camera (a
// billboard) or, in view mode 2, with its own orientation.
//
// The render pass computes, per camera, the matrix the square is drawn with
// (mat_sp): the sprite's position with the camera's orientation, then roll,
// scale and handle, each applied only when it differs from its identity
// value. A camera-facing sprite's mat takes the camera's orientation too, and
// keeps it until a transform operation recomputes it.
#pragma once

#include <string>

#include "engine/mesh.h"

class TSprite : public TMesh {
 public:
  float angle = 0;  // roll about the view axis, degrees
  float scale_x = 1;
  float scale_y = 1;
  float handle_x = 0;  // in units of the unscaled square
  float handle_y = 0;
  int view_mode = 1;  // 2: own orientation; anything else faces the camera

  TSprite();

  // One surface (four vertices, two triangles) and entity fx 1 (full-bright).
  static TSprite* CreateSprite(TEntity* parent = nullptr);
  // A sprite textured with LoadTexture(file, tex_flags), blended additively
  // unless the flags ask for alpha (2) or masking (4). When the texture
  // cannot be loaded the sprite stays untextured.
  static TSprite* LoadSprite(const std::string& file, int tex_flags = 1, TEntity* parent = nullptr);

  // The copy shares this sprite's surfaces and has bounds of its own.
  TSprite* CopyEntity(TEntity* parent) override;

  // The setters store their values, which act at the next render.
  virtual int RotateSprite(float angle);
  virtual int ScaleSprite(float x, float y);
  virtual int HandleSprite(float x, float y);
  virtual int SpriteViewMode(int mode);

  // The billboard computation for camera: sets mat_sp and, unless the view
  // mode is 2, mat's orientation.
  void UpdateBillboard(const TEntity& camera);

 protected:
  const TMatrix& DrawMatrix() const override { return mat_sp; }
};
