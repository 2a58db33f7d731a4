// The rules of the match, applied once per frame by the frame loop in its
// fixed order. All speeds are per frame; the field lies in the plane y = 0,
// the player's paddle at x = -86, the computer's at x = +86, both moving
// along z between -48 and 104.
#pragma once

#include <string>

#include "audio/audio_driver.h"
#include "engine/ostrel.h"

// The variables of one match; all start at 0.
struct MatchState {
  int tick = 0;          // frames since the last extra small render
  float playerz = 0;     // where the player's paddle is asked to be
  float enemyz = 0;      // where the computer's paddle is asked to be
  float ballvx = 0;      // the ball's step along x
  float ballvz = 0;      // the ball's step along z
  int playerscore = 0;   // points won by the player
  int enemyscore = 0;    // points won by the computer
  int thinktime = 0;     // frames since the computer last chose
  int thinkdelay = 0;    // frames the computer waits before choosing again
  float enemydir = 0;    // +1 or -1 once chosen
  float enemyspeed = 0;  // size of the computer paddle's next step
};

// The scene objects the rules move and read.
struct MatchObjects {
  TEntity* player = nullptr;
  TEntity* enemy = nullptr;
  TEntity* ball = nullptr;
  TEntity* arena = nullptr;
  TSound* doing = nullptr;  // the hit sound
};

// Frame steps, in the order the frame loop runs them.
void PlacePaddles(MatchState& state, const MatchObjects& objects);
void StepBall(const MatchState& state, const MatchObjects& objects);
void HitPaddle(MatchState& state, const MatchObjects& objects);
void Serve(MatchState& state);
void BounceOffSides(MatchState& state, const MatchObjects& objects);
void ScoreGoals(MatchState& state, const MatchObjects& objects);
void SteerEnemyAndArena(MatchState& state, const MatchObjects& objects);
// The score line, "<player>  VS  <enemy>".
std::string ScoreLine(const MatchState& state);
void FollowMouse(MatchState& state, int mouse_y_speed);
