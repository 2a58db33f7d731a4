#include "engine/flat_sprite.h"

#include "engine/handle_check.h"

namespace {

TSprite& CheckSprite(TSprite* sprite, const char* function) {
  if (!sprite) throw RuntimeError(NullHandleText(function, "sprite"));
  if (!TEntity::IsLive(sprite) || !dynamic_cast<TSprite*>(static_cast<TEntity*>(sprite)))
    throw RuntimeError(InvalidHandleText(function, "sprite"));
  return *sprite;
}

}  // namespace

TSprite* CreateSprite(TEntity* parent) {
  return TSprite::CreateSprite(CheckOptionalEntity(parent, "CreateSprite", "parent"));
}

TSprite* LoadSprite(const std::string& file, int tex_flags, TEntity* parent) {
  return TSprite::LoadSprite(file, tex_flags, CheckOptionalEntity(parent, "LoadSprite", "parent"));
}

int RotateSprite(TSprite* sprite, float angle) {
  return CheckSprite(sprite, "RotateSprite").RotateSprite(angle);
}

int ScaleSprite(TSprite* sprite, float x, float y) {
  return CheckSprite(sprite, "ScaleSprite").ScaleSprite(x, y);
}

int HandleSprite(TSprite* sprite, float x, float y) {
  return CheckSprite(sprite, "HandleSprite").HandleSprite(x, y);
}

int SpriteViewMode(TSprite* sprite, int mode) {
  return CheckSprite(sprite, "SpriteViewMode").SpriteViewMode(mode);
}
