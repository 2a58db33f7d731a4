// Stand-alone OpenGL drawing in pixel coordinates over whatever was rendered:
// fixed 8x16 text in the built-in font, rectangles and pixmaps, and texture
// makers. They work in the current context and leave the caller's matrices,
// matrix mode, enables and texture binding as they found them.
#pragma once

#include <string>

#include "media/pixmap.h"

// Registers the built-in font as "gldrawtextfont.bin". Idempotent.
void InitGLOverlay();

// Pixel units over the current viewport, origin top-left, y down; depth test,
// culling and alpha test off. The pair does not nest.
void PushOrtho2D();
void PopOrtho2D();

// Draws text in 8x16 cells from (x, y); a character outside 32-127 leaves an
// empty cell. The caller's colour tints the glyphs; their background vanishes
// only under a source-alpha blend.
void GLDrawText(const std::string& text, int x, int y);
void GLDrawRect(int x, int y, int width, int height);
// The pixmap's top-left pixel lands at (x, y).
void GLDrawPixmap(const TPixmap* pixmap, int x, int y);

// A texture from the pixmap, stretched to the nearest accepted power-of-two
// size, with every mipmap level when `mipmap` is non-zero. Returns the GL name.
unsigned GLTexFromPixmap(const TPixmap* pixmap, int mipmap);

// Rounds up to powers of two, then halves until the implementation accepts
// the size; throws RuntimeError("Unable to calculate tex size") when even 1x1
// is refused.
void GLAdjustTexSize(int& width, int& height);
