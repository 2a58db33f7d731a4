// World-level rules that need no display: the graphics request Graphics3D
// makes, anti-aliasing tables and the collision-rule table.
#include <gtest/gtest.h>

#include "engine/flat_entity.h"
#include "engine/global.h"
#include "engine/hardware_info.h"
#include "platform/gl_context.h"

namespace {

TEST(Graphics3D, TranslatesItsArgumentsIntoAGraphicsRequest) {
  struct Case {
    int depth, mode, flags;
    int want_depth, want_flags;
  } cases[] = {
      {32, 1, -1, 32, 42},  // the game's call: full screen, back + depth + accumulation buffers
      {16, 2, -1, 0, 42},   // mode 2: a window
      {0, 0, 2, 16, 2},     // depth 0 in mode 0: full screen at 16 bits
      {0, 1, 8, 16, 8},    {24, 7, 4, 0, 4},  // unknown modes ask for a window too
  };
  for (const Case& c : cases) {
    const TGraphicsRequest r = TGlobal::GraphicsRequest(640, 480, c.depth, c.mode, 60, c.flags);
    EXPECT_EQ(r.width, 640);
    EXPECT_EQ(r.height, 480);
    EXPECT_EQ(r.hertz, 60);
    EXPECT_EQ(r.depth, c.want_depth) << "depth " << c.depth << " mode " << c.mode;
    EXPECT_EQ(r.flags, c.want_flags);
  }
  EXPECT_EQ(GFX_DOUBLE_BUFFER | GFX_DEPTH_BITS | GFX_ACCUM_BITS, 42);
}

TEST(AntiAlias, SupportedCountsFillTheJitterTable) {
  struct Case {
    int samples, passes;
    float first_x, first_y, last_x, last_y;
  } cases[] = {
      {1, 2, 0.25f, 0.75f, 0.75f, 0.25f},
      {2, 2, 0.25f, 0.75f, 0.75f, 0.25f},
      {3, 3, 0.503392279f, 0.831796706f, 0.226182893f, 0.413155347f},
      {4, 4, 3 / 8.f, 1 / 4.f, 5 / 8.f, 3 / 4.f},
      {5, 5, 0.5f, 0.5f, 0.1f, 0.7f},
      {6, 6, 46 / 99.f, 46 / 99.f, 20 / 99.f, 20 / 99.f},
      {8, 8, 9 / 16.f, 7 / 16.f, 3 / 16.f, 5 / 16.f},
      {9, 9, 1 / 2.f, 1 / 2.f, 5 / 6.f, 1 / 18.f},
      {12, 12, 5 / 12.f, 5 / 8.f, 7 / 12.f, 7 / 8.f},
      {16, 16, 3 / 8.f, 7 / 16.f, 5 / 8.f, 13 / 16.f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.samples);
    TGlobal::AntiAlias(c.samples);
    EXPECT_EQ(TGlobal::aa, 1);
    ASSERT_EQ(TGlobal::ACSIZE, c.passes);
    EXPECT_EQ(TGlobal::j[0][0], c.first_x);
    EXPECT_EQ(TGlobal::j[0][1], c.first_y);
    EXPECT_EQ(TGlobal::j[c.passes - 1][0], c.last_x);
    EXPECT_EQ(TGlobal::j[c.passes - 1][1], c.last_y);
  }
}

TEST(AntiAlias, UnsupportedCountsTurnItOffAndZeroKeepsTheTable) {
  TGlobal::AntiAlias(4);
  TGlobal::AntiAlias(0);
  EXPECT_EQ(TGlobal::aa, 0);
  EXPECT_EQ(TGlobal::ACSIZE, 4);  // untouched by 0
  EXPECT_EQ(TGlobal::j[3][0], 5 / 8.f);
  for (int samples : {7, 10, 17, -1}) {
    TGlobal::AntiAlias(4);
    TGlobal::AntiAlias(samples);
    EXPECT_EQ(TGlobal::aa, 0) << samples;
    EXPECT_EQ(TGlobal::ACSIZE, 0) << samples;
  }
}

TEST(Collisions, ASecondRuleForThePairOverwritesTheFirst) {
  TGlobal::ClearCollisions();
  TGlobal::Collisions(1, 2, 2, 2);
  TGlobal::Collisions(1, 2, 3, 1);
  TGlobal::Collisions(2, 1, 1, 1);
  ASSERT_EQ(TCollisionPair::list.size(), 2u);
  EXPECT_EQ(TCollisionPair::list[0]->src_type, 1);
  EXPECT_EQ(TCollisionPair::list[0]->des_type, 2);
  EXPECT_EQ(TCollisionPair::list[0]->col_method, 3);
  EXPECT_EQ(TCollisionPair::list[0]->response, 1);
  EXPECT_EQ(TCollisionPair::list[1]->src_type, 2);
  TGlobal::ClearWorld(1, 0, 0);
  EXPECT_TRUE(TCollisionPair::list.empty());
}

TEST(ClearWorld, FreesEveryEntityWithItsChildren) {
  InitEngine();
  TPivot* root = CreatePivot();
  CreatePivot(CreatePivot(root));
  CreatePivot();
  ASSERT_EQ(TEntity::entity_list->Count(), 4);
  TGlobal::ClearWorld(1, 1, 1);
  EXPECT_EQ(TEntity::entity_list->Count(), 0);
}

TEST(AmbientLight, IsStoredOnAUnitScale) {
  TGlobal::AmbientLight(255, 127.5f, 0);
  EXPECT_FLOAT_EQ(TGlobal::ambient_red, 1.0f);
  EXPECT_FLOAT_EQ(TGlobal::ambient_green, 0.5f);
  EXPECT_FLOAT_EQ(TGlobal::ambient_blue, 0.0f);
}

TEST(HardwareInfo, FlagsComeFromSubstringsOfTheExtensionString) {
  THardwareInfo::ParseExtensions(
      "GL_ARB_vertex_buffer_object GL_ARB_texture_env_combine GL_ARB_shader_objects GL_ARB_vertex_shader ");
  EXPECT_EQ(THardwareInfo::VBOSupport, 1);
  EXPECT_EQ(THardwareInfo::TexBlendSupport, 1);  // the ARB name stands in for the EXT one
  EXPECT_EQ(THardwareInfo::MultiTexSupport, 0);
  EXPECT_EQ(THardwareInfo::VSSupport, 1);
  EXPECT_EQ(THardwareInfo::ShaderSupport, 0);  // no fragment shader
}

TEST(HardwareInfo, ReportListsOneExtensionPerLineAndDropsATrailingFragment) {
  THardwareInfo::Vendor = "V";
  THardwareInfo::Renderer = "R";
  THardwareInfo::OGLVersion = "1.5";
  THardwareInfo::Extensions = "GL_A GL_B GL_partial";
  THardwareInfo::MaxTextures = 8;
  THardwareInfo::MaxTexSize = 4096;
  THardwareInfo::MaxLights = 8;
  const std::vector<std::string> expected = {"Ostrel Hardwareinfo:",
                                             "",
                                             "Vendor:         V",
                                             "Renderer:       R",
                                             "OpenGL-Version: 1.5",
                                             "",
                                             "Max Texture Units: 8",
                                             "Max Texture Size:  4096",
                                             "Max Lights:        8",
                                             "",
                                             "OpenGL Extensions:",
                                             "GL_A",
                                             "GL_B",
                                             "",
                                             "- Ready -"};
  EXPECT_EQ(THardwareInfo::ReportLines(), expected);
}

}  // namespace
