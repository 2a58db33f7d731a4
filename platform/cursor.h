// The pointer: warping it into the program's window and hiding it there.
#pragma once

// Whether the program's window covers the display in full-screen mode.
bool PlatformFullScreen();

// Warps the pointer to a position in the program's drawing area (the window
// with the current OpenGL context, else the one with mouse or keyboard focus).
// False, and nothing happens, when the program has no window.
bool PlatformWarpPointer(int x, int y);

// Records whether the pointer should be visible and applies it.
void PlatformSetPointerVisible(bool visible);
// Applies the recorded visibility: visible shows the pointer; hidden hides it
// in full screen, and in a window only while the pointer lies inside it.
void PlatformRefreshPointer();
// Whether the pointer is shown right now.
bool PlatformPointerShown();
