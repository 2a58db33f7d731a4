// Opening streams from locations.
//
// A location is an open stream, an object some factory knows (a TBank), or a
// string. A string without "::" is a file path; "proto::path" goes to the chain
// of protocol factories, newest first, and the first stream a factory returns
// wins. The protocol is compared in lower case; the path is passed unchanged
// and may itself be a location ("littleendian::incbin::doing.wav").
//
// Factories are made once, by module initialisers (InitMedia and the like),
// with `new`: constructing one puts it at the head of the chain for the rest of
// the run.
#pragma once

#include <string>

#include "core/object.h"
#include "media/stream.h"

// What OpenStream accepts: a string location, a stream, or another object.
class StreamLocation {
 public:
  StreamLocation(const char* text) : text_(text ? text : ""), is_text_(text != nullptr) {}
  StreamLocation(const std::string& text) : text_(text), is_text_(true) {}
  StreamLocation(Object* object) : object_(object) {}
  StreamLocation(std::nullptr_t) {}
  template <class T>
  StreamLocation(const Ref<T>& object) : object_(object.get()) {}

  // The object, or null for a string location.
  Object* object() const { return object_; }
  // The string, or "" for an object location.
  const std::string& text() const { return text_; }
  bool is_text() const { return is_text_; }

 private:
  Object* object_ = nullptr;
  std::string text_;
  bool is_text_ = false;
};

class TStreamFactory : public Object {
 public:
  // The next factory in the chain (older).
  TStreamFactory* _succ = nullptr;

  // Puts the new factory at the head of the chain, where it stays.
  TStreamFactory();
  // Leaves the chain (only an instance that was not made with `new` can die).
  ~TStreamFactory() override;
  TStreamFactory(const TStreamFactory&) = delete;
  TStreamFactory& operator=(const TStreamFactory&) = delete;

  // A stream for the location, or null when this factory does not recognise it.
  // `url` is the location as given; `proto` (lower case) and `path` are its
  // parts when it is a "proto::path" string, else both empty.
  virtual Ref<TStream> CreateStream(const StreamLocation& url, const std::string& proto,
                                    const std::string& path, int readable, int writeable) = 0;
};

// The newest factory; follow `_succ` for the others.
TStreamFactory* StreamFactories();

// A stream for the location, or null: missing file, unknown protocol, absent
// resource, a resource opened for writing. An open stream comes back wrapped in
// a TStreamStream, whose Close leaves the stream itself open.
Ref<TStream> OpenStream(const StreamLocation& url, int readable, int writeable);
Ref<TStream> ReadStream(const StreamLocation& url);
Ref<TStream> WriteStream(const StreamLocation& url);
