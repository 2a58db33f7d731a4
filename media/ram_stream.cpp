#include "media/ram_stream.h"

#include <algorithm>
#include <cstring>

#include "media/resources.h"

Ref<TRamStream> TRamStream::Create(void* buf, int size, int readable, int writeable) {
  Ref<TRamStream> s = MakeRef<TRamStream>();
  s->_buf = static_cast<unsigned char*>(buf);
  s->_size = buf ? std::max(size, 0) : 0;
  s->_read = readable ? 1 : 0;
  s->_write = writeable ? 1 : 0;
  return s;
}

Ref<TRamStream> TRamStream::Create(const void* buf, int size) {
  // The write flag stays 0, so the memory is only ever read.
  return Create(const_cast<void*>(buf), size, 1, 0);
}

int TRamStream::Seek(int pos) {
  _pos = std::clamp(pos, 0, _size);
  return _pos;
}

int TRamStream::Read(void* buf, int count) {
  if (count <= 0 || !_read) return 0;
  count = std::min(count, _size - _pos);
  if (count <= 0) return 0;
  std::memcpy(buf, _buf + _pos, count);
  _pos += count;
  return count;
}

int TRamStream::Write(const void* buf, int count) {
  if (count <= 0 || !_write) return 0;
  count = std::min(count, _size - _pos);
  if (count <= 0) return 0;
  std::memcpy(_buf + _pos, buf, count);
  _pos += count;
  return count;
}

Ref<TRamStream> CreateRamStream(void* buf, int size, int readable, int writeable) {
  return TRamStream::Create(buf, size, readable, writeable);
}

Ref<TRamStream> CreateRamStream(const void* buf, int size) { return TRamStream::Create(buf, size); }

Ref<TStream> TRamStreamFactory::CreateStream(const StreamLocation&, const std::string& proto,
                                             const std::string& path, int readable, int writeable) {
  if (proto != "incbin" || writeable) return nullptr;
  const unsigned char* data = ResourceData(path);
  if (!data) return nullptr;
  return TRamStream::Create(const_cast<unsigned char*>(data), ResourceLength(path), readable, 0);
}
