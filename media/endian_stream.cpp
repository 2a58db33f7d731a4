#include "media/endian_stream.h"

#include <algorithm>
#include <cstring>

Ref<TStream> TXEndianStream::BigEndian(Ref<TStream> stream) {
  if (!stream) return nullptr;
  return MakeRef<TXEndianStream>(std::move(stream));
}

Ref<TStream> TXEndianStream::LittleEndian(Ref<TStream> stream) { return stream; }

void TXEndianStream::Swap2(unsigned char* b) { std::swap(b[0], b[1]); }

void TXEndianStream::Swap4(unsigned char* b) {
  std::swap(b[0], b[3]);
  std::swap(b[1], b[2]);
}

void TXEndianStream::Swap8(unsigned char* b) {
  std::swap(b[0], b[7]);
  std::swap(b[1], b[6]);
  std::swap(b[2], b[5]);
  std::swap(b[3], b[4]);
}

namespace {

void Swap(TXEndianStream& s, unsigned char* bytes, size_t size) {
  if (size == 2) s.Swap2(bytes);
  if (size == 4) s.Swap4(bytes);
  if (size == 8) s.Swap8(bytes);
}

template <class T>
T ReadSwapped(TXEndianStream& s) {
  unsigned char bytes[sizeof(T)];
  s.ReadBytes(bytes, sizeof bytes);
  Swap(s, bytes, sizeof bytes);
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

template <class T>
int WriteSwapped(TXEndianStream& s, T value) {
  unsigned char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof bytes);
  Swap(s, bytes, sizeof bytes);
  s.WriteBytes(bytes, sizeof bytes);
  return 0;
}

}  // namespace

int TXEndianStream::ReadShort() { return ReadSwapped<uint16_t>(*this); }
int TXEndianStream::WriteShort(int value) { return WriteSwapped(*this, uint16_t(value)); }
int32_t TXEndianStream::ReadInt() { return ReadSwapped<int32_t>(*this); }
int TXEndianStream::WriteInt(int32_t value) { return WriteSwapped(*this, value); }
int64_t TXEndianStream::ReadLong() { return ReadSwapped<int64_t>(*this); }
int TXEndianStream::WriteLong(int64_t value) { return WriteSwapped(*this, value); }
float TXEndianStream::ReadFloat() { return ReadSwapped<float>(*this); }
int TXEndianStream::WriteFloat(float value) { return WriteSwapped(*this, value); }
double TXEndianStream::ReadDouble() { return ReadSwapped<double>(*this); }
int TXEndianStream::WriteDouble(double value) { return WriteSwapped(*this, value); }

Ref<TStream> BigEndianStream(Ref<TStream> stream) { return TXEndianStream::BigEndian(std::move(stream)); }

Ref<TStream> LittleEndianStream(Ref<TStream> stream) {
  return TXEndianStream::LittleEndian(std::move(stream));
}

Ref<TStream> TXEndianStreamFactory::CreateStream(const StreamLocation&, const std::string& proto,
                                                 const std::string& path, int readable, int writeable) {
  if (proto == "bigendian") return BigEndianStream(OpenStream(path, readable, writeable));
  if (proto == "littleendian") return LittleEndianStream(OpenStream(path, readable, writeable));
  return nullptr;
}
