// A stream over a file, through the C library's buffered file handle.
#pragma once

#include <cstdio>
#include <string>

#include "media/stream.h"

class TCStream : public TStream {
 public:
  static constexpr int MODE_READ = 1;
  static constexpr int MODE_WRITE = 2;

  int _pos = 0;
  int _size = 0;
  FILE* _cstream = nullptr;
  int _mode = 0;

  // Readable and writeable: "r+b" (the file must exist); writeable only: "wb"
  // (created or truncated); otherwise "rb". Backslashes in the path become
  // slashes. Null when the file cannot be opened, is a directory, or is 2 GiB or
  // more (positions are 32-bit).
  static Ref<TCStream> OpenFile(const std::string& path, int readable, int writeable);

  TCStream() = default;
  TCStream(const TCStream&) = delete;
  TCStream& operator=(const TCStream&) = delete;
  ~TCStream() override;

  int Pos() const override { return _pos; }
  int Size() const override { return _size; }
  int Seek(int pos) override;
  int Read(void* buf, int count) override;
  int Write(const void* buf, int count) override;
  int Flush() override;
  // Flushes and closes the handle; position and size become 0. Idempotent.
  int Close() override;

 private:
  // The C library needs a seek or flush between a write and a following read
  // (and the reverse) on one handle; this remembers which came last.
  enum class LastOp { kNone, kRead, kWrite };
  void Switch(LastOp next);
  LastOp last_ = LastOp::kNone;
};
