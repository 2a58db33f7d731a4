#include "system/system.h"

void InitSystem() {}

void PollSystem() {}

void WaitSystem() {}

void MoveMouse(int, int) {}

void ShowMouse() {}

void HideMouse() {}
