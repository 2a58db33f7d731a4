#include "system/event.h"

#include <cstdint>

#include "system/hook.h"
#include "system/string_object.h"

std::string TEvent::_regids;
int EmitEventHook = -1;

namespace {

std::uint32_t last_user_id = 0x80000000u;

struct BuiltinId {
  int id;
  const char* name;
};

// In the order they are registered at start-up.
constexpr BuiltinId kBuiltinIds[] = {
    {EVENT_APP_SUSPEND, "AppSuspend"},
    {EVENT_APP_RESUME, "AppResume"},
    {EVENT_APP_TERMINATE, "AppTerminate"},
    {EVENT_APP_OPEN_FILE, "AppOpenFile"},
    {EVENT_APP_IDLE, "AppIdle"},
    {EVENT_KEY_DOWN, "KeyDown"},
    {EVENT_KEY_UP, "KeyUp"},
    {EVENT_KEY_CHAR, "KeyChar"},
    {EVENT_KEY_REPEAT, "KeyRepeat"},
    {EVENT_MOUSE_DOWN, "MouseDown"},
    {EVENT_MOUSE_UP, "MouseUp"},
    {EVENT_MOUSE_MOVE, "MouseMove"},
    {EVENT_MOUSE_WHEEL, "MouseWheel"},
    {EVENT_MOUSE_ENTER, "MouseEnter"},
    {EVENT_MOUSE_LEAVE, "MouseLeave"},
    {EVENT_TIMER_TICK, "TimerTick"},
    {EVENT_HOTKEY_HIT, "HotkeyHit"},
    {EVENT_GADGET_ACTION, "GadgetAction"},
    {EVENT_GADGET_PAINT, "GadgetPaint"},
    {EVENT_GADGET_SELECT, "GadgetSelect"},
    {EVENT_GADGET_MENU, "GadgetMenu"},
    {EVENT_GADGET_OPEN, "GadgetOpen"},
    {EVENT_GADGET_CLOSE, "GadgetClose"},
    {EVENT_GADGET_DONE, "GadgetDone"},
    {EVENT_GADGET_LOST_FOCUS, "GadgetLostFocus"},
    {EVENT_GADGET_SHAPE, "GadgetShape"},
    {EVENT_WINDOW_MOVE, "WindowMove"},
    {EVENT_WINDOW_SIZE, "WindowSize"},
    {EVENT_WINDOW_CLOSE, "WindowClose"},
    {EVENT_WINDOW_ACTIVATE, "WindowActivate"},
    {EVENT_WINDOW_ACCEPT, "WindowAccept"},
    {EVENT_MENU_ACTION, "MenuAction"},
    {EVENT_STREAM_EOF, "StreamEof"},
    {EVENT_STREAM_AVAIL, "StreamAvail"},
    {EVENT_PROCESS_EXIT, "ProcessExit"},
};

}  // namespace

Ref<TEvent> TEvent::Create(int id, Object* source, int data, int mods, int x, int y, Object* extra) {
  return MakeRef<TEvent>(id, source, data, mods, x, y, extra);
}

void TEvent::Emit() {
  // The hooks may drop the last other reference to this event.
  Ref<TEvent> keep(this);
  RunHooks(EmitEventHook, this);
}

std::string TEvent::ToString() const {
  std::string name = DescriptionForId(id);
  if (name.empty()) {
    const auto uid = static_cast<std::uint32_t>(id);
    if (uid & 0x80000000u) {
      name = "UserEvent" + std::to_string(uid - 0x80000000u);
    } else {
      name = "Unknown Event, id=" + std::to_string(id);
    }
  }
  auto* text = dynamic_cast<TStringObject*>(extra.get());
  return name + ": data=" + std::to_string(data) + ", mods=" + std::to_string(mods) +
         ", x=" + std::to_string(x) + ", y=" + std::to_string(y) + ", extra=\"" +
         (text ? text->text : std::string()) + "\"";
}

int TEvent::AllocUserId() { return static_cast<int>(++last_user_id); }

void TEvent::RegisterId(int id, const std::string& name) {
  if (_regids.empty()) _regids = "}";
  _regids += std::to_string(id) + "{" + name + "}";
}

std::string TEvent::DescriptionForId(int id) {
  const std::string key = "}" + std::to_string(id) + "{";
  const std::size_t start = _regids.find(key);
  if (start == std::string::npos) return "";
  const std::size_t from = start + key.size();
  const std::size_t end = _regids.find('}', from);
  if (end == std::string::npos) return "";
  return _regids.substr(from, end - from);
}

void InitEvents() {
  static bool done = false;
  if (done) return;
  done = true;
  EmitEventHook = AllocHookId();
  for (const BuiltinId& entry : kBuiltinIds) TEvent::RegisterId(entry.id, entry.name);
}

Ref<TEvent> CreateEvent(int id, Object* source, int data, int mods, int x, int y, Object* extra) {
  return TEvent::Create(id, source, data, mods, x, y, extra);
}

void EmitEvent(TEvent* event) {
  if (event) event->Emit();
}

int AllocUserEventId(const std::string& name) {
  const int id = TEvent::AllocUserId();
  if (!name.empty()) TEvent::RegisterId(id, name);
  return id;
}
