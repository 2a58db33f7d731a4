// The toolkit's built-in 8x16 font (codes 32-127, 16 rows of 96 bytes, bit 0 =
// leftmost pixel), made by the asset generator at build time and carried
// inside the executable. The OpenGL overlay text registers it as
// "gldrawtextfont.bin" and the 2D drawing layer as "kelvofont.bin"; both hold
// the same 1536 bytes.
#pragma once

#include "core/embedded.h"

EmbeddedFile GLDrawTextFontFile();
EmbeddedFile KelvoFontFile();
