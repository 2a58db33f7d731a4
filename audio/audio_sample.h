// Audio samples: blocks of PCM sound in main memory.
//
// A frame is one sample point of every channel. A sample holds `length` frames
// at `hertz` frames per second in one of six formats:
//
//   1  mono 8-bit unsigned (128 = silence)     4  stereo 8-bit unsigned
//   2  mono 16-bit little-endian               5  stereo 16-bit little-endian
//   3  mono 16-bit big-endian                  6  stereo 16-bit big-endian
//
// Format 6 is the standard format: every conversion between two other formats
// passes through it. Format 0 means "no format" (0 channels, 0 bytes).
#pragma once

#include <cstdint>

#include "core/object.h"

enum {
  SF_MONO8 = 1,
  SF_MONO16LE = 2,
  SF_MONO16BE = 3,
  SF_STEREO8 = 4,
  SF_STEREO16LE = 5,
  SF_STEREO16BE = 6,
  SF_STDFORMAT = SF_STEREO16BE,
};

// Channels and bytes of one frame, indexed by format 0..6.
extern const int ChannelsPerSample[7];
extern const int BytesPerSample[7];

class TAudioSample : public Object {
 public:
  ~TAudioSample() override;

  // A sample owning length frames of uninitialised memory; null for a format
  // outside 1..6 or a negative length.
  static Ref<TAudioSample> Create(int length, int hertz, int format);
  // A sample over memory it does not own (capacity -1); the caller keeps the
  // memory alive for as long as the sample is used.
  static Ref<TAudioSample> CreateStatic(uint8_t* samples, int length, int hertz, int format);

  Ref<TAudioSample> Copy() const;
  // A new sample with every frame converted; raises "Unimplemented sample
  // format conversion" for a format outside 1..6.
  Ref<TAudioSample> Convert(int to_format) const;

  uint8_t* samples = nullptr;
  int length = 0;
  int hertz = 0;
  int format = 0;
  int capacity = -1;  // bytes owned at samples; -1 when not owned
};

inline Ref<TAudioSample> CreateAudioSample(int length, int hertz, int format) {
  return TAudioSample::Create(length, hertz, format);
}
inline Ref<TAudioSample> CreateStaticAudioSample(uint8_t* samples, int length, int hertz, int format) {
  return TAudioSample::CreateStatic(samples, length, hertz, format);
}

// Frame copies and conversions between the six formats. count is in frames;
// src and dst must not overlap.
void CopySamples(const uint8_t* src, uint8_t* dst, int format, int count);
void ConvertSamples(const uint8_t* src, int src_format, uint8_t* dst, int dst_format, int count);
void ConvertSamplesToStdFormat(const uint8_t* src, uint8_t* dst, int format, int count);
void ConvertSamplesFromStdFormat(const uint8_t* src, uint8_t* dst, int format, int count);
