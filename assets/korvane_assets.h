// The game's own files, made by the asset generator at build time and carried
// inside the executable. The bytes are constant data read in place; nothing
// here registers them anywhere, the caller does that under the given names.
#pragma once

#include <array>
#include <cstddef>

struct EmbeddedFile {
  const char* name;
  const unsigned char* data;
  size_t size;
};

// "player1.bmp", "player2.bmp", "wall.bmp", "hungry.wav", "doing.wav", in the
// order the game registers them.
const std::array<EmbeddedFile, 5>& KorvaneGameFiles();

// The built-in 8x16 font (codes 32-127, 16 rows of 96 bytes, bit 0 = leftmost
// pixel) under the name the OpenGL overlay text registers, "gldrawtextfont.bin",
// and under the name the 2D drawing layer registers, "kelvofont.bin". Both hold
// the same 1536 bytes.
EmbeddedFile GLDrawTextFontFile();
EmbeddedFile KelvoFontFile();
