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

bool PointerInside(SDL_Window* window) {
  if (!window) return false;
  int px = 0;
  int py = 0;
  int wx = 0;
  int wy = 0;
  int width = 0;
  int height = 0;
  SDL_GetGlobalMouseState(&px, &py);
  SDL_GetWindowPosition(window, &wx, &wy);
  SDL_GetWindowSize(window, &width, &height);
  return px >= wx && py >= wy && px < wx + width && py < wy + height;
}

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
