// Bridges the engine's 3D OpenGL state and the 2D layer's: Text writes a line
// of 8x16 text over the rendered scene; EndDrav2D saves the 2D state on the
// OpenGL stacks and sets the engine's, BeginDrav2D brings the 2D state back.
// The pair must alternate, starting with BeginDrav2D (the engine's graphics
// start-up already did the saving half).
#pragma once

#include <string>

class TKelvo2D {
 public:
  // Afterwards lighting is on, blending and 2D texturing off, the colour white.
  static int Text(int x, int y, const std::string& text);
  static int BeginDrav2D();
  static int EndDrav2D();
};
