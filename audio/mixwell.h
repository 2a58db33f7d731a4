// The native mixer's entry points: a flat C-style set over integer handles
// (0 = none), called from the main thread only.
//
// mw_Init opens the output device (44100 Hz, 16-bit, stereo) and the channel
// table; mw_Close stops both, after which every call is a harmless no-op that
// returns 0 (mw_PlaySound returns the channel it was given). Sample handles
// come from mw_CreateSound, channel handles from mw_AllocChannel or
// mw_PlaySound; a stale handle (freed, or reused by a newer channel) is ignored
// and reads as 0.
//
// Parameters cross from float to fixed point here, truncated and held to the
// range of the field: volume, pan and depth x 4096 in 16 bits, rate x 65536 in
// 32 bits. NaN counts as 0.
#pragma once

// 0, or -1 when no output device can be opened. mode is not used.
int mw_Init(int mode);
int mw_Close();

// A sample handle, or 0 (no device, bits not 8 or 16, channels not 1 or 2,
// length or hertz not positive, data null). The data is copied: length frames
// of unsigned 8-bit or signed little-endian 16-bit values, stereo interleaved.
// loop != 0 makes voices of the sample repeat.
int mw_CreateSound(int length, int bits, int channels, int hertz, const void* data, int loop);
// Drops the caller's reference; the sample is freed once no voice plays it.
int mw_FreeSound(int sample);

// A channel handle, or 0 when all 4095 channels are in use.
int mw_AllocChannel();
// Frees the channel; a voice playing on it plays on to its end unattached.
void mw_FreeChannel(int channel);

// Plays sample on channel (0: on a fresh channel whose voice is released when
// it ends), taking the channel's volume, pan, depth and rate; paused != 0 cues
// it instead. Returns the channel, or 0 when none could be allocated (the
// sound still plays) or the voice could not be queued.
int mw_PlaySound(int sample, int paused, int channel);
int mw_StopChannel(int channel);
int mw_SetChannelPaused(int channel, int paused);
int mw_SetChannelVolume(int channel, float volume);
int mw_SetChannelPan(int channel, float pan);
int mw_SetChannelDepth(int channel, float depth);
int mw_SetChannelRate(int channel, float rate);
// Status flags of the channel's voice: 1 finished, 2 playing once, 4 looping,
// 16 paused; 0 released or invalid handle.
int mw_ChannelStatus(int channel);
// Frames played on the channel's voice since its start, loops included.
int mw_ChannelPosition(int channel);
