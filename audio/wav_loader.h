// The WAV reader: RIFF "WAVE" files holding uncompressed PCM, 8-bit unsigned
// or 16-bit signed little-endian, mono or stereo.
//
// The "fmt " chunk must come first; chunks other than "data" are skipped until
// the first "data" chunk, which becomes the sample; nothing after it is read.
// Choices for malformed files:
//   - odd-sized chunks are followed by their RIFF pad byte, which is skipped;
//   - a "data" chunk whose size is not a whole number of frames gives the
//     whole frames; the partial frame's bytes are left unread;
//   - a chunk that claims more bytes than the stream holds (a truncated file)
//     gives null, before anything is allocated for it;
//   - a format chunk shorter than 16 bytes, or a rate outside 1..1000000 Hz,
//     gives null.
#pragma once

#include "audio/audio_sample_loader.h"

class TAudioSampleLoaderWAV : public TAudioSampleLoader {
 public:
  Ref<TAudioSample> LoadAudioSample(TStream* stream) override;
};
