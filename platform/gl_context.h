// The window-system layer under the OpenGL graphics driver: display modes,
// windows and full-screen displays with an OpenGL compatibility context,
// making a context current, buffer swaps with a settable swap interval, and a
// hidden context that later contexts share objects with.
//
// Life cycle of a context record: GLContextCreate (window or full-screen
// display made; no GL context yet) -> first GLContextMakeCurrent (the GL
// context is made and attached) -> GLContextFlip per frame -> GLContextClose
// (context released, window closed or display mode restored, record freed).
#pragma once

#include <cstdint>

// Request flags of a context (graphics flags).
constexpr int GFX_DOUBLE_BUFFER = 2;
constexpr int GFX_ALPHA_BITS = 4;
constexpr int GFX_DEPTH_BITS = 8;
constexpr int GFX_STENCIL_BITS = 16;
constexpr int GFX_ACCUM_BITS = 32;

enum GLContextKind { CONTEXT_VIEW = 1, CONTEXT_WINDOW = 2, CONTEXT_FULLSCREEN = 3 };

struct GLContextRecord;

// Writes up to `max` modes as (width, height, bits per pixel, refresh rate)
// quadruples into `buffer` (4 * max ints), skipping modes below 16 bits per
// pixel; returns the count written.
int GLContextModes(int* buffer, int max);

// depth 0: a titled, centred, closable window of the given size. Otherwise a
// full-screen display at the best mode for (depth, width, height, hertz), with
// a real mode switch; throws RuntimeError("Unable to set display mode") when the
// mode cannot be set. Returns null when no window can be made.
GLContextRecord* GLContextCreate(int width, int height, int depth, int hertz, int flags);

// A context over an existing native window, given as its platform window id.
GLContextRecord* GLContextAttach(intptr_t view, int flags);

// Makes the record's context current, creating it on first use; null clears
// the current context. Throws RuntimeError("Unable to create GL Context").
void GLContextMakeCurrent(GLContextRecord* record);

void GLContextSettings(GLContextRecord* record, int& width, int& height, int& depth, int& hertz, int& flags);

// Swaps the current context's buffers with swap interval 1 when sync is
// non-zero, 0 otherwise; the interval is set only when it changes. Returns 1 when
// a synchronised flip was asked for but the swap interval could not be set, so
// the caller must pace the frame itself; 0 otherwise.
int GLContextFlip(int sync);

void GLContextClose(GLContextRecord* record);
void GLContextShare();

// Refresh rate of the display showing the current context, 0 when unknown.
int GLContextRefreshRate();

GLContextKind GLContextKindOf(const GLContextRecord* record);
