// A stereo float buffer that instruments mix notes into. A looped buffer
// wraps: whatever is mixed past its end continues at its start, so a note
// that rings across the loop point sounds the same on every pass and the loop
// has no seam.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class StereoBuffer {
 public:
  StereoBuffer(int64_t frames, bool looped);

  int64_t frames() const { return static_cast<int64_t>(left_.size()); }
  float left(int64_t frame) const { return left_[static_cast<size_t>(frame)]; }
  float right(int64_t frame) const { return right_[static_cast<size_t>(frame)]; }

  // Adds a sample pair at `frame`, which wraps in a looped buffer and is
  // dropped outside an unlooped one.
  void Add(int64_t frame, double l, double r);
  // Adds `other` times gain, shifted later by `delay` frames (wrapping or
  // dropping as Add does).
  void Mix(const StereoBuffer& other, int64_t delay, double left_gain, double right_gain);

  // Interleaved 16-bit samples scaled so that the loudest sample reaches
  // `peak` (a fraction of full scale).
  std::vector<int16_t> ToPcm16(double peak) const;

 private:
  bool looped_;
  std::vector<float> left_;
  std::vector<float> right_;
};
