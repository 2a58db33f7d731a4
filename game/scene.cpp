#include "game/scene.h"

Scene BuildScene() {
  Scene s;
  s.blanktex = CreateTexture(256, 256, 256, 1);
  s.cam = CreateCamera();
  CameraClsMode(s.cam, 0, 1);  // keep the colour buffer, clear depth

  // The wall picture fills the view from 800 units ahead, added over the scene.
  s.overlay = CreateSprite(s.cam);
  MoveEntity(s.overlay, 0, 0, 800);
  ScaleSprite(s.overlay, 800, 800);
  EntityOrder(s.overlay, -1);
  EntityTexture(s.overlay, s.blanktex, 0, 0);
  EntityAlpha(s.overlay, 0.75f);
  EntityBlend(s.overlay, 3);

  // Paddles 8 wide, 8 high and 32 long.
  s.player = CreateCube();
  ScaleEntity(s.player, 4, 4, 16, 0);
  s.enemy = CreateCube();
  ScaleEntity(s.enemy, 4, 4, 16, 0);

  s.ball = CreateSphere(12);
  ScaleEntity(s.ball, 3, 3, 3, 0);
  EntityColor(s.ball, 255, 255, 255);
  EntityShininess(s.ball, 1);
  s.balllight = CreateLight(2, s.ball);
  LightRange(s.balllight, 20);
  MoveEntity(s.balllight, 5, 5, 5);

  // A disc-like ellipsoid 320 across and 1 high, centred at (0, -5, 20).
  s.arena = CreateSphere(32);
  ScaleEntity(s.arena, 160, 0.5f, 160, 0);
  MoveEntity(s.arena, 0, -5, 20);

  s.playerlight = CreateLight(2, s.player);
  LightRange(s.playerlight, 20);
  s.enemylight = CreateLight(2, s.enemy);
  LightRange(s.enemylight, 20);

  Collisions(1, 2, 2, 2);  // the ball slides against the paddles' polygons
  EntityType(s.ball, 1, 0);
  EntityType(s.player, 2, 0);
  EntityType(s.enemy, 2, 0);
  EntityShininess(s.player, 10);
  EntityShininess(s.enemy, 10);
  CreateLight(2);

  s.doing = LoadSound("incbin::doing.wav", 0);
  s.mysound = LoadSound("incbin::hungry.wav", 1);  // loops
  s.playertex = LoadTexture("incbin::player1.bmp", 1);
  s.entex = LoadTexture("incbin::player2.bmp", 1);
  s.walltex = LoadTexture("incbin::wall.bmp", 1);
  EntityTexture(s.player, s.playertex, 0, 0);
  EntityTexture(s.enemy, s.entex, 0, 0);
  EntityTexture(s.overlay, s.walltex, 0, 0);
  if (s.mysound) PlaySound(s.mysound);
  return s;
}
