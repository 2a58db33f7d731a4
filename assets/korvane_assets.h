// The game's own files, made by the asset generator at build time and carried
// inside the executable. The bytes are constant data read in place; nothing
// here registers them anywhere, the caller does that under the given names.
#pragma once

#include <array>

#include "core/embedded.h"

// "player1.bmp", "player2.bmp", "wall.bmp", "hungry.wav", "doing.wav", in the
// order the game registers them.
const std::array<EmbeddedFile, 5>& KorvaneGameFiles();
