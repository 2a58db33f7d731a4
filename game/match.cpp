#include "game/match.h"

#include <cmath>

#include "core/random.h"

namespace {

constexpr float kPaddleX = 86;
constexpr float kLowZ = -48;
constexpr float kHighZ = 104;
constexpr float kGoalX = 90;

int Sgn(float v) { return (v > 0) - (v < 0); }

float Clamp(float z) {
  if (z < kLowZ) z = kLowZ;
  if (z > kHighZ) z = kHighZ;
  return z;
}

void PlayHit(const MatchObjects& objects) {
  if (objects.doing) PlaySound(objects.doing);
}

}  // namespace

void PlacePaddles(MatchState& state, const MatchObjects& objects) {
  state.playerz = Clamp(state.playerz);
  state.enemyz = Clamp(state.enemyz);
  PositionEntity(objects.player, -kPaddleX, 0, state.playerz, 0);
  PositionEntity(objects.enemy, kPaddleX, 0, state.enemyz, 0);
}

void StepBall(const MatchState& state, const MatchObjects& objects) {
  MoveEntity(objects.ball, state.ballvx, 0, state.ballvz);
}

void HitPaddle(MatchState& state, const MatchObjects& objects) {
  if (!EntityCollided(objects.ball, 2)) return;
  PlayHit(objects);
  // Only a ball still moving away from the centre, towards the paddle it
  // touched, turns round and speeds up.
  if (Sgn(state.ballvx) == Sgn(EntityX(objects.ball, 0))) state.ballvx *= -1.1f;
  MoveEntity(objects.ball, state.ballvx, 0, 0);
  TEntity* paddle = EntityCollided(objects.ball, 2);
  state.ballvz = (EntityZ(objects.ball, 0) - EntityZ(paddle, 0)) * 0.1f;
}

void Serve(MatchState& state) {
  if (state.ballvx == 0) state.ballvx = float(Rnd(-2, 2) * 4);
  if (state.ballvz == 0) state.ballvz = float(Rnd(-2, 2));
}

void BounceOffSides(MatchState& state, const MatchObjects& objects) {
  if (EntityZ(objects.ball, 0) < kLowZ) {
    state.ballvz = -state.ballvz;
    PlayHit(objects);
  }
  if (EntityZ(objects.ball, 0) > kHighZ) {
    state.ballvz = -state.ballvz;
    PlayHit(objects);
  }
}

void ScoreGoals(MatchState& state, const MatchObjects& objects) {
  if (EntityX(objects.ball, 0) < -kGoalX) {
    ++state.enemyscore;
    PositionEntity(objects.ball, 0, 0, 0, 0);
    state.ballvx = state.ballvz = 0;
  }
  if (EntityX(objects.ball, 0) > kGoalX) {
    ++state.playerscore;
    PositionEntity(objects.ball, 0, 0, 0, 0);
    state.ballvx = state.ballvz = 0;
  }
}

void SteerEnemyAndArena(MatchState& state, const MatchObjects& objects) {
  if (state.thinktime > state.thinkdelay && state.ballvx > 0) {
    state.enemydir = EntityZ(objects.ball, 0) > EntityZ(objects.enemy, 0) ? 1.0f : -1.0f;
    state.thinkdelay = int(EntityDistance(objects.enemy, objects.ball) * Rnd(0.6, 0));
    state.thinktime = 0;
    state.enemyspeed = float(state.ballvz * Rnd(2.3, 0) + 3);
  }
  ++state.thinktime;
  state.enemyz += state.enemydir * state.enemyspeed;
  state.enemyspeed *= 0.95f;
  const float x = EntityX(objects.ball, 0), z = EntityZ(objects.ball, 0);
  EntityColor(objects.arena, std::fabs(x) * 1.2f, std::fabs(z) * 1.2f, std::fabs(x - z) * 1.2f);
  TurnEntity(objects.arena, 0, 1, 0, 0);
}

std::string ScoreLine(const MatchState& state) {
  return std::to_string(state.playerscore) + "  VS  " + std::to_string(state.enemyscore);
}

void FollowMouse(MatchState& state, int mouse_y_speed) { state.playerz -= float(mouse_y_speed); }
