// TBrush: a material. Every entity has one; its colour, alpha, shininess,
// blend mode, effect bits and up to eight texture layers decide how the entity
// is drawn. Brushes are shared through Ref<TBrush>; texture layers are shared
// references to their textures.
#pragma once

#include <string>

#include "core/object.h"
#include "engine/texture.h"

class TBrush : public Object {
 public:
  static constexpr int kTextureSlots = 8;

  int no_texs = 0;  // 1 + the highest texture slot in use
  std::string name;
  float red = 1;  // colour on a 0..1 scale; the setters take 0..255
  float green = 1;
  float blue = 1;
  float alpha = 1;
  float shine = 0;
  int blend = 0;
  int fx = 0;
  int tex_frame = 0;  // animation frame used for every layer
  Ref<TTexture> tex[kTextureSlots];

  // A new brush with every field copied; texture layers are shared.
  Ref<TBrush> Copy() const { return MakeRef<TBrush>(*this); }
};
