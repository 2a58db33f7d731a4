#include "engine/flat_texture.h"

#include "engine/handle_check.h"
#include "engine/texture_filter.h"

namespace {

TTexture& Check(TTexture* texture, const char* function) { return CheckObject(texture, function, "texture"); }

}  // namespace

Ref<TTexture> LoadTexture(const std::string& file, int flags) { return TTexture::LoadTexture(file, flags); }

Ref<TTexture> LoadAnimTexture(const std::string& file, int flags, int frame_width, int frame_height,
                              int first_frame, int frame_count) {
  return TTexture::LoadAnimTexture(file, flags, frame_width, frame_height, first_frame, frame_count);
}

Ref<TTexture> CreateTexture(int width, int height, int flags, int frames) {
  return TTexture::CreateTexture(width, height, flags, frames);
}

int FreeTexture(TTexture* texture) { return Check(texture, "FreeTexture").FreeTexture(); }
int TextureBlend(TTexture* texture, int blend) { return Check(texture, "TextureBlend").TextureBlend(blend); }
int TextureCoords(TTexture* texture, int coords) {
  return Check(texture, "TextureCoords").TextureCoords(coords);
}
int ScaleTexture(TTexture* texture, float u, float v) {
  return Check(texture, "ScaleTexture").ScaleTexture(u, v);
}

int PositionTexture(TTexture* texture, float u, float v) {
  return Check(texture, "PositionTexture").PositionTexture(u, v);
}

int RotateTexture(TTexture* texture, float angle) {
  return Check(texture, "RotateTexture").RotateTexture(angle);
}
int TextureWidth(TTexture* texture) { return Check(texture, "TextureWidth").TextureWidth(); }
int TextureHeight(TTexture* texture) { return Check(texture, "TextureHeight").TextureHeight(); }
std::string TextureName(TTexture* texture) { return Check(texture, "TextureName").TextureName(); }
int SetCubeFace(TTexture* texture, int face) { return Check(texture, "SetCubeFace").SetCubeFace(face); }
int BackBufferToTex(TTexture* texture, int level, int frame) {
  return Check(texture, "BackBufferToTex").BackBufferToTex(level, frame);
}
int SetCubeMode(TTexture* texture, int mode) { return Check(texture, "SetCubeMode").SetCubeMode(mode); }
int TextureFilter(const std::string& text, int flags) { return TTextureFilter::TextureFilter(text, flags); }
int ClearTextureFilters() { return TTextureFilter::ClearTextureFilters(); }
