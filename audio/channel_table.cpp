#include "audio/channel_table.h"

namespace mixwell {

namespace {

constexpr int kIndexMask = io::slots - 1;
// Generations stay positive so that handles do too; after 2^19 reuses of one
// slot they start again at 4096.
constexpr int kGenerationMask = 0x7FFFF000;

}  // namespace

io::io() {
  for (int i = 0; i < slots; ++i) {
    next_free_[i] = i + 1 < slots ? i + 1 : 0;
    generation_[i] = slots;
  }
}

int io::alloc() {
  const int i = next_free_[0];
  if (i == 0) return 0;
  next_free_[0] = next_free_[i];
  next_free_[i] = 0;
  in_use_[i] = true;
  voice_of_[i] = nullptr;
  generation_[i] = (generation_[i] + slots) & kGenerationMask;
  if (generation_[i] == 0) generation_[i] = slots;
  return i | generation_[i];
}

bool io::valid(int handle) const {
  const int i = handle & kIndexMask;
  return i != 0 && in_use_[i] && (handle & ~kIndexMask) == generation_[i];
}

sound* io::free(int handle) {
  if (!valid(handle)) return nullptr;
  const int i = handle & kIndexMask;
  sound* v = voice(handle);
  voice_of_[i] = nullptr;
  in_use_[i] = false;
  next_free_[i] = next_free_[0];
  next_free_[0] = i;
  return v;
}

sound* io::voice(int handle) const {
  if (!valid(handle)) return nullptr;
  sound* v = voice_of_[handle & kIndexMask];
  return v && v->channel == handle ? v : nullptr;
}

void io::attach(int handle, sound* v) {
  if (valid(handle)) voice_of_[handle & kIndexMask] = v;
}

}  // namespace mixwell
