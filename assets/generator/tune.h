// The game's background tune: 48 bars in A minor at 117.5 beats per minute,
// with drums, bass, a chord pad, an arpeggio and a lead melody, arranged as
// intro, verse, chorus, verse, bridge and a last verse whose final bar leads
// back into the intro. Notes that ring past the end wrap around to the start,
// so the tune loops without a seam.
#pragma once

#include <cstdint>
#include <vector>

// Frames in the tune: 48 bars of 16 sixteenths of 5628 frames (about 98 s).
constexpr int64_t kTuneFrames = 4322304;

// Interleaved 16-bit stereo at 44100 Hz, kTuneFrames frames.
std::vector<int16_t> RenderTune();
