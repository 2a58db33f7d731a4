#include "media/pixel_format.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

bool Valid(int format) { return format >= 1 && format <= 12; }

}  // namespace

void CopyPixels(const void* src, void* dst, int format, int count) {
  if (!Valid(format) || count <= 0) return;
  std::memmove(dst, src, size_t(count) * size_t(BytesPerPixel[format]));
}

void ConvertPixelsToStdFormat(const void* src_bytes, void* dst_bytes, int format, int count) {
  auto* s = static_cast<const uint8_t*>(src_bytes);
  auto* d = static_cast<uint8_t*>(dst_bytes);
  auto put = [&](int i, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    d[4 * i] = r;
    d[4 * i + 1] = g;
    d[4 * i + 2] = b;
    d[4 * i + 3] = a;
  };
  switch (format) {
    case 1:
    case 12:
      for (int i = 0; i < count; ++i) put(i, s[i], s[i], s[i], 255);
      break;
    case 2:
      for (int i = 0; i < count; ++i) put(i, 255, 255, 255, s[i]);
      break;
    case 3:
      for (int i = 0; i < count; ++i) put(i, s[3 * i + 2], s[3 * i + 1], s[3 * i], 255);
      break;
    case 4:
      for (int i = 0; i < count; ++i) put(i, s[3 * i], s[3 * i + 1], s[3 * i + 2], 255);
      break;
    case 5:
      for (int i = 0; i < count; ++i) put(i, s[4 * i + 2], s[4 * i + 1], s[4 * i], s[4 * i + 3]);
      break;
    case 6:
      CopyPixels(s, d, 6, count);
      break;
    case 7:
      for (int i = 0; i < count; ++i) put(i, s[i], 0, 0, 255);
      break;
    case 8:
      for (int i = 0; i < count; ++i) put(i, 0, s[i], 0, 255);
      break;
    case 9:
      for (int i = 0; i < count; ++i) put(i, 0, 0, s[i], 255);
      break;
    case 10:
      for (int i = 0; i < count; ++i) put(i, 0, 0, 0, s[i]);
      break;
    case 11:
      for (int i = 0; i < count; ++i) put(i, s[i], s[i], s[i], s[i]);
      break;
    default:
      break;
  }
}

void ConvertPixelsFromStdFormat(const void* src_bytes, void* dst_bytes, int format, int count) {
  auto* s = static_cast<const uint8_t*>(src_bytes);
  auto* d = static_cast<uint8_t*>(dst_bytes);
  switch (format) {
    case 1:
    case 12:
      for (int i = 0; i < count; ++i) d[i] = uint8_t((s[4 * i] + s[4 * i + 1] + s[4 * i + 2]) / 3);
      break;
    case 2:
    case 10:
      for (int i = 0; i < count; ++i) d[i] = s[4 * i + 3];
      break;
    case 3:
      for (int i = 0; i < count; ++i) {
        d[3 * i] = s[4 * i + 2];
        d[3 * i + 1] = s[4 * i + 1];
        d[3 * i + 2] = s[4 * i];
      }
      break;
    case 4:
      for (int i = 0; i < count; ++i) {
        d[3 * i] = s[4 * i];
        d[3 * i + 1] = s[4 * i + 1];
        d[3 * i + 2] = s[4 * i + 2];
      }
      break;
    case 5:
      for (int i = 0; i < count; ++i) {
        d[4 * i] = s[4 * i + 2];
        d[4 * i + 1] = s[4 * i + 1];
        d[4 * i + 2] = s[4 * i];
        d[4 * i + 3] = s[4 * i + 3];
      }
      break;
    case 6:
      CopyPixels(s, d, 6, count);
      break;
    case 7:
      for (int i = 0; i < count; ++i) d[i] = s[4 * i];
      break;
    case 8:
      for (int i = 0; i < count; ++i) d[i] = s[4 * i + 1];
      break;
    case 9:
      for (int i = 0; i < count; ++i) d[i] = s[4 * i + 2];
      break;
    case 11:
      for (int i = 0; i < count; ++i)
        d[i] = uint8_t((s[4 * i] + s[4 * i + 1] + s[4 * i + 2] + s[4 * i + 3]) / 4);
      break;
    default:
      break;
  }
}

void ConvertPixels(const void* src, int src_format, void* dst, int dst_format, int count) {
  if (!Valid(src_format) || !Valid(dst_format) || count <= 0) return;
  if (src_format == dst_format) return CopyPixels(src, dst, src_format, count);
  if (src_format == PF_STDFORMAT) return ConvertPixelsFromStdFormat(src, dst, dst_format, count);
  if (dst_format == PF_STDFORMAT) return ConvertPixelsToStdFormat(src, dst, src_format, count);
  // Through RGBA, a stack buffer's worth at a time: no allocation per call.
  constexpr int kPiece = 1024;
  uint8_t rgba[kPiece * 4];
  auto* s = static_cast<const uint8_t*>(src);
  auto* d = static_cast<uint8_t*>(dst);
  for (int done = 0; done < count; done += kPiece) {
    const int n = std::min(kPiece, count - done);
    ConvertPixelsToStdFormat(s + size_t(done) * BytesPerPixel[src_format], rgba, src_format, n);
    ConvertPixelsFromStdFormat(rgba, d + size_t(done) * BytesPerPixel[dst_format], dst_format, n);
  }
}
