#include "audio/mixwell.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "audio/channel_table.h"
#include "audio/mixer.h"
#include "platform/audio_device.h"

using mixwell::io;
using mixwell::mixer;
using mixwell::sample;
using mixwell::sound;

namespace {

// Plain pointers without destructors: the exit handler that shuts the driver
// down may run after static objects are gone.
AudioDevice* device = nullptr;
mixer* voices = nullptr;
io* channels = nullptr;

// Sample handles: slot index + 1 in the low 20 bits, a generation above.
// Samples outlive the device (their sounds may be destroyed after mw_Close).
constexpr int kSampleIndexBits = 20;
constexpr int kSampleIndexMask = (1 << kSampleIndexBits) - 1;

struct SampleSlot {
  sample* s = nullptr;
  int generation = 0;
};

std::vector<SampleSlot>& SampleSlots() {
  static auto* slots = new std::vector<SampleSlot>();
  return *slots;
}

sample* FindSample(int handle) {
  auto& slots = SampleSlots();
  const int i = (handle & kSampleIndexMask) - 1;
  if (i < 0 || i >= int(slots.size())) return nullptr;
  const SampleSlot& slot = slots[size_t(i)];
  return slot.s && slot.generation == (handle >> kSampleIndexBits) ? slot.s : nullptr;
}

int AddSample(sample* s) {
  auto& slots = SampleSlots();
  size_t i = 0;
  while (i < slots.size() && slots[i].s) ++i;
  if (i == slots.size()) {
    if (i >= size_t(kSampleIndexMask)) return 0;
    slots.emplace_back();
  }
  SampleSlot& slot = slots[i];
  slot.s = s;
  slot.generation = (slot.generation + 1) & 0x7FF;
  if (slot.generation == 0) slot.generation = 1;
  return int(i + 1) | slot.generation << kSampleIndexBits;
}

void Feed(void* context, int16_t* out, int frames) { static_cast<mixer*>(context)->render(out, frames); }

bool Ready() { return device && voices && channels; }

int ToFixed(float f, double scale, double lo, double hi) {
  if (std::isnan(f)) return 0;
  return int(std::clamp(std::trunc(double(f) * scale), lo, hi));
}

int ToGain(float f) { return ToFixed(f, 4096, -32768, 32767); }

// The voice a channel handle speaks to. A channel without one gets a
// placeholder voice, so that parameters set before the first play are kept.
sound* ChannelVoice(int handle) {
  if (!channels->valid(handle)) return nullptr;
  sound* v = channels->voice(handle);
  if (!v) {
    v = voices->allocsound(nullptr);
    v->channel = handle;
    channels->attach(handle, v);
  }
  return v;
}

// A voice nobody can reach any more: a placeholder goes straight back to the
// mixer; a queued voice plays on and is released by the mixer once it ends.
void Abandon(sound* v, bool stop) {
  if (!v) return;
  if (!v->queued) {
    if (v->status.load(std::memory_order_relaxed) != 0) voices->recycle(v);  // not already idle
    return;
  }
  v->autofree.store(1, std::memory_order_relaxed);
  if (stop) v->finish();
}

}  // namespace

int mw_Init(int) {
  if (device) return 0;
  auto* m = new mixer();
  AudioDevice* d = OpenAudioDevice(Feed, m);
  if (!d) {
    delete m;
    return -1;
  }
  voices = m;
  channels = new io();
  device = d;
  return 0;
}

int mw_Close() {
  if (!device) return 0;
  CloseAudioDevice(device);
  device = nullptr;
  delete channels;
  channels = nullptr;
  delete voices;
  voices = nullptr;
  return 0;
}

int mw_CreateSound(int length, int bits, int channel_count, int hertz, const void* data, int loop) {
  if (!Ready()) return 0;
  sample* s = sample::create(length, bits, channel_count, hertz, data, loop);
  if (!s) return 0;
  const int handle = AddSample(s);
  if (handle == 0) s->release();
  return handle;
}

// Works without a device too: the sample belongs to the caller's sound, which
// may be destroyed after the driver shut down.
int mw_FreeSound(int handle) {
  sample* s = FindSample(handle);
  if (!s) return 0;
  SampleSlots()[size_t((handle & kSampleIndexMask) - 1)].s = nullptr;
  if (voices) voices->reclaim();
  s->release();
  return 0;
}

int mw_AllocChannel() { return Ready() ? channels->alloc() : 0; }

void mw_FreeChannel(int handle) {
  if (!Ready() || !channels->valid(handle)) return;
  Abandon(channels->free(handle), false);
}

int mw_PlaySound(int sample_handle, int paused, int handle) {
  if (!Ready()) return handle;
  sample* s = FindSample(sample_handle);
  if (!s) return handle;
  const bool fresh = handle == 0;
  sound* tmpl = nullptr;
  if (fresh) {
    handle = channels->alloc();
  } else {
    if (!channels->valid(handle)) return 0;
    tmpl = ChannelVoice(handle);
  }
  const int mode =
      (s->loop ? mixwell::kPlayingLooped : mixwell::kPlayingOnce) | (paused ? mixwell::kPaused : 0);
  sound* v = voices->play(s, tmpl, mode, handle, fresh);
  if (!v) {
    if (fresh) channels->free(handle);
    return 0;
  }
  if (handle != 0) {
    // The voice the channel played before is finished; no handle reaches it
    // any more, so the mixer may release it.
    if (tmpl != v) Abandon(tmpl, true);  // v may be tmpl's own released voice, reused
    channels->attach(handle, v);
  }
  return handle;
}

int mw_StopChannel(int handle) {
  if (!Ready() || !channels->valid(handle)) return 0;
  Abandon(channels->voice(handle), true);
  channels->free(handle);
  return 0;
}

int mw_SetChannelPaused(int handle, int paused) {
  if (!Ready()) return 0;
  if (sound* v = ChannelVoice(handle)) v->changeflags(mixwell::kPaused, paused != 0);
  return 0;
}

int mw_SetChannelVolume(int handle, float volume) {
  if (!Ready()) return 0;
  if (sound* v = ChannelVoice(handle)) v->setvolume(ToGain(volume));
  return 0;
}

int mw_SetChannelPan(int handle, float pan) {
  if (!Ready()) return 0;
  if (sound* v = ChannelVoice(handle)) v->setpan(ToGain(pan));
  return 0;
}

int mw_SetChannelDepth(int handle, float depth) {
  if (!Ready()) return 0;
  if (sound* v = ChannelVoice(handle)) v->setdepth(ToGain(depth));
  return 0;
}

int mw_SetChannelRate(int handle, float rate) {
  if (!Ready()) return 0;
  if (sound* v = ChannelVoice(handle)) v->setrate(ToFixed(rate, 65536, INT32_MIN, INT32_MAX));
  return 0;
}

int mw_ChannelStatus(int handle) {
  if (!Ready()) return 0;
  sound* v = ChannelVoice(handle);
  return v ? v->status.load(std::memory_order_acquire) : 0;
}

int mw_ChannelPosition(int handle) {
  if (!Ready()) return 0;
  sound* v = ChannelVoice(handle);
  return v ? v->getposition() : 0;
}
