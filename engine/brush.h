// TBrush: a material. Every entity and every surface has one; its colour,
// alpha, shininess, blend mode, effect bits and up to eight texture layers
// decide how it is drawn. Brushes are shared through Ref<TBrush> and kept in no
// list; texture layers are shared references to their textures.
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

  // Colour on 0..255, divided by 255; every other field at its default.
  static Ref<TBrush> CreateBrush(float red = 255, float green = 255, float blue = 255);
  // Slot 0 holds LoadTexture(file, flags) (empty when that fails) and no_texs
  // is 1. The scale arguments are accepted and not applied.
  static Ref<TBrush> LoadBrush(const std::string& file, int flags = 1, float u_scale = 1, float v_scale = 1);
  // 1 when both are null or both draw alike (every field but name and
  // tex_frame; texture slots by GL name list, blend and coords); else 0.
  static int CompareBrushes(const TBrush* a, const TBrush* b);

  // A new brush with every field copied; texture layers are shared.
  Ref<TBrush> Copy() const { return MakeRef<TBrush>(*this); }
  int BrushColor(float red, float green, float blue);
  int BrushAlpha(float alpha);
  int BrushShininess(float shine);
  // Slot index (0..7, else a RuntimeError) = texture (may be null); frame
  // clamped to the texture's frames.
  int BrushTexture(TTexture* texture, int frame = 0, int index = 0);
  int BrushBlend(int blend);
  int BrushFX(int fx);
  // Copies the fields and texture slots of source except tex_frame.
  void Paint(const TBrush& source);
  // Brushes are freed when their last reference goes; this does nothing.
  int FreeBrush() { return 0; }
  // The texture of a slot; null for an empty slot or an index outside 0..7.
  TTexture* GetBrushTexture(int index) const;
};
