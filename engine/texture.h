// TTexture: a texture and its per-texture drawing parameters.
//
// Textures are shared through Ref<TTexture> by brushes and the texture list.
// This class holds the texture's parameters; loading pictures into it and
// uploading them to OpenGL build on these fields.
#pragma once

#include <string>
#include <vector>

#include "core/object.h"

class TTexture : public Object {
 public:
  std::string file;
  int flags = 0;
  int blend = 2;
  int coords = 0;
  float u_scale = 1;
  float v_scale = 1;
  float u_pos = 0;
  float v_pos = 0;
  float angle = 0;
  std::string file_abs;
  int width = 0;
  int height = 0;
  std::vector<int> gltex = std::vector<int>(1, 0);
  int no_frames = 1;
  int no_mipmaps = 0;
  int cube_face = 0;
  int cube_mode = 1;
};
