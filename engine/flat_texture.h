// The flat function layer for textures and texture filters. Texture handles
// must not be null ("ScaleTexture: null texture"); a load that fails returns
// null. Textures stay in the texture list until FreeTexture (or ClearWorld).
#pragma once

#include <string>

#include "engine/texture.h"

// Flags: 1 colour, 2 alpha, 4 masked, 8 mipmapped, 16 clamp U, 32 clamp V,
// 64 sphere map, 128 cube map; filters add theirs to loaded files.
Ref<TTexture> LoadTexture(const std::string& file, int flags = 1);
Ref<TTexture> LoadAnimTexture(const std::string& file, int flags, int frame_width, int frame_height,
                              int first_frame, int frame_count);
Ref<TTexture> CreateTexture(int width, int height, int flags = 1, int frames = 1);
int FreeTexture(TTexture* texture);
int TextureBlend(TTexture* texture, int blend);
int TextureCoords(TTexture* texture, int coords);
int ScaleTexture(TTexture* texture, float u, float v);
int PositionTexture(TTexture* texture, float u, float v);
int RotateTexture(TTexture* texture, float angle);
int TextureWidth(TTexture* texture);
int TextureHeight(TTexture* texture);
std::string TextureName(TTexture* texture);
int SetCubeFace(TTexture* texture, int face);
int BackBufferToTex(TTexture* texture, int level = 0, int frame = 0);  // top-left of the back buffer
int SetCubeMode(TTexture* texture, int mode);
int TextureFilter(const std::string& text, int flags);
int ClearTextureFilters();
