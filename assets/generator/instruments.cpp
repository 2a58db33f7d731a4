#include "assets/generator/instruments.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "assets/generator/noise.h"

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

int64_t Frames(double seconds) { return static_cast<int64_t>(std::lround(seconds * kSampleRate)); }

// Attack from 0, exponential fall toward the sustain level while the note is
// held, then a straight release to exactly 0.
struct Envelope {
  double attack;   // seconds
  double decay;    // seconds, time constant of the fall
  double sustain;  // level the fall tends to
  double release;  // seconds

  double Held(double t) const {
    if (t < attack) return t / attack;
    return sustain + (1 - sustain) * std::exp(-(t - attack) / decay);
  }

  double At(int64_t frame, int64_t length) const {
    const double t = frame / kSampleRate;
    if (frame < length) return Held(t);
    const double r = (frame - length) / kSampleRate;
    return Held(length / kSampleRate) * std::max(0.0, 1 - r / release);
  }

  int64_t Total(int64_t length) const { return length + Frames(release) + 1; }
};

// Mixes `frames` mono samples from `sample(i)` at the placement, with a
// constant-power pan.
template <class Sample>
void Render(StereoBuffer& out, const Placement& at, int64_t frames, Sample sample) {
  const double angle = (at.pan + 1) * std::numbers::pi / 4;
  const double left = std::cos(angle) * at.gain;
  const double right = std::sin(angle) * at.gain;
  for (int64_t i = 0; i < frames; ++i) {
    const double s = sample(i);
    out.Add(at.frame + i, s * left, s * right);
  }
}

// Correction that removes the aliasing step of a saw or square edge (the
// polynomial band-limited step): t is the phase in [0, 1), dt the phase step.
double EdgeCorrection(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1;
  }
  if (t > 1 - dt) {
    t = (t - 1) / dt;
    return t * t + t + t + 1;
  }
  return 0;
}

class Oscillator {
 public:
  explicit Oscillator(double frequency, double start_phase = 0)
      : phase_(start_phase), step_(frequency / kSampleRate) {}

  double Saw() {
    const double v = 2 * phase_ - 1 - EdgeCorrection(phase_, step_);
    Advance();
    return v;
  }

  double Square() {
    double v = phase_ < 0.5 ? 1 : -1;
    v += EdgeCorrection(phase_, step_);
    v -= EdgeCorrection(std::fmod(phase_ + 0.5, 1.0), step_);
    Advance();
    return v;
  }

 private:
  void Advance() {
    phase_ += step_;
    if (phase_ >= 1) phase_ -= 1;
  }

  double phase_;
  double step_;
};

// Two one-pole low-pass stages: a gentle 12 dB per octave slope.
class LowPass {
 public:
  void SetCutoff(double hz) { k_ = 1 - std::exp(-kTwoPi * std::min(hz, 18000.0) / kSampleRate); }
  double Process(double x) {
    a_ += k_ * (x - a_);
    b_ += k_ * (a_ - b_);
    return b_;
  }

 private:
  double k_ = 1;
  double a_ = 0;
  double b_ = 0;
};

// A short linear fade over the last frames of a drum, so that it ends at 0.
double Tail(int64_t i, int64_t frames) {
  const int64_t fade = Frames(0.01);
  const int64_t left = frames - 1 - i;
  return left >= fade ? 1.0 : static_cast<double>(left) / fade;
}

}  // namespace

double NoteFrequency(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

void PlayBass(StereoBuffer& out, const Placement& at, int note, int64_t length) {
  const Envelope env{0.004, 0.18, 0.55, 0.04};
  Oscillator saw(NoteFrequency(note));
  Oscillator sub(NoteFrequency(note - 12));
  LowPass filter;
  Render(out, at, env.Total(length), [&](int64_t i) {
    const double t = i / kSampleRate;
    if (i % 16 == 0) filter.SetCutoff(260 + 1400 * std::exp(-t / 0.07));
    return filter.Process(saw.Saw() * 0.7 + sub.Square() * 0.3) * env.At(i, length);
  });
}

void PlayPad(StereoBuffer& out, const Placement& at, int note, int64_t length) {
  const Envelope env{0.35, 1.0, 0.8, 0.7};
  const double f = NoteFrequency(note);
  // Three saws a few cents apart, spread across the stereo field.
  const double detune[3] = {-0.006, 0.0, 0.0065};
  const double pans[3] = {-0.7, 0.0, 0.7};
  for (int v = 0; v < 3; ++v) {
    Oscillator saw(f * (1 + detune[v]), 0.31 * v);
    LowPass filter;
    filter.SetCutoff(1100);
    Render(out, {at.frame, at.gain, std::clamp(at.pan + pans[v], -1.0, 1.0)}, env.Total(length),
           [&](int64_t i) { return filter.Process(saw.Saw()) * env.At(i, length); });
  }
}

void PlayLead(StereoBuffer& out, const Placement& at, int note, int64_t length) {
  const Envelope env{0.012, 0.25, 0.7, 0.12};
  const double f = NoteFrequency(note);
  double phase = 0;
  Render(out, at, env.Total(length), [&](int64_t i) {
    const double t = i / kSampleRate;
    // Vibrato that fades in once the note has settled.
    const double depth = 0.004 * std::clamp((t - 0.18) / 0.3, 0.0, 1.0);
    phase += f * (1 + depth * std::sin(kTwoPi * 5.3 * t)) / kSampleRate;
    phase -= std::floor(phase);
    // A little frequency modulation that brightens the start of the note.
    const double index = 0.35 + 1.1 * std::exp(-t / 0.12);
    const double s = std::sin(kTwoPi * phase + index * std::sin(kTwoPi * phase));
    return (s + 0.18 * std::sin(2 * kTwoPi * phase)) * env.At(i, length);
  });
}

void PlayPluck(StereoBuffer& out, const Placement& at, int note, int64_t length) {
  const Envelope env{0.002, 0.09, 0.0, 0.03};
  Oscillator square(NoteFrequency(note));
  LowPass filter;
  Render(out, at, env.Total(length), [&](int64_t i) {
    const double t = i / kSampleRate;
    if (i % 16 == 0) filter.SetCutoff(700 + 3800 * std::exp(-t / 0.05));
    return filter.Process(square.Square()) * env.At(i, length);
  });
}

void PlayKick(StereoBuffer& out, const Placement& at) {
  const int64_t frames = Frames(0.4);
  double phase = 0;
  Render(out, at, frames, [&](int64_t i) {
    const double t = i / kSampleRate;
    phase += (48 + 120 * std::exp(-t / 0.028)) / kSampleRate;
    const double attack = std::min(1.0, t / 0.0015);
    return std::sin(kTwoPi * phase) * std::exp(-t / 0.16) * attack * Tail(i, frames);
  });
}

void PlaySnare(StereoBuffer& out, const Placement& at, uint64_t seed) {
  const int64_t frames = Frames(0.28);
  SeededRandom noise(seed);
  LowPass body;
  body.SetCutoff(5200);
  LowPass rumble;
  rumble.SetCutoff(500);
  Render(out, at, frames, [&](int64_t i) {
    const double t = i / kSampleRate;
    const double n = noise.Range(-1, 1);
    const double band = body.Process(n) - rumble.Process(n);  // keeps 500 Hz - 5 kHz
    const double tone = std::sin(kTwoPi * 190 * t) * std::exp(-t / 0.045);
    const double attack = std::min(1.0, t / 0.001);
    return (band * 1.6 * std::exp(-t / 0.07) + tone * 0.5) * attack * Tail(i, frames);
  });
}

void PlayHat(StereoBuffer& out, const Placement& at, bool open, uint64_t seed) {
  const int64_t frames = Frames(open ? 0.32 : 0.09);
  const double decay = open ? 0.11 : 0.022;
  SeededRandom noise(seed);
  LowPass low;
  low.SetCutoff(7500);
  Render(out, at, frames, [&](int64_t i) {
    const double t = i / kSampleRate;
    const double n = noise.Range(-1, 1);
    const double attack = std::min(1.0, t / 0.0008);
    return (n - low.Process(n)) * std::exp(-t / decay) * attack * Tail(i, frames);
  });
}
