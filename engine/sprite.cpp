#include "engine/sprite.h"

TSprite::TSprite() { class_name = "Sprite"; }

TSprite* TSprite::CreateSprite(TEntity* parent) {
  auto* sprite = new TSprite;
  sprite->AddParent(parent);
  sprite->EntityListAdd(*entity_list);
  sprite->RefreshMat(false);
  TSurface* surface = sprite->CreateSurface();
  surface->AddVertex(-1, -1, 0, 0, 1);
  surface->AddVertex(-1, 1, 0, 0, 0);
  surface->AddVertex(1, 1, 0, 1, 0);
  surface->AddVertex(1, -1, 0, 1, 1);
  surface->AddTriangle(0, 1, 2);
  surface->AddTriangle(0, 2, 3);
  sprite->EntityFX(1);
  return sprite;
}

TSprite* TSprite::LoadSprite(const std::string& file, int tex_flags, TEntity* parent) {
  TSprite* sprite = CreateSprite(parent);
  Ref<TTexture> texture = TTexture::LoadTexture(file, tex_flags);
  if (texture) sprite->EntityTexture(texture.get(), 0, 0);
  if ((tex_flags & (TTexture::kAlpha | TTexture::kMasked)) == 0) sprite->EntityBlend(3);
  return sprite;
}

TSprite* TSprite::CopyEntity(TEntity* parent) {
  auto* copy = new TSprite;
  CopyEntityInto(*copy, parent);
  copy->surf_list = surf_list;
  copy->no_surfs = no_surfs;
  copy->reset_bounds = 1;
  copy->mat_sp = mat_sp;
  copy->angle = angle;
  copy->scale_x = scale_x, copy->scale_y = scale_y;
  copy->handle_x = handle_x, copy->handle_y = handle_y;
  copy->view_mode = view_mode;
  return copy;
}

int TSprite::RotateSprite(float a) {
  angle = a;
  return 0;
}

int TSprite::ScaleSprite(float x, float y) {
  scale_x = x;
  scale_y = y;
  return 0;
}

int TSprite::HandleSprite(float x, float y) {
  handle_x = x;
  handle_y = y;
  return 0;
}

int TSprite::SpriteViewMode(int mode) {
  view_mode = mode;
  return 0;
}

void TSprite::UpdateBillboard(const TEntity& camera) {
  if (view_mode != 2) {
    const float x = mat.grid[3][0], y = mat.grid[3][1], z = mat.grid[3][2];
    mat.Overwrite(camera.mat);
    mat.grid[3][0] = x, mat.grid[3][1] = y, mat.grid[3][2] = z;
    mat_sp.Overwrite(mat);
    if (angle != 0) mat_sp.RotateRoll(angle);
    if (scale_x != 1 || scale_y != 1) mat_sp.Scale(scale_x, scale_y, 1);
    if (handle_x != 0 || handle_y != 0) mat_sp.Translate(-handle_x, -handle_y, 0);
  } else {
    mat_sp.Overwrite(mat);
    if (scale_x != 1 || scale_y != 1) mat_sp.Scale(scale_x, scale_y, 1);
  }
}
