// The chain of picture readers and LoadPixmap.
//
// Each reader is made once by its module initialiser, with `new`, and goes to
// the head of the chain: the reader made last is asked first. LoadPixmap
// rewinds the stream to where it started before asking each reader, so the
// file name plays no part: a PNG stored as "x.bmp" is read by the PNG reader.
#pragma once

#include <cstdint>

#include "core/object.h"
#include "media/pixmap.h"
#include "media/stream.h"
#include "media/stream_factory.h"

class TPixmapLoader : public Object {
 public:
  // The next (older) reader.
  TPixmapLoader* _succ = nullptr;

  TPixmapLoader();
  // Leaves the chain (only an instance that was not made with `new` can die).
  ~TPixmapLoader() override;
  TPixmapLoader(const TPixmapLoader&) = delete;
  TPixmapLoader& operator=(const TPixmapLoader&) = delete;

  // The picture, or null when the data is not in this reader's format. May
  // throw a TStreamException when the data ends early (LoadPixmap counts that as
  // declining).
  virtual Ref<TPixmap> LoadPixmap(TStream* stream) = 0;
};

// What readers use to bound a picture before they allocate it: the bytes left
// in the stream, or -1 when the stream does not know its size. Pictures from
// such streams are limited to kMaxUnsizedPictureBytes of pixels.
int64_t StreamBytesLeft(TStream* stream);
inline constexpr int64_t kMaxUnsizedPictureBytes = int64_t(256) << 20;

// The newest reader; follow `_succ` for the others.
TPixmapLoader* PixmapLoaders();

// Null when the location cannot be opened, has no position, or no reader
// accepts it. Truncated data raises nothing; exceptions other than stream
// exceptions propagate.
Ref<TPixmap> LoadPixmap(const StreamLocation& url);
