// The rings with a real producer and consumer thread. Run under a thread
// sanitizer build to check the release/acquire hand-over.
#include <gtest/gtest.h>

#include <thread>

#include "audio/spsc_ring.h"

namespace {

struct Item {
  int value;
  int check;  // written before the push, read after the pop
};

TEST(SpscRing, HoldsOneLessThanItsSize) {
  spsc_ring<int, 4> ring;
  EXPECT_TRUE(ring.push(1));
  EXPECT_TRUE(ring.push(2));
  EXPECT_TRUE(ring.push(3));
  EXPECT_FALSE(ring.push(4));
  int v = 0;
  EXPECT_TRUE(ring.pop(v));
  EXPECT_EQ(v, 1);
  EXPECT_TRUE(ring.push(4));  // wraps
  for (int expected : {2, 3, 4}) {
    EXPECT_TRUE(ring.pop(v));
    EXPECT_EQ(v, expected);
  }
  EXPECT_FALSE(ring.pop(v));
}

TEST(SpscRing, ProducerAndConsumerThreadsKeepOrderAndContents) {
  constexpr int kCount = 200000;
  static Item items[kCount];
  spsc_ring<Item*, 64> ring;
  std::thread producer([&] {
    for (int i = 0; i < kCount; ++i) {
      items[i] = {i, i * 7};
      while (!ring.push(&items[i])) std::this_thread::yield();
    }
  });
  int next = 0;
  bool in_order = true;
  while (next < kCount) {
    Item* item;
    if (!ring.pop(item)) {
      std::this_thread::yield();
      continue;
    }
    in_order = in_order && item->value == next && item->check == next * 7;
    ++next;
  }
  producer.join();
  EXPECT_TRUE(in_order);
}

}  // namespace
