#include "system/polled_input.h"

#include <array>
#include <cstdint>

#include "system/event.h"
#include "system/hook.h"
#include "system/system.h"

namespace {

constexpr int kKeys = 256;
constexpr int kButtons = 4;
constexpr int kChars = 256;

struct State {
  std::array<int, kKeys> key_down{};
  std::array<int, kKeys> key_hits{};
  std::array<int, kChars> chars{};
  std::uint32_t char_put = 0;
  std::uint32_t char_get = 0;
  std::array<int, kButtons> button_down{};
  std::array<int, kButtons> button_hits{};
  int x = 0, y = 0, z = 0;
  int last_x = 0, last_y = 0, last_z = 0;
  bool enabled = false;
  Object* source = nullptr;
  int suspended = 0;
  int terminate = 0;
};

State state;

bool ValidKey(int key) { return key >= 0 && key < kKeys; }
bool ValidButton(int button) { return button >= 0 && button < kButtons; }

void ClearKeys() {
  state.char_put = state.char_get = 0;
  state.key_down.fill(0);
  state.key_hits.fill(0);
}

void ClearMouse() {
  state.button_down.fill(0);
  state.button_hits.fill(0);
  state.z = 0;
}

void Press(int& down, int& hits) {
  if (down) return;
  down = 1;
  ++hits;
}

Object* PolledInputHook(int, Object* data, Object*) {
  auto* event = dynamic_cast<TEvent*>(data);
  if (!event) return data;
  if (state.source && event->source.get() != state.source) return data;
  const int d = event->data;
  switch (event->id) {
    case EVENT_KEY_DOWN:
      if (ValidKey(d)) Press(state.key_down[d], state.key_hits[d]);
      break;
    case EVENT_KEY_UP:
      if (ValidKey(d)) state.key_down[d] = 0;
      break;
    case EVENT_KEY_CHAR:
      if (state.char_put - state.char_get < kChars) state.chars[state.char_put++ % kChars] = d;
      break;
    case EVENT_MOUSE_DOWN:
      if (ValidButton(d)) Press(state.button_down[d], state.button_hits[d]);
      break;
    case EVENT_MOUSE_UP:
      if (ValidButton(d)) state.button_down[d] = 0;
      break;
    case EVENT_MOUSE_MOVE:
      state.x = event->x;
      state.y = event->y;
      break;
    case EVENT_MOUSE_WHEEL:
      state.z += d;
      break;
    case EVENT_APP_SUSPEND:
      FlushKeys();
      FlushMouse();
      state.suspended = 1;
      break;
    case EVENT_APP_RESUME:
      FlushKeys();
      FlushMouse();
      state.suspended = 0;
      break;
    case EVENT_APP_TERMINATE:
      state.terminate = 1;
      break;
    default:
      break;
  }
  return data;
}

// Reads a counter and resets it.
int Take(int& value) {
  const int taken = value;
  value = 0;
  return taken;
}

// Moves the axis's reference point to the current value; returns the change.
int Speed(int current, int& last) {
  const int speed = current - last;
  last = current;
  return speed;
}

}  // namespace

void EnablePolledInput(Object* source) {
  if (state.enabled) return;
  InitSystem();
  state.source = source;
  // The hook goes in before the flushes: their polling may translate a quit
  // request, which must not be lost. Key and button state is cleared after.
  AddHook(EmitEventHook, PolledInputHook, nullptr, 0);
  state.enabled = true;
  FlushKeys();
  FlushMouse();
}

void DisablePolledInput() {
  if (!state.enabled) return;
  RemoveHook(EmitEventHook, PolledInputHook, nullptr);
  state.enabled = false;
  FlushKeys();
  FlushMouse();
  state.source = nullptr;
}

int KeyDown(int key) {
  PollSystem();
  return ValidKey(key) ? state.key_down[key] : 0;
}

int KeyHit(int key) {
  PollSystem();
  return ValidKey(key) ? Take(state.key_hits[key]) : 0;
}

int GetChar() {
  PollSystem();
  if (state.char_get == state.char_put) return 0;
  return state.chars[state.char_get++ % kChars];
}

void FlushKeys() {
  PollSystem();
  ClearKeys();
}

int MouseX() {
  PollSystem();
  return state.x;
}

int MouseY() {
  PollSystem();
  return state.y;
}

int MouseZ() {
  PollSystem();
  return state.z;
}

int MouseXSpeed() {
  PollSystem();
  return Speed(state.x, state.last_x);
}

int MouseYSpeed() {
  PollSystem();
  return Speed(state.y, state.last_y);
}

int MouseZSpeed() {
  PollSystem();
  return Speed(state.z, state.last_z);
}

int MouseDown(int button) {
  PollSystem();
  return ValidButton(button) ? state.button_down[button] : 0;
}

int MouseHit(int button) {
  PollSystem();
  return ValidButton(button) ? Take(state.button_hits[button]) : 0;
}

void FlushMouse() {
  PollSystem();
  ClearMouse();
}

int WaitKey() {
  FlushKeys();
  for (;;) {
    WaitSystem();
    for (int key = 1; key < kKeys; ++key) {
      if (KeyHit(key)) return key;
    }
  }
}

int WaitChar() {
  FlushKeys();
  for (;;) {
    WaitSystem();
    if (const int c = GetChar()) return c;
  }
}

int WaitMouse() {
  FlushMouse();
  for (;;) {
    WaitSystem();
    for (int button = 1; button < kButtons; ++button) {
      if (MouseHit(button)) return button;
    }
  }
}

int AppSuspended() {
  PollSystem();
  return state.suspended;
}

int AppTerminate() {
  PollSystem();
  return Take(state.terminate);
}
