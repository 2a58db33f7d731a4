// Graphics3D on a real display: the OpenGL state it leaves and the capability
// report it can write.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/flat_overlay.h"
#include "engine/flat_world.h"
#include "graphics/graphics.h"
#include "tests/support/temp_dir.h"

namespace {

class World3D : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEngine();
    ASSERT_EQ(Graphics3D(640, 480, 0, 2, 60, -1), 1);
  }
  void TearDown() override { EndGraphics(); }
};

TEST_F(World3D, Graphics3DOpensAWindowAndSetsTheEngineState) {
  EXPECT_EQ(GraphicsWidth(), 640);
  EXPECT_EQ(GraphicsDepth(), 0);
  EXPECT_EQ(TGlobal::depth, 0);
  EXPECT_EQ(TGlobal::mode, 2);
  for (GLenum cap : {GL_LIGHTING, GL_DEPTH_TEST, GL_FOG, GL_CULL_FACE, GL_SCISSOR_TEST, GL_NORMALIZE,
                     GL_VERTEX_ARRAY, GL_COLOR_ARRAY, GL_NORMAL_ARRAY}) {
    EXPECT_TRUE(glIsEnabled(cap)) << std::hex << cap;
  }
  GLint depth_func = 0, color_control = 0, local_viewer = 0, alpha_func = 0;
  GLfloat alpha_ref = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &depth_func);
  glGetIntegerv(GL_LIGHT_MODEL_COLOR_CONTROL, &color_control);
  glGetIntegerv(GL_LIGHT_MODEL_LOCAL_VIEWER, &local_viewer);
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &alpha_func);
  glGetFloatv(GL_ALPHA_TEST_REF, &alpha_ref);
  EXPECT_EQ(depth_func, GL_LEQUAL);
  EXPECT_EQ(color_control, GL_SEPARATE_SPECULAR_COLOR);
  EXPECT_EQ(local_viewer, 1);
  EXPECT_EQ(alpha_func, GL_GEQUAL);
  EXPECT_FLOAT_EQ(alpha_ref, 0.5f);
  // One level of the attribute stacks holds the 2D layer's state.
  GLint attrib_depth = 0, client_depth = 0;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib_depth);
  glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &client_depth);
  EXPECT_EQ(attrib_depth, 1);
  EXPECT_EQ(client_depth, 1);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(World3D, ProbeReadsTheContext) {
  EXPECT_EQ(THardwareInfo::Renderer, reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  GLint max_lights = 0;
  glGetIntegerv(GL_MAX_LIGHTS, &max_lights);
  EXPECT_EQ(THardwareInfo::MaxLights, max_lights);
  EXPECT_GE(THardwareInfo::MaxTextures, 1);
  EXPECT_EQ(TGlobal::vbo_enabled, THardwareInfo::VBOSupport);
}

TEST_F(World3D, DisplayInfoWritesTheLogLineForLine) {
  TempDir dir;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  HardwareInfo(1);
  std::filesystem::current_path(previous);

  std::ifstream log(dir.File("OstrelLog.txt"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);

  const std::string extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  std::istringstream names(extensions);
  std::vector<std::string> expected_names;
  for (std::string name; names >> name;) expected_names.push_back(name);
  ASSERT_EQ(lines.size(), 13 + expected_names.size());
  EXPECT_EQ(lines[0], "Ostrel Hardwareinfo:");
  EXPECT_EQ(lines[2],
            std::string("Vendor:         ") + reinterpret_cast<const char*>(glGetString(GL_VENDOR)));
  EXPECT_EQ(lines[4],
            std::string("OpenGL-Version: ") + reinterpret_cast<const char*>(glGetString(GL_VERSION)));
  EXPECT_EQ(lines[10], "OpenGL Extensions:");
  for (size_t i = 0; i < expected_names.size(); ++i) EXPECT_EQ(lines[11 + i], expected_names[i]);
  EXPECT_EQ(lines.back(), "- Ready -");
}

TEST_F(World3D, WireframeSwitchesThePolygonMode) {
  GLint modes[2] = {};
  Wireframe(1);
  glGetIntegerv(GL_POLYGON_MODE, modes);
  EXPECT_EQ(modes[0], GL_LINE);
  Wireframe(0);
  glGetIntegerv(GL_POLYGON_MODE, modes);
  EXPECT_EQ(modes[0], GL_FILL);
}

TEST_F(World3D, AnEmptyWorldUpdatesAndRendersWithAndWithoutAntiAliasing) {
  UpdateWorld(1);
  RenderWorld();
  AntiAlias(4);
  RenderWorld();
  EXPECT_EQ(TGlobal::jitter, 0);
  AntiAlias(0);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(World3D, TextDrawsWhiteUnlitTextAndLeavesTheEngineState) {
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor3f(1, 0, 0);
  Text(300, 8, "0  VS  0");
  // The eight cells span x 300..363 and y 8..23; some pixel of the first cell
  // is pure white and nothing right of the last cell is lit.
  std::vector<unsigned char> row(64 * 16 * 4);
  glReadPixels(300, 480 - 24, 64, 16, GL_RGBA, GL_UNSIGNED_BYTE, row.data());
  int white = 0;
  for (size_t i = 0; i < row.size(); i += 4) white += row[i] == 255 && row[i + 1] == 255 && row[i + 2] == 255;
  EXPECT_GT(white, 30);
  unsigned char beyond[4];
  glReadPixels(365, 480 - 16, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, beyond);
  EXPECT_EQ(beyond[0], 0);

  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));  // restored by the overlay
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 1.0f);
  EXPECT_EQ(colour[1], 1.0f);
}

TEST_F(World3D, BeginAndEndDrav2DSwitchBetweenTheTwoStates) {
  BeginDrav2D();  // back to the 2D layer's state, saved when the display opened
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  GLint attrib_depth = -1;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib_depth);
  EXPECT_EQ(attrib_depth, 0);
  EndDrav2D();
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib_depth);
  EXPECT_EQ(attrib_depth, 1);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
