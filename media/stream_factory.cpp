#include "media/stream_factory.h"

#include <cctype>

#include "media/c_stream.h"
#include "media/stream_wrapper.h"

namespace {
TStreamFactory* factories = nullptr;
}

TStreamFactory::TStreamFactory() {
  // The chain holds one reference for the rest of the run.
  Retain();
  _succ = factories;
  factories = this;
}

TStreamFactory::~TStreamFactory() {
  for (TStreamFactory** link = &factories; *link; link = &(*link)->_succ) {
    if (*link == this) {
      *link = _succ;
      break;
    }
  }
}

TStreamFactory* StreamFactories() { return factories; }

Ref<TStream> OpenStream(const StreamLocation& url, int readable, int writeable) {
  if (auto* stream = dynamic_cast<TStream*>(url.object()))
    return MakeRef<TStreamStream>(Ref<TStream>(stream));
  const std::string& s = url.text();
  std::string proto, path;
  if (!s.empty()) {
    const size_t sep = s.find("::");
    if (sep == std::string::npos) return TCStream::OpenFile(s, readable, writeable);
    proto = s.substr(0, sep);
    for (char& c : proto) c = char(std::tolower(static_cast<unsigned char>(c)));
    path = s.substr(sep + 2);
  }
  for (TStreamFactory* f = factories; f; f = f->_succ) {
    if (Ref<TStream> stream = f->CreateStream(url, proto, path, readable, writeable)) return stream;
  }
  return nullptr;
}

Ref<TStream> ReadStream(const StreamLocation& url) { return OpenStream(url, 1, 0); }

Ref<TStream> WriteStream(const StreamLocation& url) { return OpenStream(url, 0, 1); }
