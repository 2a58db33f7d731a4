// The software mixer: voice bookkeeping on the main thread, block mixing on
// the audio thread.
//
// Main thread: allocsound, play, recycle, reclaim. Audio thread: mix, mix16,
// render. They meet only in two single-producer single-consumer rings:
//   pending  main -> audio  voices to start;
//   spare    audio -> main  voices that finished and were released.
// A released voice comes back with its sample still attached; the main thread
// drops that reference when it collects the voice, so the audio thread never
// frees memory. Neither side locks or waits.
//
// Output: 44100 Hz stereo. The accumulator holds 16 x the 16-bit scale, so a
// sample at volume 1 adds value x 16; mix16 shifts back and clips.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/mixer_sample.h"
#include "audio/mixer_voice.h"
#include "audio/spsc_ring.h"

namespace mixwell {

// Milliseconds of a monotonic clock.
int64_t MonotonicMilliseconds();

class mixer {
 public:
  using clock_function = int64_t (*)();
  static constexpr int buffer_size = 8192;  // accumulator values: 4096 stereo frames
  static constexpr int ring_size = 4096;
  static constexpr int start_delay_ms = 20;

  explicit mixer(clock_function clock = MonotonicMilliseconds);
  // Frees every voice and drops their sample references. No thread may be
  // mixing any more.
  ~mixer();
  mixer(const mixer&) = delete;
  mixer& operator=(const mixer&) = delete;

  // Main thread. A fresh or reused voice with status 1, not in the active
  // list; its rate, volume, pan and depth come from the template's targets,
  // or are 1, 1, 0, 0 without one.
  sound* allocsound(const output* tmpl);
  // Main thread. Starts sample on a new voice with mode (2 once, 4 looped, +16
  // paused). Null when the sample cannot play or 4095 voices already wait for
  // the audio thread.
  sound* play(mixwell::sample* s, const output* tmpl, int mode, int channel, bool autofree);
  // Main thread. Takes back a voice that never reached the audio thread.
  void recycle(sound* v);
  // Main thread. Collects voices the audio thread released.
  void reclaim();

  // Audio thread. Mixes count accumulator values (count / 2 frames, at most
  // buffer_size) from every voice into the accumulator.
  void mix(int count);
  // Audio thread. Writes count clipped 16-bit values and clears the
  // accumulator.
  void mix16(int16_t* out, int count);
  // Audio thread. mix and mix16 for any number of frames, in blocks of 4096.
  void render(int16_t* out, int frames);

  const int hertz = 44100;
  const int channels = 2;

 private:
  std::unique_ptr<int32_t[]> buffer_;
  sound* active_ = nullptr;  // audio thread
  spsc_ring<sound*, ring_size> pending_;
  spsc_ring<sound*, ring_size> spare_;
  sound* idle_ = nullptr;                       // main thread: voices ready for reuse
  std::vector<std::unique_ptr<sound>> voices_;  // main thread: every voice made
  clock_function clock_;
};

}  // namespace mixwell
