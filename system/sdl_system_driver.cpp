#include "system/sdl_system_driver.h"

#include "core/app.h"
#include "core/runtime_error.h"
#include "platform/cursor.h"
#include "platform/dialogs.h"
#include "system/event.h"
#include "system/hook.h"
#include "system/messages.h"
#include "system/string_object.h"
#include "system/timer.h"

TSDLSystemDriver::TSDLSystemDriver() {
  InitEvents();
  PlatformInputInit();
  AddHook(EmitEventHook, WakeHook, this, 10000);
}

TSDLSystemDriver::~TSDLSystemDriver() { RemoveHook(EmitEventHook, WakeHook, this); }

Object* TSDLSystemDriver::WakeHook(int, Object* data, Object* context) {
  auto* driver = static_cast<TSDLSystemDriver*>(context);
  if (driver->armed_ && !driver->wake_posted_) {
    driver->wake_posted_ = true;
    PlatformWakeInput();
  }
  return data;
}

void TSDLSystemDriver::Sink::Input(const InputEvent& event) {
  Ref<Object> extra;
  if (event.id == EVENT_APP_OPEN_FILE) extra = MakeRef<TStringObject>(event.path);
  CreateEvent(event.id, nullptr, event.data, event.mods, event.x, event.y, extra.get())->Emit();
}

void TSDLSystemDriver::Sink::TimerFired(int handle, int ticks) { FireTimerTicks(handle, ticks); }

void TSDLSystemDriver::Poll() {
  PlatformRefreshPointer();
  PlatformPollInput(sink_);
}

void TSDLSystemDriver::Wait() {
  PlatformRefreshPointer();
  armed_ = true;
  wake_posted_ = false;
  try {
    PlatformWaitInput(sink_);
  } catch (...) {
    armed_ = false;
    throw;
  }
  armed_ = false;
}

void TSDLSystemDriver::MoveMouse(int x, int y) {
  if (!PlatformWarpPointer(x, y)) return;
  CreateEvent(EVENT_MOUSE_MOVE, nullptr, 0, 0, x, y)->Emit();
}

void TSDLSystemDriver::SetMouseVisible(int visible) { PlatformSetPointerVisible(visible != 0); }

void TSDLSystemDriver::Notify(const std::string& text, int serious) {
  PlatformMessageBox(AppTitle(), text, {"OK"}, serious != 0);
}

int TSDLSystemDriver::Confirm(const std::string& text, int serious) {
  return PlatformMessageBox(AppTitle(), text, {"OK", "Cancel"}, serious != 0) == 0 ? 1 : 0;
}

int TSDLSystemDriver::Proceed(const std::string& text, int serious) {
  switch (PlatformMessageBox(AppTitle(), text, {"Yes", "No", "Cancel"}, serious != 0)) {
    case 0:
      return 1;
    case 1:
      return 0;
    default:
      return -1;
  }
}

std::string TSDLSystemDriver::RequestFile(const std::string& text, const std::string& extensions, int save,
                                          const std::string& path) {
  if (PlatformFullScreen()) throw RuntimeError(kGuiUnavailableInFullScreen);
  return PlatformChooseFile(text, extensions, save != 0, path);
}

std::string TSDLSystemDriver::RequestDir(const std::string& text, const std::string& path) {
  if (PlatformFullScreen()) throw RuntimeError(kGuiUnavailableInFullScreen);
  return PlatformChooseFolder(text, path);
}

int TSDLSystemDriver::OpenURL(const std::string& url) { return PlatformOpenURL(url) ? 1 : 0; }
