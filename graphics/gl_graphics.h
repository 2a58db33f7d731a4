// The OpenGL graphics driver: windows and full-screen displays with an OpenGL
// context, through the window-system layer of platform/gl_context.h.
#pragma once

#include "graphics/graphics.h"

class TGLGraphics : public TGraphics {
public:
  explicit TGLGraphics(GLContextRecord* context) : _context(context) {}
  ~TGLGraphics() override { Close(); }

  TGraphicsDriver* Driver() override;
  void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override;
  void Close() override;

  GLContextRecord* _context;  // null once closed
};

class TGLGraphicsDriver : public TGraphicsDriver {
public:
  std::vector<TGraphicsMode> GraphicsModes() override;
  Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) override;
  Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) override;
  void SetGraphics(TGraphics* g) override;
  // A synchronised flip whose swap interval the platform refused is paced here
  // instead, at the display's refresh rate (60 Hz when unknown), by sleeping.
  void Flip(int sync) override;
  std::string ToString() const override { return "OpenGL"; }

private:
  FrameSchedule vsync_schedule_;
  bool vsync_paced_ = false;  // vsync_schedule_ is running
};

TGLGraphicsDriver* GLGraphicsDriver();
Ref<TGraphics> GLGraphics(int width, int height, int depth = 0, int hertz = 60, int flags = 0);
void GLShareContexts();

// Module start-up: selects the OpenGL driver.
void InitGLGraphics();
