#include "platform/cursor.h"

#include <SDL2/SDL.h>

namespace {

bool wanted_visible = true;

SDL_Window* ProgramWindow() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return nullptr;
  if (SDL_Window* window = SDL_GL_GetCurrentWindow()) return window;
  if (SDL_Window* window = SDL_GetMouseFocus()) return window;
  return SDL_GetKeyboardFocus();
}

bool FullScreen(SDL_Window* window) {
  return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
}

// SDL's mouse focus follows the pointer entering and leaving the window.
bool PointerInside(SDL_Window* window) { return window && SDL_GetMouseFocus() == window; }

}  // namespace

bool PlatformFullScreen() { return FullScreen(ProgramWindow()); }

bool PlatformWarpPointer(int x, int y) {
  SDL_Window* window = ProgramWindow();
  if (!window) return false;
  SDL_WarpMouseInWindow(window, x, y);
  return true;
}

void PlatformSetPointerVisible(bool visible) {
  wanted_visible = visible;
  PlatformRefreshPointer();
}

void PlatformRefreshPointer() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  bool show = wanted_visible;
  if (!show) {
    SDL_Window* window = ProgramWindow();
    show = !(FullScreen(window) || PointerInside(window));
  }
  const int state = show ? SDL_ENABLE : SDL_DISABLE;
  if (SDL_ShowCursor(SDL_QUERY) != state) SDL_ShowCursor(state);
}

bool PlatformPointerShown() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return wanted_visible;
  return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}
