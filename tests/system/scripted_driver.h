// A system driver for tests: Poll emits the events queued with Script, in
// order; Wait emits the next one only (or runs the wait action); pointer and
// dialog calls are recorded.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "system/event.h"
#include "system/system.h"

class ScriptedDriver : public TSystemDriver {
 public:
  // Installs a new scripted driver as the system driver and returns it.
  static ScriptedDriver* Install() {
    auto* driver = new ScriptedDriver;
    SetSystemDriver(driver);
    return driver;
  }

  void Script(int id, int data = 0, int x = 0, int y = 0, Object* source = nullptr) {
    pending.push_back(CreateEvent(id, source, data, 0, x, y));
  }

  void Poll() override {
    ++polls;
    while (!pending.empty()) EmitNext();
  }
  void Wait() override {
    ++waits;
    if (on_wait) on_wait();
    if (!pending.empty()) EmitNext();
  }
  void MoveMouse(int x, int y) override { CreateEvent(EVENT_MOUSE_MOVE, nullptr, 0, 0, x, y)->Emit(); }
  void SetMouseVisible(int visible) override { mouse_visible = visible; }
  void Notify(const std::string&, int) override {}
  int Confirm(const std::string&, int) override { return 0; }
  int Proceed(const std::string&, int) override { return -1; }
  std::string RequestFile(const std::string&, const std::string&, int, const std::string&) override {
    return "";
  }
  std::string RequestDir(const std::string&, const std::string&) override { return ""; }
  int OpenURL(const std::string& url) override {
    opened = url;
    return 1;
  }

  std::deque<Ref<TEvent>> pending;
  std::function<void()> on_wait;
  int polls = 0;
  int waits = 0;
  int mouse_visible = 1;
  std::string opened;

 private:
  void EmitNext() {
    Ref<TEvent> event = pending.front();
    pending.pop_front();
    event->Emit();
  }
};
