// M1: looped voices mixed straight into a buffer (no device).
//
// One second of a 16-bit stereo chirp, both sides equal, played looped by N
// voices at volume 1/8, mixed 4096 frames per block into 44100 Hz 16-bit
// stereo. The "voices" counter is voices one core mixes in real time: N x
// seconds of audio per CPU second. Rows at rate 1 and at rate 1.5
// (interpolated). The baseline in the same run sums the sample's 16-bit values
// straight into 32-bit accumulators for every voice and clips once: the least
// work any mixer must do for the same output.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "audio/mixer.h"

namespace {

constexpr int kHertz = 44100;
constexpr int kFrames = 44100;
constexpr int kBlock = 4096;
constexpr int kBlocksPerIteration = 11;  // 45056 frames, just over a second

const std::vector<int16_t>& Chirp() {
  static const std::vector<int16_t> data = [] {
    std::vector<int16_t> d(2 * kFrames);
    for (int i = 0; i < kFrames; ++i) {
      const double t = double(i) / kHertz;
      const auto v = int16_t(std::lrint(16384 * std::sin(2 * std::numbers::pi * (200 * t + 900 * t * t))));
      d[2 * size_t(i)] = d[2 * size_t(i) + 1] = v;
    }
    return d;
  }();
  return data;
}

int64_t clock_ms = 0;
int64_t Clock() { return clock_ms; }

void SetVoiceCounter(benchmark::State& state, int voices) {
  const double audio_seconds = double(kBlock) * kBlocksPerIteration / kHertz;
  state.counters["voices"] =
      benchmark::Counter(voices * audio_seconds, benchmark::Counter::kIsIterationInvariantRate);
}

void MixVoices(benchmark::State& state, int rate) {
  const int voices = int(state.range(0));
  clock_ms = 0;
  mixwell::mixer m(Clock);
  mixwell::sample* s = mixwell::sample::create(kFrames, 16, 2, kHertz, Chirp().data(), -1);
  mixwell::sound* tmpl = m.allocsound(nullptr);
  tmpl->setvolume(4096 / 8);
  tmpl->setrate(rate);
  for (int i = 0; i < voices; ++i) m.play(s, tmpl, mixwell::kPlayingLooped, 0, false);
  clock_ms = 1000;  // past every start delay
  std::vector<int16_t> out(2 * kBlock);
  for (auto _ : state) {
    for (int b = 0; b < kBlocksPerIteration; ++b) {
      m.mix(2 * kBlock);
      m.mix16(out.data(), 2 * kBlock);
    }
    benchmark::DoNotOptimize(out.data());
  }
  SetVoiceCounter(state, voices);
  s->release();
}

void BM_MixRate1(benchmark::State& state) { MixVoices(state, 65536); }
void BM_MixRate1_5(benchmark::State& state) { MixVoices(state, 98304); }

void BM_BaselinePlainSum(benchmark::State& state) {
  const int voices = int(state.range(0));
  const std::vector<int16_t>& data = Chirp();
  std::vector<int32_t> acc(2 * kBlock);
  std::vector<int16_t> out(2 * kBlock);
  size_t pos = 0;
  for (auto _ : state) {
    for (int b = 0; b < kBlocksPerIteration; ++b) {
      const size_t n = std::min<size_t>(2 * kBlock, data.size() - pos);
      for (int v = 0; v < voices; ++v) {
        const int16_t* src = data.data() + pos;
        for (size_t k = 0; k < n; ++k) acc[k] += src[k];
      }
      for (size_t k = 0; k < 2 * kBlock; ++k) {
        out[k] = int16_t(std::clamp(acc[k] >> 3, -32768, 32767));
        acc[k] = 0;
      }
      pos = pos + n >= data.size() ? 0 : pos + n;
    }
    benchmark::DoNotOptimize(out.data());
  }
  SetVoiceCounter(state, voices);
}

BENCHMARK(BM_BaselinePlainSum)->Arg(1)->Arg(64)->Arg(1024);
BENCHMARK(BM_MixRate1)->Arg(1)->Arg(64)->Arg(1024);
BENCHMARK(BM_MixRate1_5)->Arg(1)->Arg(64)->Arg(1024);

}  // namespace

BENCHMARK_MAIN();
