#include "audio/mixer.h"

#include <algorithm>
#include <chrono>

namespace mixwell {

int64_t MonotonicMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

mixer::mixer(clock_function clock) : buffer_(new int32_t[buffer_size]()), clock_(clock) {}

mixer::~mixer() {
  for (auto& v : voices_) {
    if (v->sample) v->sample->release();
  }
}

sound* mixer::allocsound(const output* tmpl) {
  reclaim();
  sound* v = idle_;
  if (v) {
    idle_ = v->next;
  } else {
    voices_.push_back(std::make_unique<sound>());
    v = voices_.back().get();
  }
  const int rate = tmpl ? tmpl->getrate(1) : 65536;
  const int volume = tmpl ? tmpl->getvolume(1) : 4096;
  const int pan = tmpl ? tmpl->getpan(1) : 0;
  const int depth = tmpl ? tmpl->getdepth(1) : 0;
  v->status.store(kFinished, std::memory_order_relaxed);
  v->autofree.store(0, std::memory_order_relaxed);
  v->channel = 0;
  v->next = nullptr;
  v->channels = 0;
  v->pos = 0;
  v->played.store(0, std::memory_order_relaxed);
  v->rate.store(rate);
  v->rate_target.store(rate);
  v->volume.store(int16_t(volume));
  v->volume_target.store(int16_t(volume));
  v->pan.store(int16_t(pan));
  v->pan_target.store(int16_t(pan));
  v->depth.store(int16_t(depth));
  v->depth_target.store(int16_t(depth));
  v->delay = 0;
  v->queued = false;
  return v;
}

sound* mixer::play(mixwell::sample* s, const output* tmpl, int mode, int channel, bool autofree) {
  if (!s || s->channels == 0 || hertz == 0) return nullptr;
  sound* v = allocsound(tmpl);
  s->retain();
  v->sample = s;
  v->channels = s->channels;
  v->channel = channel;
  v->autofree.store(autofree ? 1 : 0, std::memory_order_relaxed);
  v->status.store(mode, std::memory_order_relaxed);
  v->start_ms = clock_();
  v->queued = true;
  if (!pending_.push(v)) {
    recycle(v);
    return nullptr;
  }
  return v;
}

void mixer::recycle(sound* v) {
  if (v->sample) {
    v->sample->release();
    v->sample = nullptr;
  }
  v->status.store(0, std::memory_order_relaxed);
  v->queued = false;
  v->next = idle_;
  idle_ = v;
}

void mixer::reclaim() {
  sound* v;
  while (spare_.pop(v)) recycle(v);
}

void mixer::mix(int count) {
  count = std::clamp(count, 0, buffer_size) & ~1;
  const int64_t now = clock_();
  sound* v;
  while (pending_.pop(v)) {
    v->next = active_;
    active_ = v;
    const int64_t wait_ms = std::max<int64_t>(0, v->start_ms + start_delay_ms - now);
    v->delay = int(std::min<int64_t>(wait_ms, start_delay_ms) * hertz / 1000);
  }

  sound** link = &active_;
  while ((v = *link) != nullptr) {
    int result = v->mix(buffer_.get(), count, hertz);
    if (result == 1) {
      if (v->autofree.load(std::memory_order_relaxed)) {
        v->status.store(0, std::memory_order_release);
        result = -1;
      } else {
        v->status.store(kFinished, std::memory_order_release);
      }
    }
    // Unlinked before the push: once pushed, the voice belongs to the main
    // thread. A full spare ring keeps it in the list until the next block.
    if (result == -1) {
      sound* next = v->next;
      v->next = nullptr;
      if (spare_.push(v)) {
        *link = next;
        continue;
      }
      v->next = next;
    }
    link = &v->next;
  }
}

void mixer::mix16(int16_t* out, int count) {
  count = std::clamp(count, 0, buffer_size);
  int32_t* acc = buffer_.get();
  for (int i = 0; i < count; ++i) {
    out[i] = int16_t(std::clamp(acc[i] >> 4, -32768, 32767));
    acc[i] = 0;
  }
}

void mixer::render(int16_t* out, int frames) {
  while (frames > 0) {
    const int n = std::min(frames, buffer_size / 2);
    mix(n * 2);
    mix16(out, n * 2);
    out += n * 2;
    frames -= n;
  }
}

}  // namespace mixwell
