// The material setters, which write the entity's own brush.
#include <gtest/gtest.h>

#include "core/runtime_error.h"
#include "tests/engine/engine_fixture.h"

namespace {

using Material = EngineTest;

Ref<TTexture> TextureWithFrames(int frames) {
  auto t = MakeRef<TTexture>();
  t->no_frames = frames;
  return t;
}

TEST_F(Material, ANewEntityHasADefaultBrush) {
  TPivot* e = Pivot();
  ASSERT_TRUE(e->brush);
  EXPECT_EQ(e->brush->red, 1);
  EXPECT_EQ(e->brush->alpha, 1);
  EXPECT_EQ(e->brush->no_texs, 0);
  EXPECT_NE(Pivot()->brush.get(), e->brush.get());  // each entity has its own
}

TEST_F(Material, ColourIsDividedBy255AndNotClamped) {
  struct Case {
    float r, g, b;
    float red, green, blue;
  } cases[] = {
      {255, 128, 0, 1, 128 / 255.0f, 0},
      {510, 0, 0, 2, 0, 0},
      {-255, 51, 255, -1, 0.2f, 1},
  };
  TPivot* e = Pivot();
  for (const Case& c : cases) {
    e->EntityColor(c.r, c.g, c.b);
    EXPECT_FLOAT_EQ(e->brush->red, c.red);
    EXPECT_FLOAT_EQ(e->brush->green, c.green);
    EXPECT_FLOAT_EQ(e->brush->blue, c.blue);
  }
}

TEST_F(Material, PlainSettersStoreTheirValue) {
  TPivot* e = Pivot();
  e->EntityAlpha(0.25f);
  e->EntityShininess(0.75f);
  e->EntityBlend(3);
  e->EntityFX(17);
  e->EntityAutoFade(10, 20);
  e->MeshCullRadius(6);
  EXPECT_EQ(e->brush->alpha, 0.25f);
  EXPECT_EQ(e->brush->shine, 0.75f);
  EXPECT_EQ(e->brush->blend, 3);
  EXPECT_EQ(e->brush->fx, 17);
  EXPECT_EQ(e->auto_fade, 1);
  EXPECT_EQ(e->fade_near, 10);
  EXPECT_EQ(e->fade_far, 20);
  EXPECT_EQ(e->cull_radius, -6);
}

TEST_F(Material, TextureFrameIsClampedToTheTexturesFrames) {
  struct Case {
    int frames, frame, index;
    int tex_frame, no_texs;
  } cases[] = {
      {1, 5, 2, 0, 3},   // one frame: frame 0; slot 2 makes three layers
      {3, 5, 2, 2, 3},   // clamped to the last frame
      {3, 1, 0, 1, 1},   // in range
      {4, -2, 7, 0, 8},  // below 0: frame 0; the last slot
  };
  for (const Case& c : cases) {
    TPivot* e = Pivot();
    Ref<TTexture> t = TextureWithFrames(c.frames);
    e->EntityTexture(t, c.frame, c.index);
    EXPECT_EQ(e->brush->tex_frame, c.tex_frame);
    EXPECT_EQ(e->brush->no_texs, c.no_texs);
    EXPECT_EQ(e->brush->tex[c.index].get(), t.get());
  }
}

TEST_F(Material, TextureLayerCountOnlyGrows) {
  TPivot* e = Pivot();
  Ref<TTexture> t = TextureWithFrames(1);
  e->EntityTexture(t, 0, 4);
  e->EntityTexture(t, 0, 1);
  EXPECT_EQ(e->brush->no_texs, 5);
  EXPECT_EQ(t->RefCount(), 3);  // two slots and the test
}

TEST_F(Material, TextureSlotOutsideTheEightIsAnError) {
  TPivot* e = Pivot();
  Ref<TTexture> t = TextureWithFrames(1);
  EXPECT_THROW(e->EntityTexture(t, 0, 8), RuntimeError);
  EXPECT_THROW(e->EntityTexture(t, 0, -1), RuntimeError);
  EXPECT_EQ(e->brush->no_texs, 0);
}

TEST_F(Material, PaintEntityCopiesEverythingButTheFrame) {
  TBrush source;
  source.no_texs = 2;
  source.name = "shiny";
  source.red = 0.1f;
  source.green = 0.2f;
  source.blue = 0.3f;
  source.alpha = 0.4f;
  source.shine = 0.5f;
  source.blend = 3;
  source.fx = 4;
  source.tex_frame = 6;
  source.tex[1] = TextureWithFrames(8);
  TPivot* e = Pivot();
  e->brush->tex_frame = 2;
  e->PaintEntity(source);
  const TBrush& b = *e->brush;
  EXPECT_EQ(b.no_texs, 2);
  EXPECT_EQ(b.name, "shiny");
  EXPECT_EQ(b.red, 0.1f);
  EXPECT_EQ(b.green, 0.2f);
  EXPECT_EQ(b.blue, 0.3f);
  EXPECT_EQ(b.alpha, 0.4f);
  EXPECT_EQ(b.shine, 0.5f);
  EXPECT_EQ(b.blend, 3);
  EXPECT_EQ(b.fx, 4);
  EXPECT_EQ(b.tex_frame, 2);
  EXPECT_EQ(b.tex[1].get(), source.tex[1].get());
  EXPECT_NE(e->brush.get(), &source);
}

}  // namespace
