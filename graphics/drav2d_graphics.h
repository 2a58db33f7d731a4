// A graphics object that carries the 2D drawing state: it wraps the surface a
// graphics driver made and belongs to the 2D driver that wrapped it.
#pragma once

#include "graphics/graphics.h"

class TDrav2DDriver : public TGraphicsDriver {
public:
  virtual void Cls() = 0;
};

class TDrav2DGraphics : public TGraphics {
public:
  TGraphicsDriver* Driver() override { return _driver; }
  void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override;
  void Close() override;

  // Makes this the current 2D context; the first time, both buffers are cleared.
  void MakeCurrent();

  static void ClearCurrent();
  static TDrav2DGraphics* Current();
  static Ref<TDrav2DGraphics> Create(Ref<TGraphics> g, TDrav2DDriver* d);

  Ref<TGraphics> _graphics;
  TDrav2DDriver* _driver = nullptr;
  int _setup = 0;
};
