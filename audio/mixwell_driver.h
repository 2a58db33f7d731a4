// The software mixer as an audio driver: sounds and channels over the mw_
// entry points. Registered twice, as "Mixwell CoreAudio" (mode 0) and
// "Mixwell" (mode -1); both start the same output device here.
#pragma once

#include <string>

#include "audio/audio_driver.h"

class TMixwellAudioDriver : public TAudioDriver {
 public:
  static TMixwellAudioDriver* Create(const std::string& name, int mode);

  std::string Name() override { return _name; }
  // Opens the output device; 0 when there is none.
  int Startup() override;
  void Shutdown() override;
  // Null for a sample without channels. Big-endian samples are converted to
  // little-endian ones; the mixer copies the frames, so the sample may go.
  Ref<TSound> CreateSound(TAudioSample* sample, int flags) override;
  // Null when all 4095 channels are in use.
  Ref<TChannel> AllocChannel() override;

  std::string _name;
  int _mode = 0;
};

class TMixwellSound : public TSound {
 public:
  static Ref<TMixwellSound> CreateWithSound(int handle);
  ~TMixwellSound() override;

  // channel must be null or a TMixwellChannel (else null is returned). The
  // given channel object comes back when the sound plays on it; a fresh
  // channel comes back as a new object.
  Ref<TChannel> Play(TChannel* channel) override;
  Ref<TChannel> Cue(TChannel* channel) override;

  int mw_sound = 0;

 private:
  Ref<TChannel> Start(TChannel* channel, int paused);
};

class TMixwellChannel : public TChannel {
 public:
  static Ref<TMixwellChannel> CreateWithChannel(int handle);
  // Frees the channel; a sound playing on it plays on to its end.
  ~TMixwellChannel() override;

  void Stop() override;
  void SetPaused(int paused) override;
  void SetVolume(float volume) override;
  void SetPan(float pan) override;
  void SetDepth(float depth) override;
  void SetRate(float rate) override;
  // 1 while the voice plays: not finished, not paused, not released.
  int Playing() override;
  // Frames played since the start, loops included.
  int Position();

  int mw_channel = 0;
};
