#include "platform/input_translator.h"

#include <cmath>
#include <cstring>

#include "core/text.h"
#include "platform/key_codes.h"
#include "platform/timer_events.h"

namespace {

// Event ids in the system's numbering.
constexpr int kAppSuspend = 0x101;
constexpr int kAppResume = 0x102;
constexpr int kAppTerminate = 0x103;
constexpr int kAppOpenFile = 0x104;
constexpr int kKeyDown = 0x201;
constexpr int kKeyUp = 0x202;
constexpr int kKeyChar = 0x203;
constexpr int kKeyRepeat = 0x204;
constexpr int kMouseDown = 0x401;
constexpr int kMouseUp = 0x402;
constexpr int kMouseMove = 0x403;
constexpr int kMouseWheel = 0x404;
constexpr int kMouseEnter = 0x405;
constexpr int kMouseLeave = 0x406;

InputArea WindowArea(Uint32 window_id) {
  InputArea area;
  SDL_Window* window = SDL_GetWindowFromID(window_id);
  if (!window) return area;
  SDL_GetWindowSize(window, &area.width, &area.height);
  area.full_screen = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
  return area;
}

bool Inside(const InputArea& area, int x, int y) {
  return area.full_screen || (x >= 0 && y >= 0 && x < area.width && y < area.height);
}

int ButtonNumber(Uint8 sdl_button) {
  if (sdl_button == SDL_BUTTON_LEFT) return 1;
  if (sdl_button == SDL_BUTTON_RIGHT) return 2;
  return 3;
}

int DraggedButton(Uint32 state) {
  if (state & SDL_BUTTON_LMASK) return 1;
  if (state & SDL_BUTTON_RMASK) return 2;
  return state ? 3 : 0;
}

// Keys whose typed character SDL does not report as text.
int ControlCharacter(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_BACKSPACE:
      return 8;
    case SDL_SCANCODE_TAB:
      return 9;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
      return 13;
    case SDL_SCANCODE_ESCAPE:
      return 27;
    default:
      return 0;
  }
}

bool IsModifierKey(SDL_Scancode scancode) {
  return scancode >= SDL_SCANCODE_LCTRL && scancode <= SDL_SCANCODE_RGUI;
}

}  // namespace

int ModifierMask(Uint16 sdl_mods) {
  int mask = 0;
  if (sdl_mods & KMOD_SHIFT) mask |= 1;
  if (sdl_mods & KMOD_CTRL) mask |= 2;
  if (sdl_mods & KMOD_ALT) mask |= 4;
  if (sdl_mods & KMOD_GUI) mask |= 8;
  return mask;
}

InputTranslator::InputTranslator(AreaLookup lookup) : lookup_(lookup ? lookup : WindowArea) {}

void InputTranslator::Translate(const SDL_Event& event, InputSink& sink) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      Key(event.key, sink);
      break;
    case SDL_TEXTINPUT:
      Text(event.text.text, sink);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      Button(event.button, sink);
      break;
    case SDL_MOUSEMOTION:
      Motion(event.motion, sink);
      break;
    case SDL_MOUSEWHEEL:
      Wheel(event.wheel, sink);
      break;
    case SDL_WINDOWEVENT:
      Window(event.window, sink);
      break;
    case SDL_QUIT:
      Emit(sink, kAppTerminate);
      break;
    case SDL_DROPFILE:
      if (event.drop.file) {
        InputEvent open{kAppOpenFile, 0, mods_, 0, 0, event.drop.file};
        sink.Input(open);
      }
      break;
    default: {
      int handle = 0;
      int ticks = 0;
      if (TakeTimerTicks(event, &handle, &ticks)) sink.TimerFired(handle, ticks);
      break;
    }
  }
}

void InputTranslator::Key(const SDL_KeyboardEvent& key, InputSink& sink) {
  mods_ = ModifierMask(key.keysym.mod);
  const SDL_Scancode scancode = key.keysym.scancode;
  const int code = KeyCodeForScancode(scancode);
  if (key.type == SDL_KEYUP) {
    if (code) Emit(sink, kKeyUp, code);
    return;
  }
  // A held modifier reports its press once, as the desktop's modifier flags do.
  if (key.repeat && IsModifierKey(scancode)) return;
  if (code) Emit(sink, key.repeat ? kKeyRepeat : kKeyDown, code);
  if (const int c = ControlCharacter(scancode)) Emit(sink, kKeyChar, c);
}

void InputTranslator::Text(const char* text, InputSink& sink) {
  const std::size_t length = strnlen(text, SDL_TEXTINPUTEVENT_TEXT_SIZE);
  for (char32_t c : Utf8ToCodepoints(std::string_view(text, length))) {
    if (c >= 0xF700 && c <= 0xF8FF) continue;  // private-use function-key characters
    Emit(sink, kKeyChar, c == 127 ? 8 : static_cast<int>(c));
  }
}

void InputTranslator::Button(const SDL_MouseButtonEvent& button, InputSink& sink) {
  const InputArea area = lookup_(button.windowID);
  const bool inside = Inside(area, button.x, button.y);
  last_x_ = button.x;
  last_y_ = button.y;
  if (button.type == SDL_MOUSEBUTTONDOWN) {
    if (!inside) return;
    Enter(button.windowID, button.x, button.y, sink);
    capturing_ = true;
    Emit(sink, kMouseDown, ButtonNumber(button.button), button.x, button.y);
    return;
  }
  if (!inside && !capturing_) return;
  capturing_ = false;
  Emit(sink, kMouseUp, ButtonNumber(button.button), button.x, button.y);
}

void InputTranslator::Motion(const SDL_MouseMotionEvent& motion, InputSink& sink) {
  const InputArea area = lookup_(motion.windowID);
  const bool inside = Inside(area, motion.x, motion.y);
  Enter(inside ? std::optional<Uint32>(motion.windowID) : std::nullopt, motion.x, motion.y, sink);
  last_x_ = motion.x;
  last_y_ = motion.y;
  if (!inside && !capturing_) return;
  Emit(sink, kMouseMove, DraggedButton(motion.state), motion.x, motion.y);
}

void InputTranslator::Wheel(const SDL_MouseWheelEvent& wheel, InputSink& sink) {
  const InputArea area = lookup_(wheel.windowID);
  const int x = wheel.mouseX;
  const int y = wheel.mouseY;
  if (!Inside(area, x, y) && !capturing_) return;
  float delta = wheel.preciseY;
  if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED) delta = -delta;
  // Away from zero, so that a fraction of a notch still counts as one.
  const int notches = static_cast<int>(delta > 0 ? std::ceil(delta) : std::floor(delta));
  Emit(sink, kMouseWheel, notches, x, y);
}

void InputTranslator::Window(const SDL_WindowEvent& window, InputSink& sink) {
  switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
      Emit(sink, kAppSuspend);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      Emit(sink, kAppResume);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      Emit(sink, kAppTerminate);
      break;
    case SDL_WINDOWEVENT_LEAVE:
      if (entered_ == window.windowID) Enter(std::nullopt, last_x_, last_y_, sink);
      break;
    default:
      break;
  }
}

void InputTranslator::Enter(std::optional<Uint32> area, int x, int y, InputSink& sink) {
  if (area == entered_) return;
  if (entered_) Emit(sink, kMouseLeave, 0, x, y);
  entered_ = area;
  if (area) Emit(sink, kMouseEnter, 0, x, y);
}

void InputTranslator::Emit(InputSink& sink, int id, int data, int x, int y) {
  InputEvent event;
  event.id = id;
  event.data = data;
  event.mods = mods_;
  event.x = x;
  event.y = y;
  sink.Input(event);
}
