#include "graphics/gl_overlay.h"

#include <GL/gl.h>

#include "assets/builtin_fonts.h"
#include "core/runtime_error.h"
#include "core/text.h"
#include "media/pixmap_ops.h"
#include "media/resources.h"

namespace {

constexpr int kFormatRGBA = 6;
constexpr int kGlyphs = 96;
constexpr int kFontBytes = 16 * kGlyphs;

GLuint FontTexture = 0;
GLdouble saved_modelview[16];
GLdouble saved_projection[16];

int NextPowerOfTwo(int n) {
  int p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

Ref<TPixmap> AsRGBA(const TPixmap* pixmap) {
  if (pixmap->format == kFormatRGBA) return Ref<TPixmap>(const_cast<TPixmap*>(pixmap));
  return pixmap->Convert(kFormatRGBA);
}

// The font texture: 1024x16 texels, glyph n in columns n*8 .. n*8+7, white
// where its bit is set and transparent black elsewhere.
GLuint MakeFontTexture() {
  const unsigned char* font = ResourceData("gldrawtextfont.bin");
  if (!font || ResourceLength("gldrawtextfont.bin") < kFontBytes) return 0;
  Ref<TPixmap> pixmap = TPixmap::Create(1024, 16, kFormatRGBA);
  pixmap->ClearPixels(0);
  for (int r = 0; r < 16; ++r) {
    for (int n = 0; n < kGlyphs; ++n) {
      const unsigned char bits = font[r * kGlyphs + n];
      for (int b = 0; b < 8; ++b) {
        if (bits & (1 << b)) pixmap->WritePixel(n * 8 + b, r, int(0xFFFFFFFFu));
      }
    }
  }
  return GLTexFromPixmap(pixmap, 1);
}

}  // namespace

void InitGLOverlay() {
  const EmbeddedFile font = GLDrawTextFontFile();
  RegisterResource(font.name, font.data, int(font.size));
}

void PushOrtho2D() {
  glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetDoublev(GL_MODELVIEW_MATRIX, saved_modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, saved_projection);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, viewport[2], viewport[3], 0, -1, 1);
  glDisable(GL_CULL_FACE);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_DEPTH_TEST);
}

void PopOrtho2D() {
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixd(saved_projection);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixd(saved_modelview);
  glPopAttrib();
}

void GLAdjustTexSize(int& width, int& height) {
  width = NextPowerOfTwo(width);
  height = NextPowerOfTwo(height);
  for (;;) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    GLint accepted = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &accepted);
    if (accepted != 0) return;
    if (width == 1 && height == 1) throw RuntimeError("Unable to calculate tex size");
    if (width > 1) width /= 2;
    if (height > 1) height /= 2;
  }
}

unsigned GLTexFromPixmap(const TPixmap* source, int mipmap) {
  Ref<TPixmap> pixmap = AsRGBA(source);
  int w = pixmap->width, h = pixmap->height;
  GLAdjustTexSize(w, h);
  if (w != pixmap->width || h != pixmap->height) pixmap = ResizePixmap(pixmap, w, h);

  GLint saved_binding = 0, saved_row_length = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved_binding);
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &saved_row_length);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  for (int level = 0;; ++level) {
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pixmap->pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixmap->pixels);
    if (!mipmap || (w == 1 && h == 1)) break;
    if (w > 1) w /= 2;
    if (h > 1) h /= 2;
    pixmap = ResizePixmap(pixmap, w, h);
  }
  glBindTexture(GL_TEXTURE_2D, GLuint(saved_binding));
  glPixelStorei(GL_UNPACK_ROW_LENGTH, saved_row_length);
  return name;
}

void GLDrawText(const std::string& text, int x, int y) {
  if (FontTexture == 0) FontTexture = MakeFontTexture();
  PushOrtho2D();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, FontTexture);
  glBegin(GL_QUADS);
  for (char32_t c : Utf8ToCodepoints(text)) {
    const int n = int(c) - 32;
    if (n >= 0 && n < kGlyphs) {
      const float u = float(n) / 128.0f, u1 = float(n + 1) / 128.0f;
      glTexCoord2f(u, 0);
      glVertex2i(x, y);
      glTexCoord2f(u1, 0);
      glVertex2i(x + 8, y);
      glTexCoord2f(u1, 1);
      glVertex2i(x + 8, y + 16);
      glTexCoord2f(u, 1);
      glVertex2i(x, y + 16);
    }
    // A character beyond the first plane is two code units wide in UTF-16.
    x += c > 0xFFFF ? 16 : 8;
  }
  glEnd();
  PopOrtho2D();
}

void GLDrawRect(int x, int y, int width, int height) {
  PushOrtho2D();
  glBegin(GL_QUADS);
  glVertex2i(x, y);
  glVertex2i(x + width, y);
  glVertex2i(x + width, y + height);
  glVertex2i(x, y + height);
  glEnd();
  PopOrtho2D();
}

void GLDrawPixmap(const TPixmap* pixmap, int x, int y) {
  PushOrtho2D();
  Ref<TPixmap> flipped = YFlipPixmap(pixmap);
  if (flipped->format != kFormatRGBA) flipped = flipped->Convert(kFormatRGBA);
  glRasterPos2i(0, 0);
  glBitmap(0, 0, 0, 0, float(x), float(-y - flipped->height), nullptr);
  // Rows are read at the pixmap's own pitch, so padding at row ends is skipped.
  GLint saved_row_length = 0;
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &saved_row_length);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, flipped->pitch / 4);
  glDrawPixels(flipped->width, flipped->height, GL_RGBA, GL_UNSIGNED_BYTE, flipped->pixels);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, saved_row_length);
  PopOrtho2D();
}
