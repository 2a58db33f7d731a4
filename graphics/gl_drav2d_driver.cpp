#include "graphics/gl_drav2d_driver.h"

#include <GL/gl.h>

#include "graphics/gl_graphics.h"

std::vector<TGraphicsMode> TGLDrav2DDriver::GraphicsModes() { return GLGraphicsDriver()->GraphicsModes(); }

Ref<TGraphics> TGLDrav2DDriver::AttachGraphics(intptr_t widget, int flags) {
  Ref<TGraphics> g = GLGraphicsDriver()->AttachGraphics(widget, flags);
  if (!g) return nullptr;
  return TDrav2DGraphics::Create(g, this);
}

Ref<TGraphics> TGLDrav2DDriver::CreateGraphics(int width, int height, int depth, int hertz, int flags) {
  Ref<TGraphics> g = GLGraphicsDriver()->CreateGraphics(width, height, depth, hertz, flags);
  if (!g) return nullptr;
  return TDrav2DGraphics::Create(g, this);
}

void TGLDrav2DDriver::SetGraphics(TGraphics* g) {
  auto* context = dynamic_cast<TDrav2DGraphics*>(g);
  if (!context) {
    TDrav2DGraphics::ClearCurrent();
    GLGraphicsDriver()->SetGraphics(nullptr);
    return;
  }
  GLGraphicsDriver()->SetGraphics(context->_graphics.get());
  ResetGLContext(context);
  context->MakeCurrent();
}

void TGLDrav2DDriver::Flip(int sync) { GLGraphicsDriver()->Flip(sync); }

void TGLDrav2DDriver::Cls() { glClear(GL_COLOR_BUFFER_BIT); }

void TGLDrav2DDriver::ResetGLContext(TGraphics* g) {
  int w, h, depth, hertz, flags;
  g->GetSettings(w, h, depth, hertz, flags);
  glDisable(GL_TEXTURE_2D);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, w, h, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glViewport(0, 0, w, h);
}

TGLDrav2DDriver* GLDrav2DDriver() {
  static auto* driver = new TGLDrav2DDriver();  // lives for the whole run
  return driver;
}

void InitGLDrav2D() {
  static bool done = false;
  if (done) return;
  done = true;
  InitGLGraphics();
  SetGraphicsDriver(GLDrav2DDriver(), GFX_DOUBLE_BUFFER);
}
