// The audio reader chain. Each reader (TAudioSampleLoader) joins the head of
// the chain when constructed, once, by its module's initialiser; the newest is
// asked first. LoadAudioSample opens the location, and hands the stream to
// each reader in turn, rewound to where it started; a reader declines by
// returning null, and a stream exception inside a reader counts as declining.
#pragma once

#include "audio/audio_sample.h"
#include "core/object.h"
#include "media/stream.h"
#include "media/stream_factory.h"

class TAudioSampleLoader : public Object {
 public:
  TAudioSampleLoader();
  TAudioSampleLoader(const TAudioSampleLoader&) = delete;
  TAudioSampleLoader& operator=(const TAudioSampleLoader&) = delete;

  // A sample read from the stream's current position, or null.
  virtual Ref<TAudioSample> LoadAudioSample(TStream* stream) = 0;

  TAudioSampleLoader* _succ = nullptr;  // the next (older) reader
};

// The newest reader; follow _succ for the others.
TAudioSampleLoader* AudioSampleLoaders();

// Null when the location does not open or no reader accepts it. Raises "Stream
// is not seekable" for a stream without a position.
Ref<TAudioSample> LoadAudioSample(const StreamLocation& url);

// Does nothing: constructing a reader registers it. Returns 0.
int AddAudioSampleLoader(TAudioSampleLoader* loader);
