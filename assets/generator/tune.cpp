#include "assets/generator/tune.h"

#include <array>
#include <span>

#include "assets/generator/instruments.h"

namespace {

constexpr int64_t kStep = 5628;  // frames in a sixteenth note
constexpr int kStepsPerBar = 16;
constexpr int kBarsPerSection = 8;
constexpr int64_t kBar = kStep * kStepsPerBar;
static_assert(kBar * 48 == kTuneFrames);

struct Chord {
  int root;                // bass note
  std::array<int, 3> pad;  // voiced close to each other around middle C
};

constexpr Chord kAm{45, {57, 60, 64}};
constexpr Chord kF{41, {57, 60, 65}};
constexpr Chord kC{48, {55, 60, 64}};
constexpr Chord kG{43, {55, 59, 62}};
constexpr Chord kE{40, {56, 59, 64}};
constexpr Chord kEm{40, {55, 59, 64}};
constexpr Chord kDm{38, {57, 62, 65}};

// A note of a melody: start and length in sixteenths from the section's start.
struct MelodyNote {
  int step;
  int length;
  int note;
};

// The verse tune over its first seven bars; the eighth bar depends on what
// follows.
constexpr MelodyNote kVerse[] = {
    {0, 4, 76},   {4, 2, 81},   {6, 2, 79},   {8, 4, 76},  {12, 2, 72}, {14, 2, 74}, {16, 6, 72}, {22, 2, 69},
    {24, 4, 72},  {28, 2, 74},  {30, 2, 76},  {32, 4, 79}, {36, 2, 76}, {38, 2, 74}, {40, 4, 72}, {44, 2, 74},
    {46, 2, 76},  {48, 6, 74},  {54, 2, 71},  {56, 8, 67}, {64, 4, 76}, {68, 2, 81}, {70, 2, 83}, {72, 4, 84},
    {76, 2, 83},  {78, 2, 81},  {80, 6, 81},  {86, 2, 79}, {88, 4, 77}, {92, 2, 76}, {94, 2, 77}, {96, 4, 79},
    {100, 2, 77}, {102, 2, 76}, {104, 4, 74}, {108, 4, 71}};
constexpr MelodyNote kVerseIntoChorus[] = {{112, 8, 74}, {120, 4, 71}, {124, 4, 72}};
constexpr MelodyNote kVerseIntoBridge[] = {{112, 8, 74}, {120, 8, 79}};
constexpr MelodyNote kVerseIntoIntro[] = {{112, 14, 76}};

constexpr MelodyNote kChorus[] = {
    {0, 2, 69},   {2, 2, 72},   {4, 4, 77},   {8, 2, 76},   {10, 2, 77},  {12, 4, 81},
    {16, 6, 79},  {22, 2, 74},  {24, 4, 71},  {28, 4, 74},  {32, 2, 76},  {34, 2, 79},
    {36, 4, 83},  {40, 4, 81},  {44, 4, 79},  {48, 8, 81},  {56, 4, 76},  {60, 4, 72},
    {64, 2, 74},  {66, 2, 77},  {68, 4, 81},  {72, 2, 79},  {74, 2, 77},  {76, 4, 74},
    {80, 4, 71},  {84, 4, 74},  {88, 4, 79},  {92, 4, 77},  {96, 6, 76},  {102, 2, 74},
    {104, 4, 72}, {108, 4, 76}, {112, 4, 68}, {116, 4, 71}, {120, 4, 76}, {124, 4, 80}};

constexpr MelodyNote kBridge[] = {{0, 8, 81},  {8, 8, 84},   {16, 8, 79}, {24, 8, 76},  {32, 8, 77},
                                  {40, 8, 81}, {48, 12, 76}, {60, 4, 72}, {64, 8, 81},  {72, 8, 84},
                                  {80, 8, 88}, {88, 8, 86},  {96, 8, 86}, {104, 8, 83}, {112, 16, 80}};

enum class Drums { kIntro, kFull, kBridge };

struct Section {
  std::array<Chord, kBarsPerSection> chords;
  std::span<const MelodyNote> melody;
  std::span<const MelodyNote> ending;
  Drums drums;
  bool arpeggio;
  double lead_gain;
};

const std::array<Section, 6>& Arrangement() {
  static const std::array<Section, 6> sections = {{
      {{kAm, kF, kC, kG, kAm, kF, kC, kE}, {}, {}, Drums::kIntro, true, 0},
      {{kAm, kF, kC, kG, kAm, kF, kG, kG}, kVerse, kVerseIntoChorus, Drums::kFull, false, 0.26},
      {{kF, kG, kEm, kAm, kDm, kG, kC, kE}, kChorus, {}, Drums::kFull, true, 0.26},
      {{kAm, kF, kC, kG, kAm, kF, kC, kG}, kVerse, kVerseIntoBridge, Drums::kFull, false, 0.26},
      {{kF, kC, kDm, kAm, kF, kC, kG, kE}, kBridge, {}, Drums::kBridge, true, 0.2},
      {{kAm, kF, kC, kG, kAm, kF, kC, kE}, kVerse, kVerseIntoIntro, Drums::kFull, true, 0.26},
  }};
  return sections;
}

void PlayDrums(StereoBuffer& out, Drums drums, int bar_in_section, int64_t bar_start, uint64_t& seed) {
  const bool last_bar = bar_in_section == kBarsPerSection - 1;
  for (int step = 0; step < kStepsPerBar; ++step) {
    const int64_t at = bar_start + step * kStep;
    const bool beat = step % 4 == 0;
    // Hats: eighths everywhere, quiet sixteenths between them in full sections.
    if (step % 2 == 0) {
      const bool open = step == 14 && drums == Drums::kFull;
      const double gain = drums == Drums::kBridge ? 0.06 : (beat ? 0.1 : 0.13);
      PlayHat(out, {at, gain, 0.3}, open, ++seed);
    } else if (drums == Drums::kFull) {
      PlayHat(out, {at, 0.045, 0.35}, false, ++seed);
    }
    switch (drums) {
      case Drums::kIntro:
        if (step == 0 || step == 8) PlayKick(out, {at, 0.75, 0});
        if (last_bar && step >= 8 && step % 2 == 0) PlaySnare(out, {at, 0.2 + 0.04 * step, 0.1}, ++seed);
        break;
      case Drums::kFull:
        if (step == 0 || step == 8 || (step == 10 && bar_in_section % 2 == 1)) PlayKick(out, {at, 0.75, 0});
        if (step == 4 || step == 12) PlaySnare(out, {at, 0.45, 0.1}, ++seed);
        if (last_bar && step >= 13) PlaySnare(out, {at, 0.3, 0.1}, ++seed);
        break;
      case Drums::kBridge:
        if (last_bar && beat) PlayKick(out, {at, 0.7, 0});
        if (last_bar && step >= 8) PlaySnare(out, {at, 0.12 + 0.025 * (step - 8), 0.1}, ++seed);
        break;
    }
  }
}

// The bass line: a syncopated figure on root, octave and fifth, or plain half
// notes in the bridge.
struct BassNote {
  int step;
  int interval;  // semitones above the chord's root
  int length;    // sixteenths
};

constexpr BassNote kBassFigure[] = {{0, 0, 3}, {3, 0, 1},  {4, 12, 2}, {6, 0, 2},
                                    {8, 0, 3}, {11, 0, 1}, {12, 7, 2}, {14, 12, 2}};
constexpr BassNote kBassHalves[] = {{0, 0, 8}, {8, 0, 8}};

void PlayBassLine(StereoBuffer& out, const Chord& chord, bool bridge, int64_t bar_start) {
  const std::span<const BassNote> figure = bridge ? std::span<const BassNote>(kBassHalves) : kBassFigure;
  for (const BassNote& n : figure) {
    PlayBass(out, {bar_start + n.step * kStep, 0.38, 0}, chord.root + n.interval,
             n.length * kStep - kStep / 8);
  }
}

// Sixteenths up and down the chord, an octave above the pad.
void PlayArpeggio(StereoBuffer& out, const Chord& chord, int64_t bar_start) {
  static constexpr int kOrder[] = {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1, 0, 2, 3, 2};
  for (int step = 0; step < kStepsPerBar; ++step) {
    const int i = kOrder[step];
    const int note = (i == 3 ? chord.pad[0] + 12 : chord.pad[i]) + 12;
    PlayPluck(out, {bar_start + step * kStep, step % 4 == 0 ? 0.1 : 0.075, -0.4}, note, kStep);
  }
}

void PlayMelody(StereoBuffer& out, std::span<const MelodyNote> notes, int64_t section_start, double gain) {
  for (const MelodyNote& n : notes) {
    PlayLead(out, {section_start + n.step * kStep, gain, 0}, n.note, n.length * kStep - kStep / 4);
  }
}

}  // namespace

std::vector<int16_t> RenderTune() {
  StereoBuffer mix(kTuneFrames, true);
  StereoBuffer lead(kTuneFrames, true);
  uint64_t seed = 0x7E57;
  int64_t section_start = 0;
  for (const Section& section : Arrangement()) {
    for (int b = 0; b < kBarsPerSection; ++b) {
      const int64_t bar_start = section_start + b * kBar;
      const Chord& chord = section.chords[b];
      PlayDrums(mix, section.drums, b, bar_start, seed);
      PlayBassLine(mix, chord, section.drums == Drums::kBridge, bar_start);
      for (int note : chord.pad) PlayPad(mix, {bar_start, 0.06, 0}, note, kBar - kStep);
      if (section.arpeggio) PlayArpeggio(mix, chord, bar_start);
    }
    PlayMelody(lead, section.melody, section_start, section.lead_gain);
    PlayMelody(lead, section.ending, section_start, section.lead_gain);
    section_start += kBarsPerSection * kBar;
  }
  // The lead with echoes a dotted eighth apart, alternating sides.
  mix.Mix(lead, 0, 1, 1);
  mix.Mix(lead, 3 * kStep, 0.32, 0.12);
  mix.Mix(lead, 6 * kStep, 0.08, 0.22);
  mix.Mix(lead, 9 * kStep, 0.1, 0.04);
  return mix.ToPcm16(0.7);
}
