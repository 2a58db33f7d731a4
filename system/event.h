// Events: the one record every input source produces.
//
// A TEvent is *emitted* by running the hook chain of EmitEventHook with it as
// the data; the consumers (driver wake-up, polled input, the event queue) are
// hooks on that chain. Each built-in id is registered under a name at start-up;
// DescriptionForId gives it back and ToString uses it.
#pragma once

#include <cstdint>
#include <string>

#include "core/object.h"

// Built-in event ids. The byte groups are families: 0x100 application,
// 0x200 keyboard, 0x400 mouse, 0x800 timer, 0x1000 hot key, 0x2000 gadget,
// 0x4000 window, 0x8000 menu, 0x10000 stream, 0x20000 process.
constexpr int EVENT_APP_SUSPEND = 0x101;
constexpr int EVENT_APP_RESUME = 0x102;
constexpr int EVENT_APP_TERMINATE = 0x103;
constexpr int EVENT_APP_OPEN_FILE = 0x104;
constexpr int EVENT_APP_IDLE = 0x105;
constexpr int EVENT_KEY_DOWN = 0x201;
constexpr int EVENT_KEY_UP = 0x202;
constexpr int EVENT_KEY_CHAR = 0x203;
constexpr int EVENT_KEY_REPEAT = 0x204;
constexpr int EVENT_MOUSE_DOWN = 0x401;
constexpr int EVENT_MOUSE_UP = 0x402;
constexpr int EVENT_MOUSE_MOVE = 0x403;
constexpr int EVENT_MOUSE_WHEEL = 0x404;
constexpr int EVENT_MOUSE_ENTER = 0x405;
constexpr int EVENT_MOUSE_LEAVE = 0x406;
constexpr int EVENT_TIMER_TICK = 0x801;
constexpr int EVENT_HOTKEY_HIT = 0x1001;
constexpr int EVENT_GADGET_ACTION = 0x2001;
constexpr int EVENT_GADGET_PAINT = 0x2002;
constexpr int EVENT_GADGET_SELECT = 0x2003;
constexpr int EVENT_GADGET_MENU = 0x2004;
constexpr int EVENT_GADGET_OPEN = 0x2005;
constexpr int EVENT_GADGET_CLOSE = 0x2006;
constexpr int EVENT_GADGET_DONE = 0x2007;
constexpr int EVENT_GADGET_LOST_FOCUS = 0x2008;
constexpr int EVENT_GADGET_SHAPE = 0x2009;
constexpr int EVENT_WINDOW_MOVE = 0x4001;
constexpr int EVENT_WINDOW_SIZE = 0x4002;
constexpr int EVENT_WINDOW_CLOSE = 0x4003;
constexpr int EVENT_WINDOW_ACTIVATE = 0x4004;
constexpr int EVENT_WINDOW_ACCEPT = 0x4005;
constexpr int EVENT_MENU_ACTION = 0x8001;
constexpr int EVENT_STREAM_EOF = 0x10001;
constexpr int EVENT_STREAM_AVAIL = 0x10002;
constexpr int EVENT_PROCESS_EXIT = 0x20001;

// Bit 31 marks ids handed out by AllocUserId.
constexpr int EVENT_USER_BIT = static_cast<int>(0x80000000u);

// Modifier mask bits of TEvent::mods.
constexpr int MODIFIER_SHIFT = 1;
constexpr int MODIFIER_CONTROL = 2;
constexpr int MODIFIER_OPTION = 4;
constexpr int MODIFIER_COMMAND = 8;

class TEvent : public Object {
 public:
  TEvent() = default;
  TEvent(int id, Object* source, int data, int mods, int x, int y, Object* extra)
      : id(id), source(source), data(data), mods(mods), x(x), y(y), extra(extra) {}

  static Ref<TEvent> Create(int id, Object* source = nullptr, int data = 0, int mods = 0, int x = 0,
                            int y = 0, Object* extra = nullptr);

  // Runs the EmitEventHook chain with this event.
  void Emit();

  // "KeyDown: data=27, mods=0, x=0, y=0, extra=\"\"".
  std::string ToString() const override;

  // 0x80000001 on the first call, one more on each further call.
  static int AllocUserId();
  // Appends "<id>{<name>}" to the registry; the first name of an id wins.
  static void RegisterId(int id, const std::string& name);
  // The registered name of the id, or "".
  static std::string DescriptionForId(int id);

  int id = 0;
  Ref<Object> source;
  int data = 0;
  int mods = 0;
  int x = 0;
  int y = 0;
  Ref<Object> extra;

 private:
  static std::string _regids;
};

// The hook id that carries every emitted event; valid after InitEvents.
extern int EmitEventHook;

// Starts the event module: allocates EmitEventHook and registers the names of
// the built-in ids. Idempotent.
void InitEvents();

Ref<TEvent> CreateEvent(int id, Object* source = nullptr, int data = 0, int mods = 0, int x = 0, int y = 0,
                        Object* extra = nullptr);
void EmitEvent(TEvent* event);
// AllocUserId, registering the name with the new id unless it is empty.
int AllocUserEventId(const std::string& name = "");
