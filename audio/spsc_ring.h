// A fixed ring of N slots for one producer thread and one consumer thread.
// The producer writes a slot and then publishes it by advancing the write index
// with release ordering; the consumer reads the index with acquire ordering, so
// everything the producer wrote before pushing is visible after the pop. No
// locks, no allocation: safe on the audio thread. Holds at most N - 1 items.
#pragma once

#include <atomic>

template <class T, int N>
class spsc_ring {
 public:
  // Producer side. False when the ring is full (nothing is stored).
  bool push(const T& item) {
    const int w = write_.load(std::memory_order_relaxed);
    const int next = w + 1 == N ? 0 : w + 1;
    if (next == read_.load(std::memory_order_acquire)) return false;
    slots_[w] = item;
    write_.store(next, std::memory_order_release);
    return true;
  }

  // Consumer side. False when the ring is empty.
  bool pop(T& item) {
    const int r = read_.load(std::memory_order_relaxed);
    if (r == write_.load(std::memory_order_acquire)) return false;
    item = slots_[r];
    read_.store(r + 1 == N ? 0 : r + 1, std::memory_order_release);
    return true;
  }

 private:
  T slots_[N] = {};
  std::atomic<int> read_{0};
  std::atomic<int> write_{0};
};
