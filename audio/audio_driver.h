// The driver-neutral sound API.
//
// A sound (TSound) is a loaded sample handed to an audio driver; a channel
// (TChannel) is one playing or cued voice with volume, pan, depth and rate; an
// audio driver (TAudioDriver) turns samples into sounds and sounds into
// channels. Drivers register themselves, newest first, when constructed by
// their module's initialiser. No driver starts until the first call that needs
// one: that call picks "Mixwell" (the software mixer) and falls back to the
// silent "Null" driver when it cannot start. Sounds and channels keep working
// only with the driver that made them.
//
// The base classes are the silent driver: its sounds play nowhere and its
// channels never report playing. Main thread only.
//
// Channel parameters: volume 1 = full level, 0 = silent; pan -1 left, 0
// centre, +1 right; depth -1..+1 (negative plays the right side in opposite
// phase); rate 1 = the sample's own speed.
#pragma once

#include <string>
#include <vector>

#include "audio/audio_sample.h"
#include "core/object.h"
#include "media/stream_factory.h"

// Sound flags for LoadSound.
enum { SOUND_LOOPING = 1 };

class TChannel : public Object {
 public:
  virtual void Stop() {}
  virtual void SetPaused(int) {}
  virtual void SetVolume(float) {}
  virtual void SetPan(float) {}
  virtual void SetDepth(float) {}
  virtual void SetRate(float) {}
  virtual int Playing() { return 0; }
};

class TSound : public Object {
 public:
  // Plays on channel, or on a fresh channel when it is null. Null when the
  // sound cannot play.
  virtual Ref<TChannel> Play(TChannel* channel);
  // Sets the sound up paused on the channel; ResumeChannel starts it.
  virtual Ref<TChannel> Cue(TChannel* channel);

  // url is a TAudioSample or any stream location; null when no sample loads.
  static Ref<TSound> Load(const StreamLocation& url, int flags);
};

class TAudioDriver : public Object {
 public:
  // Puts the driver at the head of the registry, where it stays for the run.
  TAudioDriver();
  TAudioDriver(const TAudioDriver&) = delete;
  TAudioDriver& operator=(const TAudioDriver&) = delete;

  virtual std::string Name() { return "Null"; }
  // Non-zero when the driver is usable.
  virtual int Startup() { return 1; }
  virtual void Shutdown() {}
  virtual Ref<TSound> CreateSound(TAudioSample* sample, int flags);
  virtual Ref<TChannel> AllocChannel();
  virtual Ref<TSound> LoadSound(const StreamLocation& url, int flags);

  TAudioDriver* _succ = nullptr;  // the next (older) driver
};

// The newest registered driver; follow _succ for the others.
TAudioDriver* AudioDriverList();
// The driver in use; null until the first call that needs one.
TAudioDriver* CurrentAudioDriver();

Ref<TSound> LoadSound(const StreamLocation& url, int flags = 0);
// channel may be null: the sound then plays on a fresh channel.
Ref<TChannel> PlaySound(TSound* sound, TChannel* channel = nullptr);
Ref<TChannel> CueSound(TSound* sound, TChannel* channel = nullptr);
// Null when the driver has no channel left.
Ref<TChannel> AllocChannel();
void StopChannel(TChannel* channel);
int ChannelPlaying(TChannel* channel);
void SetChannelVolume(TChannel* channel, float volume);
void SetChannelPan(TChannel* channel, float pan);
void SetChannelDepth(TChannel* channel, float depth);
void SetChannelRate(TChannel* channel, float rate);
void PauseChannel(TChannel* channel);
void ResumeChannel(TChannel* channel);

// Names of the registered drivers, newest first, at most 100.
std::vector<std::string> AudioDrivers();
// 1 when a registered driver has this name, ignoring case.
int AudioDriverExists(const std::string& name);
// Shuts the current driver down and starts the one named (ignoring case).
// 1 on success; 0 when no driver has the name or it fails to start, leaving
// the silent driver current.
int SetAudioDriver(const std::string& name);
