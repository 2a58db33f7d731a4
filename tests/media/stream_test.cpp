#include "media/stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/runtime_error.h"
#include "media/endian_stream.h"
#include "media/ram_stream.h"
#include "media/stream_exception.h"
#include "media/stream_wrapper.h"

namespace {

// A stream that hands out at most `chunk` bytes per Read, to check that the
// exact reads loop over short transfers.
class Trickle : public TStream {
 public:
  Trickle(std::vector<unsigned char> bytes, int chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
  int Pos() const override { return pos_; }
  int Size() const override { return int(bytes_.size()); }
  int Read(void* buf, int count) override {
    const int n = std::min({count, chunk_, Size() - pos_});
    if (n <= 0) return 0;
    std::memcpy(buf, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }

 private:
  std::vector<unsigned char> bytes_;
  int chunk_;
  int pos_ = 0;
};

Ref<TStream> Over(std::vector<unsigned char>& bytes) {
  return CreateRamStream(bytes.data(), int(bytes.size()), 1, 1);
}

TEST(Stream, TypedReadsAreLittleEndianWithTheirWidths) {
  std::vector<unsigned char> bytes = {0xFF,                                            // byte
                                      0xFF, 0xFF,                                      // short
                                      0xFF, 0xFF, 0xFF, 0xFF,                          // int
                                      0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x88,  // long
                                      0x00, 0x00, 0xC0, 0x3F,                          // float 1.5
                                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0,  // double -2.5
                                      0x34, 0x12};
  Ref<TStream> s = Over(bytes);
  EXPECT_EQ(s->ReadByte(), 255);
  EXPECT_EQ(s->ReadShort(), 65535);  // unsigned, not -1
  EXPECT_EQ(s->ReadInt(), -1);
  EXPECT_EQ(s->ReadLong(), int64_t(0x8807060504030201ull));
  EXPECT_EQ(s->ReadFloat(), 1.5f);
  EXPECT_EQ(s->ReadDouble(), -2.5);
  EXPECT_EQ(s->ReadShort(), 0x1234);
  EXPECT_EQ(s->Eof(), 1);
}

TEST(Stream, BigEndianWrapperSwapsEveryWidth) {
  std::vector<unsigned char> bytes = {0x12, 0x34,                                      // short
                                      0xFF, 0xFF, 0xFF, 0xFE,                          // int -2
                                      0x88, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  // long
                                      0x3F, 0xC0, 0x00, 0x00,                          // float 1.5
                                      0xC0, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // double -2.5
                                      0xAB, 0xFF, 0xFE};                               // byte, short
  Ref<TStream> s = BigEndianStream(Over(bytes));
  EXPECT_EQ(s->ReadShort(), 0x1234);
  EXPECT_EQ(s->ReadInt(), -2);
  EXPECT_EQ(s->ReadLong(), int64_t(0x8807060504030201ull));
  EXPECT_EQ(s->ReadFloat(), 1.5f);
  EXPECT_EQ(s->ReadDouble(), -2.5);
  EXPECT_EQ(s->ReadByte(), 0xAB);
  EXPECT_EQ(s->ReadShort(), 0xFFFE);  // still unsigned
}

TEST(Stream, WritesKeepTheLowBitsInEitherOrder) {
  struct Case {
    bool big;
    std::vector<unsigned char> expected;
  };
  const Case cases[] = {
      {false, {0x34, 0x78, 0x56, 0x04, 0x03, 0x02, 0x01, 8, 7, 6, 5, 4,    3,   2,
               1,    0x00, 0x00, 0xC0, 0x3F, 0,    0,    0, 0, 0, 0, 0x04, 0xC0}},
      {true, {0x34, 0x56, 0x78, 0x01, 0x02, 0x03, 0x04, 1, 2, 3, 4, 5, 6, 7,
              8,    0x3F, 0xC0, 0x00, 0x00, 0xC0, 0x04, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> bytes(c.expected.size() + 4, 0xEE);
    Ref<TStream> ram = CreateRamStream(bytes.data(), int(bytes.size()), 1, 1);
    Ref<TStream> s = c.big ? BigEndianStream(ram) : LittleEndianStream(ram);
    EXPECT_EQ(s->WriteByte(0x1234), 0);  // low 8 bits: 0x34
    s->WriteShort(0x12345678);           // low 16 bits: 0x5678
    s->WriteInt(0x01020304);
    s->WriteLong(0x0102030405060708ll);
    s->WriteFloat(1.5f);
    s->WriteDouble(-2.5);
    bytes.resize(c.expected.size());
    EXPECT_EQ(bytes, c.expected) << (c.big ? "big" : "little");
  }
}

TEST(Stream, LittleEndianIsTheStreamItself) {
  std::vector<unsigned char> bytes(4);
  Ref<TStream> s = Over(bytes);
  EXPECT_EQ(LittleEndianStream(s).get(), s.get());
  EXPECT_FALSE(BigEndianStream(nullptr));
}

TEST(Stream, ShortReadThrowsAfterConsumingWhatWasThere) {
  std::vector<unsigned char> bytes = {1, 2, 3};
  Ref<TStream> s = Over(bytes);
  try {
    s->ReadInt();
    FAIL() << "no exception";
  } catch (const TStreamReadException& e) {
    EXPECT_EQ(e.ToString(), "Error reading from stream");
  }
  EXPECT_EQ(s->Pos(), 3);
  EXPECT_EQ(s->Eof(), 1);
}

TEST(Stream, ExactOperationsThrowAtTheEnd) {
  std::vector<unsigned char> bytes(3);
  Ref<TStream> s = Over(bytes);
  unsigned char buf[8];
  EXPECT_THROW(s->ReadBytes(buf, 4), TStreamReadException);
  s->Seek(0);
  EXPECT_THROW(s->SkipBytes(4), TStreamReadException);
  s->Seek(0);
  EXPECT_THROW(s->ReadString(4), TStreamReadException);
  s->Seek(1);
  try {
    s->WriteInt(7);  // a ram stream never grows: 2 bytes fit
    FAIL() << "no exception";
  } catch (const TStreamWriteException& e) {
    EXPECT_EQ(e.ToString(), "Error writing to stream");
  }
  EXPECT_EQ(s->Pos(), 3);
  // A bogus length on a short stream fails without taking the memory first.
  s->Seek(0);
  EXPECT_THROW(s->ReadString(2000000000), TStreamReadException);
}

TEST(Stream, ExactReadsLoopOverShortTransfers) {
  std::vector<unsigned char> bytes(3000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7);
  Trickle s(bytes, 5);
  std::vector<unsigned char> got(2000);
  EXPECT_EQ(s.ReadBytes(got.data(), 2000), 2000);
  EXPECT_TRUE(std::equal(got.begin(), got.end(), bytes.begin()));
  EXPECT_EQ(s.SkipBytes(999), 999);  // over the 1024-byte scratch in pieces
  EXPECT_EQ(s.ReadByte(), uint8_t(2999 * 7));
}

TEST(Stream, ReadLineStopsAtLfOrNulAndDropsCr) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;  // then "" at the end of data
  };
  const Case cases[] = {
      {std::string("a\r\nb"), {"a", "b"}},
      {std::string("one\ntwo\n"), {"one", "two"}},
      {std::string("x\0y", 3), {"x", "y"}},
      {std::string("c\rr\r\n\n"), {"cr", ""}},
      {std::string(""), {}},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> bytes(c.bytes.begin(), c.bytes.end());
    Ref<TStream> s = Over(bytes);
    for (const std::string& line : c.lines) EXPECT_EQ(s->ReadLine(), line);
    EXPECT_EQ(s->Eof(), 1);
    EXPECT_EQ(s->ReadLine(), "");  // end of data never throws
  }
}

TEST(Stream, ReadLineIsLongerThanItsFirstBuffer) {
  std::vector<unsigned char> bytes(5000, 'q');
  bytes.push_back('\n');
  Ref<TStream> s = Over(bytes);
  EXPECT_EQ(s->ReadLine(), std::string(5000, 'q'));
}

TEST(Stream, EightBitStringsRoundTrip) {
  std::vector<unsigned char> bytes(16, 0);
  Ref<TStream> s = Over(bytes);
  s->WriteString("\xC3\xA9t\xC3\xA9");  // "été": three characters, three bytes
  EXPECT_EQ(s->Pos(), 3);
  EXPECT_EQ(bytes[0], 0xE9);
  EXPECT_EQ(bytes[1], 't');
  EXPECT_EQ(s->WriteLine("\xC3\xBF"), 1);  // 0xFF, CR, LF
  EXPECT_EQ(bytes[3], 0xFF);
  EXPECT_EQ(bytes[4], 13);
  EXPECT_EQ(bytes[5], 10);
  s->Seek(0);
  EXPECT_EQ(s->ReadString(3), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(s->ReadLine(), "\xC3\xBF");
}

TEST(Stream, WriteLineReportsAShortWriteWithoutThrowing) {
  std::vector<unsigned char> bytes(4);
  Ref<TStream> s = Over(bytes);
  EXPECT_EQ(s->WriteLine("abc"), 0);  // "abc" fits, CR LF only half
  EXPECT_EQ(bytes[3], 13);
}

TEST(Stream, BaseStreamIsNeitherReadableNorWriteable) {
  Ref<TStream> s = MakeRef<TStream>();
  char c;
  try {
    s->Read(&c, 1);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Text(), "Stream is not readable");
  }
  try {
    s->WriteByte(1);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Text(), "Stream is not writeable");
  }
  EXPECT_EQ(s->Pos(), -1);
  EXPECT_EQ(s->Size(), 0);
  EXPECT_EQ(s->Seek(3), -1);
  EXPECT_EQ(s->Eof(), 0);
  try {
    s->ReadObject();
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Text(), "Unable to read object");
  }
  EXPECT_THROW(s->WriteObject(nullptr), RuntimeError);
}

TEST(RamStream, ClampsSeeksAndNeverGrows) {
  std::vector<unsigned char> bytes = {1, 2, 3, 4};
  Ref<TRamStream> s = CreateRamStream(bytes.data(), 4, 1, 1);
  EXPECT_EQ(s->Seek(-5), 0);
  EXPECT_EQ(s->Seek(9), 4);
  EXPECT_EQ(s->Seek(2), 2);
  const unsigned char in[4] = {9, 9, 9, 9};
  EXPECT_EQ(s->Write(in, 4), 2);
  EXPECT_EQ(s->Write(in, 4), 0);
  EXPECT_EQ(s->Size(), 4);
  EXPECT_EQ(bytes, (std::vector<unsigned char>{1, 2, 9, 9}));
  unsigned char out[4];
  s->Seek(0);
  EXPECT_EQ(s->Read(out, 0), 0);
  EXPECT_EQ(s->Read(out, -1), 0);
  EXPECT_EQ(s->Read(out, 9), 4);
}

TEST(RamStream, FlagsForbidReadingOrWriting) {
  std::vector<unsigned char> bytes = {1, 2};
  Ref<TRamStream> ro = CreateRamStream(bytes.data(), 2, 1, 0);
  Ref<TRamStream> wo = CreateRamStream(bytes.data(), 2, 0, 1);
  unsigned char b = 7;
  EXPECT_EQ(ro->Write(&b, 1), 0);
  EXPECT_EQ(wo->Read(&b, 1), 0);
  EXPECT_EQ(bytes[0], 1);
}

TEST(StreamStream, CloseDetachesAndLeavesTheInnerStreamOpen) {
  std::vector<unsigned char> bytes = {5, 6, 7};
  Ref<TStream> inner = Over(bytes);
  Ref<TStreamStream> outer = MakeRef<TStreamStream>(inner);
  EXPECT_EQ(outer->ReadByte(), 5);
  EXPECT_EQ(outer->Pos(), 1);
  outer->Close();
  EXPECT_FALSE(outer->_stream);
  EXPECT_EQ(outer->Pos(), -1);
  EXPECT_THROW(outer->ReadByte(), RuntimeError);
  EXPECT_EQ(inner->ReadByte(), 6);
}

TEST(StreamWrapper, ForwardsLongReadsOfASwappingStream) {
  // A plain wrapper around a big-endian stream must not fall back to the
  // little-endian base reading for 8-byte values.
  std::vector<unsigned char> bytes = {0, 0, 0, 0, 0, 0, 0, 5};
  Ref<TStreamStream> outer = MakeRef<TStreamStream>(BigEndianStream(Over(bytes)));
  EXPECT_EQ(outer->ReadLong(), 5);
}

}  // namespace
