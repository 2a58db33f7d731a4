#include "audio/wav_loader.h"

#include <algorithm>
#include <cstring>

#include "audio/audio_module.h"
#include "media/endian_stream.h"

namespace {

constexpr int kMaxHertz = 1000000;

bool ReadTag(TStream& s, const char* expected) {
  char tag[4];
  s.ReadBytes(tag, 4);
  return std::memcmp(tag, expected, 4) == 0;
}

// Chunk sizes are unsigned 32-bit on disk.
int64_t ReadSize(TStream& s) { return int64_t{uint32_t(s.ReadInt())}; }

int64_t Remaining(TStream& s) { return int64_t{s.Size()} - s.Pos(); }

int SampleFormat(int bits, int channels) {
  if (bits == 8 && channels == 1) return SF_MONO8;
  if (bits == 8 && channels == 2) return SF_STEREO8;
  if (bits == 16 && channels == 1) return SF_MONO16LE;
  if (bits == 16 && channels == 2) return SF_STEREO16LE;
  return 0;
}

// Skips count bytes and the pad byte of an odd count (absent at the very end
// of a file). False when the stream is shorter than count.
bool SkipChunk(TStream& s, int64_t count) {
  const int64_t remaining = Remaining(s);
  if (count > remaining) return false;
  const int64_t skip = std::min(count + (count & 1), remaining);
  return s.Seek(s.Pos() + int(skip)) >= 0;
}

}  // namespace

void InitWavAudioLoader() {
  static bool done = false;
  if (done) return;
  done = true;
  new TAudioSampleLoaderWAV();
}

Ref<TAudioSample> TAudioSampleLoaderWAV::LoadAudioSample(TStream* stream) {
  Ref<TStream> s = LittleEndianStream(stream);
  if (!s) return nullptr;
  if (!ReadTag(*s, "RIFF")) return nullptr;
  s->ReadInt();  // RIFF size: not trusted, the chunks are checked one by one
  if (!ReadTag(*s, "WAVE")) return nullptr;
  if (!ReadTag(*s, "fmt ")) return nullptr;

  const int64_t fmt_size = ReadSize(*s);
  if (fmt_size < 16) return nullptr;
  const int tag = s->ReadShort();
  const int channels = s->ReadShort();
  const int32_t hertz = s->ReadInt();
  s->ReadInt();    // byte rate
  s->ReadShort();  // block align
  const int bits = s->ReadShort();
  if (tag != 1) return nullptr;
  const int format = SampleFormat(bits, channels);
  if (format == 0 || hertz < 1 || hertz > kMaxHertz) return nullptr;
  if (!SkipChunk(*s, fmt_size - 16)) return nullptr;

  while (!s->Eof()) {
    char id[4];
    s->ReadBytes(id, 4);
    const int64_t size = ReadSize(*s);
    if (size > Remaining(*s)) return nullptr;
    if (std::memcmp(id, "data", 4) != 0) {
      if (!SkipChunk(*s, size)) return nullptr;
      continue;
    }
    const int frames = int(size / BytesPerSample[format]);
    Ref<TAudioSample> sample = CreateAudioSample(frames, hertz, format);
    if (!sample) return nullptr;
    s->ReadBytes(sample->samples, frames * BytesPerSample[format]);
    return sample;
  }
  return nullptr;
}
