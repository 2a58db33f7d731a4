#include "media/pixmap_loader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/media_module.h"
#include "media/ram_stream.h"
#include "media/stream_exception.h"

namespace {

// A reader for the test's own 4-byte tags. It records every stream position it
// starts from, reads all four bytes (so the next reader needs the rewind), and
// answers with a 1 x 1 pixmap of `value` when the tag is its own. The tag "THRW"
// makes it throw `T`.
template <class T = TStreamReadException>
class TagReader : public TPixmapLoader {
 public:
  TagReader(std::string tag, unsigned char value) : tag_(std::move(tag)), value_(value) {}
  Ref<TPixmap> LoadPixmap(TStream* stream) override {
    starts.push_back(stream->Pos());
    char got[4];
    stream->ReadBytes(got, 4);
    if (std::string(got, 4) == "THRW") throw T("thrown");
    if (std::string(got, 4) != tag_) return nullptr;
    Ref<TPixmap> p = CreatePixmap(1, 1, PF_I8);
    p->pixels[0] = value_;
    return p;
  }
  std::vector<int> starts;

 private:
  std::string tag_;
  unsigned char value_;
};

// Stream exceptions take no text; this one only exists to be thrown above.
struct ShortData : TStreamReadException {
  explicit ShortData(const char*) {}
};

// A stream that records whether it was closed and can hide its position.
class Probe : public TRamStream {
 public:
  int Pos() const override { return positionless ? -1 : TRamStream::Pos(); }
  int Close() override {
    ++closes;
    return 0;
  }
  bool positionless = false;
  int closes = 0;
};

Ref<Probe> ProbeOver(const std::string& bytes) {
  Ref<Probe> p = MakeRef<Probe>();
  p->_buf = reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data()));
  p->_size = int(bytes.size());
  p->_read = 1;
  return p;
}

class PixmapLoaderTest : public testing::Test {
 protected:
  void SetUp() override { InitMedia(); }
};

TEST_F(PixmapLoaderTest, NewestReaderFirstEachFromTheStart) {
  TagReader<ShortData> older("AAAA", 1);
  TagReader<ShortData> newer("BBBB", 2);
  EXPECT_EQ(PixmapLoaders(), &newer);
  EXPECT_EQ(newer._succ, &older);
  const std::string data = "xxAAAA";
  Ref<Probe> s = ProbeOver(data);
  s->Seek(2);  // the picture starts where the stream stands, not at 0
  Ref<TPixmap> p = LoadPixmap(s);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->pixels[0], 1);
  EXPECT_EQ(newer.starts, std::vector<int>{2});
  EXPECT_EQ(older.starts, std::vector<int>{2});
  // The stream given was wrapped: the chain's Close left it open.
  EXPECT_EQ(s->closes, 0);

  const std::string b = "BBBB";
  Ref<TPixmap> q = LoadPixmap(ProbeOver(b));
  ASSERT_TRUE(q);
  EXPECT_EQ(q->pixels[0], 2);
  EXPECT_EQ(older.starts.size(), 1u);  // not asked once the newer one accepted
}

TEST_F(PixmapLoaderTest, StreamExceptionsCountAsDeclining) {
  TagReader<ShortData> older("THRX", 1);
  TagReader<ShortData> newer("CCCC", 2);
  const std::string data = "THRW";
  EXPECT_FALSE(LoadPixmap(ProbeOver(data)));
  EXPECT_EQ(older.starts.size(), 1u);  // asked after the newer one threw
  const std::string tiny = "TH";       // every reader runs out of data
  EXPECT_FALSE(LoadPixmap(ProbeOver(tiny)));
}

TEST_F(PixmapLoaderTest, OtherExceptionsPropagate) {
  TagReader<std::runtime_error> reader("DDDD", 1);
  const std::string data = "THRW";
  EXPECT_THROW(LoadPixmap(ProbeOver(data)), std::runtime_error);
}

// Opens "probe::" locations as the probe below, so that LoadPixmap owns the
// stream it closes.
struct ProbeFactory : TStreamFactory {
  Ref<TStream> CreateStream(const StreamLocation&, const std::string& proto, const std::string&, int,
                            int) override {
    return proto == "probe" ? Ref<TStream>(probe) : nullptr;
  }
  Ref<Probe> probe;
};

TEST_F(PixmapLoaderTest, UnrecognisedDataGivesNullAndClosesTheStream) {
  TagReader<ShortData> reader("EEEE", 1);
  ProbeFactory factory;
  const std::string data = "ZZZZ";
  factory.probe = ProbeOver(data);
  EXPECT_FALSE(LoadPixmap("probe::x"));
  EXPECT_EQ(factory.probe->closes, 1);
  EXPECT_FALSE(LoadPixmap("nosuch::x"));
  EXPECT_FALSE(LoadPixmap("/no/such/file.bmp"));
}

TEST_F(PixmapLoaderTest, StreamWithoutPositionGivesNull) {
  TagReader<ShortData> reader("FFFF", 1);
  ProbeFactory factory;
  const std::string data = "FFFF";
  factory.probe = ProbeOver(data);
  factory.probe->positionless = true;
  EXPECT_FALSE(LoadPixmap("probe::x"));
  EXPECT_TRUE(reader.starts.empty());
  EXPECT_EQ(factory.probe->closes, 1);
}

TEST_F(PixmapLoaderTest, BytesLeftBoundsPictures) {
  const std::string data = "0123456789";
  Ref<Probe> s = ProbeOver(data);
  s->Seek(3);
  EXPECT_EQ(StreamBytesLeft(s), 7);
  s->positionless = true;
  EXPECT_EQ(StreamBytesLeft(s), -1);
}

}  // namespace
