#include "media/stream.h"

#include <algorithm>
#include <cstring>

#include "core/runtime_error.h"
#include "core/text.h"
#include "media/media_errors.h"
#include "media/stream_exception.h"

int TIO::Eof() const { return Pos() == Size() ? 1 : 0; }
int TIO::Pos() const { return -1; }
int TIO::Size() const { return 0; }
int TIO::Seek(int) { return -1; }
int TIO::Flush() { return 0; }
int TIO::Close() { return 0; }
int TIO::Read(void*, int) { throw RuntimeError(media_errors::kStreamNotReadable); }
int TIO::Write(const void*, int) { throw RuntimeError(media_errors::kStreamNotWriteable); }

int TStream::ReadBytes(void* buf, int count) {
  auto* p = static_cast<unsigned char*>(buf);
  for (int done = 0; done < count;) {
    const int n = Read(p + done, count - done);
    if (n <= 0) throw TStreamReadException();
    done += n;
  }
  return count;
}

int TStream::WriteBytes(const void* buf, int count) {
  auto* p = static_cast<const unsigned char*>(buf);
  for (int done = 0; done < count;) {
    const int n = Write(p + done, count - done);
    if (n <= 0) throw TStreamWriteException();
    done += n;
  }
  return count;
}

int TStream::SkipBytes(int count) {
  unsigned char scratch[1024];
  for (int left = count; left > 0;) {
    const int n = Read(scratch, std::min(left, int(sizeof scratch)));
    if (n <= 0) throw TStreamReadException();
    left -= n;
  }
  return count;
}

namespace {

template <class T>
T ReadValue(TStream& s) {
  T value;
  s.ReadBytes(&value, sizeof value);
  return value;
}

template <class T>
int WriteValue(TStream& s, T value) {
  s.WriteBytes(&value, sizeof value);
  return 0;
}

}  // namespace

int TStream::ReadByte() { return ReadValue<uint8_t>(*this); }
int TStream::WriteByte(int value) { return WriteValue(*this, uint8_t(value)); }
int TStream::ReadShort() { return ReadValue<uint16_t>(*this); }
int TStream::WriteShort(int value) { return WriteValue(*this, uint16_t(value)); }
int32_t TStream::ReadInt() { return ReadValue<int32_t>(*this); }
int TStream::WriteInt(int32_t value) { return WriteValue(*this, value); }
int64_t TStream::ReadLong() { return ReadValue<int64_t>(*this); }
int TStream::WriteLong(int64_t value) { return WriteValue(*this, value); }
float TStream::ReadFloat() { return ReadValue<float>(*this); }
int TStream::WriteFloat(float value) { return WriteValue(*this, value); }
double TStream::ReadDouble() { return ReadValue<double>(*this); }
int TStream::WriteDouble(double value) { return WriteValue(*this, value); }

std::string TStream::ReadLine() {
  std::string bytes;
  bytes.reserve(1024);
  for (;;) {
    unsigned char c;
    if (Read(&c, 1) != 1 || c == 0 || c == 10) break;
    if (c != 13) bytes += char(c);
  }
  return Latin1ToUtf8(bytes);
}

int TStream::WriteLine(const std::string& text) {
  const std::string bytes = Utf8ToLatin1(text);
  const int size = int(bytes.size());
  const bool body = Write(bytes.data(), size) == size;
  static const unsigned char kCrLf[2] = {13, 10};
  const bool end = Write(kCrLf, 2) == 2;
  return body && end ? 1 : 0;
}

std::string TStream::ReadString(int length) {
  std::string bytes;
  constexpr int kPiece = 64 * 1024;
  for (int left = length; left > 0;) {
    const int n = std::min(left, kPiece);
    const size_t at = bytes.size();
    bytes.resize(at + n);
    ReadBytes(bytes.data() + at, n);
    left -= n;
  }
  return Latin1ToUtf8(bytes);
}

int TStream::WriteString(const std::string& text) {
  const std::string bytes = Utf8ToLatin1(text);
  WriteBytes(bytes.data(), int(bytes.size()));
  return 0;
}

Ref<Object> TStream::ReadObject() { throw RuntimeError(media_errors::kUnableToReadObject); }
int TStream::WriteObject(Object*) { throw RuntimeError(media_errors::kUnableToWriteObject); }

int Eof(TStream* stream) { return stream->Eof(); }
int StreamPos(TStream* stream) { return stream->Pos(); }
int StreamSize(TStream* stream) { return stream->Size(); }
int SeekStream(TStream* stream, int pos) { return stream->Seek(pos); }
int FlushStream(TStream* stream) { return stream->Flush(); }
int CloseStream(TStream* stream) { return stream->Close(); }
int ReadByte(TStream* stream) { return stream->ReadByte(); }
int ReadShort(TStream* stream) { return stream->ReadShort(); }
int32_t ReadInt(TStream* stream) { return stream->ReadInt(); }
int64_t ReadLong(TStream* stream) { return stream->ReadLong(); }
float ReadFloat(TStream* stream) { return stream->ReadFloat(); }
double ReadDouble(TStream* stream) { return stream->ReadDouble(); }
int WriteByte(TStream* stream, int value) { return stream->WriteByte(value); }
int WriteShort(TStream* stream, int value) { return stream->WriteShort(value); }
int WriteInt(TStream* stream, int32_t value) { return stream->WriteInt(value); }
int WriteLong(TStream* stream, int64_t value) { return stream->WriteLong(value); }
int WriteFloat(TStream* stream, float value) { return stream->WriteFloat(value); }
int WriteDouble(TStream* stream, double value) { return stream->WriteDouble(value); }
std::string ReadString(TStream* stream, int length) { return stream->ReadString(length); }
int WriteString(TStream* stream, const std::string& text) { return stream->WriteString(text); }
std::string ReadLine(TStream* stream) { return stream->ReadLine(); }
int WriteLine(TStream* stream, const std::string& text) { return stream->WriteLine(text); }
