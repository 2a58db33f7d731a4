// Start-up of the audio layer. Each initialiser is idempotent; the program
// calls them in its start-up order, which decides the order of the audio
// driver registry and of the audio reader chain (newest first).
#pragma once

// The sound API: registers the silent "Null" driver and the exit handler that
// shuts the current driver down.
void InitAudio();
// The software mixer: registers "Mixwell CoreAudio" and then "Mixwell" (both
// drive the same output device). Runs InitAudio first.
void InitMixwellAudio();
// The WAV reader joins the audio reader chain.
void InitWavAudioLoader();
