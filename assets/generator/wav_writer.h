// Writes 16-bit stereo PCM at 44100 Hz as a RIFF WAVE file with the plain
// 44-byte header (RIFF, "fmt " of 16 bytes, "data").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// interleaved holds left, right, left, right ... False when the file cannot
// be written.
bool WriteWav16Stereo(const std::string& path, const std::vector<int16_t>& interleaved);
