// Whole-pixmap operations. Each returns a new pixmap (rows aligned to 4) and
// leaves its argument unchanged; null when the result cannot be made.
#pragma once

#include "media/pixmap.h"

// Column x of the result is column width - 1 - x of the source.
Ref<TPixmap> XFlipPixmap(const TPixmap* pixmap);
// Row y of the result is row height - 1 - y of the source.
Ref<TPixmap> YFlipPixmap(const TPixmap* pixmap);
// Bilinear resampling to width x height in the pixmap's own format, sampling at
// pixel centres with the edges clamped (no sample lies outside the source).
// Null for an empty source or a non-positive size.
Ref<TPixmap> ResizePixmap(const TPixmap* pixmap, int width, int height);
// An RGBA copy in which pixels of colour (mr, mg, mb) become transparent, taking
// the average colour of their non-mask 3 x 3 neighbours (so that filtering does
// not bleed the mask colour into edges); every other pixel becomes opaque.
Ref<TPixmap> MaskPixmap(const TPixmap* pixmap, int mr, int mg, int mb);
