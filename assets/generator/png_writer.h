// Writes a picture as an 8-bit RGBA PNG with no time stamp or text chunks, so
// the same picture always gives the same bytes.
#pragma once

#include <string>

#include "assets/generator/rgba_picture.h"

// False when the file cannot be written.
bool WritePng(const std::string& path, const RgbaPicture& picture);
