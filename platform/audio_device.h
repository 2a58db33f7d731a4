// The audio output device: 44100 Hz, signed 16-bit, stereo, interleaved left
// and right. The device pulls sound from a feed function that runs on the
// platform's audio thread, in blocks of at most 4096 frames; the feed must not
// lock, allocate or make system calls. SDL's own environment variables
// (SDL_AUDIODRIVER, SDL_DISKAUDIOFILE, ...) choose the real output.
#pragma once

#include <cstdint>

inline constexpr int kAudioDeviceHertz = 44100;
inline constexpr int kAudioDeviceMaxFrames = 4096;

// Fills frames x 2 interleaved samples at out.
using AudioFeed = void (*)(void* context, int16_t* out, int frames);

struct AudioDevice;

// Opens the default output and starts pulling from feed. Null when no device
// can be opened (no audio driver, no output); feed is then never called.
AudioDevice* OpenAudioDevice(AudioFeed feed, void* context);

// Stops and closes the device; once it returns, feed is not running and will
// not be called again. Null does nothing.
void CloseAudioDevice(AudioDevice* device);

// The name of the platform audio driver in use ("disk", "pulseaudio", ...), or
// "" when the audio subsystem is not running.
const char* AudioDeviceDriverName();
