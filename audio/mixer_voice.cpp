#include "audio/mixer_voice.h"

#include <algorithm>

namespace mixwell {

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// Accumulators wrap rather than overflow when thousands of loud voices pile
// up; mix16 clips what fits.
inline void Accumulate(int32_t& acc, int32_t v) {
  acc = static_cast<int32_t>(static_cast<uint32_t>(acc) + static_cast<uint32_t>(v));
}

struct Gains {
  int left;
  int right;
};

// 4.12 gains from volume, pan and depth: pan +1 silences the left side, -1 the
// right; a negative depth plays the right side in opposite phase.
inline Gains MakeGains(int volume, int pan, int depth) {
  pan = std::clamp(pan, -4096, 4096);
  Gains g{volume, volume};
  if (pan > 0) g.left = volume * (4096 - pan) >> 12;
  if (pan < 0) g.right = volume * (4096 + pan) >> 12;
  if (depth < 0) g.right = -g.right;
  return g;
}

// Sample access for one format. pos is 32.32 in samples; for stereo the frame
// starts at the even sample below pos and the interpolation fraction is that of
// pos / 2. The fraction f has 16 bits.
template <int Bits, int Channels>
struct Format;

template <>
struct Format<16, 1> {
  static int fraction(uint64_t pos) { return int(pos >> 16) & 0xFFFF; }
  static void fetch(const uint8_t* data, uint64_t pos, int& l, int& r) {
    const auto* d = reinterpret_cast<const int16_t*>(data);
    const size_t i = pos >> 32;
    const int s0 = d[i], s1 = d[i + 1];
    l = r = s0 + int((int64_t{fraction(pos)} * (s1 - s0)) >> 16);
  }
  static void mix_run(const uint8_t* data, size_t frame, int32_t* out, int n, Gains g) {
    const int16_t* s = reinterpret_cast<const int16_t*>(data) + frame;
    for (int k = 0; k < n; ++k) {
      Accumulate(out[2 * k], s[k] * g.left >> 8);
      Accumulate(out[2 * k + 1], s[k] * g.right >> 8);
    }
  }
};

template <>
struct Format<16, 2> {
  static int fraction(uint64_t pos) { return int(pos >> 17) & 0xFFFF; }
  static void fetch(const uint8_t* data, uint64_t pos, int& l, int& r) {
    const auto* d = reinterpret_cast<const int16_t*>(data) + ((pos >> 32) & ~uint64_t{1});
    const int64_t f = fraction(pos);
    l = d[0] + int((f * (d[2] - d[0])) >> 16);
    r = d[1] + int((f * (d[3] - d[1])) >> 16);
  }
  static void mix_run(const uint8_t* data, size_t frame, int32_t* out, int n, Gains g) {
    const int16_t* s = reinterpret_cast<const int16_t*>(data) + 2 * frame;
    for (int k = 0; k < n; ++k) {
      Accumulate(out[2 * k], s[2 * k] * g.left >> 8);
      Accumulate(out[2 * k + 1], s[2 * k + 1] * g.right >> 8);
    }
  }
};

template <>
struct Format<8, 1> {
  static int fraction(uint64_t pos) { return int(pos >> 16) & 0xFFFF; }
  static void fetch(const uint8_t* data, uint64_t pos, int& l, int& r) {
    const size_t i = pos >> 32;
    const int b0 = data[i], b1 = data[i + 1];
    l = r = b0 * 256 - 32768 + ((fraction(pos) * (b1 - b0)) >> 8);
  }
  static void mix_run(const uint8_t* data, size_t frame, int32_t* out, int n, Gains g) {
    const uint8_t* s = data + frame;
    for (int k = 0; k < n; ++k) {
      const int v = s[k] * 256 - 32768;
      Accumulate(out[2 * k], v * g.left >> 8);
      Accumulate(out[2 * k + 1], v * g.right >> 8);
    }
  }
};

template <>
struct Format<8, 2> {
  static int fraction(uint64_t pos) { return int(pos >> 17) & 0xFFFF; }
  static void fetch(const uint8_t* data, uint64_t pos, int& l, int& r) {
    const uint8_t* d = data + ((pos >> 32) & ~uint64_t{1});
    const int f = fraction(pos);
    l = d[0] * 256 - 32768 + ((f * (d[2] - d[0])) >> 8);
    r = d[1] * 256 - 32768 + ((f * (d[3] - d[1])) >> 8);
  }
  static void mix_run(const uint8_t* data, size_t frame, int32_t* out, int n, Gains g) {
    const uint8_t* s = data + 2 * frame;
    for (int k = 0; k < n; ++k) {
      Accumulate(out[2 * k], (s[2 * k] * 256 - 32768) * g.left >> 8);
      Accumulate(out[2 * k + 1], (s[2 * k + 1] * 256 - 32768) * g.right >> 8);
    }
  }
};

// What a block works with, copied out of the voice so the loops keep it in
// registers.
struct Block {
  const uint8_t* data;
  int32_t* out;
  int frames;
  uint64_t pos;
  uint64_t played;
  uint64_t end;  // length x channels, 32.32
  bool looping;
  int pan;
  int depth;
};

// The end test after an advance: wraps a looping voice, reports the end of a
// non-looping one.
inline bool PastEnd(Block& b) {
  if (b.pos < b.end) return false;
  if (!b.looping) return true;
  b.pos %= b.end;
  return false;
}

// Mixes n frames whose positions all lie before the end. At exactly one frame
// per frame with no fraction the values need no interpolation (the fraction
// would be 0 throughout), which lets the compiler vectorise the run.
template <int Bits, int Channels>
void MixSpan(const Block& b, int32_t* out, int n, uint64_t step, Gains g) {
  using F = Format<Bits, Channels>;
  if (step == uint64_t{Channels} << 32 && F::fraction(b.pos) == 0) {
    F::mix_run(b.data, (b.pos >> 32) / Channels, out, n, g);
    return;
  }
  uint64_t pos = b.pos;
  for (int k = 0; k < n; ++k, pos += step) {
    int l, r;
    F::fetch(b.data, pos, l, r);
    Accumulate(out[2 * k], l * g.left >> 8);
    Accumulate(out[2 * k + 1], r * g.right >> 8);
  }
}

// A block without volume or rate change: the frames are cut into runs that end
// at the sample's end, so the inner loops test nothing per frame. Returns 1
// when a non-looping voice reached its end.
template <int Bits, int Channels>
int MixSteady(Block& b, int volume, int64_t step16) {
  const uint64_t step = uint64_t(step16) * Channels << 16;
  if (PastEnd(b)) return 1;
  if (volume == 0) {
    b.pos += step * uint64_t(b.frames);
    b.played += step * uint64_t(b.frames);
    return PastEnd(b) ? 1 : 0;
  }
  const Gains g = MakeGains(volume, b.pan, b.depth);
  int done = 0;
  while (done < b.frames) {
    uint64_t n = uint64_t(b.frames - done);
    if (step > 0) n = std::min(n, (b.end - b.pos + step - 1) / step);
    MixSpan<Bits, Channels>(b, b.out + 2 * done, int(n), step, g);
    b.pos += step * n;
    b.played += step * n;
    done += int(n);
    if (PastEnd(b)) return 1;
  }
  return 0;
}

// A block whose volume or rate changed: both move linearly from their old to
// their new value over the block (volume with 8 extra fraction bits), and the
// gains follow the volume frame by frame.
template <int Bits, int Channels>
int MixRamped(Block& b, int vol_now, int vol_target, int64_t step_now, int64_t step_target) {
  using F = Format<Bits, Channels>;
  int64_t vol = int64_t{vol_now} * 256;
  const int64_t vol_inc = int64_t{vol_target - vol_now} * 256 / b.frames;
  int64_t step16 = step_now;
  const int64_t step_inc = (step_target - step_now) / b.frames;
  if (PastEnd(b)) return 1;
  for (int k = 0; k < b.frames; ++k) {
    const Gains g = MakeGains(int(vol >> 8), b.pan, b.depth);
    int l, r;
    F::fetch(b.data, b.pos, l, r);
    Accumulate(b.out[2 * k], l * g.left >> 8);
    Accumulate(b.out[2 * k + 1], r * g.right >> 8);
    const uint64_t step = uint64_t(step16) * Channels << 16;
    b.pos += step;
    b.played += step;
    if (PastEnd(b)) return 1;
    vol += vol_inc;
    step16 += step_inc;
  }
  return 0;
}

template <int Bits, int Channels>
int MixBlock(Block& b, int vol_now, int vol_target, int64_t step_now, int64_t step_target) {
  if (vol_now == vol_target && step_now == step_target)
    return MixSteady<Bits, Channels>(b, vol_now, step_now);
  return MixRamped<Bits, Channels>(b, vol_now, vol_target, step_now, step_target);
}

}  // namespace

void sound::setrate(int r) {
  rate_target.store(r, kRelaxed);
  if (status.load(kRelaxed) & kPaused) rate.store(r, kRelaxed);
}

void sound::setvolume(int v) {
  volume_target.store(int16_t(v), kRelaxed);
  if (status.load(kRelaxed) & kPaused) volume.store(int16_t(v), kRelaxed);
}

void sound::setpan(int p) {
  pan_target.store(int16_t(p), kRelaxed);
  if (status.load(kRelaxed) & kPaused) pan.store(int16_t(p), kRelaxed);
}

void sound::setdepth(int d) {
  depth_target.store(int16_t(d), kRelaxed);
  if (status.load(kRelaxed) & kPaused) depth.store(int16_t(d), kRelaxed);
}

int sound::getrate(int which) const { return (which ? rate_target : rate).load(kRelaxed); }
int sound::getvolume(int which) const { return (which ? volume_target : volume).load(kRelaxed); }
int sound::getpan(int which) const { return (which ? pan_target : pan).load(kRelaxed); }
int sound::getdepth(int which) const { return (which ? depth_target : depth).load(kRelaxed); }

int sound::getposition() const {
  if (channels == 0) return 0;
  return int((played.load(kRelaxed) >> 32) / uint64_t(channels));
}

void sound::changeflags(int flags, bool set) {
  int s = status.load(kRelaxed);
  while (s != 0 && !status.compare_exchange_weak(s, set ? s | flags : s & ~flags, std::memory_order_release,
                                                 kRelaxed)) {
  }
}

void sound::finish() {
  int s = status.load(kRelaxed);
  while (s != 0 && !status.compare_exchange_weak(s, kFinished, std::memory_order_release, kRelaxed)) {
  }
}

int sound::mix(int32_t* buffer, int count, int out_hertz) {
  const int s = status.load(std::memory_order_acquire);
  if (s & kFinished) return 1;
  if (s & kPaused) return -2;
  if (s == 0) return -1;

  int frames = count / 2;
  if (delay >= frames) {
    delay -= frames;
    return 0;
  }
  int32_t* out = buffer;
  if (delay > 0) {
    out += 2 * delay;
    frames -= delay;
    delay = 0;
  }

  // A negative rate would walk backwards out of the data; it plays as 0.
  const int64_t rate_now = std::max(0, rate.load(kRelaxed));
  const int32_t rate_new = rate_target.load(kRelaxed);
  const int64_t step_now = rate_now * sample->hertz / out_hertz;
  const int64_t step_target = int64_t{std::max(0, rate_new)} * sample->hertz / out_hertz;
  const int vol_now = volume.load(kRelaxed);
  const int16_t vol_target = volume_target.load(kRelaxed);
  rate.store(rate_new, kRelaxed);
  volume.store(vol_target, kRelaxed);
  pan.store(pan_target.load(kRelaxed), kRelaxed);
  depth.store(depth_target.load(kRelaxed), kRelaxed);

  Block b{sample->data,
          out,
          frames,
          pos,
          played.load(kRelaxed),
          uint64_t(sample->length) * uint64_t(sample->channels) << 32,
          (s & kPlayingLooped) != 0,
          pan.load(kRelaxed),
          depth.load(kRelaxed)};
  int result;
  if (sample->bits == 16) {
    result = sample->channels == 2 ? MixBlock<16, 2>(b, vol_now, vol_target, step_now, step_target)
                                   : MixBlock<16, 1>(b, vol_now, vol_target, step_now, step_target);
  } else {
    result = sample->channels == 2 ? MixBlock<8, 2>(b, vol_now, vol_target, step_now, step_target)
                                   : MixBlock<8, 1>(b, vol_now, vol_target, step_now, step_target);
  }
  pos = b.pos;
  played.store(b.played, kRelaxed);
  return result;
}

}  // namespace mixwell
