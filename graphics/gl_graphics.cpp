#include "graphics/gl_graphics.h"

TGraphicsDriver* TGLGraphics::Driver() { return GLGraphicsDriver(); }

void TGLGraphics::GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) {
  if (!_context) {
    width = height = depth = hertz = flags = 0;
    return;
  }
  GLContextSettings(_context, width, height, depth, hertz, flags);
}

void TGLGraphics::Close() {
  if (!_context) return;
  GLContextClose(_context);
  _context = nullptr;
}

std::vector<TGraphicsMode> TGLGraphicsDriver::GraphicsModes() {
  constexpr int kMaxModes = 1024;
  std::vector<int> buffer(4 * kMaxModes);
  const int n = GLContextModes(buffer.data(), kMaxModes);
  std::vector<TGraphicsMode> modes;
  modes.reserve(size_t(n));
  for (int i = 0; i < n; ++i) {
    const int* m = &buffer[size_t(4 * i)];
    modes.emplace_back(m[0], m[1], m[2], m[3]);
  }
  return modes;
}

Ref<TGraphics> TGLGraphicsDriver::AttachGraphics(intptr_t widget, int flags) {
  GLContextRecord* record = GLContextAttach(widget, flags);
  if (!record) return nullptr;
  return Ref<TGraphics>(new TGLGraphics(record));
}

Ref<TGraphics> TGLGraphicsDriver::CreateGraphics(int width, int height, int depth, int hertz, int flags) {
  GLContextRecord* record = GLContextCreate(width, height, depth, hertz, flags);
  if (!record) return nullptr;
  return Ref<TGraphics>(new TGLGraphics(record));
}

void TGLGraphicsDriver::SetGraphics(TGraphics* g) {
  auto* gl = dynamic_cast<TGLGraphics*>(g);
  GLContextMakeCurrent(gl ? gl->_context : nullptr);
}

void TGLGraphicsDriver::Flip(int sync) {
  if (!GLContextFlip(sync)) {
    vsync_paced_ = false;
    return;
  }
  TFrameClock& clock = FrameClock();
  if (!vsync_paced_) {
    const int rate = GLContextRefreshRate();
    vsync_schedule_.Start(rate > 0 ? rate : 60, clock.NowMs());
    vsync_paced_ = true;
  }
  const int wait = vsync_schedule_.Advance(clock.NowMs());
  if (wait > 0) clock.SleepMs(wait);
}

TGLGraphicsDriver* GLGraphicsDriver() {
  static auto* driver = new TGLGraphicsDriver();  // lives for the whole run
  return driver;
}

Ref<TGraphics> GLGraphics(int width, int height, int depth, int hertz, int flags) {
  SetGraphicsDriver(GLGraphicsDriver(), GFX_DOUBLE_BUFFER);
  return Graphics(width, height, depth, hertz, flags);
}

void GLShareContexts() { GLContextShare(); }

void InitGLGraphics() {
  static bool done = false;
  if (done) return;
  done = true;
  InitGraphicsModule();
  SetGraphicsDriver(GLGraphicsDriver(), GFX_DOUBLE_BUFFER);
}
