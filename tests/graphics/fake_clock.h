// A frame clock that only moves when told to: sleeps advance it at once.
#pragma once

#include <vector>

#include "graphics/graphics.h"

class FakeClock : public TFrameClock {
public:
  int NowMs() override { return now; }
  void SleepMs(int ms) override {
    sleeps.push_back(ms);
    now += ms;
  }

  int now = 1000;
  std::vector<int> sleeps;
};

// Installs a FakeClock for the lifetime of the guard.
struct FakeClockGuard {
  FakeClockGuard() { SetFrameClock(&clock); }
  ~FakeClockGuard() { SetFrameClock(nullptr); }
  FakeClock clock;
};
