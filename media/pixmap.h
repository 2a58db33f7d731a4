// Pixmaps: pictures in main memory.
//
// `pixels` points at row 0, the top row; pixel (x, y) is at
// pixels + y * pitch + x * BytesPerPixel[format]. A pixmap owns its memory
// (capacity = pitch * height bytes) unless it is static or a window
// (capacity -1); a window keeps the pixmap it looks into alive through
// `_source`. Coordinates are not checked: PixelPtr, Paste, ReadPixel and
// WritePixel trust the caller to stay inside.
//
// Packed colours are 0xAARRGGBB; ReadPixel, WritePixel and ClearPixels know
// formats 1 to 6.
#pragma once

#include "core/object.h"
#include "media/pixel_format.h"

class TPixmap : public Object {
 public:
  unsigned char* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;
  int format = 0;
  // Only Create makes owned memory (capacity >= 0): it frees it its own way.
  int capacity = -1;
  Ref<Object> _source;

  // Rows of width * bytes-per-pixel rounded up to a multiple of `align`;
  // contents undefined. Null for a format outside 1 ... 12, a negative size, or
  // a size whose byte count does not fit in an int.
  static Ref<TPixmap> Create(int width, int height, int format, int align = 4);
  // A pixmap over memory it does not own.
  static Ref<TPixmap> CreateStatic(void* pixels, int width, int height, int pitch, int format);

  TPixmap() = default;
  TPixmap(const TPixmap&) = delete;
  TPixmap& operator=(const TPixmap&) = delete;
  ~TPixmap() override;

  virtual unsigned char* PixelPtr(int x, int y) const;
  // A w x h view of this pixmap from (x, y), sharing its memory.
  virtual Ref<TPixmap> Window(int x, int y, int w, int h);
  // A new pixmap with the same pixels (rows aligned to 4).
  virtual Ref<TPixmap> Copy() const;
  // Converts each row of `source` into this pixmap from (x, y + row).
  virtual void Paste(const TPixmap* source, int x, int y);
  // A new pixmap in `format` (rows aligned to 4).
  virtual Ref<TPixmap> Convert(int format) const;
  // 0 for formats 7 ... 12.
  virtual int ReadPixel(int x, int y) const;
  // Formats 7 ... 12 are left unchanged.
  virtual void WritePixel(int x, int y, int argb);
  // Every pixel to `argb`; 0 on packed rows is one memory clear. Formats 7 ...
  // 12 are cleared only by 0.
  virtual void ClearPixels(int argb);
};

Ref<TPixmap> CreatePixmap(int width, int height, int format, int align = 4);
Ref<TPixmap> CreateStaticPixmap(void* pixels, int width, int height, int pitch, int format);
unsigned char* PixmapPixelPtr(TPixmap* pixmap, int x, int y);
Ref<TPixmap> PixmapWindow(TPixmap* pixmap, int x, int y, int w, int h);
Ref<TPixmap> CopyPixmap(const TPixmap* pixmap);
Ref<TPixmap> ConvertPixmap(const TPixmap* pixmap, int format);
int PixmapWidth(const TPixmap* pixmap);
int PixmapHeight(const TPixmap* pixmap);
int PixmapPitch(const TPixmap* pixmap);
int PixmapFormat(const TPixmap* pixmap);
int ReadPixel(const TPixmap* pixmap, int x, int y);
void WritePixel(TPixmap* pixmap, int x, int y, int argb);
void ClearPixels(TPixmap* pixmap, int argb);
