// The sound of the ball hitting a paddle or a side line: a short metallic
// "doing", a struck bar whose pitch drops a little right after the strike.
#pragma once

#include <cstdint>
#include <vector>

// Frames in the hit sound (about 0.88 s).
constexpr int64_t kHitFrames = 38959;

// Interleaved 16-bit stereo at 44100 Hz, kHitFrames frames.
std::vector<int16_t> RenderHitSound();
