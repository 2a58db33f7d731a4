#include "engine/brush.h"

#include <algorithm>

#include "core/runtime_error.h"
#include "engine/engine_errors.h"

Ref<TBrush> TBrush::CreateBrush(float red, float green, float blue) {
  Ref<TBrush> brush = MakeRef<TBrush>();
  brush->BrushColor(red, green, blue);
  return brush;
}

Ref<TBrush> TBrush::LoadBrush(const std::string& file, int flags, float /*u_scale*/, float /*v_scale*/) {
  Ref<TBrush> brush = MakeRef<TBrush>();
  brush->tex[0] = TTexture::LoadTexture(file, flags);
  brush->no_texs = 1;
  return brush;
}

int TBrush::CompareBrushes(const TBrush* a, const TBrush* b) {
  if (!a || !b) return a == b ? 1 : 0;
  if (a->no_texs != b->no_texs || a->red != b->red || a->green != b->green || a->blue != b->blue ||
      a->alpha != b->alpha || a->shine != b->shine || a->blend != b->blend || a->fx != b->fx)
    return 0;
  for (int i = 0; i < kTextureSlots; ++i) {
    const TTexture* ta = a->tex[i].get();
    const TTexture* tb = b->tex[i].get();
    if (!ta && !tb) continue;
    // The GL name list is one object per texture, so comparing it is
    // comparing the textures' identity.
    if (!ta || !tb || &ta->gltex != &tb->gltex || ta->blend != tb->blend || ta->coords != tb->coords)
      return 0;
  }
  return 1;
}

int TBrush::BrushColor(float r, float g, float b) {
  red = r / 255.0f;
  green = g / 255.0f;
  blue = b / 255.0f;
  return 0;
}

int TBrush::BrushAlpha(float value) {
  alpha = value;
  return 0;
}

int TBrush::BrushShininess(float value) {
  shine = value;
  return 0;
}

int TBrush::BrushTexture(TTexture* texture, int frame, int index) {
  if (index < 0 || index >= kTextureSlots) throw RuntimeError(kBrushTextureIndexRange);
  tex[index] = texture;
  no_texs = std::max(no_texs, index + 1);
  tex_frame = texture ? std::max(0, std::min(frame, texture->no_frames - 1)) : 0;
  return 0;
}

int TBrush::BrushBlend(int value) {
  blend = value;
  return 0;
}

int TBrush::BrushFX(int value) {
  fx = value;
  return 0;
}

void TBrush::Paint(const TBrush& source) {
  no_texs = source.no_texs;
  name = source.name;
  red = source.red;
  green = source.green;
  blue = source.blue;
  alpha = source.alpha;
  shine = source.shine;
  blend = source.blend;
  fx = source.fx;
  for (int i = 0; i < kTextureSlots; ++i) tex[i] = source.tex[i];
}

TTexture* TBrush::GetBrushTexture(int index) const {
  return index >= 0 && index < kTextureSlots ? tex[index].get() : nullptr;
}
