#include "media/stream_wrapper.h"

TStreamWrapper::~TStreamWrapper() { Close(); }

void TStreamWrapper::SetStream(Ref<TStream> stream) { _stream = std::move(stream); }

// Each operation goes to the inner stream, or to the base behaviour when the
// wrapper has been detached.
#define OSTREL_FORWARD(call, base_call) return _stream ? _stream->call : base_call

int TStreamWrapper::Eof() const { OSTREL_FORWARD(Eof(), TStream::Eof()); }
int TStreamWrapper::Pos() const { OSTREL_FORWARD(Pos(), TStream::Pos()); }
int TStreamWrapper::Size() const { OSTREL_FORWARD(Size(), TStream::Size()); }
int TStreamWrapper::Seek(int pos) { OSTREL_FORWARD(Seek(pos), TStream::Seek(pos)); }
int TStreamWrapper::Flush() { OSTREL_FORWARD(Flush(), TStream::Flush()); }
int TStreamWrapper::Close() { OSTREL_FORWARD(Close(), TStream::Close()); }
int TStreamWrapper::Read(void* buf, int count) {
  OSTREL_FORWARD(Read(buf, count), TStream::Read(buf, count));
}
int TStreamWrapper::Write(const void* buf, int count) {
  OSTREL_FORWARD(Write(buf, count), TStream::Write(buf, count));
}
int TStreamWrapper::ReadBytes(void* buf, int count) {
  OSTREL_FORWARD(ReadBytes(buf, count), TStream::ReadBytes(buf, count));
}
int TStreamWrapper::WriteBytes(const void* buf, int count) {
  OSTREL_FORWARD(WriteBytes(buf, count), TStream::WriteBytes(buf, count));
}
int TStreamWrapper::SkipBytes(int count) { OSTREL_FORWARD(SkipBytes(count), TStream::SkipBytes(count)); }
int TStreamWrapper::ReadByte() { OSTREL_FORWARD(ReadByte(), TStream::ReadByte()); }
int TStreamWrapper::WriteByte(int value) { OSTREL_FORWARD(WriteByte(value), TStream::WriteByte(value)); }
int TStreamWrapper::ReadShort() { OSTREL_FORWARD(ReadShort(), TStream::ReadShort()); }
int TStreamWrapper::WriteShort(int value) { OSTREL_FORWARD(WriteShort(value), TStream::WriteShort(value)); }
int32_t TStreamWrapper::ReadInt() { OSTREL_FORWARD(ReadInt(), TStream::ReadInt()); }
int TStreamWrapper::WriteInt(int32_t value) { OSTREL_FORWARD(WriteInt(value), TStream::WriteInt(value)); }
int64_t TStreamWrapper::ReadLong() { OSTREL_FORWARD(ReadLong(), TStream::ReadLong()); }
int TStreamWrapper::WriteLong(int64_t value) { OSTREL_FORWARD(WriteLong(value), TStream::WriteLong(value)); }
float TStreamWrapper::ReadFloat() { OSTREL_FORWARD(ReadFloat(), TStream::ReadFloat()); }
int TStreamWrapper::WriteFloat(float value) { OSTREL_FORWARD(WriteFloat(value), TStream::WriteFloat(value)); }
double TStreamWrapper::ReadDouble() { OSTREL_FORWARD(ReadDouble(), TStream::ReadDouble()); }
int TStreamWrapper::WriteDouble(double value) {
  OSTREL_FORWARD(WriteDouble(value), TStream::WriteDouble(value));
}
std::string TStreamWrapper::ReadLine() { OSTREL_FORWARD(ReadLine(), TStream::ReadLine()); }
int TStreamWrapper::WriteLine(const std::string& text) {
  OSTREL_FORWARD(WriteLine(text), TStream::WriteLine(text));
}
std::string TStreamWrapper::ReadString(int length) {
  OSTREL_FORWARD(ReadString(length), TStream::ReadString(length));
}
int TStreamWrapper::WriteString(const std::string& text) {
  OSTREL_FORWARD(WriteString(text), TStream::WriteString(text));
}
Ref<Object> TStreamWrapper::ReadObject() { OSTREL_FORWARD(ReadObject(), TStream::ReadObject()); }
int TStreamWrapper::WriteObject(Object* object) {
  OSTREL_FORWARD(WriteObject(object), TStream::WriteObject(object));
}

#undef OSTREL_FORWARD

TStreamStream::~TStreamStream() { Close(); }

int TStreamStream::Close() {
  SetStream(nullptr);
  return 0;
}
