#include "media/png_loader.h"

#include <png.h>

#include <climits>
#include <csetjmp>
#include <cstring>
#include <exception>
#include <vector>

#include "media/media_module.h"

namespace {

// Deflate turns at most about 1032 bytes into one; a little slack covers the
// zlib header and small pictures.
constexpr int64_t kMaxDeflateRatio = 1032;
constexpr int64_t kRatioSlack = 64 * 1024;

// The state of one load or save, reached from libpng's callbacks through its
// io pointer. Lives in the caller's frame, which no longjmp crosses.
struct PngIo {
  TStream* stream;
  std::exception_ptr error;
};

// libpng's errors end in a longjmp to the innermost armed setjmp; nothing is
// printed. Warnings are ignored.
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp png, png_bytep data, size_t length) {
  auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
  bool failed = length > size_t(INT_MAX);
  if (!failed) {
    try {
      io->stream->ReadBytes(data, int(length));
    } catch (...) {
      io->error = std::current_exception();
      failed = true;
    }
  }
  // Outside the handler: the jump leaves no C++ object half alive.
  if (failed) png_error(png, "read");
}

void WriteData(png_structp png, png_bytep data, size_t length) {
  auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
  bool failed = length > size_t(INT_MAX);
  if (!failed) {
    try {
      io->stream->WriteBytes(data, int(length));
    } catch (...) {
      io->error = std::current_exception();
      failed = true;
    }
  }
  if (failed) png_error(png, "write");
}

void FlushData(png_structp png) { static_cast<PngIo*>(png_get_io_ptr(png))->stream->Flush(); }

struct Header {
  png_uint_32 width, height;
  int depth, colour_type;
  double raw_bytes;  // the filtered image data before decompression (a bound: no overflow)
};

// Reads the chunks up to the image data and sets the transforms. The functions
// that call libpng hold only trivially destructible locals (longjmp rule).
bool ReadHeader(png_structp png, png_infop info, Header* h) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_sig_bytes(png, 8);
  png_read_info(png, info);
  png_set_interlace_handling(png);
  h->raw_bytes = double(png_get_rowbytes(png, info) + 1) * double(png_get_image_height(png, info));
  png_set_strip_16(png);
  png_set_expand(png);
  png_read_update_info(png, info);
  int interlace, compression, filter;
  png_get_IHDR(png, info, &h->width, &h->height, &h->depth, &h->colour_type, &interlace, &compression,
               &filter);
  return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

bool WriteImage(png_structp png, png_infop info, const Header* h, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, h->width, h->height, 8, h->colour_type, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

// Grey-with-alpha pairs decoded into the left half of each RGBA row become
// g, g, g, a, from the right so that nothing is overwritten before it is read.
void ExpandGreyAlpha(TPixmap* p) {
  for (int y = 0; y < p->height; ++y) {
    unsigned char* row = p->PixelPtr(0, y);
    for (int x = p->width - 1; x >= 0; --x) {
      const unsigned char g = row[2 * x], a = row[2 * x + 1];
      row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = g;
      row[4 * x + 3] = a;
    }
  }
}

Ref<TPixmap> Decode(png_structp png, png_infop info, PngIo* io) {
  Header h{};
  if (!ReadHeader(png, info, &h) || h.depth != 8) return nullptr;
  int format;
  switch (h.colour_type) {
    case PNG_COLOR_TYPE_GRAY:
      format = PF_I8;
      break;
    case PNG_COLOR_TYPE_RGB:
      format = PF_RGB888;
      break;
    case PNG_COLOR_TYPE_RGB_ALPHA:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      format = PF_RGBA8888;
      break;
    default:
      return nullptr;
  }
  if (h.width > INT_MAX || h.height > INT_MAX) return nullptr;
  const int64_t left = StreamBytesLeft(io->stream);
  const int64_t pixel_bytes = int64_t(h.width) * h.height * BytesPerPixel[format];
  if (left >= 0 ? h.raw_bytes > left * kMaxDeflateRatio + kRatioSlack
                : pixel_bytes > kMaxUnsizedPictureBytes) {
    return nullptr;
  }
  Ref<TPixmap> pixmap = CreatePixmap(int(h.width), int(h.height), format, 4);
  if (!pixmap) return nullptr;
  std::vector<png_bytep> rows(h.height);
  for (png_uint_32 y = 0; y < h.height; ++y) rows[y] = pixmap->PixelPtr(0, int(y));
  if (!ReadRows(png, info, rows.data())) return nullptr;
  if (h.colour_type == PNG_COLOR_TYPE_GRAY_ALPHA) ExpandGreyAlpha(pixmap);
  return pixmap;
}

}  // namespace

Ref<TPixmap> LoadPixmapPNG(const StreamLocation& url) {
  Ref<TStream> stream = ReadStream(url);
  if (!stream) return nullptr;
  png_byte signature[8];
  stream->ReadBytes(signature, 8);
  if (png_sig_cmp(signature, 0, 8) != 0) {
    stream->Close();
    return nullptr;
  }
  PngIo io{stream.get(), nullptr};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  Ref<TPixmap> pixmap;
  if (info) {
    png_set_read_fn(png, &io, ReadData);
    pixmap = Decode(png, info, &io);
  }
  png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
  stream->Close();
  if (io.error) std::rethrow_exception(io.error);
  return pixmap;
}

Ref<TPixmap> TPixmapLoaderPNG::LoadPixmap(TStream* stream) { return LoadPixmapPNG(stream); }

int SavePixmapPNG(const TPixmap* pixmap, const StreamLocation& url) {
  if (PixelBytes(pixmap->format) == 0 || pixmap->width <= 0 || pixmap->height <= 0) return 0;
  int colour_type = PNG_COLOR_TYPE_RGB_ALPHA;
  int format = PF_RGBA8888;
  if (pixmap->format == PF_I8) {
    colour_type = PNG_COLOR_TYPE_GRAY, format = PF_I8;
  } else if (AlphaBitsPerPixel[pixmap->format] == 0) {
    colour_type = PNG_COLOR_TYPE_RGB, format = PF_RGB888;
  }
  Ref<TPixmap> source =
      pixmap->format == format ? Ref<TPixmap>(const_cast<TPixmap*>(pixmap)) : pixmap->Convert(format);
  if (!source) return 0;
  Ref<TStream> stream = WriteStream(url);
  if (!stream) return 0;
  PngIo io{stream.get(), nullptr};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = false;
  if (info) {
    png_set_write_fn(png, &io, WriteData, FlushData);
    std::vector<png_bytep> rows(size_t(source->height));
    for (int y = 0; y < source->height; ++y) rows[size_t(y)] = source->PixelPtr(0, y);
    const Header h{png_uint_32(source->width), png_uint_32(source->height), 8, colour_type, 0};
    ok = WriteImage(png, info, &h, rows.data());
  }
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  stream->Close();
  return ok && !io.error ? 1 : 0;
}

void InitPNGLoader() {
  static bool done = false;
  if (done) return;
  done = true;
  InitMedia();
  new TPixmapLoaderPNG;
}
