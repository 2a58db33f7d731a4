// The system driver: turns window-system notifications into emitted events and
// offers the desktop's pointer, message box and chooser services. One instance
// exists; the system module creates it (TSDLSystemDriver) and tests may replace
// it with SetSystemDriver.
#pragma once

#include <string>

#include "core/object.h"

class TSystemDriver : public Object {
 public:
  // Translates and emits every pending notification, without blocking.
  virtual void Poll() = 0;
  // Blocks until at least one notification arrives, then as Poll.
  virtual void Wait() = 0;
  // Warps the pointer to drawing-area coordinates.
  virtual void MoveMouse(int x, int y) = 0;
  virtual void SetMouseVisible(int visible) = 0;
  // Message box with one button "OK"; serious selects the critical style.
  virtual void Notify(const std::string& text, int serious) = 0;
  // "OK"/"Cancel": 1 for OK, 0 for Cancel.
  virtual int Confirm(const std::string& text, int serious) = 0;
  // "Yes"/"No"/"Cancel": 1, 0, -1.
  virtual int Proceed(const std::string& text, int serious) = 0;
  // Chosen path, or "" when cancelled.
  virtual std::string RequestFile(const std::string& text, const std::string& extensions, int save,
                                  const std::string& path) = 0;
  virtual std::string RequestDir(const std::string& text, const std::string& path) = 0;
  // Hands the URL to the desktop; 1 when it was accepted.
  virtual int OpenURL(const std::string& url) = 0;
};
