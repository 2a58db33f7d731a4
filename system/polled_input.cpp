#include "system/polled_input.h"

void EnablePolledInput(Object*) {}

void DisablePolledInput() {}

int KeyHit(int) { return 0; }

int MouseYSpeed() { return 0; }

int AppTerminate() { return 0; }
