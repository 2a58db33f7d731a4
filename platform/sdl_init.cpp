#include "platform/sdl_init.h"

#include <SDL2/SDL.h>

namespace {

bool InitSubsystem(Uint32 flags) {
  if (SDL_WasInit(flags) == flags) return true;
  return SDL_InitSubSystem(flags) == 0;
}

}  // namespace

bool PlatformVideoInit() {
  // Probing for a window system is slow and noisy when there is none, so a
  // failure is remembered for the rest of the run.
  static bool unavailable = false;
  static char reason[256] = "";
  if (unavailable) {
    SDL_SetError("%s", reason);
    return false;
  }
  if (!InitSubsystem(SDL_INIT_VIDEO)) {
    unavailable = true;
    SDL_strlcpy(reason, SDL_GetError(), sizeof reason);
    return false;
  }
  // Without a window system SDL falls back to drivers that draw nowhere. A
  // program that asked for a display must learn that there is none, unless
  // the user chose such a driver on purpose through SDL_VIDEODRIVER.
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool invisible = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
  if (invisible && !SDL_GetHint(SDL_HINT_VIDEODRIVER)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_strlcpy(reason, "no display available", sizeof reason);
    SDL_SetError("%s", reason);
    unavailable = true;
    return false;
  }
  return true;
}
bool PlatformAudioInit() { return InitSubsystem(SDL_INIT_AUDIO); }
bool PlatformTimerInit() { return InitSubsystem(SDL_INIT_TIMER); }
bool PlatformJoystickInit() { return InitSubsystem(SDL_INIT_JOYSTICK); }

const char* PlatformLastError() { return SDL_GetError(); }
