#include "audio/audio_sample_loader.h"

#include "core/runtime_error.h"
#include "media/media_errors.h"
#include "media/stream_exception.h"

namespace {

TAudioSampleLoader* loaders = nullptr;

}  // namespace

TAudioSampleLoader::TAudioSampleLoader() {
  Retain();  // the chain keeps every reader for the run
  _succ = loaders;
  loaders = this;
}

TAudioSampleLoader* AudioSampleLoaders() { return loaders; }

int AddAudioSampleLoader(TAudioSampleLoader*) { return 0; }

Ref<TAudioSample> LoadAudioSample(const StreamLocation& url) {
  Ref<TStream> stream = ReadStream(url);
  if (!stream) return nullptr;
  const int start = stream->Pos();
  if (start == -1) throw RuntimeError(media_errors::kStreamNotSeekable);
  Ref<TAudioSample> sample;
  for (TAudioSampleLoader* loader = loaders; loader && !sample; loader = loader->_succ) {
    stream->Seek(start);
    try {
      sample = loader->LoadAudioSample(stream);
    } catch (const TStreamException&) {
      sample = nullptr;
    }
  }
  stream->Close();
  return sample;
}
