// The system module: the one system driver and the calls that forward to it.
//
// PollSystem and WaitSystem let the driver translate pending window-system
// input into emitted events; every hook runs synchronously inside them. They
// are guarded against re-entry: while one of them runs, a further call of
// either returns at once.
#pragma once

// Starts the system module (events first); idempotent.
void InitSystem();

// Translates every pending notification without blocking.
void PollSystem();
// Blocks until at least one notification arrives, then as PollSystem.
void WaitSystem();

// Warps the pointer to drawing-area coordinates and emits "MouseMove".
void MoveMouse(int x, int y);
void ShowMouse();
void HideMouse();
