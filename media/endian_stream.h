// Byte order. Typed reads and writes are little-endian, the host order; a
// TXEndianStream reverses the bytes of every 2-, 4- and 8-byte value it reads
// or writes, giving big-endian access. Bytes, lines and strings pass through.
#pragma once

#include "media/stream_factory.h"
#include "media/stream_wrapper.h"

class TXEndianStream : public TStreamWrapper {
 public:
  using TStreamWrapper::TStreamWrapper;

  // A swapping wrapper around `stream`; null for a null stream.
  static Ref<TStream> BigEndian(Ref<TStream> stream);
  // The stream itself: the host is little-endian already.
  static Ref<TStream> LittleEndian(Ref<TStream> stream);

  virtual void Swap2(unsigned char* bytes);
  virtual void Swap4(unsigned char* bytes);
  virtual void Swap8(unsigned char* bytes);

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
};

Ref<TStream> BigEndianStream(Ref<TStream> stream);
Ref<TStream> LittleEndianStream(Ref<TStream> stream);

// Protocols "bigendian" and "littleendian": the rest of the location is opened
// again and wrapped in that byte order.
class TXEndianStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const StreamLocation& url, const std::string& proto, const std::string& path,
                            int readable, int writeable) override;
};
