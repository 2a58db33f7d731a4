// Builds PNG files in memory for the reader tests, chunk by chunk, so that the
// tests control every field and can break any of them. Rows are given as
// packed samples without filter bytes; each row gets filter 0 (none).
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

using PngBytes = std::vector<uint8_t>;

inline void PutBe(PngBytes& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(uint8_t(v >> (8 * i)));
}

inline void PutChunk(PngBytes& out, const char* type, const PngBytes& data) {
  PutBe(out, uint32_t(data.size()));
  PngBytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBe(out, uint32_t(crc32(0, body.data(), uInt(body.size()))));
}

inline PngBytes Deflate(const PngBytes& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  PngBytes out(size);
  compress2(out.data(), &size, raw.data(), uLong(raw.size()), 9);
  out.resize(size);
  return out;
}

struct PngSpec {
  uint32_t width = 1;
  uint32_t height = 1;
  int depth = 8;
  int colour_type = 2;
  std::vector<PngBytes> rows;  // packed samples
  PngBytes palette;            // PLTE body (R, G, B triples)
  PngBytes trns;               // tRNS body
  // Adam7 instead of rows: `bytes_per_pixel`-byte pixels given as one packed
  // picture (8-bit depths only).
  bool interlaced = false;
  int bytes_per_pixel = 0;
};

inline PngBytes IhdrBody(uint32_t w, uint32_t h, int depth, int colour_type, bool interlaced) {
  PngBytes b;
  PutBe(b, w);
  PutBe(b, h);
  b.push_back(uint8_t(depth));
  b.push_back(uint8_t(colour_type));
  b.push_back(0);
  b.push_back(0);
  b.push_back(interlaced ? 1 : 0);
  return b;
}

// The filtered image data: rows with a leading filter byte 0; for Adam7 the
// seven passes one after the other.
inline PngBytes RawData(const PngSpec& s) {
  PngBytes raw;
  if (!s.interlaced) {
    for (const PngBytes& r : s.rows) {
      raw.push_back(0);
      raw.insert(raw.end(), r.begin(), r.end());
    }
    return raw;
  }
  const int x0[7] = {0, 4, 0, 2, 0, 1, 0}, y0[7] = {0, 0, 4, 0, 2, 0, 1};
  const int dx[7] = {8, 8, 4, 4, 2, 2, 1}, dy[7] = {8, 8, 8, 4, 4, 2, 2};
  const int bpp = s.bytes_per_pixel;
  for (int p = 0; p < 7; ++p) {
    if (x0[p] >= int(s.width)) continue;  // a pass with no columns has no rows
    for (uint32_t y = y0[p]; y < s.height; y += dy[p]) {
      raw.push_back(0);
      for (uint32_t x = x0[p]; x < s.width; x += dx[p]) {
        const uint8_t* px = s.rows[0].data() + (size_t(y) * s.width + x) * bpp;
        raw.insert(raw.end(), px, px + bpp);
      }
    }
  }
  return raw;
}

inline const PngBytes kPngSignature = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};

inline PngBytes MakePng(const PngSpec& s) {
  PngBytes out = kPngSignature;
  PutChunk(out, "IHDR", IhdrBody(s.width, s.height, s.depth, s.colour_type, s.interlaced));
  if (!s.palette.empty()) PutChunk(out, "PLTE", s.palette);
  if (!s.trns.empty()) PutChunk(out, "tRNS", s.trns);
  PutChunk(out, "IDAT", Deflate(RawData(s)));
  PutChunk(out, "IEND", {});
  return out;
}
