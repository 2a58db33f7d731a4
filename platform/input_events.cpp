#include "platform/input_events.h"

#include <SDL2/SDL.h>

#include "platform/input_translator.h"
#include "platform/sdl_init.h"

namespace {

bool started = false;
Uint32 wake_event_type = 0;
// Posted for every event that enters SDL's queue, from whichever thread adds it.
SDL_sem* arrivals = nullptr;
// Made once and never torn down.
InputTranslator* translator = nullptr;

void TranslateAndRelease(SDL_Event& event, InputSink& sink) {
  if (event.type == wake_event_type) return;
  translator->Translate(event, sink);
  if (event.type == SDL_DROPFILE || event.type == SDL_DROPTEXT) SDL_free(event.drop.file);
}

int SDLCALL CountArrival(void*, SDL_Event*) {
  if (SDL_SemValue(arrivals) == 0) SDL_SemPost(arrivals);
  return 0;
}

// SDL blocks in the window system's own wait only while it has a window;
// without one its wait polls every millisecond.
bool HasWindow() {
  return SDL_WasInit(SDL_INIT_VIDEO) &&
         (SDL_GL_GetCurrentWindow() || SDL_GetMouseFocus() || SDL_GetKeyboardFocus());
}

// Sleeps until an event is queued. Signals become quit events only when SDL
// pumps, so the sleep is cut into 50 ms slices.
void SleepUntilQueued() {
  for (;;) {
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) return;
    SDL_SemWaitTimeout(arrivals, 50);
  }
}

void DrainPending(InputSink& sink) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) TranslateAndRelease(event, sink);
}

}  // namespace

void PlatformInputInit() {
  if (started) return;
  started = true;
  // The window's close button must not also become a quit request; the program
  // decides when to end and the window stays open meanwhile.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // SDL turns SIGINT and SIGTERM into quit requests once events are running.
  if (!PlatformVideoInit() && SDL_WasInit(SDL_INIT_EVENTS) == 0) SDL_InitSubSystem(SDL_INIT_EVENTS);
  wake_event_type = SDL_RegisterEvents(1);
  if (wake_event_type == static_cast<Uint32>(-1)) wake_event_type = 0;
  translator = new InputTranslator;
  arrivals = SDL_CreateSemaphore(0);
  if (arrivals) SDL_AddEventWatch(CountArrival, nullptr);
}

void PlatformPollInput(InputSink& sink) {
  PlatformInputInit();
  DrainPending(sink);
}

void PlatformWaitInput(InputSink& sink) {
  PlatformInputInit();
  if (HasWindow() || !arrivals) {
    SDL_Event event;
    if (SDL_WaitEvent(&event)) TranslateAndRelease(event, sink);
  } else {
    SleepUntilQueued();
  }
  DrainPending(sink);
}

void PlatformWakeInput() {
  if (wake_event_type == 0) return;
  SDL_Event event{};
  event.type = wake_event_type;
  SDL_PushEvent(&event);
}
