#include "graphics/drav2d_graphics.h"

namespace {
TDrav2DGraphics* current_2d = nullptr;
}

void TDrav2DGraphics::GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) {
  if (!_graphics) {
    width = height = depth = hertz = flags = 0;
    return;
  }
  _graphics->GetSettings(width, height, depth, hertz, flags);
}

void TDrav2DGraphics::Close() {
  if (!_graphics) return;
  if (current_2d == this) ClearCurrent();
  _graphics->Close();
  _graphics = nullptr;
}

void TDrav2DGraphics::MakeCurrent() {
  current_2d = this;
  if (!_setup) {
    _driver->Cls();
    Flip(0);
    _driver->Cls();
    Flip(0);
    _setup = 1;
  }
}

void TDrav2DGraphics::ClearCurrent() { current_2d = nullptr; }
TDrav2DGraphics* TDrav2DGraphics::Current() { return current_2d; }

Ref<TDrav2DGraphics> TDrav2DGraphics::Create(Ref<TGraphics> g, TDrav2DDriver* d) {
  Ref<TDrav2DGraphics> wrapped(new TDrav2DGraphics());
  wrapped->_graphics = std::move(g);
  wrapped->_driver = d;
  return wrapped;
}
