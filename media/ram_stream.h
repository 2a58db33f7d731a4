// A stream over a block of memory it does not own (an embedded resource, a
// caller's buffer). Reads and writes stop at the block's end; it never grows.
// The memory must outlive the stream.
#pragma once

#include "media/stream.h"
#include "media/stream_factory.h"

class TRamStream : public TStream {
 public:
  int _pos = 0;
  int _size = 0;
  unsigned char* _buf = nullptr;
  int _read = 0;
  int _write = 0;

  // `buf` is written to only when `writeable` is set.
  static Ref<TRamStream> Create(void* buf, int size, int readable, int writeable);
  // A read-only stream over constant memory.
  static Ref<TRamStream> Create(const void* buf, int size);

  int Pos() const override { return _pos; }
  int Size() const override { return _size; }
  // Clamps to 0 ... Size.
  int Seek(int pos) override;
  int Read(void* buf, int count) override;
  int Write(const void* buf, int count) override;
};

Ref<TRamStream> CreateRamStream(void* buf, int size, int readable, int writeable);
Ref<TRamStream> CreateRamStream(const void* buf, int size);

// Protocol "incbin": incbin::name opens the registered resource `name` for
// reading, in place. Opening one for writing gives null.
class TRamStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const StreamLocation& url, const std::string& proto, const std::string& path,
                            int readable, int writeable) override;
};
