// Textures and surface buffers on a real OpenGL context: what GLName uploads
// (read back with glGetTexImage), mipmap levels, re-upload after the context
// generation changes, cube faces, and vertex buffers filled from reset_vbo.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <list>

#include "engine/flat_mesh.h"
#include "engine/flat_texture.h"
#include "engine/flat_world.h"
#include "engine/texture_filter.h"
#include "graphics/graphics.h"
#include "media/bmp_loader.h"
#include "media/resources.h"
#include "tests/engine/bmp_fixture.h"

namespace {

using bmp_fixture::MakeBmp;

class GLTexture : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEngine();
    InitBMPLoader();
    ASSERT_EQ(Graphics3D(320, 240, 0, 2, 60, -1), 1);
  }
  void TearDown() override {
    TGlobal::ClearWorld(1, 1, 1);
    EndGraphics();
  }

  static std::string Resource(const std::string& name, std::vector<unsigned char> bytes) {
    static std::list<std::vector<unsigned char>> kept;
    kept.push_back(std::move(bytes));
    RegisterResource(name, kept.back().data(), int(kept.back().size()));
    return "incbin::" + name;
  }

  // RGBA bytes of a level of the texture bound to target.
  static std::vector<unsigned char> Read(GLenum target, int level, int w, int h) {
    std::vector<unsigned char> out(size_t(w) * size_t(h) * 4, 0xEE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, level, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
  }
  static int LevelWidth(GLenum target, int level) {
    GLint w = 0;
    glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &w);
    return w;
  }
};

// 4 x 2: left half red, right half blue, both rows alike.
std::vector<unsigned char> HalfAndHalf() {
  return MakeBmp(4, 2, 24, [](int x, int) { return x < 2 ? 0xFFFF0000u : 0xFF0000FFu; });
}

TEST_F(GLTexture, UploadsLevelZeroAndTheMipmapChain) {
  // The display's start-up filter makes every loaded file mipmapped (flags 9).
  Ref<TTexture> t = LoadTexture(Resource("halves.bmp", HalfAndHalf()), 0);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->flags, 9);
  EXPECT_EQ(t->CountMipmaps(), 2);  // 4 x 2, 2 x 1, 1 x 1
  const unsigned name = t->GLName(0);
  ASSERT_NE(name, 0u);
  EXPECT_TRUE(glIsTexture(name));
  const std::vector<unsigned char> red = {255, 0, 0, 255}, blue = {0, 0, 255, 255};
  std::vector<unsigned char> level0 = Read(GL_TEXTURE_2D, 0, 4, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      const std::vector<unsigned char> px(level0.begin() + (y * 4 + x) * 4,
                                          level0.begin() + (y * 4 + x) * 4 + 4);
      EXPECT_EQ(px, x < 2 ? red : blue) << x << "," << y;
    }
  }
  // Level 1 averages 2 x 2 blocks of one colour each: red, blue.
  EXPECT_EQ(Read(GL_TEXTURE_2D, 1, 2, 1), (std::vector<unsigned char>{255, 0, 0, 255, 0, 0, 255, 255}));
  EXPECT_EQ(LevelWidth(GL_TEXTURE_2D, 2), 1);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_EQ(t->GLName(0), name);  // made once
  EXPECT_EQ(t->GLName(1), 0u);    // no such frame
}

TEST_F(GLTexture, WithoutTheMipmapFlagOnlyLevelZeroExists) {
  ClearTextureFilters();
  Ref<TTexture> t = LoadTexture(Resource("halves.bmp", HalfAndHalf()), 1);
  t->GLName(0);
  EXPECT_EQ(LevelWidth(GL_TEXTURE_2D, 0), 4);
  EXPECT_EQ(LevelWidth(GL_TEXTURE_2D, 1), 0);
}

TEST_F(GLTexture, ANewContextGenerationUploadsAgain) {
  Ref<TTexture> t = CreateTexture(2, 2, 1, 2);
  const unsigned first = t->GLName(1);
  ASSERT_NE(first, 0u);
  EXPECT_EQ(Read(GL_TEXTURE_2D, 0, 2, 2), std::vector<unsigned char>(16, 0));  // created cleared
  BumpGraphicsSeq();
  const unsigned second = t->GLName(1);
  EXPECT_NE(second, first);
  EXPECT_EQ(t->gl_seq, GraphicsSeq());
  EXPECT_EQ(LevelWidth(GL_TEXTURE_2D, 0), 2);
  FreeTexture(t);
  EXPECT_FALSE(glIsTexture(second));
  EXPECT_EQ(t->GLName(0), 0u);
}

TEST_F(GLTexture, CubeFacesGoToTheirTargets) {
  // Six 2 x 2 faces coloured 1 .. 6 in blue: -X, +Z, +X, -Z, +Y, -Y.
  Ref<TTexture> cube = LoadTexture(
      Resource("cube.bmp", MakeBmp(12, 2, 24, [](int x, int) { return 0xFF000000u | uint32_t(x / 2 + 1); })),
      128);
  ASSERT_TRUE(cube);
  cube->GLName(0);
  const GLenum order[6] = {GL_TEXTURE_CUBE_MAP_NEGATIVE_X, GL_TEXTURE_CUBE_MAP_POSITIVE_Z,
                           GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z,
                           GL_TEXTURE_CUBE_MAP_POSITIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Read(order[i], 0, 2, 2)[2], i + 1) << i;
}

TEST_F(GLTexture, SurfaceBuffersHoldTheFlaggedArrays) {
  if (!GLEW_ARB_vertex_buffer_object) GTEST_SKIP() << "no buffer objects";
  TSurface* s = GetSurface(CreateCube(), 1);
  s->UpdateVBO();
  EXPECT_EQ(s->reset_vbo, 0);
  ASSERT_NE(s->vbo_id[0], 0);
  float coords[72];
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, GLuint(s->vbo_id[0]));
  glGetBufferSubDataARB(GL_ARRAY_BUFFER_ARB, 0, sizeof coords, coords);
  EXPECT_EQ(coords[2], 1.0f);  // vertex 0 at z = -1, stored negated
  uint16_t tris[36];
  glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, GLuint(s->vbo_id[5]));
  glGetBufferSubDataARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0, sizeof tris, tris);
  EXPECT_EQ(tris[0], 2);
  // Only the coordinates are flagged: the next upload sends them alone.
  VertexCoords(s, 0, 5, 6, 7);
  EXPECT_EQ(s->reset_vbo, 1);
  s->UpdateVBO();
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, GLuint(s->vbo_id[0]));
  glGetBufferSubDataARB(GL_ARRAY_BUFFER_ARB, 0, sizeof coords, coords);
  EXPECT_EQ(coords[0], 5.0f);
  EXPECT_EQ(coords[2], -7.0f);
  const GLuint first = GLuint(s->vbo_id[0]);
  s->FreeVBO();
  EXPECT_EQ(s->vbo_id[0], 0);
  EXPECT_FALSE(glIsBufferARB(first));
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
  glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
