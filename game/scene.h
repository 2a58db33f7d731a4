// The game's scene, built once after the display opens and never changed in
// shape afterwards: a camera with a translucent picture hung in front of it,
// two paddles, a ball carrying a light, a flattened spinning sphere under the
// field, three more lights, the collision rule between ball and paddles, the
// sounds and the looping background tune.
#pragma once

#include "game/match.h"

struct Scene {
  TCamera* cam = nullptr;
  TSprite* overlay = nullptr;
  Ref<TTexture> blanktex;
  TMesh* player = nullptr;
  TMesh* enemy = nullptr;
  TMesh* ball = nullptr;
  TMesh* arena = nullptr;
  TLight* balllight = nullptr;
  TLight* playerlight = nullptr;
  TLight* enemylight = nullptr;
  Ref<TSound> doing;
  Ref<TSound> mysound;
  Ref<TTexture> playertex, entex, walltex;

  MatchObjects Objects() const { return {player, enemy, ball, arena, doing.get()}; }
};

// Builds the scene and starts the background tune.
Scene BuildScene();
