#include "media/pixmap_ops.h"

#include <cmath>
#include <cstring>
#include <utility>
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

  // The horizontal blends of a source row (the "top" and "bottom" values) are
  // the same for every destination row that samples it, so each is computed
  // once into one of two float rows and reused.
  std::vector<float> blended(size_t(width) * 8);
  float* upper = blended.data();
  float* lower = upper + size_t(width) * 4;
  int upper_row = -1, lower_row = -1;
  auto blend = [&](int row, float* dst) {
    const unsigned char* line = src->PixelPtr(0, row);
    for (int x = 0; x < width; ++x) {
      const Column& c = columns[size_t(x)];
      const unsigned char* a = line + c.offset;
      const unsigned char* b = a + c.next;
      for (int ch = 0; ch < 4; ++ch) dst[4 * x + ch] = float(a[ch]) + float(b[ch] - a[ch]) * c.fx;
    }
  };

  for (int y = 0; y < height; ++y) {
    const float sy = (float(y) + 0.5f) * yscale - 0.5f;
    int row = int(std::floor(sy));
    float fy = sy - float(row);
    int next = row + 1;
    if (row < 0) row = next = 0, fy = 0;
    if (row >= src->height - 1) row = next = src->height - 1, fy = 0;
    if (upper_row != row) {
      if (lower_row == row) {
        std::swap(upper, lower);
        std::swap(upper_row, lower_row);
      } else {
        blend(row, upper);
        upper_row = row;
      }
    }
    const float* top = upper;
    const float* bottom = upper;  // the clamped edge rows blend with themselves
    if (next != row) {
      if (lower_row != next) {
        blend(next, lower);
        lower_row = next;
      }
      bottom = lower;
    }
    unsigned char* out = direct ? result->PixelPtr(0, y) : rgba.data();
    for (int i = 0; i < width * 4; ++i) out[i] = uint8_t(int(top[i] + (bottom[i] - top[i]) * fy));
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
