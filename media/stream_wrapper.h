// Streams that pass every operation on to another stream.
//
// TStreamWrapper forwards everything, typed operations included, to `_stream`,
// so a wrapper around a byte-swapping stream reads swapped values too. Closing
// it closes the inner stream. With no inner stream it behaves as a bare TIO:
// no position, nothing to read or write.
//
// TStreamStream is what OpenStream returns for a location that is already a
// stream: closing it only lets go of the inner stream, which stays open for
// whoever opened it.
#pragma once

#include "media/stream.h"

class TStreamWrapper : public TStream {
 public:
  Ref<TStream> _stream;

  TStreamWrapper() = default;
  explicit TStreamWrapper(Ref<TStream> stream) : _stream(std::move(stream)) {}
  ~TStreamWrapper() override;

  virtual void SetStream(Ref<TStream> stream);

  int Eof() const override;
  int Pos() const override;
  int Size() const override;
  int Seek(int pos) override;
  int Flush() override;
  int Close() override;
  int Read(void* buf, int count) override;
  int Write(const void* buf, int count) override;

  int ReadBytes(void* buf, int count) override;
  int WriteBytes(const void* buf, int count) override;
  int SkipBytes(int count) override;
  int ReadByte() override;
  int WriteByte(int value) override;
  int ReadShort() override;
  int WriteShort(int value) override;
  int32_t ReadInt() override;
  int WriteInt(int32_t value) override;
  int64_t ReadLong() override;
  int WriteLong(int64_t value) override;
  float ReadFloat() override;
  int WriteFloat(float value) override;
  double ReadDouble() override;
  int WriteDouble(double value) override;
  std::string ReadLine() override;
  int WriteLine(const std::string& text) override;
  std::string ReadString(int length) override;
  int WriteString(const std::string& text) override;
  Ref<Object> ReadObject() override;
  int WriteObject(Object* object) override;
};

class TStreamStream : public TStreamWrapper {
 public:
  using TStreamWrapper::TStreamWrapper;
  ~TStreamStream() override;

  // Detaches from the inner stream without closing it.
  int Close() override;
};
