// The picture hung in front of the game's camera and added over the scene at
// three quarters strength: a dark star field with faint nebulae, dimmer in the
// middle where the field is played.
#pragma once

#include "assets/generator/rgba_picture.h"

// 800x600, opaque. The sprite that shows it is square and its top and bottom
// eighths fall outside the 4:3 view, so the picture appears stretched 4/3
// vertically: it is painted squashed by 3/4 so that stars come out round.
RgbaPicture PaintWall();
