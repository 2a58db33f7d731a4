// The channel table: maps channel handles to mixer voices. Main thread only.
//
// A handle is index | generation: the index (1..4095) in the low 12 bits, the
// slot's generation above it. The generation grows by 4096 each time the slot
// is handed out, so a handle kept after its channel was freed and reused no
// longer matches and is ignored. Index 0 is never handed out; next_free[0] is
// the head of the free list.
#pragma once

#include <array>

#include "audio/mixer_voice.h"

namespace mixwell {

class io {
 public:
  static constexpr int slots = 4096;

  io();

  // A new handle, or 0 when all 4095 channels are in use.
  int alloc();
  // Returns the slot of a valid handle to the free list; the detached voice
  // (if any) is returned to the caller. Stale or zero handles: nothing, null.
  sound* free(int handle);
  bool valid(int handle) const;
  // The voice attached to a valid handle, provided that it still plays on this
  // handle (a recycled voice carries another); else null.
  sound* voice(int handle) const;
  void attach(int handle, sound* v);

 private:
  std::array<sound*, slots> voice_of_{};
  std::array<int, slots> next_free_{};
  std::array<int, slots> generation_{};
  std::array<bool, slots> in_use_{};
};

}  // namespace mixwell
