// The system driver on SDL2: the platform layer fetches SDL's events and
// translates them; this driver turns the results into emitted TEvents and
// fires the ticks of timers, all on the calling thread inside Poll/Wait.
//
// Notifications: keys, text, buttons, motion and wheel come from SDL's input
// events; focus lost/gained of the window become "AppSuspend"/"AppResume";
// the window's close button and SDL's quit request (also SIGINT and SIGTERM)
// become "AppTerminate" with the window left open; a file dropped on the window
// becomes "AppOpenFile".
#pragma once

#include "platform/input_events.h"
#include "system/system_driver.h"

class TSDLSystemDriver : public TSystemDriver {
 public:
  // Installs the wake-up hook on EmitEventHook at priority 10000.
  TSDLSystemDriver();
  ~TSDLSystemDriver() override;

  void Poll() override;
  void Wait() override;
  void MoveMouse(int x, int y) override;
  void SetMouseVisible(int visible) override;
  void Notify(const std::string& text, int serious) override;
  int Confirm(const std::string& text, int serious) override;
  int Proceed(const std::string& text, int serious) override;
  std::string RequestFile(const std::string& text, const std::string& extensions, int save,
                          const std::string& path) override;
  std::string RequestDir(const std::string& text, const std::string& path) override;
  int OpenURL(const std::string& url) override;

 private:
  class Sink : public InputSink {
   public:
    void Input(const InputEvent& event) override;
    void TimerFired(int handle, int ticks) override;
  };

  static Object* WakeHook(int id, Object* data, Object* context);

  Sink sink_;
  // True while Wait runs: an event emitted then posts one wake-up.
  bool armed_ = false;
  bool wake_posted_ = false;
};
