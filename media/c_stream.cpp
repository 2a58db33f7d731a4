#include "media/c_stream.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>

Ref<TCStream> TCStream::OpenFile(const std::string& path, int readable, int writeable) {
  int mode = MODE_READ;
  const char* cmode = "rb";
  if (readable && writeable) {
    mode = MODE_READ | MODE_WRITE;
    cmode = "r+b";
  } else if (writeable) {
    mode = MODE_WRITE;
    cmode = "wb";
  }
  std::string unix_path = path;
  std::replace(unix_path.begin(), unix_path.end(), '\\', '/');
  FILE* f = std::fopen(unix_path.c_str(), cmode);
  if (!f) return nullptr;
  struct stat st;
  if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(f);
    return nullptr;
  }
  long pos = std::ftell(f);
  long size = 0;
  if (pos >= 0 && std::fseek(f, 0, SEEK_END) == 0) {
    size = std::ftell(f);
    std::fseek(f, pos, SEEK_SET);
  }
  // Pipes and devices report no position; they stream from 0 with size 0.
  if (pos < 0 || size < 0) pos = size = 0;
  if (size > INT_MAX) {
    std::fclose(f);
    return nullptr;
  }
  Ref<TCStream> s = MakeRef<TCStream>();
  s->_cstream = f;
  s->_pos = int(pos);
  s->_size = int(size);
  s->_mode = mode;
  return s;
}

TCStream::~TCStream() { Close(); }

void TCStream::Switch(LastOp next) {
  if (last_ != LastOp::kNone && last_ != next) std::fseek(_cstream, 0, SEEK_CUR);
  last_ = next;
}

int TCStream::Seek(int pos) {
  if (!_cstream) return -1;
  std::fseek(_cstream, pos, SEEK_SET);
  last_ = LastOp::kNone;
  const long at = std::ftell(_cstream);
  _pos = at < 0 ? _pos : int(std::min<long>(at, INT_MAX));
  return _pos;
}

int TCStream::Read(void* buf, int count) {
  if (!_cstream || count <= 0) return 0;
  Switch(LastOp::kRead);
  const int n = int(std::fread(buf, 1, size_t(count), _cstream));
  // Another writer may have grown the file past what 32 bits can count.
  _pos = n > INT_MAX - _pos ? INT_MAX : _pos + n;
  return n;
}

int TCStream::Write(const void* buf, int count) {
  if (!_cstream || count <= 0) return 0;
  // Positions are 32-bit: a file cannot grow past 2 GiB through this stream.
  count = std::min(count, INT_MAX - _pos);
  if (count <= 0) return 0;
  Switch(LastOp::kWrite);
  const int n = int(std::fwrite(buf, 1, size_t(count), _cstream));
  _pos += n;
  _size = std::max(_size, _pos);
  return n;
}

int TCStream::Flush() {
  if (_cstream) std::fflush(_cstream);
  return 0;
}

int TCStream::Close() {
  if (!_cstream) return 0;
  std::fflush(_cstream);
  std::fclose(_cstream);
  _cstream = nullptr;
  _pos = _size = 0;
  return 0;
}
