// Flat functions for 2D over the 3D view.
#pragma once

#include <string>

#include "engine/kelvo2d.h"

// A line of 8x16 text with its top-left corner at (x, y), over the rendered scene.
inline int Text(int x, int y, const std::string& text) { return TKelvo2D::Text(x, y, text); }
inline int BeginDrav2D() { return TKelvo2D::BeginDrav2D(); }
inline int EndDrav2D() { return TKelvo2D::EndDrav2D(); }
