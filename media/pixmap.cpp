#include "media/pixmap.h"

#include <atomic>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Pictures are made and dropped in a steady rhythm (decode, convert, resize,
// upload, free), and large blocks from malloc come fresh from the system each
// time, so every new picture would pay for faulting in and zeroing its pages.
// One freed large block is kept and handed to the next pixmap that fits it.
// Each block carries its size in a header in front of the pixels.
constexpr size_t kHeader = 16;  // keeps the pixels 16-byte aligned
constexpr size_t kSpareMin = 256 * 1024;
std::atomic<unsigned char*> spare{nullptr};

size_t& BlockSize(unsigned char* block) { return *reinterpret_cast<size_t*>(block); }

unsigned char* AllocatePixels(size_t bytes) {
  if (bytes >= kSpareMin) {
    unsigned char* block = spare.exchange(nullptr);
    if (block && BlockSize(block) >= bytes && BlockSize(block) / 2 <= bytes) return block + kHeader;
    std::free(block);
  }
  auto* block = static_cast<unsigned char*>(std::malloc(bytes + kHeader));
  if (!block) return nullptr;
  BlockSize(block) = bytes;
  return block + kHeader;
}

void FreePixels(unsigned char* pixels) {
  unsigned char* block = pixels - kHeader;
  if (BlockSize(block) >= kSpareMin) block = spare.exchange(block);
  std::free(block);
}

}  // namespace

Ref<TPixmap> TPixmap::Create(int width, int height, int format, int align) {
  if (format < 1 || format > 12 || width < 0 || height < 0) return nullptr;
  if (align < 1) align = 1;
  const int64_t row = int64_t(width) * BytesPerPixel[format];
  const int64_t pitch = (row + align - 1) / align * align;
  const int64_t bytes = pitch * height;
  if (pitch > INT_MAX || bytes > INT_MAX) return nullptr;
  unsigned char* pixels = AllocatePixels(size_t(bytes));
  if (!pixels) return nullptr;
  Ref<TPixmap> p = MakeRef<TPixmap>();
  p->pixels = pixels;
  p->width = width;
  p->height = height;
  p->pitch = int(pitch);
  p->format = format;
  p->capacity = int(bytes);
  return p;
}

Ref<TPixmap> TPixmap::CreateStatic(void* pixels, int width, int height, int pitch, int format) {
  Ref<TPixmap> p = MakeRef<TPixmap>();
  p->pixels = static_cast<unsigned char*>(pixels);
  p->width = width;
  p->height = height;
  p->pitch = pitch;
  p->format = format;
  p->capacity = -1;
  return p;
}

TPixmap::~TPixmap() {
  if (capacity >= 0) FreePixels(pixels);
}

unsigned char* TPixmap::PixelPtr(int x, int y) const {
  return pixels + ptrdiff_t(y) * pitch + ptrdiff_t(x) * PixelBytes(format);
}

Ref<TPixmap> TPixmap::Window(int x, int y, int w, int h) {
  Ref<TPixmap> window = CreateStatic(PixelPtr(x, y), w, h, pitch, format);
  window->_source = this;
  return window;
}

Ref<TPixmap> TPixmap::Copy() const {
  Ref<TPixmap> copy = Create(width, height, format, 4);
  if (!copy) return nullptr;
  for (int y = 0; y < height; ++y) CopyPixels(PixelPtr(0, y), copy->PixelPtr(0, y), format, width);
  return copy;
}

void TPixmap::Paste(const TPixmap* source, int x, int y) {
  for (int r = 0; r < source->height; ++r) {
    ConvertPixels(source->PixelPtr(0, r), source->format, PixelPtr(x, y + r), format, source->width);
  }
}

Ref<TPixmap> TPixmap::Convert(int to) const {
  Ref<TPixmap> result = Create(width, height, to, 4);
  if (!result) return nullptr;
  for (int y = 0; y < height; ++y) ConvertPixels(PixelPtr(0, y), format, result->PixelPtr(0, y), to, width);
  return result;
}

int TPixmap::ReadPixel(int x, int y) const {
  const unsigned char* p = PixelPtr(x, y);
  auto pack = [](uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return int(a << 24 | r << 16 | g << 8 | b);
  };
  switch (format) {
    case 1:
      return pack(255, p[0], p[0], p[0]);
    case 2:
      return pack(p[0], 255, 255, 255);
    case 3:
      return pack(255, p[2], p[1], p[0]);
    case 4:
      return pack(255, p[0], p[1], p[2]);
    case 5:
      return pack(p[3], p[2], p[1], p[0]);
    case 6:
      return pack(p[3], p[0], p[1], p[2]);
    default:
      return 0;
  }
}

void TPixmap::WritePixel(int x, int y, int argb) {
  if (format < 1 || format > 6) return;
  const uint32_t c = uint32_t(argb);
  const uint8_t a = uint8_t(c >> 24), r = uint8_t(c >> 16), g = uint8_t(c >> 8), b = uint8_t(c);
  unsigned char* p = PixelPtr(x, y);
  switch (format) {
    case 1:
      p[0] = uint8_t((r + g + b) / 3);
      break;
    case 2:
      p[0] = a;
      break;
    case 3:
      p[0] = b, p[1] = g, p[2] = r;
      break;
    case 4:
      p[0] = r, p[1] = g, p[2] = b;
      break;
    case 5:
      p[0] = b, p[1] = g, p[2] = r, p[3] = a;
      break;
    case 6:
      p[0] = r, p[1] = g, p[2] = b, p[3] = a;
      break;
  }
}

void TPixmap::ClearPixels(int argb) {
  if (format < 1 || format > 12 || width <= 0 || height <= 0) return;
  const int row = width * BytesPerPixel[format];
  if (argb == 0) {
    if (pitch == row) {
      std::memset(pixels, 0, size_t(row) * size_t(height));
    } else {
      for (int y = 0; y < height; ++y) std::memset(PixelPtr(0, y), 0, size_t(row));
    }
    return;
  }
  if (format > 6) return;
  // Write one pixel, then replicate it along the first row and copy that row.
  WritePixel(0, 0, argb);
  const int bpp = BytesPerPixel[format];
  unsigned char* first = PixelPtr(0, 0);
  for (int x = 1; x < width; ++x) std::memcpy(first + x * bpp, first, size_t(bpp));
  for (int y = 1; y < height; ++y) std::memcpy(PixelPtr(0, y), first, size_t(row));
}

Ref<TPixmap> CreatePixmap(int width, int height, int format, int align) {
  return TPixmap::Create(width, height, format, align);
}
Ref<TPixmap> CreateStaticPixmap(void* pixels, int width, int height, int pitch, int format) {
  return TPixmap::CreateStatic(pixels, width, height, pitch, format);
}
unsigned char* PixmapPixelPtr(TPixmap* pixmap, int x, int y) { return pixmap->PixelPtr(x, y); }
Ref<TPixmap> PixmapWindow(TPixmap* pixmap, int x, int y, int w, int h) { return pixmap->Window(x, y, w, h); }
Ref<TPixmap> CopyPixmap(const TPixmap* pixmap) { return pixmap->Copy(); }
Ref<TPixmap> ConvertPixmap(const TPixmap* pixmap, int format) { return pixmap->Convert(format); }
int PixmapWidth(const TPixmap* pixmap) { return pixmap->width; }
int PixmapHeight(const TPixmap* pixmap) { return pixmap->height; }
int PixmapPitch(const TPixmap* pixmap) { return pixmap->pitch; }
int PixmapFormat(const TPixmap* pixmap) { return pixmap->format; }
int ReadPixel(const TPixmap* pixmap, int x, int y) { return pixmap->ReadPixel(x, y); }
void WritePixel(TPixmap* pixmap, int x, int y, int argb) { pixmap->WritePixel(x, y, argb); }
void ClearPixels(TPixmap* pixmap, int argb) { pixmap->ClearPixels(argb); }
