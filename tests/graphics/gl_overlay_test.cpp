// Overlay drawing on a real context: text cells checked texel by texel against
// the font's own bits, state restored afterwards, textures from pixmaps.
#include "graphics/gl_overlay.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "graphics/gl_graphics.h"
#include "media/resources.h"

namespace {

constexpr int kWidth = 320, kHeight = 240;

class Overlay : public ::testing::Test {
 protected:
  void SetUp() override {
    InitGLGraphics();
    InitGLOverlay();
    ASSERT_TRUE(GLGraphics(kWidth, kHeight, 0, 0, GFX_DEPTH_BITS));
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  void TearDown() override { EndGraphics(); }

  // Pixel (x, y) with y counted from the top, as the overlay's coordinates are.
  std::vector<unsigned char> Pixel(int x, int y) {
    std::vector<unsigned char> rgba(4);
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
  }

  bool FontBit(char c, int row, int column) {
    const unsigned char* font = ResourceData("gldrawtextfont.bin");
    return font[row * 96 + (c - 32)] & (1 << column);
  }
};

TEST_F(Overlay, TextCellsFollowTheFontBitsFromTheirCorner) {
  // A transform and a depth buffer that would hide or move 3D drawing.
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(50, 50, 0);
  glEnable(GL_DEPTH_TEST);
  glClearDepth(0.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor3f(1, 1, 1);
  const std::string text = "abc";
  GLDrawText(text, 10, 20);
  int set_bits = 0;
  for (int i = 0; i < 3; ++i) {
    for (int row = 0; row < 16; ++row) {
      for (int column = 0; column < 8; ++column) {
        const bool bit = FontBit(text[size_t(i)], row, column);
        set_bits += bit;
        const auto p = Pixel(10 + 8 * i + column, 20 + row);
        ASSERT_EQ(p[0], bit ? 255 : 0) << "cell " << i << " row " << row << " column " << column;
      }
    }
  }
  EXPECT_GT(set_bits, 20);
  // Nothing outside the three cells.
  EXPECT_EQ(Pixel(9, 28)[0], 0);
  EXPECT_EQ(Pixel(34, 28)[0], 0);
  EXPECT_EQ(Pixel(20, 19)[0], 0);
  EXPECT_EQ(Pixel(20, 36)[0], 0);
}

TEST_F(Overlay, CharactersWithoutGlyphsLeaveEmptyCells) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  GLDrawText(
      "\tA\xC3\xA9"
      "A",
      0, 0);  // tab, A, e-acute (code 233), A
  for (int cell : {0, 2}) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 8; ++x) ASSERT_EQ(Pixel(cell * 8 + x, y)[0], 0) << "cell " << cell;
  }
  int lit_1 = 0, lit_3 = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) {
      lit_1 += Pixel(8 + x, y)[0] == 255;
      lit_3 += Pixel(24 + x, y)[0] == 255;
    }
  }
  EXPECT_GT(lit_1, 0);
  EXPECT_EQ(lit_1, lit_3);
}

TEST_F(Overlay, CallersStateIsRestored) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(30, 0, 1, 0);
  GLfloat projection[16], modelview[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_ALPHA_TEST);
  glDisable(GL_TEXTURE_2D);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);

  GLDrawText("x", 0, 0);
  GLDrawRect(1, 1, 5, 5);

  GLfloat after[16];
  glGetFloatv(GL_PROJECTION_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], projection[i]);
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], modelview[i]);
  GLint mode = 0, binding = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(GLuint(binding), texture);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Overlay, RectangleCoversItsPixels) {
  glColor3f(0, 1, 0);
  GLDrawRect(100, 50, 20, 10);
  EXPECT_EQ(Pixel(100, 50)[1], 255);
  EXPECT_EQ(Pixel(119, 59)[1], 255);
  EXPECT_EQ(Pixel(120, 55)[1], 0);
  EXPECT_EQ(Pixel(110, 60)[1], 0);
}

TEST_F(Overlay, PixmapLandsWithItsTopLeftAtThePoint) {
  Ref<TPixmap> pixmap = TPixmap::Create(3, 2, 6);
  pixmap->ClearPixels(int(0xFF0000FFu));       // blue
  pixmap->WritePixel(0, 0, int(0xFFFF0000u));  // red top-left
  pixmap->WritePixel(2, 1, int(0xFF00FF00u));  // green bottom-right
  GLDrawPixmap(pixmap, 40, 30);
  EXPECT_EQ(Pixel(40, 30), (std::vector<unsigned char>{255, 0, 0, 255}));
  EXPECT_EQ(Pixel(42, 31), (std::vector<unsigned char>{0, 255, 0, 255}));
  EXPECT_EQ(Pixel(41, 30)[2], 255);
  EXPECT_EQ(Pixel(43, 30)[2], 0);
}

TEST_F(Overlay, TextureFromPixmapIsStretchedToAPowerOfTwo) {
  Ref<TPixmap> pixmap = TPixmap::Create(100, 50, 6);
  pixmap->ClearPixels(int(0xFF336699u));
  const unsigned name = GLTexFromPixmap(pixmap, 1);
  glBindTexture(GL_TEXTURE_2D, name);
  GLint w = 0, h = 0, w6 = 0, h6 = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 7, GL_TEXTURE_WIDTH, &w6);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 7, GL_TEXTURE_HEIGHT, &h6);
  EXPECT_EQ(w, 128);
  EXPECT_EQ(h, 64);
  EXPECT_EQ(w6, 1);  // 128 -> 1 takes seven halvings; 64 stops at 1 a level earlier
  EXPECT_EQ(h6, 1);
  std::vector<unsigned char> texels(128 * 64 * 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels[0], 0x33);
  EXPECT_EQ(texels[(63 * 128 + 127) * 4 + 2], 0x99);
}

TEST(OverlaySizes, RoundUpToPowersOfTwo) {
  InitGLGraphics();
  ASSERT_TRUE(GLGraphics(64, 64, 0, 0, 0));
  struct Case {
    int w, h, want_w, want_h;
  } cases[] = {{100, 50, 128, 64}, {1, 1, 1, 1}, {0, 3, 1, 4}, {256, 256, 256, 256}, {257, 2, 512, 2}};
  for (const Case& c : cases) {
    int w = c.w, h = c.h;
    GLAdjustTexSize(w, h);
    EXPECT_EQ(w, c.want_w);
    EXPECT_EQ(h, c.want_h);
  }
  EndGraphics();
}

}  // namespace
