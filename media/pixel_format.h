// Pixel formats and the converters between them.
//
// Formats are numbered 1 to 12 (0: no format). Format 6, 32-bit RGBA, is the
// standard format: every conversion passes through it, by the rules below
// (divisions are integer divisions of byte sums).
//
//   fmt  bytes  memory order  alpha  to RGBA          from RGBA
//   1    1      v             0      (v, v, v, 255)   (R + G + B) / 3
//   2    1      A             8      (255,255,255,A)  A
//   3    3      B G R         0      (R, G, B, 255)   B, G, R
//   4    3      R G B         0      (R, G, B, 255)   R, G, B
//   5    4      B G R A       8      (R, G, B, A)     B, G, R, A
//   6    4      R G B A       8      copy             copy
//   7    1      R             0      (R, 0, 0, 255)   R
//   8    1      G             0      (0, G, 0, 255)   G
//   9    1      B             0      (0, 0, B, 255)   B
//   10   1      A             8      (0, 0, 0, A)     A
//   11   1      v             0      (v, v, v, v)     (R + G + B + A) / 4
//   12   1      v             0      (v, v, v, 255)   (R + G + B) / 3
//
// A format outside 1 ... 12 converts as nothing. None of the converters
// allocate; conversions between two non-standard formats go through a small
// RGBA buffer on the stack, a piece of the row at a time.
#pragma once

inline constexpr int PF_I8 = 1;
inline constexpr int PF_A8 = 2;
inline constexpr int PF_BGR888 = 3;
inline constexpr int PF_RGB888 = 4;
inline constexpr int PF_BGRA8888 = 5;
inline constexpr int PF_RGBA8888 = 6;
inline constexpr int PF_STDFORMAT = PF_RGBA8888;

// Indexed by format number 0 ... 12.
inline constexpr int BytesPerPixel[13] = {0, 1, 1, 3, 3, 4, 4, 1, 1, 1, 1, 1, 1};
inline constexpr int AlphaBitsPerPixel[13] = {0, 0, 8, 0, 0, 8, 8, 0, 0, 0, 8, 0, 0};

// BytesPerPixel with 0 for a format outside the table.
inline constexpr int PixelBytes(int format) {
  return format >= 0 && format <= 12 ? BytesPerPixel[format] : 0;
}

// count x bytes-per-pixel bytes (the ranges may overlap).
void CopyPixels(const void* src, void* dst, int format, int count);
void ConvertPixels(const void* src, int src_format, void* dst, int dst_format, int count);
void ConvertPixelsToStdFormat(const void* src, void* dst, int format, int count);
void ConvertPixelsFromStdFormat(const void* src, void* dst, int format, int count);
