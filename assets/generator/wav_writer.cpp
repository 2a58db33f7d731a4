#include "assets/generator/wav_writer.h"

#include <fstream>

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint16_t kChannels = 2;
constexpr uint16_t kBits = 16;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWav16Stereo(const std::string& path, const std::vector<int16_t>& interleaved) {
  const uint32_t data_size = static_cast<uint32_t>(interleaved.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + data_size);
  PutTag(out, "RIFF");
  Put32(out, 36 + data_size);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, kChannels);
  Put32(out, kRate);
  Put32(out, kRate * kChannels * kBits / 8);
  Put16(out, kChannels * kBits / 8);
  Put16(out, kBits);
  PutTag(out, "data");
  Put32(out, data_size);
  for (int16_t s : interleaved) Put16(out, static_cast<uint16_t>(s));
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file.flush());
}
