#include "media/bmp_loader.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "media/endian_stream.h"
#include "media/media_module.h"

namespace {

struct Header {
  int32_t width;
  int32_t height;
  int bits;
  int32_t colours;
};

Header ReadHeader(TStream& s) {
  Header h{};
  s.ReadInt();  // file size
  s.ReadInt();  // reserved
  s.ReadInt();  // pixel data offset
  s.ReadInt();  // info header size
  h.width = s.ReadInt();
  h.height = s.ReadInt();
  s.ReadShort();  // planes
  h.bits = s.ReadShort();
  s.ReadInt();  // compression
  s.ReadInt();  // image size
  s.ReadInt();  // horizontal resolution
  s.ReadInt();  // vertical resolution
  h.colours = s.ReadInt();
  s.ReadInt();  // important colours
  return h;
}

// Bytes in one stored row: the pixels rounded up to whole bytes, then to a
// multiple of 4.
int64_t RowBytes(int64_t width, int bits) { return (width * bits + 31) / 32 * 4; }

}  // namespace

Ref<TPixmap> TPixmapLoaderBMP::LoadPixmap(TStream* stream) {
  Ref<TStream> s = LittleEndianStream(stream);
  unsigned char magic[2];
  s->ReadBytes(magic, 2);
  if (magic[0] != 'B' || magic[1] != 'M') return nullptr;
  const Header h = ReadHeader(*s);
  const int bits = h.bits;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;
  if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) return nullptr;
  const bool top_down = h.height < 0;
  const int width = h.width, height = top_down ? -h.height : h.height;

  // The colour table: two entries for 1 bit; for 4 and 8 bits as many as the
  // header says (0: all), of which at most 16 or 256 are kept.
  int64_t entries = 0;
  if (bits == 1) entries = 2;
  if (bits == 4 || bits == 8) entries = h.colours == 0 ? (1 << bits) : h.colours;
  if (entries < 0) return nullptr;
  const int64_t row_bytes = RowBytes(width, bits);
  // The table and rows must be present; divide rather than multiply, so that
  // absurd sizes cannot overflow.
  const int64_t left = StreamBytesLeft(s);
  const int64_t limit = left >= 0 ? left : kMaxUnsizedPictureBytes;
  if (entries * 4 > limit || row_bytes > (limit - entries * 4) / height) return nullptr;

  Ref<TPixmap> pixmap = CreatePixmap(width, height, bits == 32 ? PF_BGRA8888 : PF_BGR888, 4);
  if (!pixmap) return nullptr;

  // Palette entries as stored (B, G, R, x); entries past the table stay black.
  unsigned char palette[256][4] = {};
  const int kept = int(std::min<int64_t>(entries, bits <= 8 ? (1 << bits) : 0));
  if (kept > 0) s->ReadBytes(palette, kept * 4);
  if (entries > kept) s->SkipBytes(int(entries - kept) * 4);

  // 24- and 32-bit rows have the pixmap's own layout: they are read straight
  // into place (a 24-bit row's padding lands in the pixmap's row padding).
  const bool direct = bits >= 24;
  std::vector<unsigned char> row(direct ? 0 : size_t(row_bytes));
  for (int i = 0; i < height; ++i) {
    const int y = top_down ? i : height - 1 - i;
    unsigned char* out = pixmap->PixelPtr(0, y);
    if (direct) {
      s->ReadBytes(out, int(row_bytes));
      continue;
    }
    s->ReadBytes(row.data(), int(row_bytes));
    for (int x = 0; x < width; ++x) {
      int index;
      if (bits == 1) {
        index = (row[size_t(x) / 8] & (0x80 >> (x % 8))) ? 1 : 0;
      } else if (bits == 4) {
        const unsigned char b = row[size_t(x) / 2];
        index = x % 2 == 0 ? b >> 4 : b & 15;
      } else {
        index = row[size_t(x)];
      }
      std::memcpy(out + 3 * size_t(x), palette[index], 3);
    }
  }
  return pixmap;
}

void InitBMPLoader() {
  static bool done = false;
  if (done) return;
  done = true;
  InitMedia();
  new TPixmapLoaderBMP;
}
