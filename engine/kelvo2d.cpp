#include "engine/kelvo2d.h"

#include <GL/glew.h>

#include "engine/global.h"
#include "engine/hardware_info.h"
#include "graphics/gl_overlay.h"

int TKelvo2D::Text(int x, int y, const std::string& text) {
  if (THardwareInfo::VBOSupport) {
    glActiveTextureARB(GL_TEXTURE0);
    glClientActiveTextureARB(GL_TEXTURE0);
  }
  glDisable(GL_LIGHTING);
  glColor3f(1, 1, 1);
  glEnable(GL_BLEND);
  GLDrawText(text, x, y);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  return 0;
}

int TKelvo2D::EndDrav2D() {
  TGlobal::SaveStateFor3D();
  TGlobal::EnableStates();
  glDisable(GL_TEXTURE_2D);
  TGlobal::Set3DLightingAndDepth();
  return 0;
}

int TKelvo2D::BeginDrav2D() {
  glPopClientAttrib();
  glPopAttrib();
  for (GLenum stack : TGlobal::SavedMatrixStacks()) {
    glMatrixMode(stack);
    glPopMatrix();
  }
  return 0;
}
