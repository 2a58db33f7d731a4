// Window-system input for the system driver, without SDL types.
//
// PlatformPollInput and PlatformWaitInput fetch SDL's pending events on the
// calling (main) thread and translate them into InputEvents in the system's
// event numbering (0x201 "KeyDown", ...) and timer ticks, which they hand to
// the sink one by one as they are translated.
#pragma once

#include <string>

struct InputEvent {
  int id = 0;  // event id in the system's numbering
  int data = 0;
  int mods = 0;
  int x = 0;
  int y = 0;
  std::string path;  // the file of "AppOpenFile"
};

class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void Input(const InputEvent& event) = 0;
  // The platform timer with this handle fired ticks times since last reported.
  virtual void TimerFired(int handle, int ticks) = 0;
};

// Starts SDL's event handling (video when a display is there, else events
// only) and sets the hints the driver relies on. Idempotent.
void PlatformInputInit();

// Translates every pending event without blocking.
void PlatformPollInput(InputSink& sink);
// Blocks until an event arrives (without spinning when a window is shown),
// then translates it and every further pending one.
void PlatformWaitInput(InputSink& sink);
// Posts a private wake-up event so that a blocked PlatformWaitInput returns.
// Safe from any thread.
void PlatformWakeInput();
