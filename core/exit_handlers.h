// Handlers that run when the program ends, in reverse order of registration.
// They run from the C library's exit processing, so a plain return from main or
// a call of exit() both close the display and stop the audio driver.
#pragma once

#include <functional>

void OnExit(std::function<void()> handler);

// Runs (and forgets) every registered handler, newest first. Called
// automatically at exit; tests call it to check the order.
void RunExitHandlers();
