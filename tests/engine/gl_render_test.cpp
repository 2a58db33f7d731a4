// Meshes drawn by RenderWorld on a real 800×600 display, checked in the
// pixels. The camera sits at the origin looking along +z with a 90° horizontal
// field of view, so a point (x, y, z) lands at column 400 + 400·x/z and row
// 300 + 400·y/z (rows counted from the bottom). A cube spanning -1..1 placed at
// z = 5 shows its front face at z = 4: columns 300..500, rows 200..400.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/ostrel.h"
#include "tests/engine/bmp_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

struct Rgb {
  int r, g, b;
};

class RenderGL : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEngine();
    ASSERT_EQ(Graphics3D(800, 600, 0, 2, 60, -1), 1);
    camera = CreateCamera();
    CameraClsColor(camera, 0, 0, 255);
  }
  void TearDown() override {
    ClearWorld();
    AmbientLight(127.5f, 127.5f, 127.5f);
    EndGraphics();
  }

  static Rgb Pixel(int x, int y) {
    unsigned char p[3] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
  }
  // Within one step of rounding on each channel.
  static void ExpectPixel(int x, int y, Rgb want, int tolerance = 1) {
    const Rgb got = Pixel(x, y);
    EXPECT_TRUE(std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
                std::abs(got.b - want.b) <= tolerance)
        << "pixel (" << x << ", " << y << ") is " << got.r << " " << got.g << " " << got.b << ", want "
        << want.r << " " << want.g << " " << want.b;
  }
  static std::vector<unsigned char> Frame() {
    std::vector<unsigned char> pixels(800 * 600 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }
  static TMesh* Cube(float z, float r, float g, float b) {
    TMesh* cube = CreateCube();
    PositionEntity(cube, 0, 0, z);
    EntityColor(cube, r, g, b);
    return cube;
  }

  TCamera* camera = nullptr;
};

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

TEST_F(RenderGL, FullBrightCubeFillsItsScreenRectangleInItsExactColour) {
  EntityFX(Cube(5, 255, 0, 0), 1);
  RenderWorld();
  ExpectPixel(400, 300, kRed, 0);
  ExpectPixel(303, 300, kRed, 0);
  ExpectPixel(497, 300, kRed, 0);
  ExpectPixel(400, 203, kRed, 0);
  ExpectPixel(400, 397, kRed, 0);
  ExpectPixel(297, 300, kBlue, 0);
  ExpectPixel(503, 300, kBlue, 0);
  ExpectPixel(400, 197, kBlue, 0);
  ExpectPixel(400, 403, kBlue, 0);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RenderGL, LitFaceIsAmbientPlusDiffuse) {
  // Ambient 51/255 = 0.2; a directional light of colour 128/255 shining along
  // +z meets the front face (normal -z) head on: 0.2 + 0.502 = 0.702 -> 179.
  AmbientLight(51, 51, 51);
  TMesh* cube = Cube(5, 255, 255, 255);
  TLight* light = CreateLight(1);
  LightColor(light, 128, 128, 128);
  RenderWorld();
  ExpectPixel(400, 300, {179, 179, 179});
  // Turned away (shining along -z) the light adds nothing: ambient alone.
  RotateEntity(light, 0, 180, 0);
  RenderWorld();
  ExpectPixel(400, 300, {51, 51, 51});
  // The colour scales both terms: green 0 leaves green dark.
  RotateEntity(light, 0, 0, 0);
  EntityColor(cube, 255, 0, 255);
  RenderWorld();
  ExpectPixel(400, 300, {179, 0, 179});
}

TEST_F(RenderGL, BlendModesCombineWithTheClearColour) {
  CameraClsColor(camera, 200, 100, 50);
  TMesh* cube = Cube(5, 255, 0, 255);
  EntityFX(cube, 1);
  struct Case {
    int blend;
    float alpha;
    Rgb want;
  };
  const Case cases[] = {
      // alpha: src·a + dst·(1 - a) = (255·0.5 + 200·0.5, 100·0.5, 255·0.5 + 50·0.5)
      {1, 0.5f, {228, 50, 153}},
      // multiply: src·dst = (200, 0, 50)
      {2, 1, {200, 0, 50}},
      // add: src·a + dst, clamped = (255, 100, 255); with a = 0.5: (255, 100, 178)
      {3, 1, {255, 100, 255}},
      {3, 0.5f, {255, 100, 178}},
  };
  for (const Case& c : cases) {
    EntityBlend(cube, c.blend);
    EntityAlpha(cube, c.alpha);
    RenderWorld();
    SCOPED_TRACE(c.blend);
    ExpectPixel(400, 300, c.want);
  }
}

TEST_F(RenderGL, HiddenTransparentOrUnderHiddenParentIsNotDrawn) {
  TMesh* hidden = Cube(5, 255, 0, 0);
  EntityFX(hidden, 1);
  HideEntity(hidden);
  RenderWorld();
  ExpectPixel(400, 300, kBlue, 0);

  ShowEntity(hidden);
  EntityAlpha(hidden, 0);
  RenderWorld();
  ExpectPixel(400, 300, kBlue, 0);

  EntityAlpha(hidden, 1);
  TPivot* parent = CreatePivot();
  EntityParent(hidden, parent);
  HideEntity(parent);
  RenderWorld();
  ExpectPixel(400, 300, kBlue, 0);
  ShowEntity(parent);
  RenderWorld();
  ExpectPixel(400, 300, kRed, 0);
}

TEST_F(RenderGL, FrustumCullingUsesTheBoxCentreAndEffectsOverrideIt) {
  // A bar from x = 2 to 22 at z = 5: its front face starts at column
  // 400 + 400·2/4 = 600. A hand-set cull radius of 1 around the box centre
  // (12, 0, 5) lies wholly outside the right frustum plane (x > z), so the bar
  // is culled although part of it is in view.
  AmbientLight(255, 255, 255);
  TMesh* bar = Cube(5, 255, 0, 0);
  ScaleMesh(bar, 10, 1, 1);
  PositionMesh(bar, 12, 0, 0);
  MeshCullRadius(bar, 1);
  RenderWorld();
  ExpectPixel(700, 300, kBlue, 0);
  EXPECT_EQ(int(camera->EntityInFrustum(bar)), 0);
  // Any effect bit draws it without the test.
  EntityFX(bar, 16);
  RenderWorld();
  ExpectPixel(700, 300, kRed, 0);
  // The sphere's radius grows with the largest global scale: centred 3 units
  // behind the camera, radius 1 stays 4 units behind the near plane (z = 1);
  // scaled by 5 (on y alone) the radius of 5 reaches across it.
  EntityFX(bar, 0);
  PositionMesh(bar, -12, 0, 0);
  PositionEntity(bar, 0, 0, -3);
  RenderWorld();
  EXPECT_EQ(int(camera->EntityInFrustum(bar)), 0);
  ScaleEntity(bar, 1, -5, 1);
  RenderWorld();
  EXPECT_NE(int(camera->EntityInFrustum(bar)), 0);
}

TEST_F(RenderGL, NegativeOrderDrawsOverNearerGeometry) {
  EntityFX(Cube(3, 0, 255, 0), 1);
  TMesh* far = Cube(8, 255, 0, 0);
  EntityFX(far, 1);
  RenderWorld();
  ExpectPixel(400, 300, kGreen, 0);
  EntityOrder(far, -1);
  RenderWorld();
  ExpectPixel(400, 300, kRed, 0);
}

TEST_F(RenderGL, BuffersAndClientArraysDrawTheSamePicture) {
  // 16 segments: 960 triangles, over the 250 that select buffer objects. A
  // sphere of radius 1 at distance 5 has a silhouette radius of
  // 400·tan(asin(1/5)) = 81.6 pixels.
  TMesh* sphere = CreateSphere(16);
  PositionEntity(sphere, 0, 0, 5);
  EntityColor(sphere, 255, 0, 0);
  TLight* light = CreateLight(1);
  RotateEntity(light, 30, 20, 0);
  ASSERT_EQ(TGlobal::vbo_enabled, 1);
  RenderWorld();
  EXPECT_NE(GetSurface(sphere, 1)->vbo_id[0], 0);
  ExpectPixel(400 + 78, 300, {Pixel(400 + 78, 300).r, 0, 0}, 0);
  ExpectPixel(400 + 86, 300, kBlue, 0);
  const std::vector<unsigned char> from_buffers = Frame();

  TGlobal::vbo_enabled = 0;
  RenderWorld();
  TGlobal::vbo_enabled = 1;
  EXPECT_TRUE(Frame() == from_buffers);

  // A cube (12 triangles) is never drawn from buffers, and a surface that
  // shrinks below 250 triangles lets its buffers go.
  TSurface* surface = GetSurface(sphere, 1);
  while (CountTriangles(surface) >= 250) TSurface::RemoveTri(*surface, 0);
  RenderWorld();
  EXPECT_EQ(surface->vbo_id[0], 0);
  TMesh* cube = CreateCube();
  PositionEntity(cube, 0, 0, 20);
  RenderWorld();
  EXPECT_EQ(GetSurface(cube, 1)->vbo_id[0], 0);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RenderGL, ChangedVerticesReachTheBuffers) {
  TMesh* sphere = CreateSphere(16);
  PositionEntity(sphere, 0, 0, 5);
  EntityFX(sphere, 1);
  RenderWorld();
  ExpectPixel(400, 300, kWhite, 0);
  // Paint every vertex green through the vertex colours (fx 2).
  TSurface* surface = GetSurface(sphere, 1);
  for (int v = 0; v < CountVertices(surface); ++v) VertexColor(surface, v, 0, 255, 0);
  EXPECT_NE(surface->reset_vbo, 0);
  EntityFX(sphere, 1 | 2);
  RenderWorld();
  ExpectPixel(400, 300, kGreen, 0);
  EXPECT_EQ(surface->reset_vbo, 0);
}

TEST_F(RenderGL, MaterialCombinesEntityAndSurfaceShine) {
  // The last surface drawn leaves its material behind: specular = shine.
  struct Case {
    float entity, surface, want;
  };
  const Case cases[] = {{0, 0.5f, 0.25f}, {0.4f, 0.5f, 0.2f}, {0.4f, 0, 0.4f}};
  TMesh* cube = Cube(5, 255, 255, 255);
  for (const Case& c : cases) {
    EntityShininess(cube, c.entity);
    GetSurface(cube, 1)->brush->shine = c.surface;
    RenderWorld();
    GLfloat specular[4] = {};
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    EXPECT_NEAR(specular[0], c.want, 1e-6) << c.entity << " " << c.surface;
  }
}

TEST_F(RenderGL, OverlaySpriteSettingsBlendEverySurfaceAdditively) {
  // Entity alpha 0.75 and blend 3: blending on, glBlendFunc(SRC_ALPHA, ONE),
  // depth writes off, material alpha 0.75.
  TMesh* cube = Cube(5, 255, 255, 255);
  EntityAlpha(cube, 0.75f);
  EntityBlend(cube, 3);
  RenderWorld();
  GLint src = 0, dst = 0;
  GLboolean depth_mask = GL_TRUE;
  GLfloat diffuse[4] = {};
  glGetIntegerv(GL_BLEND_SRC, &src);
  glGetIntegerv(GL_BLEND_DST, &dst);
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depth_mask);
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(src, GL_SRC_ALPHA);
  EXPECT_EQ(dst, GL_ONE);
  EXPECT_EQ(depth_mask, GL_FALSE);
  EXPECT_FLOAT_EQ(diffuse[3], 0.75f);
}

TEST_F(RenderGL, FogOffForOneMeshOnlyAndOrderWithoutDepthTest) {
  CameraFogMode(camera, 1);
  CameraFogRange(camera, 1, 10);
  TMesh* unfogged = Cube(5, 255, 255, 255);
  EntityFX(unfogged, 8);
  RenderWorld();
  EXPECT_TRUE(glIsEnabled(GL_FOG));  // on again after the mesh
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EntityOrder(unfogged, 1);
  RenderWorld();
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

class TexturedRenderGL : public RenderGL {
 protected:
  std::string Picture(const std::string& name, const std::function<uint32_t(int, int)>& pixel) {
    const std::string path = dir.File(name);
    const std::vector<unsigned char> bytes = bmp_fixture::MakeBmp(4, 4, 24, pixel);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
  }
  TempDir dir;
};

TEST_F(TexturedRenderGL, TextureColoursAppearAndMaskedBlackLeavesHoles) {
  ClearTextureFilters();
  // Left half black, right half white, as the picture is seen.
  const std::string file =
      Picture("halves.bmp", [](int x, int) { return x < 2 ? 0xFF000000u : 0xFFFFFFFFu; });
  TMesh* cube = Cube(5, 255, 255, 255);
  EntityFX(cube, 1);
  Ref<TTexture> plain = LoadTexture(file, 1);
  ASSERT_TRUE(plain);
  EntityTexture(cube, plain.get());
  RenderWorld();
  // The front face shows the picture the right way round: u = 0 on the left.
  // Columns 340 and 460 (u = 0.2 and 0.8) sample between two texels of the
  // same half; nearer the edges the repeat wrap mixes in the other half.
  ExpectPixel(340, 300, {0, 0, 0}, 0);
  ExpectPixel(460, 300, kWhite, 0);

  Ref<TTexture> masked = LoadTexture(file, 1 | 4);
  ASSERT_TRUE(masked);
  EntityTexture(cube, masked.get());
  RenderWorld();
  ExpectPixel(340, 300, kBlue, 0);  // a hole: the clear colour shows
  ExpectPixel(460, 300, kWhite, 0);
}

TEST_F(TexturedRenderGL, SurfaceTextureUsedUnlessTheEntityBrushHasOne) {
  ClearTextureFilters();
  Ref<TTexture> green = LoadTexture(Picture("green.bmp", [](int, int) { return 0xFF00FF00u; }), 1);
  Ref<TTexture> red = LoadTexture(Picture("red.bmp", [](int, int) { return 0xFFFF0000u; }), 1);
  TMesh* cube = Cube(5, 255, 255, 255);
  EntityFX(cube, 1);
  Ref<TBrush> brush = CreateBrush();
  BrushTexture(brush.get(), green.get());
  PaintSurface(GetSurface(cube, 1), brush.get());
  RenderWorld();
  ExpectPixel(400, 300, kGreen, 0);
  EntityTexture(cube, red.get());
  RenderWorld();
  ExpectPixel(400, 300, kRed, 0);
}

}  // namespace

namespace {

// The texture's level-0 pixels of a 2D texture or one cube face, RGBA.
std::vector<unsigned char> TexturePixels(TTexture& texture, GLenum target, GLenum face) {
  std::vector<unsigned char> pixels(size_t(texture.width) * size_t(texture.height) * 4);
  glBindTexture(target, texture.GLName(0));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(face, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

TEST_F(RenderGL, BackBufferToTexCopiesTheTopLeftCorner) {
  // The top-left 256 × 256 of the display is columns 0..255, rows 344..599.
  // A red full-bright cube straight ahead (columns 300..500) stays outside
  // it, so the copy shows the clear colour; moved up and left it covers it.
  Ref<TTexture> texture = CreateTexture(256, 256, 1);
  TMesh* cube = Cube(5, 255, 0, 0);
  EntityFX(cube, 1);
  RenderWorld();
  BackBufferToTex(texture.get());
  std::vector<unsigned char> pixels = TexturePixels(*texture, GL_TEXTURE_2D, GL_TEXTURE_2D);
  EXPECT_EQ(pixels[0], 0);
  EXPECT_EQ(pixels[2], 255);
  // At x = -3.5, y = 2.5, z = 4 (front face) the cube spans columns
  // 400 + 100·(-4.5 .. -2.5) = -50 .. 150 and rows 300 + 100·(1.5 .. 3.5):
  // 450 .. 650, covering texture texel (64, 64), which is screen column 64,
  // row 599 - 64 = 535.
  PositionEntity(cube, -3.5f, 2.5f, 5);
  RenderWorld();
  BackBufferToTex(texture.get());
  pixels = TexturePixels(*texture, GL_TEXTURE_2D, GL_TEXTURE_2D);
  const size_t at = (size_t(255 - 64) * 256 + 64) * 4;  // texture rows count from the bottom too
  EXPECT_EQ(pixels[at], 255);
  EXPECT_EQ(pixels[at + 2], 0);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RenderGL, BackBufferToTexFillsTheSelectedCubeFace) {
  Ref<TTexture> cube_map = CreateTexture(64, 64, 1 | 128);
  ASSERT_TRUE(cube_map);
  RenderWorld();  // all clear colour: blue
  SetCubeFace(cube_map.get(), 4);
  BackBufferToTex(cube_map.get());
  const std::vector<unsigned char> negative_y =
      TexturePixels(*cube_map, GL_TEXTURE_CUBE_MAP, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y);
  const std::vector<unsigned char> positive_y =
      TexturePixels(*cube_map, GL_TEXTURE_CUBE_MAP, GL_TEXTURE_CUBE_MAP_POSITIVE_Y);
  EXPECT_EQ(negative_y[2], 255);  // face 4 is -Y
  EXPECT_EQ(positive_y[2], 0);    // untouched: created transparent black
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Three meshes side by side at z = 10 (front faces at z = 9, 89 pixels wide),
// drawn in one pass: texturing set up for one must not reach the next.
// Left: two layers (red times white, the white one masked); middle: one layer,
// black left half and green right half, not masked; right: no texture at all,
// alpha 0.4.
TEST_F(TexturedRenderGL, OneMeshTexturingDoesNotReachTheNextInTheSamePass) {
  ClearTextureFilters();
  Ref<TTexture> white_masked = LoadTexture(Picture("white.bmp", [](int, int) { return 0xFFFFFFFFu; }), 1 | 4);
  Ref<TTexture> red = LoadTexture(Picture("red.bmp", [](int, int) { return 0xFFFF0000u; }), 1);
  Ref<TTexture> halves =
      LoadTexture(Picture("halves.bmp", [](int x, int) { return x < 2 ? 0xFF000000u : 0xFF00FF00u; }), 1);
  ScaleTexture(red.get(), 1, 1);
  ASSERT_TRUE(white_masked && red && halves);

  // Every order of creation, as the draw order follows it.
  const int orders[][3] = {{0, 1, 2}, {2, 1, 0}, {1, 0, 2}, {2, 0, 1}};
  for (const auto& order : orders) {
    std::vector<TMesh*> cubes;
    for (int which : order) {
      TMesh* cube = Cube(10, 255, 255, 255);
      cubes.push_back(cube);
      EntityFX(cube, 1);
      if (which == 0) {
        PositionEntity(cube, -4, 0, 10);
        EntityTexture(cube, red.get(), 0, 0);
        EntityTexture(cube, white_masked.get(), 0, 1);
      } else if (which == 1) {
        EntityTexture(cube, halves.get());
      } else {
        PositionEntity(cube, 4, 0, 10);
        EntityColor(cube, 255, 255, 0);
        EntityAlpha(cube, 0.4f);  // under the alpha test's 0.5, were it left on
      }
    }
    RenderWorld();
    SCOPED_TRACE(testing::Message() << "created in order " << order[0] << order[1] << order[2]);
    ExpectPixel(222, 300, kRed, 0);          // 400 + 40·(-4.5)... centre of the left face
    ExpectPixel(373, 300, {0, 0, 0}, 0);     // black half: not a hole, not red
    ExpectPixel(426, 300, kGreen, 0);        // green half: not times red
    ExpectPixel(578, 300, {102, 102, 153});  // untextured: 0.4 yellow over blue
    for (TMesh* cube : cubes) FreeEntity(cube);
  }
}

// After RenderWorld, and after a mesh drawn on its own, GL is as drawing one
// surface leaves it: texturing off on every unit, identity texture matrices,
// unit 0 selected, fog and depth state as the camera set them.
TEST_F(TexturedRenderGL, DrawingLeavesTexturingOffAndTextureMatricesIdentity) {
  ClearTextureFilters();
  Ref<TTexture> red = LoadTexture(Picture("red.bmp", [](int, int) { return 0xFFFF0000u; }), 1);
  ASSERT_TRUE(red);
  ScaleTexture(red.get(), 2, 3);
  TMesh* cube = Cube(5, 255, 255, 255);
  EntityTexture(cube, red.get(), 0, 0);
  EntityTexture(cube, red.get(), 0, 1);
  CameraFogMode(camera, 1);

  const auto expect_clean = [] {
    for (int unit = 0; unit < 2; ++unit) {
      SCOPED_TRACE(testing::Message() << "unit " << unit);
      glActiveTextureARB(GLenum(GL_TEXTURE0_ARB + unit));
      glClientActiveTextureARB(GLenum(GL_TEXTURE0_ARB + unit));
      EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
      EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
      EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
      GLfloat m[16];
      glGetFloatv(GL_TEXTURE_MATRIX, m);
      for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << "element " << i;
    }
    glActiveTextureARB(GL_TEXTURE0_ARB);
    glClientActiveTextureARB(GL_TEXTURE0_ARB);
  };
  RenderWorld();
  GLint unit = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &unit);
  EXPECT_EQ(unit, GL_TEXTURE0_ARB);
  EXPECT_TRUE(glIsEnabled(GL_FOG));
  expect_clean();

  EntityFX(cube, 8);  // no fog for this mesh: fog comes back after it
  cube->Update();
  EXPECT_TRUE(glIsEnabled(GL_FOG));
  expect_clean();
}

}  // namespace
