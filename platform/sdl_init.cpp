#include "platform/sdl_init.h"

#include <SDL2/SDL.h>

namespace {

bool InitSubsystem(Uint32 flags) {
  if (SDL_WasInit(flags) == flags) return true;
  return SDL_InitSubSystem(flags) == 0;
}

}  // namespace

bool PlatformVideoInit() { return InitSubsystem(SDL_INIT_VIDEO); }
bool PlatformAudioInit() { return InitSubsystem(SDL_INIT_AUDIO); }
bool PlatformTimerInit() { return InitSubsystem(SDL_INIT_TIMER); }
bool PlatformJoystickInit() { return InitSubsystem(SDL_INIT_JOYSTICK); }

const char* PlatformLastError() { return SDL_GetError(); }
