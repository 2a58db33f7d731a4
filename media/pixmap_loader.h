// The chain of picture readers and LoadPixmap.
//
// Each reader is made once by its module initialiser, with `new`, and goes to
// the head of the chain: the reader made last is asked first. LoadPixmap
// rewinds the stream to where it started before asking each reader, so the
// file name plays no part: a PNG stored as "x.bmp" is read by the PNG reader.
#pragma once

#include "core/object.h"
#include "media/pixmap.h"
#include "media/stream.h"
#include "media/stream_factory.h"

class TPixmapLoader : public Object {
 public:
  // The next (older) reader.
  TPixmapLoader* _succ = nullptr;

  TPixmapLoader();
  TPixmapLoader(const TPixmapLoader&) = delete;
  TPixmapLoader& operator=(const TPixmapLoader&) = delete;

  // The picture, or null when the data is not in this reader's format. May
  // throw a TStreamException when the data ends early (LoadPixmap counts that as
  // declining).
  virtual Ref<TPixmap> LoadPixmap(TStream* stream) = 0;
};

// The newest reader; follow `_succ` for the others.
TPixmapLoader* PixmapLoaders();

// Null when the location cannot be opened, has no position, or no reader
// accepts it. Truncated data raises nothing; exceptions other than stream
// exceptions propagate.
Ref<TPixmap> LoadPixmap(const StreamLocation& url);
