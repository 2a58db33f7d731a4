// Copying the back buffer into a texture: render-to-texture and cube-map
// capture for the fixed-function pipeline.
#include <GL/glew.h>

#include "engine/global.h"
#include "engine/texture.h"

namespace {

// The capture's face order; the two Y faces are the other way round from the
// order of the cube-map loaders.
const GLenum kCaptureFaceTargets[6] = {GL_TEXTURE_CUBE_MAP_NEGATIVE_X, GL_TEXTURE_CUBE_MAP_POSITIVE_Z,
                                       GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z,
                                       GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, GL_TEXTURE_CUBE_MAP_POSITIVE_Y};

}  // namespace

int TTexture::BackBufferToTex(int level, int frame) {
  if (frame < 0 || frame >= no_frames) return 0;
  const bool cube = flags & kCubeMap;
  if (cube && (cube_face < 0 || cube_face > 5)) return 0;
  const GLuint name = GLName(frame);
  if (name == 0) return 0;
  // Rows count from the bottom in OpenGL: the top-left corner is at
  // height - this texture's height.
  const GLint y = TGlobal::height - height;
  glReadBuffer(GL_BACK);
  if (cube) {
    glBindTexture(GL_TEXTURE_CUBE_MAP, name);
    glCopyTexImage2D(kCaptureFaceTargets[cube_face], level, GL_RGBA8, 0, y, width, height, 0);
  } else {
    glBindTexture(GL_TEXTURE_2D, name);
    glCopyTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, 0, y, width, height, 0);
  }
  return 0;
}
