// Textures, texture filters and brushes without a display: loading through
// "incbin::" resources and real files, the cache, flags from filters, power-of-
// two sizes, alpha and mask conversion, frames, and brush fields.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <list>

#include "core/runtime_error.h"
#include "engine/flat_brush.h"
#include "engine/flat_entity.h"
#include "engine/flat_texture.h"
#include "engine/global.h"
#include "engine/texture_filter.h"
#include "media/bmp_loader.h"
#include "media/resources.h"
#include "tests/engine/bmp_fixture.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using bmp_fixture::MakeBmp;

constexpr uint32_t kRed = 0xFFFF0000, kBlack = 0xFF000000, kNearBlack = 0xFF010000;

class TextureTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    InitBMPLoader();
  }
  void TearDown() override {
    TGlobal::ClearWorld(1, 1, 1);
    ClearTextureFilters();
    EngineTest::TearDown();
  }

  // Registers bytes under "name" for the life of the test process.
  static std::string Resource(const std::string& name, std::vector<unsigned char> bytes) {
    static std::list<std::vector<unsigned char>> kept;
    kept.push_back(std::move(bytes));
    RegisterResource(name, kept.back().data(), int(kept.back().size()));
    return "incbin::" + name;
  }

  static uint32_t Pixel(TPixmap* p, int x, int y) { return uint32_t(p->ReadPixel(x, y)); }
};

TEST_F(TextureTest, SecondLoadWithSameFlagsIsCachedOtherFlagsMakeANewTexture) {
  const std::string wall = Resource("wall.bmp", MakeBmp(4, 4, 24, [](int, int) { return kRed; }));
  Ref<TTexture> a = LoadTexture(wall, 1);
  ASSERT_TRUE(a);
  EXPECT_EQ(LoadTexture(wall, 1).get(), a.get());
  Ref<TTexture> b = LoadTexture(wall, 2);
  ASSERT_TRUE(b);
  EXPECT_NE(b.get(), a.get());
  EXPECT_EQ(TTexture::tex_list->Count(), 2);
  // A changed drawing parameter takes the texture out of the cache's reach.
  ScaleTexture(a, 2, 2);
  EXPECT_NE(LoadTexture(wall, 1).get(), a.get());
  EXPECT_EQ(TTexture::tex_list->Count(), 3);
}

TEST_F(TextureTest, FiltersAddTheirFlagsToMatchingNames) {
  const std::string wall = Resource("wall.bmp", MakeBmp(2, 2, 24, [](int, int) { return kRed; }));
  const std::string ball = Resource("ball.bmp", MakeBmp(2, 2, 24, [](int, int) { return kRed; }));
  EXPECT_EQ(LoadTexture(wall, 0)->flags, 0);
  TextureFilter("", 9);  // what the display's start-up registers
  TextureFilter("wall", 16);
  EXPECT_EQ(LoadTexture(wall, 0)->flags, 1 | 8 | 16);
  EXPECT_EQ(LoadTexture(ball, 0)->flags, 1 | 8);
  ClearTextureFilters();
  EXPECT_EQ(LoadTexture(ball, 2)->flags, 2);
  // Created textures take their flags as given.
  TextureFilter("", 9);
  EXPECT_EQ(CreateTexture(4, 4, 0)->flags, 0);
}

TEST_F(TextureTest, SidesBecomePowersOfTwoAndMipmapsReachOnePixel) {
  const std::string pic = Resource("odd.bmp", MakeBmp(100, 60, 24, [](int, int) { return kRed; }));
  Ref<TTexture> plain = LoadTexture(pic, 1);
  ASSERT_TRUE(plain);
  EXPECT_EQ(TextureWidth(plain), 128);
  EXPECT_EQ(TextureHeight(plain), 64);
  EXPECT_EQ(plain->CountMipmaps(), 0);
  EXPECT_EQ(plain->pixmap->width, 100);  // the source picture is kept as loaded
  // 128 x 64 halves 7 times to 1 x 1: levels 0 to 7.
  Ref<TTexture> mip = LoadTexture(pic, 8);
  EXPECT_EQ(mip->CountMipmaps(), 7);
  // Level sizes are reported as width / (level + 1).
  EXPECT_EQ(mip->MipmapWidth(3), 32);
  EXPECT_EQ(mip->MipmapHeight(1), 32);
  EXPECT_EQ(mip->MipmapWidth(8), 0);
  EXPECT_EQ(mip->MipmapWidth(-1), 0);
  EXPECT_EQ(TTexture::Pow2Size(0), 1);
  EXPECT_EQ(TTexture::Pow2Size(64), 64);
  EXPECT_EQ(TTexture::Pow2Size(65), 128);
}

TEST_F(TextureTest, AlphaAndMaskFlagsConvertThePixels) {
  // Row 0: red, black, (1, 0, 0). 32-bit file: red with alpha 0x40.
  const std::string rgb = Resource("rgb.bmp", MakeBmp(4, 1, 24, [](int x, int) {
                                     return x == 0 ? kRed : x == 1 ? kBlack : kNearBlack;
                                   }));
  const std::string rgba = Resource("rgba.bmp", MakeBmp(4, 1, 32, [](int, int) { return 0x40FF0000u; }));
  // Alpha = (255 + 0 + 0) / 3 = 85 for red, 0 for black, 1 / 3 = 0 for (1, 0, 0).
  Ref<TTexture> alpha = LoadTexture(rgb, 2);
  EXPECT_EQ(Pixel(alpha->pixmap, 0, 0), 0x55FF0000u);
  EXPECT_EQ(Pixel(alpha->pixmap, 2, 0), 0x00010000u);
  EXPECT_EQ(alpha->pixmap->format, PF_RGBA8888);
  EXPECT_EQ(Pixel(LoadTexture(rgba, 2)->pixmap, 0, 0), 0x40FF0000u);
  // Masking: only pure black turns transparent.
  Ref<TTexture> masked = LoadTexture(rgb, 4);
  EXPECT_EQ(Pixel(masked->pixmap, 1, 0) >> 24, 0u);
  EXPECT_EQ(Pixel(masked->pixmap, 2, 0), 0xFF010000u);
  // Both: masking runs last, so non-black pixels end opaque.
  Ref<TTexture> both = LoadTexture(rgb, 6);
  EXPECT_EQ(Pixel(both->pixmap, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(Pixel(both->pixmap, 1, 0) >> 24, 0u);
}

TEST_F(TextureTest, MissingOrUndecodableFilesGiveNullAndStayOutOfTheList) {
  const std::string junk = Resource("junk.bmp", std::vector<unsigned char>(100, 0x5A));
  const std::string truncated = Resource("cut.bmp", [] {
    std::vector<unsigned char> b = MakeBmp(16, 16, 24, [](int, int) { return kRed; });
    b.resize(80);
    return b;
  }());
  EXPECT_FALSE(LoadTexture("incbin::absent.bmp"));
  EXPECT_FALSE(LoadTexture("no/such/dir/absent.bmp"));
  EXPECT_FALSE(LoadTexture(junk));
  EXPECT_FALSE(LoadTexture(truncated));
  EXPECT_FALSE(LoadTexture(""));
  EXPECT_EQ(TTexture::tex_list->Count(), 0);
}

TEST_F(TextureTest, DirectoriesThatDoNotExistAreDroppedFromTheName) {
  TempDir dir;
  std::filesystem::current_path(dir.path());
  const std::vector<unsigned char> bytes = MakeBmp(2, 2, 24, [](int, int) { return kRed; });
  std::ofstream(dir.File("pic.bmp"), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  Ref<TTexture> t = LoadTexture("C:\\games\\art\\pic.bmp");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->file, "pic.bmp");
  EXPECT_EQ(TextureName(t), std::filesystem::current_path().string() + "/pic.bmp");
  EXPECT_EQ(TTexture::FileAbs("incbin::a\\b.bmp"), "incbin::a/b.bmp");
}

// A 32 x 16 picture of 8 x 8 frames, 4 per row: frame n is filled with 0xFF0000nn.
std::vector<unsigned char> FrameSheet() {
  return MakeBmp(32, 16, 24, [](int x, int y) { return 0xFF000000u | uint32_t(y / 8 * 4 + x / 8); });
}

TEST_F(TextureTest, FramesAreCutLeftToRightThenTopToBottom) {
  const std::string sheet = Resource("sheet.bmp", FrameSheet());
  Ref<TTexture> t = LoadAnimTexture(sheet, 1, 8, 8, 5, 3);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->no_frames, 3);
  EXPECT_EQ(t->gltex.size(), 3u);
  EXPECT_EQ(TextureWidth(t), 8);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(Pixel(t->frame_pixmaps[size_t(i)], 3, 3), 0xFF000000u | (5u + i)) << i;
  // Past the last frame the grid starts again at frame 0.
  Ref<TTexture> wrap = LoadAnimTexture(sheet, 2, 8, 8, 7, 2);
  EXPECT_EQ(Pixel(wrap->frame_pixmaps[0], 0, 0) & 0xFF, 7u);
  EXPECT_EQ(Pixel(wrap->frame_pixmaps[1], 0, 0) & 0xFF, 0u);
}

TEST_F(TextureTest, FrameGridsThatCannotBeCutGiveNull) {
  const std::string sheet = Resource("sheet.bmp", FrameSheet());
  struct Case {
    int w, h, first, count;
  } cases[] = {{8, 0, 0, 1}, {0, 8, 0, 1},  {64, 8, 0, 1}, {8, 32, 0, 1},
               {8, 8, 0, 0}, {8, 8, -1, 1}, {-8, 8, 0, 1}};
  for (const Case& c : cases) {
    EXPECT_FALSE(LoadAnimTexture(sheet, 1, c.w, c.h, c.first, c.count))
        << c.w << "x" << c.h << " " << c.first;
  }
  EXPECT_EQ(TTexture::tex_list->Count(), 0);
}

TEST_F(TextureTest, CreateTextureMakesClearedFramesAndRefusesEmptySizes) {
  Ref<TTexture> t = CreateTexture(100, 60, 1, 3);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->pixmap->width, 300);
  EXPECT_EQ(TextureWidth(t), 128);
  EXPECT_EQ(TextureHeight(t), 64);
  EXPECT_EQ(t->no_frames, 3);
  EXPECT_EQ(Pixel(t->pixmap, 299, 59), 0u);
  EXPECT_EQ(TTexture::tex_list->Count(), 1);
  EXPECT_FALSE(CreateTexture(0, 4));
  EXPECT_FALSE(CreateTexture(4, -1));
  EXPECT_FALSE(CreateTexture(4, 4, 1, 0));
  EXPECT_FALSE(CreateTexture(1 << 20, 1 << 20));
}

TEST_F(TextureTest, DrawingParametersAreStoredAsTheTextureMatrixNeedsThem) {
  Ref<TTexture> t = CreateTexture(4, 4);
  ScaleTexture(t, 2, 4);
  PositionTexture(t, 0.1f, 0);
  RotateTexture(t, 30);
  TextureBlend(t, 3);
  TextureCoords(t, 1);
  EXPECT_FLOAT_EQ(t->u_scale, 0.5f);
  EXPECT_FLOAT_EQ(t->v_scale, 0.25f);
  EXPECT_FLOAT_EQ(t->u_pos, -0.1f);
  EXPECT_EQ(t->v_pos, 0.0f);
  EXPECT_EQ(t->angle, 30.0f);
  EXPECT_EQ(t->blend, 3);
  EXPECT_EQ(t->coords, 1);
  EXPECT_THROW(ScaleTexture(nullptr, 1, 1), RuntimeError);
}

TEST_F(TextureTest, FreeTextureAndClearWorldEmptyTheList) {
  Ref<TTexture> kept = CreateTexture(4, 4);
  CreateTexture(8, 8);
  FreeTexture(kept);
  EXPECT_EQ(TTexture::tex_list->Count(), 1);
  EXPECT_TRUE(kept->gltex.empty());
  EXPECT_FALSE(kept->pixmap);
  EXPECT_TRUE(kept->cube_pixmap.empty());
  TGlobal::ClearWorld(0, 0, 1);
  EXPECT_EQ(TTexture::tex_list->Count(), 0);
}

TEST_F(TextureTest, CubeMapFacesAreCutFromSixSquaresSideBySide) {
  const std::string strip =
      Resource("cube.bmp", MakeBmp(24, 4, 24, [](int x, int) { return 0xFF000000u | uint32_t(x / 4 + 1); }));
  Ref<TTexture> cube = LoadTexture(strip, 128);
  ASSERT_TRUE(cube);
  EXPECT_EQ(cube->no_frames, 1);
  EXPECT_EQ(TextureWidth(cube), 4);
  ASSERT_EQ(cube->frame_pixmaps.size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Pixel(cube->frame_pixmaps[size_t(i)], 1, 1) & 0xFF, uint32_t(i + 1));
  Ref<TTexture> made = CreateTexture(8, 8, 128);
  EXPECT_EQ(made->pixmap->width, 48);
  EXPECT_EQ(TTexture::tex_list->Count(), 2);
}

TEST_F(TextureTest, BrushFieldsAndTextureSlots) {
  Ref<TBrush> b = CreateBrush(255, 51, 0);
  EXPECT_FLOAT_EQ(b->red, 1.0f);
  EXPECT_FLOAT_EQ(b->green, 0.2f);
  EXPECT_EQ(b->blue, 0.0f);
  EXPECT_EQ(b->alpha, 1.0f);
  Ref<TTexture> three = CreateTexture(4, 4, 1, 3);
  BrushTexture(b, three, 5, 2);
  EXPECT_EQ(GetBrushTexture(b, 2), three.get());
  EXPECT_EQ(b->no_texs, 3);
  EXPECT_EQ(b->tex_frame, 2);
  EXPECT_EQ(GetBrushTexture(b, 0), nullptr);
  EXPECT_EQ(GetBrushTexture(b, 9), nullptr);
  EXPECT_THROW(BrushTexture(b, three, 0, 8), RuntimeError);
  BrushAlpha(b, 0.5f);
  BrushShininess(b, 0.3f);
  BrushBlend(b, 3);
  BrushFX(b, 16);
  EXPECT_EQ(b->alpha, 0.5f);
  EXPECT_EQ(b->shine, 0.3f);
  EXPECT_EQ(b->blend, 3);
  EXPECT_EQ(b->fx, 16);
}

TEST_F(TextureTest, CompareBrushesLooksAtWhatDrawingUses) {
  Ref<TBrush> a = CreateBrush(10, 20, 30);
  BrushTexture(a, CreateTexture(4, 4));
  Ref<TBrush> copy = a->Copy();
  EXPECT_EQ(CompareBrushes(a, copy), 1);
  copy->name = "other";
  copy->tex_frame = 1;
  EXPECT_EQ(CompareBrushes(a, copy), 1);
  BrushColor(copy, 10, 20, 31);
  EXPECT_EQ(CompareBrushes(a, copy), 0);
  Ref<TBrush> other_tex = a->Copy();
  BrushTexture(other_tex, CreateTexture(4, 4));
  EXPECT_EQ(CompareBrushes(a, other_tex), 0);
  EXPECT_EQ(CompareBrushes(nullptr, nullptr), 1);
  EXPECT_EQ(CompareBrushes(a, nullptr), 0);
}

TEST_F(TextureTest, LoadBrushAndEntityBrushes) {
  const std::string wall = Resource("wall.bmp", MakeBmp(2, 2, 24, [](int, int) { return kRed; }));
  Ref<TBrush> loaded = LoadBrush(wall, 1);
  ASSERT_TRUE(GetBrushTexture(loaded, 0));
  EXPECT_EQ(GetBrushTexture(loaded, 0)->file, wall);
  Ref<TBrush> missing = LoadBrush("incbin::absent.bmp");
  EXPECT_EQ(GetBrushTexture(missing, 0), nullptr);
  EXPECT_EQ(missing->no_texs, 1);

  TPivot* p = Pivot();
  Ref<TTexture> frames = CreateTexture(4, 4, 1, 2);
  EntityTexture(p, frames, 7, 1);
  Ref<TBrush> got = GetEntityBrush(p);
  EXPECT_NE(got.get(), p->brush.get());
  EXPECT_EQ(GetBrushTexture(got, 1), frames.get());
  EXPECT_EQ(got->tex_frame, 1);
  PaintEntity(p, loaded);
  EXPECT_EQ(GetBrushTexture(p->brush, 0), GetBrushTexture(loaded, 0));
  EXPECT_EQ(p->brush->tex_frame, 1);  // not taken from the painting brush
}

}  // namespace
