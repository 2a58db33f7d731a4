// Polled input: keyboard, mouse and application state that a frame loop can
// query at any moment. One hook on EmitEventHook (priority 0) records the
// emitted events; every query first calls PollSystem so the state is current.
#pragma once

#include "core/object.h"

// Installs the hook; with a source, only events about that object count.
// Does nothing when already enabled.
void EnablePolledInput(Object* source = nullptr);
// Removes the hook and flushes keys and mouse; does nothing when disabled.
void DisablePolledInput();

// Presses of the key since the last call; the count is then reset.
int KeyHit(int key);
// Vertical pointer motion since the previous call, positive downward.
int MouseYSpeed();
// 1 once after each quit request or window close, then 0.
int AppTerminate();
