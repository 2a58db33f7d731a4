// Start-up of SDL's subsystems, shared by every file of the platform layer.
// Each call is idempotent and returns false when the subsystem is unavailable
// (no X server, no audio device, ...). SDL's own environment variables
// (SDL_VIDEODRIVER, SDL_AUDIODRIVER, ...) choose its drivers.
#pragma once

bool PlatformVideoInit();
bool PlatformAudioInit();
bool PlatformTimerInit();
bool PlatformJoystickInit();

// The last error text of the platform library, for messages.
const char* PlatformLastError();
