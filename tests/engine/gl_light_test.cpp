// Lights on a real display: the GL light state each render leaves, read back
// with glGetLightfv (positions and directions come back in eye space), and
// the eight GL light slots as lights are created, copied and freed.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>

#include "core/runtime_error.h"
#include "engine/ostrel.h"

namespace {

using Vec4 = std::array<float, 4>;

class LightGL : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEngine();
    ASSERT_EQ(Graphics3D(800, 600, 0, 2, 60, -1), 1);
    camera_ = CreateCamera();
  }
  void TearDown() override {
    ClearWorld();
    EXPECT_EQ(TLight::no_lights, 0);
    EndGraphics();
  }

  static Vec4 Get(int slot, GLenum what) {
    Vec4 v{-9, -9, -9, -9};
    glGetLightfv(GL_LIGHT0 + slot, what, v.data());
    return v;
  }
  static float Get1(int slot, GLenum what) { return Get(slot, what)[0]; }
  static void ExpectVec(const Vec4& got, const Vec4& want, int n = 4) {
    for (int i = 0; i < n; ++i) EXPECT_NEAR(got[i], want[i], 1e-5) << "component " << i;
  }
  static bool On(int slot) { return glIsEnabled(GL_LIGHT0 + slot); }

  TCamera* camera_ = nullptr;
};

TEST_F(LightGL, PointLightFollowsItsParentInEyeSpace) {
  PositionEntity(camera_, 0, 0, -10);
  TPivot* ball = CreatePivot();
  TLight* light = CreateLight(2, ball);
  ASSERT_NE(light, nullptr);
  EXPECT_EQ(EntityClass(light), "Light");
  LightRange(light, 20);
  PositionEntity(ball, 1, 2, 3);
  RenderWorld();
  EXPECT_TRUE(On(0));
  // User (1, 2, 3) seen from (0, 0, -10): eye (1, 2, -13), a point (w = 1).
  ExpectVec(Get(0, GL_POSITION), {1, 2, -13, 1});
  // Attenuation 1 / (0.05 d) = 20 / d.
  EXPECT_FLOAT_EQ(Get1(0, GL_LINEAR_ATTENUATION), 0.05f);
  EXPECT_EQ(Get1(0, GL_CONSTANT_ATTENUATION), 0);
  EXPECT_EQ(Get1(0, GL_QUADRATIC_ATTENUATION), 0);
  EXPECT_EQ(Get1(0, GL_SPOT_CUTOFF), 180);  // not a spot
  MoveEntity(ball, 0, 0, 4);
  RenderWorld();
  ExpectVec(Get(0, GL_POSITION), {1, 2, -17, 1});
}

TEST_F(LightGL, DirectionalLightShinesAlongItsForwardAxis) {
  struct Case {
    float pitch, yaw;
    Vec4 position;  // GL's direction toward the light, eye space, w = 0
  };
  // Unturned it shines along user +z (eye -z), so GL points back along +z;
  // pitched 90 it shines straight down; turned by yaw 90 it shines along
  // user -x.
  const Case cases[] = {{0, 0, {0, 0, 1, 0}}, {90, 0, {0, 1, 0, 0}}, {0, 90, {1, 0, 0, 0}}};
  for (int type : {1, 0}) {
    TLight* light = CreateLight(type);
    ASSERT_NE(light, nullptr);
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "type " << type << " pitch " << c.pitch << " yaw " << c.yaw);
      RotateEntity(light, c.pitch, c.yaw, 0);
      PositionEntity(light, 5, 6, 7);  // a direction has no position
      RenderWorld();
      ExpectVec(Get(0, GL_POSITION), c.position);
    }
    FreeEntity(light);
  }
}

TEST_F(LightGL, SpotLightConeDirectionAndColour) {
  TLight* spot = CreateLight(3);
  ASSERT_NE(spot, nullptr);
  LightConeAngles(spot, 10, 60);
  LightColor(spot, 255, 51, 0);
  RotateEntity(spot, 0, 90, 0);
  RenderWorld();
  EXPECT_FLOAT_EQ(spot->inner_ang, 5);
  EXPECT_FLOAT_EQ(Get1(0, GL_SPOT_CUTOFF), 30);
  EXPECT_FLOAT_EQ(Get1(0, GL_SPOT_EXPONENT), 10);
  ExpectVec(Get(0, GL_SPOT_DIRECTION), {-1, 0, 0}, 3);  // forward, turned left
  ExpectVec(Get(0, GL_DIFFUSE), {1, 0.2f, 0, 1});
  ExpectVec(Get(0, GL_SPECULAR), {1, 1, 1, 1});
  EXPECT_FLOAT_EQ(Get1(0, GL_LINEAR_ATTENUATION), 0.001f);  // range 1000
}

TEST_F(LightGL, EightLightsAtMostAndFreeingGivesASlotBack) {
  std::vector<TLight*> lights;
  for (int i = 0; i < 8; ++i) lights.push_back(CreateLight(2));
  for (TLight* light : lights) ASSERT_NE(light, nullptr);
  const int entities = TEntity::entity_list->Count();
  EXPECT_EQ(CreateLight(2), nullptr);
  EXPECT_EQ(CreateLight(1, camera_), nullptr);
  EXPECT_EQ(TEntity::entity_list->Count(), entities);
  EXPECT_EQ(TLight::light_list->Count(), 8);
  EXPECT_EQ(CountChildren(camera_), 0);
  EXPECT_EQ(TLight::no_lights, 8);
  FreeEntity(lights[2]);
  EXPECT_FALSE(On(7));
  TLight* again = CreateLight(3);
  ASSERT_NE(again, nullptr);
  RenderWorld();
  for (int slot = 0; slot < 8; ++slot) EXPECT_TRUE(On(slot)) << slot;
  EXPECT_FLOAT_EQ(Get1(7, GL_SPOT_CUTOFF), 45);  // the new spot is last in the list
  // A larger limit cannot reach beyond the eight GL lights.
  TLight::max_lights = 20;
  EXPECT_EQ(CreateLight(2), nullptr);
  TLight::max_lights = 8;
}

TEST_F(LightGL, ALowerLimitStopsCreationSooner) {
  TLight::max_lights = 2;
  EXPECT_NE(CreateLight(2), nullptr);
  EXPECT_NE(CreateLight(2), nullptr);
  EXPECT_EQ(CreateLight(2), nullptr);
  TLight::max_lights = 8;
  EXPECT_EQ(TLight::light_list->Count(), 2);
}

TEST_F(LightGL, FreeingALightMovesTheLaterOnesDownASlot) {
  const float greens[4] = {0, 51, 102, 153};
  TLight* lights[4];
  for (int i = 0; i < 4; ++i) {
    lights[i] = CreateLight(i == 1 ? 3 : 2);
    LightColor(lights[i], 255, greens[i], 0);
  }
  LightConeAngles(lights[1], 0, 20);
  RenderWorld();
  for (int slot = 0; slot < 4; ++slot) EXPECT_FLOAT_EQ(Get(slot, GL_DIFFUSE)[1], greens[slot] / 255);
  EXPECT_FLOAT_EQ(Get1(1, GL_SPOT_CUTOFF), 10);
  FreeEntity(lights[1]);
  EXPECT_FALSE(On(3));  // the highest slot goes at once
  RenderWorld();
  EXPECT_FLOAT_EQ(Get(1, GL_DIFFUSE)[1], 102 / 255.0f);
  EXPECT_FLOAT_EQ(Get(2, GL_DIFFUSE)[1], 153 / 255.0f);
  EXPECT_FALSE(On(3));
  // The point light now in the former spot's slot is no spot.
  EXPECT_EQ(Get1(1, GL_SPOT_CUTOFF), 180);
  EXPECT_EQ(Get1(1, GL_SPOT_EXPONENT), 0);
  EXPECT_EQ(Get1(1, GL_CONSTANT_ATTENUATION), 0);
  // A light created after the free takes the next slot in list order.
  TLight* fifth = CreateLight(2);
  LightColor(fifth, 0, 255, 0);
  RenderWorld();
  EXPECT_FLOAT_EQ(Get(3, GL_DIFFUSE)[1], 1);
  EXPECT_FLOAT_EQ(Get(0, GL_DIFFUSE)[1], 0);
}

TEST_F(LightGL, HiddenLightsAndLightsUnderHiddenParentsAreOff) {
  TPivot* ball = CreatePivot();
  TLight* first = CreateLight(2, ball);
  TLight* second = CreateLight(2);
  RenderWorld();
  EXPECT_TRUE(On(0));
  EXPECT_TRUE(On(1));
  HideEntity(ball);
  HideEntity(second);
  RenderWorld();
  EXPECT_FALSE(On(0));
  EXPECT_FALSE(On(1));
  ShowEntity(ball);
  RenderWorld();
  EXPECT_TRUE(On(0));
  EXPECT_FALSE(On(1));
  EXPECT_EQ(first->Hidden(), 0);
}

TEST_F(LightGL, FreeingTheParentReleasesTheLightsSlot) {
  TPivot* ball = CreatePivot();
  CreateLight(2, ball);
  CreateLight(2);
  FreeEntity(ball);
  EXPECT_EQ(TLight::no_lights, 1);
  EXPECT_EQ(TLight::light_list->Count(), 1);
  EXPECT_FALSE(On(1));
}

TEST_F(LightGL, CopiedLightsClaimASlotWhileOneIsFree) {
  TLight* source = CreateLight(3);
  LightRange(source, 40);
  LightColor(source, 0, 0, 255);
  LightConeAngles(source, 20, 80);
  auto* copy = dynamic_cast<TLight*>(CopyEntity(source));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(TLight::no_lights, 2);
  EXPECT_EQ(TLight::light_list->Last(), copy);
  RenderWorld();
  EXPECT_TRUE(On(1));
  ExpectVec(Get(1, GL_DIFFUSE), {0, 0, 1, 1});
  EXPECT_FLOAT_EQ(Get1(1, GL_LINEAR_ATTENUATION), 0.025f);
  EXPECT_FLOAT_EQ(Get1(1, GL_SPOT_CUTOFF), 40);
  EXPECT_FLOAT_EQ(copy->inner_ang, 10);

  // With every slot taken a copy gives none; a copied subtree goes without
  // its light.
  TPivot* ball = CreatePivot();
  CreateLight(2, ball);
  for (int i = 0; i < 5; ++i) CreateLight(2);
  EXPECT_EQ(TLight::no_lights, 8);
  const int entities = TEntity::entity_list->Count();
  EXPECT_EQ(CopyEntity(source), nullptr);
  TEntity* ball_copy = CopyEntity(ball);
  EXPECT_EQ(CountChildren(ball_copy), 0);
  EXPECT_EQ(TEntity::entity_list->Count(), entities + 1);
  EXPECT_EQ(TLight::light_list->Count(), 8);
}

TEST_F(LightGL, FlatFunctionsRejectWrongHandles) {
  auto expect_error = [](auto&& call, const std::string& text) {
    try {
      call();
      ADD_FAILURE() << "no error for " << text;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(std::string(e.what()), text);
    }
  };
  expect_error([] { LightRange(nullptr, 20); }, "LightRange: null light");
  expect_error([&] { LightColor(reinterpret_cast<TLight*>(camera_), 1, 2, 3); },
               "LightColor: freed or invalid light");
  TLight* freed = CreateLight(2);
  FreeEntity(freed);
  expect_error([&] { LightConeAngles(freed, 1, 2); }, "LightConeAngles: freed or invalid light");
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
