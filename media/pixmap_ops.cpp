#include "media/pixmap_ops.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// The pixmap itself when it is RGBA already, else an RGBA copy.
Ref<TPixmap> AsRgba(const TPixmap* pixmap) {
  if (pixmap->format == PF_STDFORMAT) return const_cast<TPixmap*>(pixmap);
  return pixmap->Convert(PF_STDFORMAT);
}

}  // namespace

Ref<TPixmap> XFlipPixmap(const TPixmap* pixmap) {
  Ref<TPixmap> result = CreatePixmap(pixmap->width, pixmap->height, pixmap->format, 4);
  if (!result) return nullptr;
  const int bpp = PixelBytes(pixmap->format);
  const int w = pixmap->width;
  for (int y = 0; y < pixmap->height; ++y) {
    const unsigned char* src = pixmap->PixelPtr(0, y);
    unsigned char* dst = result->PixelPtr(0, y);
    for (int x = 0; x < w; ++x) std::memcpy(dst + x * bpp, src + (w - 1 - x) * bpp, size_t(bpp));
  }
  return result;
}

Ref<TPixmap> YFlipPixmap(const TPixmap* pixmap) {
  Ref<TPixmap> result = CreatePixmap(pixmap->width, pixmap->height, pixmap->format, 4);
  if (!result) return nullptr;
  const int h = pixmap->height;
  for (int y = 0; y < h; ++y) {
    CopyPixels(pixmap->PixelPtr(0, h - 1 - y), result->PixelPtr(0, y), pixmap->format, pixmap->width);
  }
  return result;
}

Ref<TPixmap> ResizePixmap(const TPixmap* pixmap, int width, int height) {
  if (width <= 0 || height <= 0 || pixmap->width <= 0 || pixmap->height <= 0) return nullptr;
  Ref<TPixmap> src = AsRgba(pixmap);
  if (!src) return nullptr;
  Ref<TPixmap> result = CreatePixmap(width, height, pixmap->format, 4);
  if (!result) return nullptr;
  const float xscale = float(src->width) / float(width);
  const float yscale = float(src->height) / float(height);

  // Per destination column: source column, weight and right-neighbour offset.
  struct Column {
    int offset;  // byte offset of pixel (col, row) within a row
    int next;    // 4, or 0 at the clamped edges
    float fx;
  };
  std::vector<Column> columns(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) {
    const float sx = (float(x) + 0.5f) * xscale - 0.5f;
    int col = int(std::floor(sx));
    float fx = sx - float(col);
    int next = 4;
    if (col < 0) col = 0, fx = 0, next = 0;
    if (col >= src->width - 1) col = src->width - 1, fx = 0, next = 0;
    columns[size_t(x)] = {col * 4, next, fx};
  }
  const bool direct = result->format == PF_STDFORMAT;
  std::vector<unsigned char> rgba(direct ? 0 : size_t(width) * 4);

  for (int y = 0; y < height; ++y) {
    const float sy = (float(y) + 0.5f) * yscale - 0.5f;
    int row = int(std::floor(sy));
    float fy = sy - float(row);
    int below = src->pitch;
    if (row < 0) row = 0, fy = 0, below = 0;
    if (row >= src->height - 1) row = src->height - 1, fy = 0, below = 0;
    const unsigned char* line = src->PixelPtr(0, row);
    unsigned char* out = direct ? result->PixelPtr(0, y) : rgba.data();
    for (int x = 0; x < width; ++x) {
      const Column& c = columns[size_t(x)];
      const unsigned char* a = line + c.offset;
      const unsigned char* b = a + c.next;
      const unsigned char* cc = a + below;
      const unsigned char* d = cc + c.next;
      for (int ch = 0; ch < 4; ++ch) {
        const float top = float(a[ch]) + float(b[ch] - a[ch]) * c.fx;
        const float bottom = float(cc[ch]) + float(d[ch] - cc[ch]) * c.fx;
        out[4 * x + ch] = uint8_t(int(top + (bottom - top) * fy));
      }
    }
    if (!direct) ConvertPixelsFromStdFormat(rgba.data(), result->PixelPtr(0, y), result->format, width);
  }
  return result;
}

Ref<TPixmap> MaskPixmap(const TPixmap* pixmap, int mr, int mg, int mb) {
  Ref<TPixmap> src = AsRgba(pixmap);
  if (!src) return nullptr;
  Ref<TPixmap> result = CreatePixmap(src->width, src->height, PF_STDFORMAT, 4);
  if (!result) return nullptr;
  const int w = src->width, h = src->height;
  auto is_mask = [&](const unsigned char* p) { return p[0] == mr && p[1] == mg && p[2] == mb; };
  for (int y = 0; y < h; ++y) {
    const unsigned char* s = src->PixelPtr(0, y);
    unsigned char* d = result->PixelPtr(0, y);
    for (int x = 0; x < w; ++x, s += 4, d += 4) {
      if (!is_mask(s)) {
        d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
        continue;
      }
      int sum[3] = {0, 0, 0}, n = 0;
      for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, h - 1); ++ny) {
        for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, w - 1); ++nx) {
          const unsigned char* q = src->PixelPtr(nx, ny);
          if (is_mask(q)) continue;
          sum[0] += q[0], sum[1] += q[1], sum[2] += q[2], ++n;
        }
      }
      d[3] = 0;
      for (int ch = 0; ch < 3; ++ch) d[ch] = uint8_t(n ? sum[ch] / n : 0);
    }
  }
  return result;
}
