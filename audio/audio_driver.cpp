#include "audio/audio_driver.h"

#include <algorithm>
#include <cctype>

#include "audio/audio_module.h"
#include "audio/audio_sample_loader.h"
#include "core/exit_handlers.h"

namespace {

TAudioDriver* driver_list = nullptr;
TAudioDriver* null_driver = nullptr;
TAudioDriver* current_driver = nullptr;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

TAudioDriver* Driver() {
  if (current_driver) return current_driver;
  if (SetAudioDriver("Mixwell")) return current_driver;
  SetAudioDriver("Null");
  return current_driver;
}

}  // namespace

void InitAudio() {
  if (null_driver) return;
  null_driver = new TAudioDriver();
  OnExit([] {
    if (current_driver) {
      current_driver->Shutdown();
      current_driver = nullptr;
    }
  });
}

TAudioDriver::TAudioDriver() {
  Retain();  // the registry keeps every driver for the run
  _succ = driver_list;
  driver_list = this;
}

Ref<TSound> TAudioDriver::CreateSound(TAudioSample*, int) { return MakeRef<TSound>(); }
Ref<TChannel> TAudioDriver::AllocChannel() { return MakeRef<TChannel>(); }
Ref<TSound> TAudioDriver::LoadSound(const StreamLocation& url, int flags) { return TSound::Load(url, flags); }

Ref<TChannel> TSound::Play(TChannel*) { return MakeRef<TChannel>(); }
Ref<TChannel> TSound::Cue(TChannel*) { return MakeRef<TChannel>(); }

Ref<TSound> TSound::Load(const StreamLocation& url, int flags) {
  Ref<TAudioSample> sample = dynamic_cast<TAudioSample*>(url.object());
  if (!sample) sample = LoadAudioSample(url);
  if (!sample) return nullptr;
  return Driver()->CreateSound(sample, flags);
}

TAudioDriver* AudioDriverList() { return driver_list; }
TAudioDriver* CurrentAudioDriver() { return current_driver; }

Ref<TSound> LoadSound(const StreamLocation& url, int flags) { return Driver()->LoadSound(url, flags); }

Ref<TChannel> PlaySound(TSound* sound, TChannel* channel) { return sound ? sound->Play(channel) : nullptr; }
Ref<TChannel> CueSound(TSound* sound, TChannel* channel) { return sound ? sound->Cue(channel) : nullptr; }
Ref<TChannel> AllocChannel() { return Driver()->AllocChannel(); }

void StopChannel(TChannel* channel) {
  if (channel) channel->Stop();
}
int ChannelPlaying(TChannel* channel) { return channel ? channel->Playing() : 0; }
void SetChannelVolume(TChannel* channel, float volume) {
  if (channel) channel->SetVolume(volume);
}
void SetChannelPan(TChannel* channel, float pan) {
  if (channel) channel->SetPan(pan);
}
void SetChannelDepth(TChannel* channel, float depth) {
  if (channel) channel->SetDepth(depth);
}
void SetChannelRate(TChannel* channel, float rate) {
  if (channel) channel->SetRate(rate);
}
void PauseChannel(TChannel* channel) {
  if (channel) channel->SetPaused(1);
}
void ResumeChannel(TChannel* channel) {
  if (channel) channel->SetPaused(0);
}

std::vector<std::string> AudioDrivers() {
  std::vector<std::string> names;
  for (TAudioDriver* d = driver_list; d && names.size() < 100; d = d->_succ) names.push_back(d->Name());
  return names;
}

int AudioDriverExists(const std::string& name) {
  const std::string wanted = Lower(name);
  for (TAudioDriver* d = driver_list; d; d = d->_succ) {
    if (Lower(d->Name()) == wanted) return 1;
  }
  return 0;
}

int SetAudioDriver(const std::string& name) {
  InitAudio();
  const std::string wanted = Lower(name);
  if (current_driver) {
    current_driver->Shutdown();
    current_driver = nullptr;
  }
  current_driver = null_driver;
  for (TAudioDriver* d = driver_list; d; d = d->_succ) {
    if (Lower(d->Name()) != wanted) continue;
    if (!d->Startup()) return 0;
    current_driver = d;
    return 1;
  }
  return 0;
}
