// The match rules driven frame by frame on real engine entities (no display
// needed), against values worked out by hand.
#include "game/match.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/random.h"

namespace {

// The generator's next double, computed independently with 64-bit arithmetic.
struct ReferenceRandom {
  int64_t s = 4660;
  int64_t Step() { return s = s * 48271 % 2147483647; }
  double Unit() {
    const int64_t a = Step() & 536870908;
    const int64_t b = Step() & 536870904;
    return (double(a) + double(b) / 134217728.0) / 536870912.0;
  }
  double Range(double a, double b) { return b > a ? Unit() * (b - a) + a : Unit() * (a - b) + b; }
};

class Match : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEngine();
    SeedRnd(4660);
    objects.player = CreateCube();
    ScaleEntity(objects.player, 4, 4, 16, 0);
    objects.enemy = CreateCube();
    ScaleEntity(objects.enemy, 4, 4, 16, 0);
    objects.ball = CreateSphere(12);
    ScaleEntity(objects.ball, 3, 3, 3, 0);
    objects.arena = CreateSphere(8);
    Collisions(1, 2, 2, 2);
    EntityType(objects.ball, 1, 0);
    EntityType(objects.player, 2, 0);
    EntityType(objects.enemy, 2, 0);
  }
  void TearDown() override { ClearWorld(1, 1, 1); }

  // One frame of the rules, in the frame loop's order, without drawing.
  void Frame(int mouse_y_speed = 0) {
    PlacePaddles(state, objects);
    StepBall(state, objects);
    HitPaddle(state, objects);
    Serve(state);
    BounceOffSides(state, objects);
    ScoreGoals(state, objects);
    SteerEnemyAndArena(state, objects);
    UpdateWorld(1);
    FollowMouse(state, mouse_y_speed);
  }

  MatchState state;
  MatchObjects objects;
};

TEST_F(Match, FirstFrameServesFromTheReproducibleGeneratorAndTheEnemyWaits) {
  ReferenceRandom reference;
  const float vx = float(reference.Range(-2, 2) * 4);
  const float vz = float(reference.Range(-2, 2));
  Frame();
  EXPECT_EQ(EntityX(objects.ball, 0), 0);  // it moved by the zero steps of frame 1
  EXPECT_EQ(EntityZ(objects.ball, 0), 0);
  EXPECT_EQ(state.ballvx, vx);
  EXPECT_EQ(state.ballvz, vz);
  EXPECT_EQ(state.enemydir, 0);  // 0 > 0 is false: no choice yet
  EXPECT_EQ(state.thinktime, 1);

  Frame();
  EXPECT_FLOAT_EQ(EntityX(objects.ball, 0), vx);
  EXPECT_FLOAT_EQ(EntityZ(objects.ball, 0), vz);
  if (vx > 0) {
    EXPECT_NE(state.enemydir, 0);
    EXPECT_EQ(state.thinktime, 1);
  } else {
    EXPECT_EQ(state.enemydir, 0);
    EXPECT_EQ(state.thinktime, 2);
  }
}

TEST_F(Match, PaddlesAreClampedToTheField) {
  state.playerz = -300;
  state.enemyz = 500;
  PlacePaddles(state, objects);
  EXPECT_EQ(state.playerz, -48);
  EXPECT_EQ(state.enemyz, 104);
  EXPECT_EQ(EntityX(objects.player, 0), -86);
  EXPECT_EQ(EntityZ(objects.player, 0), -48);
  EXPECT_EQ(EntityZ(objects.enemy, 0), 104);
}

TEST_F(Match, ABallMovingIntoAPaddleTurnsRoundFasterAndDeflects) {
  // The player's paddle at x = -86 spans x -90..-82 and z -6..26 around z = 10.
  state.playerz = 10;
  PlacePaddles(state, objects);
  UpdateWorld(1);
  PositionEntity(objects.ball, -78, 0, 14, 0);
  ResetEntity(objects.ball);
  state.ballvx = -4;
  state.ballvz = 0.5f;
  StepBall(state, objects);  // into the paddle's face at x = -82: the unit sphere stops at -81
  UpdateWorld(1);
  ASSERT_EQ(EntityCollided(objects.ball, 2), objects.player);
  const float x_before = EntityX(objects.ball, 0);
  HitPaddle(state, objects);
  EXPECT_FLOAT_EQ(state.ballvx, 4.4f);  // -4 * -1.1
  EXPECT_FLOAT_EQ(EntityX(objects.ball, 0), x_before + 4.4f);
  EXPECT_NEAR(state.ballvz, (EntityZ(objects.ball, 0) - 10) * 0.1f, 1e-5);
}

TEST_F(Match, ABallAlreadyHeadingForTheCentreKeepsItsStep) {
  state.playerz = 10;
  PlacePaddles(state, objects);
  UpdateWorld(1);
  PositionEntity(objects.ball, -78, 0, 10, 0);
  ResetEntity(objects.ball);
  MoveEntity(objects.ball, -4, 0, 0);
  UpdateWorld(1);
  ASSERT_EQ(EntityCollided(objects.ball, 2), objects.player);
  state.ballvx = 3;  // already moving back towards the centre
  HitPaddle(state, objects);
  EXPECT_EQ(state.ballvx, 3);
  // A hit at the paddle's centre line leaves no z step; the serve replaces it.
  EXPECT_NEAR(state.ballvz, 0, 1e-6);
  state.ballvz = 0;
  Serve(state);
  EXPECT_NE(state.ballvz, 0);
  EXPECT_EQ(state.ballvx, 3);
}

TEST_F(Match, SideLinesFlipTheZStep) {
  PositionEntity(objects.ball, 0, 0, -49, 0);
  state.ballvz = -1.5f;
  BounceOffSides(state, objects);
  EXPECT_EQ(state.ballvz, 1.5f);
  PositionEntity(objects.ball, 0, 0, 105, 0);
  BounceOffSides(state, objects);
  EXPECT_EQ(state.ballvz, -1.5f);
  PositionEntity(objects.ball, 0, 0, 50, 0);
  BounceOffSides(state, objects);
  EXPECT_EQ(state.ballvz, -1.5f);
}

TEST_F(Match, AGoalScoresOnceAndReturnsTheBall) {
  struct Case {
    float x;
    int player, enemy;
  } cases[] = {{-91, 0, 1}, {91, 1, 0}, {89, 0, 0}};
  for (const Case& c : cases) {
    state = MatchState();
    PositionEntity(objects.ball, c.x, 0, 7, 0);
    state.ballvx = 5;
    state.ballvz = 1;
    ScoreGoals(state, objects);
    EXPECT_EQ(state.playerscore, c.player) << c.x;
    EXPECT_EQ(state.enemyscore, c.enemy) << c.x;
    if (c.player + c.enemy) {
      EXPECT_EQ(EntityX(objects.ball, 0), 0);
      EXPECT_EQ(state.ballvx, 0);
      EXPECT_EQ(state.ballvz, 0);
    }
  }
}

TEST_F(Match, TheEnemyChoosesOnlyWhenTheBallComesAndSlowsDown) {
  state.thinktime = 5;
  state.thinkdelay = 4;
  state.ballvx = 2;
  state.ballvz = 1;
  PositionEntity(objects.ball, 0, 0, 30, 0);
  PositionEntity(objects.enemy, 86, 0, 10, 0);
  ReferenceRandom reference;
  const double wait = reference.Range(0.6, 0);
  const double speed = reference.Range(2.3, 0);
  SteerEnemyAndArena(state, objects);
  EXPECT_EQ(state.enemydir, 1);  // ball above the paddle
  const float distance = EntityDistance(objects.enemy, objects.ball);
  EXPECT_EQ(state.thinkdelay, int(distance * wait));
  EXPECT_EQ(state.thinktime, 1);
  const float first_speed = float(1 * speed + 3);
  EXPECT_FLOAT_EQ(state.enemyz, first_speed);
  EXPECT_FLOAT_EQ(state.enemyspeed, first_speed * 0.95f);
  // Ball going away: no new choice, the paddle drifts on with a decaying step.
  state.ballvx = -2;
  SteerEnemyAndArena(state, objects);
  EXPECT_EQ(state.thinktime, 2);
  EXPECT_FLOAT_EQ(state.enemyz, first_speed + first_speed * 0.95f);
}

TEST_F(Match, ScoreLineAndMouse) {
  state.playerscore = 3;
  state.enemyscore = 12;
  EXPECT_EQ(ScoreLine(state), "3  VS  12");
  EXPECT_EQ(ScoreLine(MatchState()), "0  VS  0");
  FollowMouse(state, 300);
  EXPECT_EQ(state.playerz, -300);
}

}  // namespace
