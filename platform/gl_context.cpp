#include "platform/gl_context.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "core/app.h"
#include "core/runtime_error.h"
#include "platform/sdl_init.h"

struct GLContextRecord {
  GLContextKind kind;
  int width, height, depth, hertz, flags;
  int sync = -1;                  // swap interval last set: -1 never, 0 or 1
  bool sync_unavailable = false;  // the last interval of 1 could not be set
  SDL_Window* window = nullptr;
  SDL_GLContext glContext = nullptr;
};

namespace {

GLContextRecord* current_context = nullptr;
GLContextRecord* display_context = nullptr;
SDL_Window* shared_window = nullptr;
SDL_GLContext shared_context = nullptr;

int ModeDepth(Uint32 format) {
  const int bytes = SDL_BYTESPERPIXEL(format);
  return bytes == 4 ? 32 : int(SDL_BITSPERPIXEL(format));
}

// Translates graphics flags into the pixel-format request. SDL chooses the
// window's visual from these at window creation and the context's
// configuration at context creation, so they are set before both.
void RequestPixelFormat(int flags) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (flags & GFX_DOUBLE_BUFFER) ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, (flags & GFX_ALPHA_BITS) ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, (flags & GFX_DEPTH_BITS) ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, (flags & GFX_STENCIL_BITS) ? 1 : 0);
  const int accum = (flags & GFX_ACCUM_BITS) ? 1 : 0;
  SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, accum);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, accum);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, accum);
}

// The display mode closest to the request among those of exactly the requested
// size: same depth first, then same refresh rate (when one is asked for).
bool BestMode(int width, int height, int depth, int hertz, SDL_DisplayMode& best) {
  int best_score = -1;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
    if (mode.w != width || mode.h != height) continue;
    int score = 1;
    if (ModeDepth(mode.format) == depth) score += 4;
    if (hertz == 0 || mode.refresh_rate == hertz) score += 2;
    if (score > best_score) {
      best_score = score;
      best = mode;
    }
  }
  return best_score >= 0;
}

SDL_Window* CreateFullscreenWindow(int width, int height, int depth, int hertz) {
  SDL_DisplayMode mode;
  if (!BestMode(width, height, depth, hertz, mode)) throw RuntimeError("Unable to set display mode");
  SDL_Window* window = SDL_CreateWindow(AppTitle().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!window) throw RuntimeError("Unable to set display mode");
  if (SDL_SetWindowDisplayMode(window, &mode) != 0 ||
      SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
    SDL_DestroyWindow(window);  // gives the display back at once
    throw RuntimeError("Unable to set display mode");
  }
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  return window;
}

}  // namespace

int GLContextModes(int* buffer, int max) {
  if (!PlatformVideoInit()) return 0;
  int n = 0;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count && n < max; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
    const int depth = ModeDepth(mode.format);
    if (depth < 16) continue;
    int* out = buffer + 4 * n++;
    out[0] = mode.w;
    out[1] = mode.h;
    out[2] = depth;
    out[3] = mode.refresh_rate;
  }
  return n;
}

GLContextRecord* GLContextCreate(int width, int height, int depth, int hertz, int flags) {
  if (!PlatformVideoInit()) return nullptr;
  if (width <= 0 || height <= 0) return nullptr;
  RequestPixelFormat(flags);
  SDL_Window* window = nullptr;
  GLContextKind kind;
  if (depth != 0) {
    window = CreateFullscreenWindow(width, height, depth, hertz);
    kind = CONTEXT_FULLSCREEN;
  } else {
    window = SDL_CreateWindow(AppTitle().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                              height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!window) return nullptr;
    SDL_RaiseWindow(window);
    kind = CONTEXT_WINDOW;
  }
  auto* record = new GLContextRecord{kind, width, height, depth, hertz, flags};
  record->window = window;
  if (kind == CONTEXT_FULLSCREEN) display_context = record;
  return record;
}

GLContextRecord* GLContextAttach(intptr_t view, int flags) {
  if (!PlatformVideoInit()) return nullptr;
  SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
  SDL_Window* window = SDL_CreateWindowFrom(reinterpret_cast<const void*>(view));
  if (!window) return nullptr;
  auto* record = new GLContextRecord{CONTEXT_VIEW, 0, 0, 0, 0, flags};
  record->window = window;
  SDL_GetWindowSize(window, &record->width, &record->height);
  return record;
}

namespace {

// GL drivers (the software rasteriser above all) free their per-frame
// working memory at the end of each frame and take it again in the next.
// With glibc's default trim threshold that memory goes back to the kernel
// every frame and is faulted in page by page again: a frame then costs half
// as much again, and how much depends on what the process freed before. A
// high threshold keeps freed memory for reuse. Once per process, and only
// where the user has not tuned it.
void KeepFreedMemoryForNextFrame() {
#if defined(__GLIBC__)
  static bool done = false;
  if (done) return;
  done = true;
  if (std::getenv("MALLOC_TRIM_THRESHOLD_") || std::getenv("GLIBC_TUNABLES")) return;
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace

void GLContextMakeCurrent(GLContextRecord* record) {
  if (!record) {
    SDL_GL_MakeCurrent(nullptr, nullptr);
    current_context = nullptr;
    return;
  }
  if (record->kind == CONTEXT_VIEW) SDL_GetWindowSize(record->window, &record->width, &record->height);
  if (!record->glContext) {
    RequestPixelFormat(record->flags);
    if (shared_context) {
      SDL_GL_MakeCurrent(shared_window, shared_context);
      SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
    }
    record->glContext = SDL_GL_CreateContext(record->window);
    if (!record->glContext) {
      if (current_context) SDL_GL_MakeCurrent(current_context->window, current_context->glContext);
      throw RuntimeError("Unable to create GL Context");
    }
    KeepFreedMemoryForNextFrame();
  }
  SDL_GL_MakeCurrent(record->window, record->glContext);
  current_context = record;
}

void GLContextSettings(GLContextRecord* record, int& width, int& height, int& depth, int& hertz, int& flags) {
  if (record->kind == CONTEXT_VIEW) SDL_GetWindowSize(record->window, &record->width, &record->height);
  width = record->width;
  height = record->height;
  depth = record->depth;
  hertz = record->hertz;
  flags = record->flags;
}

int GLContextFlip(int sync) {
  GLContextRecord* record = current_context;
  if (!record) return 0;
  const int s = sync != 0 ? 1 : 0;
  if (s != record->sync) {
    record->sync = s;
    record->sync_unavailable = SDL_GL_SetSwapInterval(s) != 0 && s == 1;
  }
  SDL_GL_SwapWindow(record->window);
  return record->sync_unavailable ? 1 : 0;
}

void GLContextClose(GLContextRecord* record) {
  if (!record) return;
  if (record == current_context) GLContextMakeCurrent(nullptr);
  if (record->glContext) SDL_GL_DeleteContext(record->glContext);
  // For an attached view SDL only drops its bookkeeping; the native window
  // stays with its owner. A full-screen window gives the display mode back.
  SDL_DestroyWindow(record->window);
  if (record == display_context) {
    SDL_ShowCursor(SDL_ENABLE);
    display_context = nullptr;
  }
  delete record;
}

void GLContextShare() {
  if (shared_context || !PlatformVideoInit()) return;
  RequestPixelFormat(0);
  shared_window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!shared_window) return;
  shared_context = SDL_GL_CreateContext(shared_window);
  if (!shared_context) {
    SDL_DestroyWindow(shared_window);
    shared_window = nullptr;
  }
  // Creating the hidden context made it current; give the current one back.
  if (current_context) {
    SDL_GL_MakeCurrent(current_context->window, current_context->glContext);
  } else {
    SDL_GL_MakeCurrent(nullptr, nullptr);
  }
}

int GLContextRefreshRate() {
  if (!current_context) return 0;
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(current_context->window);
  if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
  return mode.refresh_rate;
}

GLContextKind GLContextKindOf(const GLContextRecord* record) { return record->kind; }
