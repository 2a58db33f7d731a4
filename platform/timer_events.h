// Internal to the platform layer: recognising the SDL events timers post.
#pragma once

#include <SDL2/SDL.h>

// When the event is a tick notification of a running timer, stores its handle
// and the ticks due since the last notification and returns true.
bool TakeTimerTicks(const SDL_Event& event, int* handle, int* ticks);
