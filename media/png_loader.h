// The PNG reader and writer, on libpng.
//
// Any colour type and bit depth libpng decodes is read: 16-bit samples are cut
// to their high byte, palettes and transparency are expanded. The result is
// format 1 (grey), 4 (RGB) or 6 (RGBA; also for grey with alpha, as g, g, g, a).
// The reader looks at content only, so a PNG under a ".bmp" name is read here.
//
// Failure: not a PNG, or any decoding error libpng reports (corrupt data, bad
// checksums): null, with everything the load opened released. Pictures whose
// size cannot come from the bytes the stream has left (deflate shrinks data at
// most about 1032 times) give null before anything big is allocated. A stream
// error while reading (data cut short) passes to the caller, which for
// LoadPixmap means "declined".
//
// libpng reports errors with longjmp: every call that can jump runs in a small
// function whose frame holds nothing with a destructor, and errors from the
// stream are caught in the read callback and rethrown once libpng is done.
#pragma once

#include "media/pixmap_loader.h"

class TPixmapLoaderPNG : public TPixmapLoader {
 public:
  Ref<TPixmap> LoadPixmap(TStream* stream) override;
};

Ref<TPixmap> LoadPixmapPNG(const StreamLocation& url);

// Writes formats 1 and 4 as grey and RGB, 6 as RGBA, and any other format as
// RGBA when it has alpha bits, else RGB. 1 when written, 0 when the location
// cannot be opened or libpng fails.
int SavePixmapPNG(const TPixmap* pixmap, const StreamLocation& url);

// Makes the PNG reader (once) and starts the stream factories.
void InitPNGLoader();
