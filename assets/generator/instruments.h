// The synthesised instruments of the generated music. Each call mixes one
// note into a buffer; every note starts from silence and returns to exact
// silence at its end, so notes never click when they start, stop or wrap
// around a looped buffer.
#pragma once

#include <cstdint>

#include "assets/generator/stereo_buffer.h"

constexpr double kSampleRate = 44100;

// Frequency in Hz of a MIDI note number (69 = A 440 Hz).
double NoteFrequency(int note);

// Where a note goes: its first frame, its loudness and its place between the
// speakers (-1 left, 0 middle, +1 right).
struct Placement {
  int64_t frame;
  double gain;
  double pan;
};

// Pitched notes last `length` frames and then fade out over their release.
void PlayBass(StereoBuffer& out, const Placement& at, int note, int64_t length);
void PlayPad(StereoBuffer& out, const Placement& at, int note, int64_t length);
void PlayLead(StereoBuffer& out, const Placement& at, int note, int64_t length);
void PlayPluck(StereoBuffer& out, const Placement& at, int note, int64_t length);

// Drums have their own length; `seed` varies the noise from hit to hit.
void PlayKick(StereoBuffer& out, const Placement& at);
void PlaySnare(StereoBuffer& out, const Placement& at, uint64_t seed);
void PlayHat(StereoBuffer& out, const Placement& at, bool open, uint64_t seed);
