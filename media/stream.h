// Byte streams.
//
// TIO is the raw interface: Read and Write move up to `count` bytes and return
// how many moved (0 = nothing more can move now); Pos, Size and Seek work in
// bytes from the start (Pos -1: the stream has no position). The base class
// reads and writes nothing: Read and Write raise "Stream is not readable" /
// "Stream is not writeable".
//
// TStream adds typed operations on top of Read and Write. Multi-byte values are
// little-endian (TXEndianStream swaps them). The "exact" operations
// (ReadBytes, SkipBytes, ReadInt, ...) throw TStreamReadException or
// TStreamWriteException when the stream gives out before the count is complete;
// bytes already consumed stay consumed. ReadLine, WriteLine, Read and Write
// never throw at the end of data.
//
// Strings are 8 bits per character on the stream: a byte read becomes the
// character with that code (stored as UTF-8 in std::string), a character
// written keeps its low 8 bits.
//
// Streams are shared through Ref<TStream>; destroying a stream closes it.
// Positions, sizes and counts are 32-bit signed ints.
#pragma once

#include <cstdint>
#include <string>

#include "core/object.h"

class TIO : public Object {
 public:
  // 1 when Pos equals Size.
  virtual int Eof() const;
  virtual int Pos() const;
  virtual int Size() const;
  // Moves to `pos` and returns the new position; -1 when the stream cannot seek.
  virtual int Seek(int pos);
  virtual int Flush();
  virtual int Close();
  virtual int Read(void* buf, int count);
  virtual int Write(const void* buf, int count);
};

class TStream : public TIO {
 public:
  // Exactly `count` bytes, or TStreamReadException / TStreamWriteException.
  virtual int ReadBytes(void* buf, int count);
  virtual int WriteBytes(const void* buf, int count);
  // Reads and discards `count` bytes in pieces of at most 1024.
  virtual int SkipBytes(int count);

  virtual int ReadByte();             // 0 ... 255
  virtual int WriteByte(int value);   // low 8 bits; returns 0
  virtual int ReadShort();            // 0 ... 65535
  virtual int WriteShort(int value);  // low 16 bits; returns 0
  virtual int32_t ReadInt();
  virtual int WriteInt(int32_t value);
  virtual int64_t ReadLong();
  virtual int WriteLong(int64_t value);
  virtual float ReadFloat();
  virtual int WriteFloat(float value);
  virtual double ReadDouble();
  virtual int WriteDouble(double value);

  // Bytes up to LF, NUL or the end of data; CR bytes are dropped wherever they
  // are. One one-byte Read per character: meant for small text.
  virtual std::string ReadLine();
  // The string's bytes and then CR LF; 1 when everything was written, else 0.
  virtual int WriteLine(const std::string& text);
  // Exactly `length` bytes as a string (read in pieces, so a bogus length on a
  // short stream fails before much memory is taken).
  virtual std::string ReadString(int length);
  virtual int WriteString(const std::string& text);
  // Plain streams carry no objects: these raise "Unable to read object" /
  // "Unable to write object".
  virtual Ref<Object> ReadObject();
  virtual int WriteObject(Object* object);
};

// Free forms of the stream operations, for the flat API.
int Eof(TStream* stream);
int StreamPos(TStream* stream);
int StreamSize(TStream* stream);
int SeekStream(TStream* stream, int pos);
int FlushStream(TStream* stream);
int CloseStream(TStream* stream);
int ReadByte(TStream* stream);
int ReadShort(TStream* stream);
int32_t ReadInt(TStream* stream);
int64_t ReadLong(TStream* stream);
float ReadFloat(TStream* stream);
double ReadDouble(TStream* stream);
int WriteByte(TStream* stream, int value);
int WriteShort(TStream* stream, int value);
int WriteInt(TStream* stream, int32_t value);
int WriteLong(TStream* stream, int64_t value);
int WriteFloat(TStream* stream, float value);
int WriteDouble(TStream* stream, double value);
std::string ReadString(TStream* stream, int length);
int WriteString(TStream* stream, const std::string& text);
std::string ReadLine(TStream* stream);
int WriteLine(TStream* stream, const std::string& text);
