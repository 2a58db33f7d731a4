// Translation of SDL events into the system's input events. Internal to the
// platform layer (it includes SDL); tests feed it synthetic events.
//
// Mouse rules: a button press counts only inside the drawing area and starts a
// capture; while capturing, motion and wheel are reported wherever the pointer
// is (also at negative positions) and the next release ends the capture.
// Without a capture, motion, release and wheel outside the area are dropped.
// The area under the pointer is tracked so that leaving it gives "MouseLeave"
// and coming back "MouseEnter". In full screen the pointer is always inside.
#pragma once

#include <SDL2/SDL.h>

#include <optional>

#include "platform/input_events.h"

// The drawing area a mouse event refers to.
struct InputArea {
  int width = 0;
  int height = 0;
  bool full_screen = false;
};

class InputTranslator {
 public:
  using AreaLookup = InputArea (*)(Uint32 window_id);

  // The lookup gives the drawing area of an SDL window id; by default the
  // window's size and full-screen flag.
  explicit InputTranslator(AreaLookup lookup = nullptr);

  // Translates one event, handing what it yields to the sink in order.
  void Translate(const SDL_Event& event, InputSink& sink);

  // The current modifier mask (1 shift, 2 control, 4 option, 8 command).
  int mods() const { return mods_; }

 private:
  void Key(const SDL_KeyboardEvent& key, InputSink& sink);
  void Text(const char* text, InputSink& sink);
  void Button(const SDL_MouseButtonEvent& button, InputSink& sink);
  void Motion(const SDL_MouseMotionEvent& motion, InputSink& sink);
  void Wheel(const SDL_MouseWheelEvent& wheel, InputSink& sink);
  void Window(const SDL_WindowEvent& window, InputSink& sink);
  // Emits "MouseLeave"/"MouseEnter" when the area under the pointer (the
  // window with this id, or none) changes.
  void Enter(std::optional<Uint32> area, int x, int y, InputSink& sink);
  void Emit(InputSink& sink, int id, int data = 0, int x = 0, int y = 0);

  AreaLookup lookup_;
  int mods_ = 0;
  std::optional<Uint32> entered_;
  bool capturing_ = false;
  int last_x_ = 0;
  int last_y_ = 0;
};

// The modifier mask of SDL's modifier state.
int ModifierMask(Uint16 sdl_mods);
