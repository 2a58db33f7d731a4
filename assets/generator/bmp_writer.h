// Writes a picture as an uncompressed 32-bit BMP: 14-byte file header, 40-byte
// info header, pixel rows from offset 54, bottom row first, bytes B G R A.
#pragma once

#include <string>

#include "assets/generator/rgba_picture.h"

// False when the file cannot be written.
bool WriteBmp32(const std::string& path, const RgbaPicture& picture);
