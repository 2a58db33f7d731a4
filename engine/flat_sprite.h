// The flat function layer for sprites. Sprite arguments must be live sprites
// ("RotateSprite: null sprite", "RotateSprite: freed or invalid sprite").
#pragma once

#include <string>

#include "engine/entity.h"
#include "engine/sprite.h"

TSprite* CreateSprite(TEntity* parent = nullptr);  // parent may be null
TSprite* LoadSprite(const std::string& file, int tex_flags = 1, TEntity* parent = nullptr);
int RotateSprite(TSprite* sprite, float angle);
int ScaleSprite(TSprite* sprite, float x, float y);
int HandleSprite(TSprite* sprite, float x, float y);
int SpriteViewMode(TSprite* sprite, int mode);  // 2: own orientation, else facing the camera
