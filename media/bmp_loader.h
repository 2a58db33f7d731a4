// The reader of uncompressed Windows bitmaps: 1, 4 and 8 bits per pixel with a
// colour table, 24-bit BGR and 32-bit BGRA. The result is format 3 (BGR), or
// format 5 (BGRA) for 32-bit files, with row 0 the top row.
//
// The header is taken to be the 54-byte form with the pixel rows directly after
// the colour table; the data-offset, compression and header-size fields are not
// consulted. Beyond that:
// - rows stored top first (negative height) are read in that order;
// - a zero or negative width, or a height of 0, gives no picture;
// - a 4- or 8-bit colour table longer than 16 or 256 entries has its extra
//   entries skipped; indices past a short table give black;
// - rows of any length are read; the picture must fit in the bytes the stream
//   has left, which is checked before anything is allocated.
#pragma once

#include "media/pixmap_loader.h"

class TPixmapLoaderBMP : public TPixmapLoader {
 public:
  Ref<TPixmap> LoadPixmap(TStream* stream) override;
};

// Makes the BMP reader (once) and starts the stream factories it relies on.
void InitBMPLoader();
