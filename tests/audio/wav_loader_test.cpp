#include "audio/wav_loader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "audio/audio_module.h"
#include "core/runtime_error.h"
#include "media/media_module.h"
#include "media/ram_stream.h"
#include "media/resources.h"
#include "tests/audio/wav_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace wav;

struct WavLoader : ::testing::Test {
  void SetUp() override {
    InitMedia();
    InitWavAudioLoader();
  }

  // Loads bytes through a file, the way LoadSound reads a path.
  Ref<TAudioSample> Load(const std::string& bytes) {
    const std::string path = dir.File("sound.wav");
    std::ofstream(path, std::ios::binary) << bytes;
    return LoadAudioSample(path);
  }

  std::vector<uint8_t> Bytes(const TAudioSample& s) {
    return std::vector<uint8_t>(s.samples, s.samples + s.length * BytesPerSample[s.format]);
  }

  TempDir dir;
};

TEST_F(WavLoader, Stereo16LoadsAsFormat5AndIgnoresChunksAfterData) {
  // Three frames; after "data" come a "cue " chunk and a chunk that claims far
  // more bytes than the file has: neither is read.
  const std::string pcm = Samples16({1, -1, 1000, -1000, 32767, -32768});
  const std::string file =
      Riff(Fmt(2, 44100, 16) + Chunk("data", pcm) + Chunk("cue ", "abcd") + "LIST" + Le32(0x7FFFFFF0));
  Ref<TAudioSample> s = Load(file);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->format, 5);
  EXPECT_EQ(s->length, 3);
  EXPECT_EQ(s->hertz, 44100);
  EXPECT_EQ(Bytes(*s), std::vector<uint8_t>(pcm.begin(), pcm.end()));
}

TEST_F(WavLoader, FormatsByBitsAndChannels) {
  struct Case {
    int channels, bits, format;
  };
  for (const Case& c : {Case{1, 8, 1}, Case{2, 8, 4}, Case{1, 16, 2}, Case{2, 16, 5}}) {
    Ref<TAudioSample> s = Load(Riff(Fmt(c.channels, 8000, c.bits) + Chunk("data", std::string(8, 'x'))));
    ASSERT_TRUE(s) << c.channels << "x" << c.bits;
    EXPECT_EQ(s->format, c.format);
    EXPECT_EQ(s->length, 8 / BytesPerSample[c.format]);
    EXPECT_EQ(s->hertz, 8000);
  }
}

TEST_F(WavLoader, AcceptedVariations) {
  const std::string data = Chunk("data", Samples16({7, 8}));
  struct Case {
    const char* what;
    std::string file;
  };
  const Case cases[] = {
      {"18-byte format chunk", Riff(Fmt(1, 22050, 16, 1, Le16(0)) + data)},
      {"fact and LIST before data",
       Riff(Fmt(1, 22050, 16) + Chunk("fact", Le32(2)) + Chunk("LIST", "INFOab") + data)},
      {"odd-sized chunk with its pad byte", Riff(Fmt(1, 22050, 16) + Chunk("junk", "abc") + data)},
      {"odd-sized format chunk", Riff(Fmt(1, 22050, 16, 1, "x") + data)},
  };
  for (const Case& c : cases) {
    Ref<TAudioSample> s = Load(c.file);
    ASSERT_TRUE(s) << c.what;
    EXPECT_EQ(s->length, 2) << c.what;
    EXPECT_EQ(s->format, 2) << c.what;
    EXPECT_EQ(s->samples[0], 7) << c.what;
    EXPECT_EQ(s->samples[2], 8) << c.what;
  }
}

TEST_F(WavLoader, PartialFrameIsDropped) {
  // 7 bytes of stereo 16-bit: one whole frame, three bytes left over.
  Ref<TAudioSample> s = Load(Riff(Fmt(2, 44100, 16) + Chunk("data", "ABCDEFG")));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->length, 1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(s->samples), 4), "ABCD");
}

TEST_F(WavLoader, EmptyDataChunkGivesAnEmptySample) {
  Ref<TAudioSample> s = Load(Riff(Fmt(2, 44100, 16) + Chunk("data", "")));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->length, 0);
}

TEST_F(WavLoader, BadFilesGiveNull) {
  const std::string fmt = Fmt(2, 44100, 16);
  const std::string data = Chunk("data", Samples16({1, 2, 3, 4}));
  const std::string good = Riff(fmt + data);
  std::string not_riff = good;
  not_riff[0] = 'r';  // tags are case-sensitive
  std::string not_wave = good;
  std::memcpy(&not_wave[8], "AVI ", 4);
  std::string short_fmt = Riff("fmt " + Le32(14) + fmt.substr(8, 14) + data);
  struct Case {
    const char* what;
    std::string file;
  };
  const std::vector<Case> cases = {
      {"empty file", ""},
      {"not RIFF", not_riff},
      {"not WAVE", not_wave},
      {"fmt not first", Riff(Chunk("LIST", "abcd") + fmt + data)},
      {"non-PCM tag", Riff(Fmt(2, 44100, 16, 3) + data)},
      {"24-bit", Riff(Fmt(2, 44100, 24) + data)},
      {"32-bit", Riff(Fmt(1, 44100, 32) + data)},
      {"absurd channel count", Riff(Fmt(65535, 44100, 16) + data)},
      {"no channels", Riff(Fmt(0, 44100, 16) + data)},
      {"zero rate", Riff(Fmt(2, 0, 16) + data)},
      {"absurd rate", Riff(Fmt(2, -5, 16) + data)},
      {"format chunk shorter than 16", short_fmt},
      {"no data chunk", Riff(fmt + Chunk("LIST", "abcd"))},
      {"truncated in the RIFF header", good.substr(0, 6)},
      {"truncated in the format chunk", good.substr(0, 30)},
      {"truncated in a chunk header", Riff(fmt) + "da"},
      {"truncated data", good.substr(0, good.size() - 3)},
      {"data claims 4 GB", Riff(fmt + "data" + Le32(0xFFFFFFF0) + "abcd")},
      {"format chunk claims 4 GB", Riff("fmt " + Le32(0xFFFFFFFF) + fmt.substr(8) + data)},
      {"skipped chunk runs past the end", Riff(fmt + "LIST" + Le32(1000) + "abcd")},
  };
  for (const Case& c : cases) EXPECT_FALSE(Load(c.file)) << c.what;
}

TEST_F(WavLoader, EveryTruncationOfAGoodFileGivesNull) {
  const std::string good = Riff(Fmt(1, 8000, 8) + Chunk("LIST", "abc") + Chunk("data", "0123456789"));
  ASSERT_TRUE(Load(good));
  for (size_t n = 0; n + 1 < good.size(); ++n) EXPECT_FALSE(Load(good.substr(0, n))) << n;
}

TEST_F(WavLoader, LoadsFromEmbeddedResourceAndRewindsOpenStreams) {
  static const std::string file = Riff(Fmt(1, 11025, 16) + Chunk("data", Samples16({5, 6, 7})));
  RegisterResource("wav_loader_test.wav", file.data(), int(file.size()));
  Ref<TAudioSample> s = LoadAudioSample("incbin::wav_loader_test.wav");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->length, 3);
  EXPECT_EQ(s->hertz, 11025);

  // An open stream is read from where it stands.
  const std::string prefixed = "xyz" + file;
  Ref<TRamStream> stream = CreateRamStream(prefixed.data(), int(prefixed.size()));
  stream->Seek(3);
  s = LoadAudioSample(Ref<TStream>(stream));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->length, 3);

  EXPECT_FALSE(LoadAudioSample("incbin::no such sound.wav"));
  EXPECT_FALSE(LoadAudioSample(dir.File("missing.wav")));
}

// A readable stream that cannot tell its position.
class UnpositionedStream : public TStream {
 public:
  int Read(void*, int) override { return 0; }
};

TEST_F(WavLoader, StreamWithoutPositionIsAnError) {
  Ref<TStream> stream = MakeRef<UnpositionedStream>();
  try {
    LoadAudioSample(stream);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Text(), "Stream is not seekable");
  }
}

TEST_F(WavLoader, ChainAsksNewestReaderFirst) {
  struct Counting : TAudioSampleLoader {
    Ref<TAudioSample> LoadAudioSample(TStream*) override {
      ++calls;
      return nullptr;
    }
    int calls = 0;
  };
  TAudioSampleLoader* before = AudioSampleLoaders();
  auto* counting = new Counting();
  EXPECT_EQ(AudioSampleLoaders(), counting);
  EXPECT_EQ(counting->_succ, before);
  EXPECT_EQ(AddAudioSampleLoader(counting), 0);
  EXPECT_TRUE(Load(Riff(Fmt(1, 8000, 8) + Chunk("data", "ab"))));  // declined, then the WAV reader
  EXPECT_EQ(counting->calls, 1);
}

}  // namespace
