#include "platform/input_events.h"

#include <SDL2/SDL.h>

#include "platform/input_translator.h"
#include "platform/sdl_init.h"

namespace {

bool started = false;
Uint32 wake_event_type = 0;
// Made once and never torn down.
InputTranslator* translator = nullptr;

void TranslateAndRelease(SDL_Event& event, InputSink& sink) {
  if (event.type == wake_event_type) return;
  translator->Translate(event, sink);
  if (event.type == SDL_DROPFILE || event.type == SDL_DROPTEXT) SDL_free(event.drop.file);
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
}

void PlatformPollInput(InputSink& sink) {
  PlatformInputInit();
  DrainPending(sink);
}

void PlatformWaitInput(InputSink& sink) {
  PlatformInputInit();
  SDL_Event event;
  if (SDL_WaitEvent(&event)) TranslateAndRelease(event, sink);
  DrainPending(sink);
}

void PlatformWakeInput() {
  if (wake_event_type == 0) return;
  SDL_Event event{};
  event.type = wake_event_type;
  SDL_PushEvent(&event);
}
