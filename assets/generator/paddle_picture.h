// The faces of the two paddles: a bevelled metal plate with engraved grip
// grooves, a glowing chevron that points at the field and a bright strip along
// the edge that meets the ball. The pictures are stretched over every face of
// a lit 8x8x32 box, long side along the picture's height.
#pragma once

#include <cstdint>

#include "assets/generator/rgba_picture.h"

struct PaddleScheme {
  float body[3];    // plate colour, 0..1
  float accent[3];  // chevron and edge strip colour, 0..1
  int facing;       // +1: the field lies to the picture's right, -1: to its left
  uint32_t seed;    // grain of the brushed metal
};

// The player's blue paddle (field to the right) and the enemy's red one.
PaddleScheme PlayerPaddleScheme();
PaddleScheme EnemyPaddleScheme();

RgbaPicture PaintPaddle(int width, int height, const PaddleScheme& scheme);
