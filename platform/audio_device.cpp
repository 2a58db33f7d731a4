#include "platform/audio_device.h"

#include <SDL2/SDL.h>

#include <algorithm>

#include "platform/sdl_init.h"

struct AudioDevice {
  SDL_AudioDeviceID id = 0;
  AudioFeed feed = nullptr;
  void* context = nullptr;
};

namespace {

// Runs on SDL's audio thread. SDL converts from the requested format when the
// hardware wants another, so the stream always holds 16-bit stereo frames.
void Callback(void* userdata, Uint8* stream, int len) {
  auto* device = static_cast<AudioDevice*>(userdata);
  auto* out = reinterpret_cast<int16_t*>(stream);
  int frames = len / 4;
  while (frames > 0) {
    const int n = std::min(frames, kAudioDeviceMaxFrames);
    device->feed(device->context, out, n);
    out += n * 2;
    frames -= n;
  }
}

}  // namespace

AudioDevice* OpenAudioDevice(AudioFeed feed, void* context) {
  if (!feed || !PlatformAudioInit()) return nullptr;
  auto* device = new AudioDevice{0, feed, context};
  SDL_AudioSpec want{};
  want.freq = kAudioDeviceHertz;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;  // about 23 ms per callback
  want.callback = Callback;
  want.userdata = device;
  SDL_AudioSpec have{};
  device->id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device->id == 0) {
    delete device;
    return nullptr;
  }
  SDL_PauseAudioDevice(device->id, 0);
  return device;
}

void CloseAudioDevice(AudioDevice* device) {
  if (!device) return;
  SDL_CloseAudioDevice(device->id);  // joins the audio thread
  delete device;
}

const char* AudioDeviceDriverName() {
  const char* name = SDL_GetCurrentAudioDriver();
  return name ? name : "";
}
