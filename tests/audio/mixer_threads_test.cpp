// The main thread starting, steering, stopping and collecting voices while an
// audio thread mixes continuously, as the output device does. Meant to run
// under a thread sanitizer build as well: every shared field must be handed
// over through the rings or atomics.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "audio/channel_table.h"
#include "audio/mixer.h"

namespace mixwell {
namespace {

TEST(MixerThreads, MainAndAudioThreadsShareVoicesWithoutLocks) {
  mixer m;
  io channels;
  std::vector<int16_t> pcm(2 * 64, 3000);
  sample* s = sample::create(64, 16, 2, 44100, pcm.data(), 0);
  std::atomic<bool> stop{false};
  std::atomic<long> blocks{0};
  std::thread audio([&] {
    std::vector<int16_t> out(2 * 256);
    while (!stop.load()) {
      m.render(out.data(), 256);
      blocks.fetch_add(1);
    }
  });

  std::vector<int> handles;
  for (int round = 0; round < 20000; ++round) {
    const int h = channels.alloc();
    sound* v = m.play(s, nullptr, kPlayingOnce, h, round % 3 == 0);
    if (v && h) {
      channels.attach(h, v);
      handles.push_back(h);
    }
    if (handles.size() > 50) {
      for (int old : handles) {
        if (sound* voice = channels.voice(old)) {
          voice->setvolume(round % 4096);
          voice->changeflags(kPaused, round % 2 == 0);
          voice->getposition();
          voice->autofree.store(1);
          voice->finish();
        }
        channels.free(old);
      }
      handles.clear();
    }
    m.reclaim();
  }
  while (blocks.load() < 10) std::this_thread::yield();
  stop.store(true);
  audio.join();
  s->release();
}

}  // namespace
}  // namespace mixwell
