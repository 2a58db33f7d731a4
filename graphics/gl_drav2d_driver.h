// The OpenGL 2D driver: the graphics driver the engine runs on. It hands
// windows, contexts and flips to the OpenGL graphics driver and wraps each
// graphics object in a 2D context whose OpenGL state it sets up.
#pragma once

#include "graphics/drav2d_graphics.h"

class TGLDrav2DDriver : public TDrav2DDriver {
public:
  std::vector<TGraphicsMode> GraphicsModes() override;
  Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) override;
  Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) override;
  void SetGraphics(TGraphics* g) override;
  void Flip(int sync) override;
  void Cls() override;
  std::string ToString() const override { return "OpenGL"; }

  // Resets the cached GL state and sets a y-down pixel projection over g.
  void ResetGLContext(TGraphics* g);
};

TGLDrav2DDriver* GLDrav2DDriver();

// Module start-up: selects the OpenGL 2D driver.
void InitGLDrav2D();
