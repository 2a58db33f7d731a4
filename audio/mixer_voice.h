// A mixer voice: one playing instance of a sample.
//
// Fixed point: volume, pan and depth are 4.12 (4096 = 1.0), rate is 16.16
// (65536 = the sample's own speed), pos and played are 32.32 counts of samples
// (frames x the sample's channels).
//
// Life of a voice: made by mixer::allocsound (status 1) -> queued by
// mixer::play (status 2 once or 4 looped, +16 when cued) -> in the mixer's
// active list once the audio thread takes it from `pending` -> finished
// (status 1) -> released (status 0), handed back through `spare` and reused.
//
// Threads: the main thread writes the parameter targets, status flags and
// autofree; the audio thread writes the current values, pos and played. Fields
// both threads touch are atomics with relaxed order (plain moves on x86);
// status is stored with release and loaded with acquire so that autofree,
// written before it, is seen with it.
#pragma once

#include <atomic>
#include <cstdint>

#include "audio/mixer_sample.h"

namespace mixwell {

enum : int {
  kFinished = 1,
  kPlayingOnce = 2,
  kPlayingLooped = 4,
  kPaused = 16,
};

// The parameter interface of a voice; the defaults describe a silent voice at
// full volume and normal speed.
class output {
 public:
  virtual ~output() = default;
  virtual void setrate(int) {}
  virtual void setvolume(int) {}
  virtual void setpan(int) {}
  virtual void setdepth(int) {}
  // which != 0 gives the target, which = 0 the value in use.
  virtual int getrate(int) const { return 65536; }
  virtual int getvolume(int) const { return 4096; }
  virtual int getpan(int) const { return 0; }
  virtual int getdepth(int) const { return 0; }
  virtual int getposition() const { return 0; }
};

class sound : public output {
 public:
  // Setters store the target; while the voice is paused they also store the
  // value in use, so that it resumes at the new setting without a ramp.
  void setrate(int rate) override;
  void setvolume(int volume) override;
  void setpan(int pan) override;
  void setdepth(int depth) override;
  int getrate(int which) const override;
  int getvolume(int which) const override;
  int getpan(int which) const override;
  int getdepth(int which) const override;
  // Frames consumed since the start, loops included.
  int getposition() const override;

  // Main thread: sets (set = true) or clears status flags, unless the voice is
  // released (status 0).
  void changeflags(int flags, bool set);
  // Main thread: marks the voice finished (unless released).
  void finish();

  // Audio thread: adds count interleaved stereo values (count / 2 frames) into
  // buffer. Returns 0 still playing, 1 finished, -1 released, -2 paused.
  int mix(int32_t* buffer, int count, int out_hertz);

  std::atomic<int> status{kFinished};
  int channel = 0;  // channel handle, main thread only
  std::atomic<int> autofree{0};
  sound* next = nullptr;
  mixwell::sample* sample = nullptr;
  int channels = 0;  // of the sample, kept for getposition after release
  uint64_t pos = 0;
  std::atomic<uint64_t> played{0};
  std::atomic<int32_t> rate{65536}, rate_target{65536};
  std::atomic<int16_t> volume{4096}, volume_target{4096};
  std::atomic<int16_t> pan{0}, pan_target{0};
  std::atomic<int16_t> depth{0}, depth_target{0};
  int64_t start_ms = 0;
  int delay = 0;        // output frames to wait before the first sample
  bool queued = false;  // main thread: handed to the audio thread and not yet back
};

}  // namespace mixwell
