#include "media/stream_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/runtime_error.h"
#include "media/media_module.h"
#include "media/ram_stream.h"
#include "media/stream_exception.h"
#include "tests/support/temp_dir.h"

namespace {

// A readable stream with no position (like a socket): Eof never reports 1.
class Endless : public TStream {
 public:
  explicit Endless(int bytes) : left_(bytes) {}
  int Read(void* buf, int count) override {
    const int n = std::min(count, left_);
    std::memset(buf, 'z', size_t(std::max(n, 0)));
    left_ -= n;
    return n;
  }

 private:
  int left_;
};

class StreamHelpers : public testing::Test {
 protected:
  void SetUp() override { InitMedia(); }
  TempDir dir;
};

TEST_F(StreamHelpers, ByteArraysRoundTripThroughFiles) {
  std::vector<unsigned char> bytes(5000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 13);
  SaveByteArray(bytes, dir.File("a.bin"));
  EXPECT_EQ(LoadByteArray(dir.File("a.bin")), bytes);
  EXPECT_TRUE(LoadByteArray(Ref<TStream>(CreateRamStream(bytes.data(), 0))).empty());
  EXPECT_THROW(LoadByteArray(dir.File("missing")), TStreamReadException);
  EXPECT_THROW(SaveByteArray(bytes, "incbin::x"), TStreamWriteException);
}

TEST_F(StreamHelpers, LoadByteArrayStopsWhenAStreamWithoutPositionRunsDry) {
  Ref<TStream> s = MakeRef<Endless>(3000);
  EXPECT_EQ(LoadByteArray(s).size(), 3000u);
}

TEST_F(StreamHelpers, StringsAreEightBitsPerCharacter) {
  SaveString("caf\xC3\xA9", dir.File("s.txt"));
  EXPECT_EQ(ReadWholeFile(dir.File("s.txt")), "caf\xE9");
  EXPECT_EQ(LoadString(dir.File("s.txt")), "caf\xC3\xA9");
  EXPECT_THROW(SaveString("x", "nosuch::x"), TStreamWriteException);
}

TEST_F(StreamHelpers, ObjectsNeedAnObjectStream) {
  SaveString("x", dir.File("o"));
  EXPECT_THROW(LoadObject(dir.File("o")), RuntimeError);
  EXPECT_THROW(LoadObject(dir.File("missing")), TStreamReadException);
  EXPECT_THROW(SaveObject(nullptr, dir.File("o")), RuntimeError);
}

TEST_F(StreamHelpers, CopyStreamAndCopyBytes) {
  std::vector<unsigned char> src(1000), dst(1000, 0);
  for (size_t i = 0; i < src.size(); ++i) src[i] = uint8_t(i);
  Ref<TRamStream> from = CreateRamStream(src.data(), 1000);
  Ref<TRamStream> to = CreateRamStream(dst.data(), 1000, 0, 1);
  CopyStream(from, to, 64);
  EXPECT_EQ(src, dst);

  Ref<TStream> endless = MakeRef<Endless>(100);
  std::vector<unsigned char> sink(200);
  Ref<TRamStream> out = CreateRamStream(sink.data(), 200, 0, 1);
  CopyStream(endless, out, 7);  // ends when the source delivers nothing
  EXPECT_EQ(out->Pos(), 100);

  from->Seek(990);
  to->Seek(0);
  EXPECT_THROW(CopyBytes(from, to, 20, 8), TStreamReadException);
  EXPECT_EQ(to->Pos(), 8);  // one whole piece of 8 moved before the short one
}

TEST_F(StreamHelpers, CasedFileNameFindsComponentsIgnoringCase) {
  namespace fs = std::filesystem;
  fs::create_directories(dir.path() / "Data" / "Pics");
  std::ofstream(dir.path() / "Data" / "Pics" / "Wall.BMP") << "x";
  const std::string root = dir.path().string();
  EXPECT_EQ(CasedFileName(root + "/Data/Pics/Wall.BMP"), root + "/Data/Pics/Wall.BMP");
  EXPECT_EQ(CasedFileName(root + "/data/PICS/wall.bmp"), root + "/Data/Pics/Wall.BMP");
  EXPECT_EQ(CasedFileName(root + "/data/pics"), root + "/Data/Pics");
  EXPECT_EQ(CasedFileName(root + "/data/none.bmp"), "");
}

}  // namespace
