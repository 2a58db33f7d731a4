#include "platform/timers.h"

#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>

#include "platform/input_events.h"
#include "platform/sdl_init.h"
#include "platform/timer_events.h"

namespace {

// Timers live in fixed slots that are never freed, because SDL may still be
// running a callback of a timer that has just been removed. The callback's
// parameter carries the slot and its generation; a stale generation means the
// timer was stopped and the callback does nothing. Slots are handed out round
// robin, so a stopped slot is reused as late as possible.
constexpr int kSlots = 1024;

struct Slot {
  std::atomic<std::uint32_t> generation{0};
  std::atomic<int> pending{0};
  // Whether a notification is on its way; a failed post is retried next time.
  std::atomic<bool> posted{false};
  // Timer-thread schedule, in performance-counter units.
  std::atomic<std::uint64_t> period{0};
  std::atomic<std::uint64_t> next_due{0};
  // Main thread only.
  SDL_TimerID id = 0;
  int handle = 0;
};

std::array<Slot, kSlots> slots;
int next_slot = 0;
int next_handle = 0;
Uint32 tick_event_type = 0;

void* Param(int index, std::uint32_t generation) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(generation) * kSlots + index);
}

Uint32 Callback(Uint32, void* param) {
  const auto value = reinterpret_cast<std::uintptr_t>(param);
  Slot& slot = slots[value % kSlots];
  const auto generation = static_cast<std::uint32_t>(value / kSlots);
  if (slot.generation.load(std::memory_order_acquire) != generation) return 0;
  const std::uint64_t period = slot.period.load(std::memory_order_relaxed);
  const std::uint64_t now = SDL_GetPerformanceCounter();
  std::uint64_t due = slot.next_due.load(std::memory_order_relaxed);
  // Every period that has passed is a tick, even when SDL called back late.
  if (due <= now) {
    const std::uint64_t ticks = (now - due) / period + 1;
    due += ticks * period;
    slot.next_due.store(due, std::memory_order_relaxed);
    slot.pending.fetch_add(static_cast<int>(ticks < 0x10000 ? ticks : 0x10000), std::memory_order_acq_rel);
  }
  if (slot.pending.load(std::memory_order_acquire) > 0 && !slot.posted.exchange(true)) {
    SDL_Event event{};
    event.type = tick_event_type;
    event.user.code = static_cast<Sint32>(value % kSlots);
    event.user.data1 = param;
    if (SDL_PushEvent(&event) != 1) slot.posted.store(false);
  }
  const std::uint64_t wait_ms = (due - now) * 1000 / SDL_GetPerformanceFrequency();
  return static_cast<Uint32>(wait_ms < 1 ? 1 : wait_ms);
}

}  // namespace

int PlatformStartTimer(double hertz) {
  if (!(hertz > 0) || !std::isfinite(hertz)) return 0;
  PlatformInputInit();
  if (!PlatformTimerInit()) return 0;
  if (tick_event_type == 0) {
    tick_event_type = SDL_RegisterEvents(1);
    if (tick_event_type == static_cast<Uint32>(-1)) {
      tick_event_type = 0;
      return 0;
    }
  }
  const double counts = static_cast<double>(SDL_GetPerformanceFrequency()) / hertz;
  if (counts < 1 || counts > 1e18) return 0;
  for (int tries = 0; tries < kSlots; ++tries) {
    const int index = next_slot;
    next_slot = (next_slot + 1) % kSlots;
    Slot& slot = slots[index];
    if (slot.id != 0) continue;
    const std::uint32_t generation = slot.generation.load(std::memory_order_relaxed) + 1;
    const auto period = static_cast<std::uint64_t>(counts);
    slot.period.store(period, std::memory_order_relaxed);
    slot.next_due.store(SDL_GetPerformanceCounter() + period, std::memory_order_relaxed);
    slot.pending.store(0, std::memory_order_relaxed);
    slot.posted.store(false, std::memory_order_relaxed);
    slot.generation.store(generation, std::memory_order_release);
    const double first_ms = 1000.0 / hertz;
    slot.id =
        SDL_AddTimer(first_ms < 1 ? 1 : static_cast<Uint32>(first_ms), Callback, Param(index, generation));
    if (slot.id == 0) {
      slot.generation.store(generation + 1, std::memory_order_release);
      return 0;
    }
    next_handle = next_handle == 0x7fffffff ? 1 : next_handle + 1;
    slot.handle = next_handle;
    return slot.handle;
  }
  return 0;
}

void PlatformStopTimer(int handle) {
  if (handle <= 0) return;
  for (Slot& slot : slots) {
    if (slot.id == 0 || slot.handle != handle) continue;
    slot.generation.fetch_add(1, std::memory_order_acq_rel);
    SDL_RemoveTimer(slot.id);
    slot.id = 0;
    slot.handle = 0;
    slot.pending.store(0, std::memory_order_relaxed);
    return;
  }
}

bool TakeTimerTicks(const SDL_Event& event, int* handle, int* ticks) {
  if (tick_event_type == 0 || event.type != tick_event_type) return false;
  if (event.user.code < 0 || event.user.code >= kSlots) return false;
  Slot& slot = slots[event.user.code];
  const auto generation =
      static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(event.user.data1) / kSlots);
  if (slot.id == 0 || slot.generation.load(std::memory_order_acquire) != generation) return false;
  slot.posted.store(false);
  const int due = slot.pending.exchange(0, std::memory_order_acq_rel);
  if (due <= 0) return false;
  *handle = slot.handle;
  *ticks = due;
  return true;
}
