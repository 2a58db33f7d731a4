#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "media/streams.h"
#include "tests/support/temp_dir.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Bytes registered as resources for these tests; mutable so that a test can
// show that streams read them in place.
unsigned char sound_bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
unsigned char other_bytes[] = {0xAA};

class OpenStreamTest : public testing::Test {
 protected:
  void SetUp() override {
    InitMedia();
    RegisterResource("doing.wav", sound_bytes, sizeof sound_bytes);
  }
};

TEST_F(OpenStreamTest, RegisteringANameTwiceKeepsTheFirstData) {
  EXPECT_EQ(RegisterResource("doing.wav", other_bytes, 1), 0);
  EXPECT_EQ(ResourceData("doing.wav"), sound_bytes);
  EXPECT_EQ(ResourceLength("doing.wav"), 6);
  EXPECT_EQ(ResourceData("nothing"), nullptr);
  EXPECT_EQ(ResourceLength("nothing"), 0);
  EXPECT_EQ(RegisterResource("span.bin", std::span<const unsigned char>(other_bytes, 1)), 1);
  EXPECT_EQ(ResourceLength("span.bin"), 1);
}

TEST_F(OpenStreamTest, IncbinReadsTheResourceInPlace) {
  Ref<TStream> s = ReadStream("incbin::doing.wav");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Size(), 6);
  EXPECT_EQ(s->ReadByte(), 0x01);
  sound_bytes[1] = 0x42;  // no copy was made: the stream sees the change
  EXPECT_EQ(s->ReadByte(), 0x42);
  sound_bytes[1] = 0x02;
}

TEST_F(OpenStreamTest, ProtocolIsCaseInsensitiveNamesAreNot) {
  EXPECT_TRUE(ReadStream("INCBIN::doing.wav"));
  EXPECT_TRUE(ReadStream("InCbIn::doing.wav"));
  EXPECT_FALSE(ReadStream("incbin::DOING.WAV"));
  EXPECT_FALSE(ReadStream("incbin::"));
}

TEST_F(OpenStreamTest, ResourcesCannotBeOpenedForWriting) {
  EXPECT_FALSE(OpenStream("incbin::doing.wav", 1, 1));
  EXPECT_FALSE(WriteStream("incbin::doing.wav"));
  EXPECT_TRUE(OpenStream("incbin::doing.wav", 1, 0));
}

TEST_F(OpenStreamTest, UnknownProtocolsAndEmptyLocationsGiveNull) {
  EXPECT_FALSE(ReadStream("nosuch::doing.wav"));
  EXPECT_FALSE(ReadStream(""));
  EXPECT_FALSE(ReadStream(nullptr));
  // "::" anywhere makes a protocol location, never a file path.
  TempDir dir;
  WriteFile(dir.File("a::b"), "x");
  EXPECT_FALSE(ReadStream(dir.File("a::b")));
}

TEST_F(OpenStreamTest, EndianLocationsNest) {
  Ref<TStream> big = ReadStream("bigendian::incbin::doing.wav");
  ASSERT_TRUE(big);
  EXPECT_EQ(big->ReadShort(), 0x0102);
  EXPECT_EQ(big->ReadInt(), 0x03040506);
  Ref<TStream> little = ReadStream("LittleEndian::incbin::doing.wav");
  ASSERT_TRUE(little);
  EXPECT_EQ(little->ReadShort(), 0x0201);
  EXPECT_FALSE(ReadStream("bigendian::incbin::missing"));
  EXPECT_FALSE(OpenStream("bigendian::incbin::doing.wav", 1, 1));
}

TEST_F(OpenStreamTest, AnOpenStreamComesBackWrappedAndSurvivesClose) {
  Ref<TStream> s = ReadStream("incbin::doing.wav");
  Ref<TStream> again = ReadStream(s);
  ASSERT_TRUE(again);
  EXPECT_NE(again.get(), s.get());
  EXPECT_EQ(again->ReadByte(), 1);
  again->Close();
  again = nullptr;
  EXPECT_EQ(s->ReadByte(), 2);  // still open, position kept
  TStream* raw = s.get();
  EXPECT_TRUE(ReadStream(raw));
}

TEST_F(OpenStreamTest, NewestFactoryIsAskedFirst) {
  // Two factories for one protocol, each answering with a stream over its own
  // byte: the one made last must win; the older one still serves the other
  // protocol.
  struct Fixed : TStreamFactory {
    Fixed(std::string proto, unsigned char* byte) : proto(std::move(proto)), byte(byte) {}
    Ref<TStream> CreateStream(const StreamLocation&, const std::string& p, const std::string&, int,
                              int) override {
      return p == proto || p == "older" + proto ? CreateRamStream(byte, 1, 1, 0) : nullptr;
    }
    std::string proto;
    unsigned char* byte;
  };
  static unsigned char first = 1, second = 2;
  auto* older = new Fixed("order", &first);
  auto* newer = new Fixed("order", &second);
  EXPECT_EQ(StreamFactories(), newer);
  EXPECT_EQ(newer->_succ, older);
  EXPECT_EQ(ReadStream("order::x")->ReadByte(), 2);
  static unsigned char third = 3;
  new Fixed("olderorder", &third);
  EXPECT_EQ(ReadStream("olderorder::x")->ReadByte(), 3);
}

TEST_F(OpenStreamTest, FactoriesSeeTheObjectAndTheSplitLocation) {
  struct Spy : TStreamFactory {
    Ref<TStream> CreateStream(const StreamLocation& url, const std::string& p, const std::string& path, int r,
                              int w) override {
      seen_object = url.object();
      proto = p;
      rest = path;
      readable = r;
      writeable = w;
      return nullptr;
    }
    Object* seen_object = nullptr;
    std::string proto, rest;
    int readable = -1, writeable = -1;
  };
  auto* spy = new Spy;
  EXPECT_FALSE(OpenStream("HTTP::Host::Path", 1, 1));
  EXPECT_EQ(spy->proto, "http");
  EXPECT_EQ(spy->rest, "Host::Path");
  EXPECT_EQ(spy->readable, 1);
  EXPECT_EQ(spy->writeable, 1);
  Ref<Object> thing = MakeRef<Object>();
  EXPECT_FALSE(WriteStream(thing));
  EXPECT_EQ(spy->seen_object, thing.get());
  EXPECT_EQ(spy->proto, "");
  EXPECT_EQ(spy->rest, "");
  EXPECT_EQ(spy->writeable, 1);
}

TEST_F(OpenStreamTest, FilesOpenInTheirModes) {
  TempDir dir;
  const std::string path = dir.File("data.bin");
  EXPECT_FALSE(ReadStream(path));  // missing
  {
    Ref<TStream> w = WriteStream(path);
    ASSERT_TRUE(w);
    w->WriteInt(0x11223344);
    w->WriteString("xyz");
    EXPECT_EQ(w->Pos(), 7);
    EXPECT_EQ(w->Size(), 7);
  }  // destroying the stream closes (and flushes) the file
  EXPECT_EQ(ReadWholeFile(path), std::string("\x44\x33\x22\x11xyz", 7));

  Ref<TStream> r = ReadStream(path);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Size(), 7);
  EXPECT_EQ(r->Seek(4), 4);
  EXPECT_EQ(r->ReadString(3), "xyz");
  EXPECT_EQ(r->Eof(), 1);
  char c;
  EXPECT_EQ(r->Write(&c, 1), 0);  // opened read-only
  r->Close();
  EXPECT_EQ(r->Pos(), 0);
  EXPECT_EQ(r->Size(), 0);
  EXPECT_EQ(r->Close(), 0);

  // Read and write: the file is kept; writing past the end grows it, and reads
  // after writes (and the reverse) see the right bytes.
  Ref<TStream> rw = OpenStream(path, 1, 1);
  ASSERT_TRUE(rw);
  EXPECT_EQ(rw->ReadByte(), 0x44);
  rw->WriteByte('A');
  EXPECT_EQ(rw->ReadByte(), 0x22);
  rw->Seek(7);
  rw->WriteShort(0x4242);
  EXPECT_EQ(rw->Size(), 9);
  rw->Seek(1);
  EXPECT_EQ(rw->ReadByte(), 'A');
  rw->Close();
  EXPECT_EQ(ReadWholeFile(path), std::string("\x44\x41\x22\x11xyzBB", 9));

  // Write-only truncates.
  WriteStream(path);
  EXPECT_EQ(ReadWholeFile(path), "");
}

TEST_F(OpenStreamTest, ClosingAnEndianWrapperClosesTheStreamInside) {
  TempDir dir;
  const std::string path = dir.File("big.bin");
  Ref<TStream> file = WriteStream(path);
  Ref<TStream> big = BigEndianStream(file);
  big->WriteInt(0x01020304);
  big->WriteShort(0xABCD);
  EXPECT_EQ(file->Size(), 6);
  big->Close();
  EXPECT_EQ(file->Size(), 0);  // closed: a closed file stream has no size
  EXPECT_EQ(ReadWholeFile(path), std::string("\x01\x02\x03\x04\xAB\xCD", 6));
  // A location written through the protocol is closed when dropped.
  WriteStream("bigendian::" + path)->WriteShort(0x0102);
  EXPECT_EQ(ReadWholeFile(path), std::string("\x01\x02", 2));
}

TEST_F(OpenStreamTest, BackslashesInFilePathsBecomeSlashes) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "sub");
  WriteFile(dir.File("sub/file.txt"), "hello");
  std::string windows = dir.File("sub") + "\\file.txt";
  Ref<TStream> s = ReadStream(windows);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ReadLine(), "hello");
}

TEST_F(OpenStreamTest, DirectoriesDoNotOpenAsFiles) {
  TempDir dir;
  EXPECT_FALSE(ReadStream(dir.path().string()));
}

TEST_F(OpenStreamTest, BanksOpenAsStreams) {
  Ref<TBank> bank = CreateBank(2);
  PokeShort(bank, 0, 0xBEEF);
  Ref<TStream> s = ReadStream(bank);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ReadShort(), 0xBEEF);
  EXPECT_TRUE(ReadStream(bank.get()));
}

}  // namespace
