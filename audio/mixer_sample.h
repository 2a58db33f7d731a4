// The mixer's own copy of a sound's PCM data.
//
// 8-bit data is unsigned (128 = silence), 16-bit data signed in host
// (little-endian) order; stereo frames interleave left and right. One guard
// frame follows the last frame so that interpolating the last frame never
// reads past the data: a copy of the first frame for a looping sample (the
// sound continues there), else a copy of the last frame (the sound holds).
//
// refs counts the driver's sound plus every voice playing the sample. It is
// only touched on the main thread: the audio thread hands finished voices back
// with their sample still attached, and the main thread drops the reference.
#pragma once

#include <cstdint>

namespace mixwell {

class sample {
 public:
  // Copies length frames from data. Null unless bits is 8 or 16, channels 1 or
  // 2, length and hertz positive and the data smaller than 2 GB.
  static sample* create(int length, int bits, int channels, int hertz, const void* data, int loop);
  ~sample();
  sample(const sample&) = delete;
  sample& operator=(const sample&) = delete;

  void retain() { ++refs; }
  void release();  // deletes the sample when the last reference goes

  int hertz = 0;
  int channels = 0;
  int bits = 0;
  int length = 0;  // frames
  int bytes_per_frame = 0;
  int data_size = 0;  // length x bytes_per_frame, guard frame not included
  int refs = 1;
  int loop = 0;
  uint8_t* data = nullptr;

 private:
  sample() = default;
};

}  // namespace mixwell
