#include "assets/generator/stereo_buffer.h"

#include <algorithm>
#include <cmath>

StereoBuffer::StereoBuffer(int64_t frames, bool looped)
    : looped_(looped), left_(static_cast<size_t>(frames)), right_(static_cast<size_t>(frames)) {}

void StereoBuffer::Add(int64_t frame, double l, double r) {
  const int64_t n = frames();
  if (looped_) {
    frame %= n;
    if (frame < 0) frame += n;
  } else if (frame < 0 || frame >= n) {
    return;
  }
  left_[static_cast<size_t>(frame)] += static_cast<float>(l);
  right_[static_cast<size_t>(frame)] += static_cast<float>(r);
}

void StereoBuffer::Mix(const StereoBuffer& other, int64_t delay, double left_gain, double right_gain) {
  for (int64_t i = 0; i < other.frames(); ++i) {
    Add(i + delay, other.left(i) * left_gain, other.right(i) * right_gain);
  }
}

std::vector<int16_t> StereoBuffer::ToPcm16(double peak) const {
  float loudest = 0;
  for (size_t i = 0; i < left_.size(); ++i)
    loudest = std::max({loudest, std::fabs(left_[i]), std::fabs(right_[i])});
  const double scale = loudest > 0 ? peak * 32767.0 / loudest : 0.0;
  std::vector<int16_t> out;
  out.reserve(left_.size() * 2);
  for (size_t i = 0; i < left_.size(); ++i) {
    out.push_back(static_cast<int16_t>(std::lround(left_[i] * scale)));
    out.push_back(static_cast<int16_t>(std::lround(right_[i] * scale)));
  }
  return out;
}
