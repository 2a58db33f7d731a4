#include "audio/mixwell_driver.h"

#include "audio/audio_module.h"
#include "audio/mixwell.h"

void InitMixwellAudio() {
  static bool done = false;
  if (done) return;
  done = true;
  InitAudio();
  TMixwellAudioDriver::Create("Mixwell CoreAudio", 0);
  TMixwellAudioDriver::Create("Mixwell", -1);
}

TMixwellAudioDriver* TMixwellAudioDriver::Create(const std::string& name, int mode) {
  auto* driver = new TMixwellAudioDriver();
  driver->_name = name;
  driver->_mode = mode;
  return driver;
}

int TMixwellAudioDriver::Startup() { return mw_Init(0) != -1 ? 1 : 0; }

void TMixwellAudioDriver::Shutdown() { mw_Close(); }

Ref<TSound> TMixwellAudioDriver::CreateSound(TAudioSample* sample, int flags) {
  if (!sample || sample->format < 0 || sample->format > 6) return nullptr;
  Ref<TAudioSample> source = sample;
  if (sample->format == SF_MONO16BE) source = sample->Convert(SF_MONO16LE);
  if (sample->format == SF_STEREO16BE) source = sample->Convert(SF_STEREO16LE);
  const int channels = ChannelsPerSample[source->format];
  if (channels == 0) return nullptr;
  const int bits = BytesPerSample[source->format] * 8 / channels;
  const int loop = (flags & SOUND_LOOPING) ? -1 : 0;
  const int handle = mw_CreateSound(source->length, bits, channels, source->hertz, source->samples, loop);
  return TMixwellSound::CreateWithSound(handle);
}

Ref<TChannel> TMixwellAudioDriver::AllocChannel() {
  const int handle = mw_AllocChannel();
  if (handle == 0) return nullptr;
  return TMixwellChannel::CreateWithChannel(handle);
}

Ref<TMixwellSound> TMixwellSound::CreateWithSound(int handle) {
  Ref<TMixwellSound> sound = MakeRef<TMixwellSound>();
  sound->mw_sound = handle;
  return sound;
}

TMixwellSound::~TMixwellSound() { mw_FreeSound(mw_sound); }

Ref<TChannel> TMixwellSound::Play(TChannel* channel) { return Start(channel, 0); }
Ref<TChannel> TMixwellSound::Cue(TChannel* channel) { return Start(channel, 1); }

Ref<TChannel> TMixwellSound::Start(TChannel* channel, int paused) {
  int handle = 0;
  if (channel) {
    auto* mixwell_channel = dynamic_cast<TMixwellChannel*>(channel);
    if (!mixwell_channel) return nullptr;
    handle = mixwell_channel->mw_channel;
  }
  const int result = mw_PlaySound(mw_sound, paused, handle);
  if (result == 0) return nullptr;
  if (channel && result == handle) return channel;
  return TMixwellChannel::CreateWithChannel(result);
}

Ref<TMixwellChannel> TMixwellChannel::CreateWithChannel(int handle) {
  Ref<TMixwellChannel> channel = MakeRef<TMixwellChannel>();
  channel->mw_channel = handle;
  return channel;
}

TMixwellChannel::~TMixwellChannel() {
  if (mw_channel != 0) mw_FreeChannel(mw_channel);
}

void TMixwellChannel::Stop() {
  mw_StopChannel(mw_channel);
  mw_channel = 0;
}

void TMixwellChannel::SetPaused(int paused) { mw_SetChannelPaused(mw_channel, paused); }
void TMixwellChannel::SetVolume(float volume) { mw_SetChannelVolume(mw_channel, volume); }
void TMixwellChannel::SetPan(float pan) { mw_SetChannelPan(mw_channel, pan); }
void TMixwellChannel::SetDepth(float depth) { mw_SetChannelDepth(mw_channel, depth); }
void TMixwellChannel::SetRate(float rate) { mw_SetChannelRate(mw_channel, rate); }

int TMixwellChannel::Playing() {
  const int s = mw_ChannelStatus(mw_channel);
  return (s == 0 || (s & 1) || (s & 16)) ? 0 : 1;
}

int TMixwellChannel::Position() { return mw_ChannelPosition(mw_channel); }
