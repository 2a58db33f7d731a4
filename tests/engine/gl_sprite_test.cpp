// Sprites drawn by RenderWorld on a real 800×600 display. With the camera's
// 90° horizontal field of view, a 2 × 2 square 5 units straight ahead covers
// columns 320..480 and rows 220..380 (400 ± 400·1/5, 300 ± 80).
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/runtime_error.h"
#include "engine/ostrel.h"

namespace {

struct Rgb {
  int r, g, b;
};

class SpriteGL : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEngine();
    ASSERT_EQ(Graphics3D(800, 600, 0, 2, 60, -1), 1);
    camera = CreateCamera();
    CameraClsColor(camera, 0, 0, 255);
  }
  void TearDown() override {
    ClearWorld();
    EndGraphics();
  }
  static Rgb Pixel(int x, int y) {
    unsigned char p[3] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
  }
  static bool Is(int x, int y, Rgb want) {
    const Rgb got = Pixel(x, y);
    return got.r == want.r && got.g == want.g && got.b == want.b;
  }
  // Places a red sprite 5 units ahead of the camera, in its view direction.
  TSprite* SpriteAhead(TEntity* parent = nullptr) {
    TSprite* sprite = CreateSprite(parent);
    EntityColor(sprite, 255, 0, 0);
    TFormPoint(0, 0, 5, camera, nullptr);
    PositionEntity(sprite, TFormedX(), TFormedY(), TFormedZ(), 1);
    return sprite;
  }
  // The red square's extent along the middle row and column, checked at its
  // edges: inside by 3 pixels red, outside by 3 pixels the clear colour.
  void ExpectSquare(int left, int right, int bottom, int top) {
    const Rgb red{255, 0, 0}, blue{0, 0, 255};
    const int cx = (left + right) / 2, cy = (bottom + top) / 2;
    EXPECT_TRUE(Is(left + 3, cy, red) && Is(right - 3, cy, red)) << left << " " << right;
    EXPECT_TRUE(Is(cx, bottom + 3, red) && Is(cx, top - 3, red)) << bottom << " " << top;
    EXPECT_TRUE(Is(left - 3, cy, blue) && Is(right + 3, cy, blue)) << left << " " << right;
    EXPECT_TRUE(Is(cx, bottom - 3, blue) && Is(cx, top + 3, blue)) << bottom << " " << top;
  }

  TCamera* camera = nullptr;
};

TEST_F(SpriteGL, NewSpriteIsOneFullBrightSquare) {
  TSprite* sprite = CreateSprite();
  EXPECT_EQ(CountSurfaces(sprite), 1);
  EXPECT_EQ(CountVertices(GetSurface(sprite, 1)), 4);
  EXPECT_EQ(CountTriangles(GetSurface(sprite, 1)), 2);
  EXPECT_EQ(EntityClass(sprite), "Sprite");
  EXPECT_EQ(sprite->brush->fx, 1);
}

TEST_F(SpriteGL, FacesTheCameraWhateverItsYaw) {
  for (float yaw : {0.0f, 30.0f, 90.0f, 200.0f}) {
    SCOPED_TRACE(yaw);
    RotateEntity(camera, 0, yaw, 0);
    TSprite* sprite = SpriteAhead();
    RenderWorld();
    ExpectSquare(320, 480, 220, 380);
    FreeEntity(sprite);
  }
}

TEST_F(SpriteGL, ScaleHandleAndRollMoveTheSquare) {
  TSprite* sprite = SpriteAhead();
  // Scale 2 × 1: a 4 × 2 square, columns 400 ± 160.
  ScaleSprite(sprite, 2, 1);
  RenderWorld();
  ExpectSquare(240, 560, 220, 380);
  // Handle (1, 0): the right edge passes through the position, at any scale.
  HandleSprite(sprite, 1, 0);
  RenderWorld();
  ExpectSquare(80, 400, 220, 380);
  // Roll 90 turns the 4 × 2 square (handle back at 0) into 2 × 4.
  HandleSprite(sprite, 0, 0);
  RotateSprite(sprite, 90);
  RenderWorld();
  ExpectSquare(320, 480, 140, 460);
}

TEST_F(SpriteGL, ViewMode2KeepsItsOwnOrientation) {
  // Turned 60° about y, its own way, the square is seen foreshortened to
  // x = ±cos 60° = ±0.5 at depth 5 ∓ sin 60°: columns 400 - 400·0.5/5.866 =
  // 366 and 400 + 400·0.5/4.134 = 448 (or mirrored, by the turn's sense).
  TSprite* sprite = SpriteAhead();
  RotateEntity(sprite, 0, 60, 0);
  RenderWorld();
  ExpectSquare(320, 480, 220, 380);  // still facing the camera
  // The render gave mat the camera's orientation; turning the sprite again
  // recomputes it.
  SpriteViewMode(sprite, 2);
  EntityFX(sprite, 1 | 16);  // seen from either side
  RenderWorld();
  ExpectSquare(320, 480, 220, 380);
  RotateEntity(sprite, 0, 60, 0);
  RenderWorld();
  EXPECT_TRUE(Is(400, 300, {255, 0, 0}));
  EXPECT_TRUE(Is(330, 300, {0, 0, 255}));
  EXPECT_TRUE(Is(470, 300, {0, 0, 255}));
}

TEST_F(SpriteGL, NegativeOrderSpriteDrawsOverANearerMesh) {
  TMesh* cube = CreateCube();
  PositionEntity(cube, 0, 0, 3);
  EntityColor(cube, 0, 255, 0);
  EntityFX(cube, 1);
  TSprite* sprite = SpriteAhead();
  PositionEntity(sprite, 0, 0, 10);
  RenderWorld();
  EXPECT_TRUE(Is(400, 300, {0, 255, 0}));
  EntityOrder(sprite, -1);
  RenderWorld();
  EXPECT_TRUE(Is(400, 300, {255, 0, 0}));
}

TEST_F(SpriteGL, CopySharesTheSquare) {
  TSprite* sprite = SpriteAhead();
  ScaleSprite(sprite, 2, 2);
  TSprite* copy = static_cast<TSprite*>(CopyEntity(sprite));
  EXPECT_EQ(EntityClass(copy), "Sprite");
  EXPECT_EQ(copy->scale_x, 2);
  EXPECT_EQ(copy->surf_list, sprite->surf_list);
  HideEntity(sprite);
  TSurface* surface = GetSurface(copy, 1);
  for (int v = 0; v < 4; ++v) VertexColor(surface, v, 0, 255, 0);
  EntityFX(copy, 1 | 2);
  RenderWorld();
  EXPECT_TRUE(Is(400 + 150, 300, {0, 255, 0}));  // 4 wide: columns 400 ± 160
  EXPECT_EQ(GetSurface(sprite, 1), surface);
}

TEST_F(SpriteGL, LoadSpriteBlendsAdditivelyUnlessAlphaOrMasked) {
  EXPECT_EQ(LoadSprite("no-such-file.png", 1)->brush->blend, 3);
  EXPECT_EQ(LoadSprite("no-such-file.png", 2)->brush->blend, 0);
  EXPECT_EQ(LoadSprite("no-such-file.png", 4)->brush->blend, 0);
  EXPECT_THROW(RotateSprite(nullptr, 1), RuntimeError);
}

}  // namespace
