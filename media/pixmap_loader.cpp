#include "media/pixmap_loader.h"

#include "media/stream_exception.h"

namespace {
TPixmapLoader* loaders = nullptr;
}

TPixmapLoader::TPixmapLoader() {
  // The chain holds one reference for the rest of the run.
  Retain();
  _succ = loaders;
  loaders = this;
}

TPixmapLoader::~TPixmapLoader() {
  for (TPixmapLoader** link = &loaders; *link; link = &(*link)->_succ) {
    if (*link == this) {
      *link = _succ;
      break;
    }
  }
}

int64_t StreamBytesLeft(TStream* stream) {
  const int pos = stream->Pos(), size = stream->Size();
  if (pos < 0 || size <= 0) return -1;
  return size > pos ? int64_t(size) - pos : 0;
}

TPixmapLoader* PixmapLoaders() { return loaders; }

Ref<TPixmap> LoadPixmap(const StreamLocation& url) {
  Ref<TStream> stream = ReadStream(url);
  if (!stream) return nullptr;
  const int start = stream->Pos();
  Ref<TPixmap> pixmap;
  if (start != -1) {
    for (TPixmapLoader* loader = loaders; loader && !pixmap; loader = loader->_succ) {
      stream->Seek(start);
      try {
        pixmap = loader->LoadPixmap(stream);
      } catch (const TStreamException&) {
        pixmap = nullptr;
      }
    }
  }
  stream->Close();
  return pixmap;
}
