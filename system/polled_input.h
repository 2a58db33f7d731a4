// Polled input: keyboard, mouse and application state that a frame loop can
// query at any moment. One hook on EmitEventHook (priority 0) records the
// emitted events; every query and flush first calls PollSystem so that the
// state is current. The graphics layer switches it on when it opens a display
// and off when it closes it.
//
// Key codes are those of the events (0-255, Escape 27); buttons 1 left,
// 2 right, 3 middle. Queries outside those ranges read 0 and change nothing.
#pragma once

#include "core/object.h"

// Installs the hook (flushing keys and mouse); with a source, only events
// about that object count. Does nothing when already enabled.
void EnablePolledInput(Object* source = nullptr);
// Removes the hook and flushes keys and mouse; does nothing when disabled.
void DisablePolledInput();

// 1 while the key is down.
int KeyDown(int key);
// Presses of the key since the last call or flush; the count is then reset.
int KeyHit(int key);
// The oldest typed character not yet read, or 0.
int GetChar();
// Empties the character queue and forgets every key state and count.
void FlushKeys();

// Pointer position in drawing-area pixels (origin top-left, y downward).
int MouseX();
int MouseY();
// Wheel position: the sum of wheel notches since the last flush.
int MouseZ();
// Change of the axis since the previous speed query of the same axis.
int MouseXSpeed();
int MouseYSpeed();
int MouseZSpeed();
// 1 while the button is down.
int MouseDown(int button);
// Presses of the button since the last call or flush; then reset.
int MouseHit(int button);
// Forgets button states and counts and sets the wheel position to 0; the
// pointer position and the speed reference points stay.
void FlushMouse();

// Block (WaitSystem) until a key is hit, a character typed or a button hit.
int WaitKey();
int WaitChar();
int WaitMouse();

// 1 between "AppSuspend" and "AppResume".
int AppSuspended();
// 1 once after each quit request or window close, then 0.
int AppTerminate();
