// Checked handles for the library's flat interface.
//
// A handle is not an address: it packs a type tag (bits 0-7), a slot index
// (bits 8-31) and the slot's generation (bits 32-63). Looking one up never
// reads memory the handle points at, so a null, foreign, freed or wrong-type
// handle is recognised and refused instead of crashing. Slots are reused
// after their object is freed, with a new generation, so creating and freeing
// objects in a steady state allocates nothing.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

namespace collision {

static_assert(sizeof(void*) == 8, "handles pack 64 bits");

template <class T, uint8_t Tag>
class HandleTable {
 public:
  // Returns the new object's handle, or 0 when every slot is taken.
  template <class... Args>
  uintptr_t Add(Args&&... args) {
    uint32_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      if (slots_.size() >= kMaxSlots) return 0;
      index = static_cast<uint32_t>(slots_.size());
      slots_.emplace_back();
    }
    Slot& slot = slots_[index];
    try {
      slot.value.emplace(std::forward<Args>(args)...);
    } catch (...) {
      free_.push_back(index);  // the slot stays usable
      throw;
    }
    return (static_cast<uintptr_t>(slot.generation) << 32) | (static_cast<uintptr_t>(index) << 8) | Tag;
  }

  // The live object behind a handle, or null.
  T* Get(const void* handle) {
    Slot* slot = Find(handle);
    return slot ? &*slot->value : nullptr;
  }

  // Frees the object; an unknown handle is ignored.
  void Remove(const void* handle) {
    Slot* slot = Find(handle);
    if (!slot) return;
    slot->value.reset();
    if (++slot->generation == 0) slot->generation = 1;
    free_.push_back(IndexOf(handle));
  }

 private:
  static constexpr size_t kMaxSlots = size_t{1} << 24;

  struct Slot {
    std::optional<T> value;
    uint32_t generation = 1;
  };

  static uint32_t IndexOf(const void* handle) {
    return static_cast<uint32_t>((reinterpret_cast<uintptr_t>(handle) >> 8) & 0xffffff);
  }

  Slot* Find(const void* handle) {
    uintptr_t h = reinterpret_cast<uintptr_t>(handle);
    if ((h & 0xff) != Tag) return nullptr;
    uint32_t index = IndexOf(handle);
    if (index >= slots_.size()) return nullptr;
    Slot& slot = slots_[index];
    if (!slot.value || slot.generation != static_cast<uint32_t>(h >> 32)) return nullptr;
    return &slot;
  }

  std::deque<Slot> slots_;  // a deque keeps objects in place as it grows
  std::vector<uint32_t> free_;
};

}  // namespace collision
