// The system module: the one system driver and the calls that forward to it.
//
// PollSystem and WaitSystem let the driver translate pending window-system
// input into emitted events; every hook runs synchronously inside them. They
// are guarded against re-entry: while one of them runs, a further call of
// either (from a hook, say) returns at once without doing anything.
#pragma once

#include <string>

#include "system/system_driver.h"

// Starts the system module (the event module first): creates the driver and
// installs its wake-up hook on EmitEventHook at priority 10000. Idempotent.
void InitSystem();

TSystemDriver* SystemDriver();
// Replaces the driver (tests use a scripted one); null is ignored.
void SetSystemDriver(TSystemDriver* driver);

// Translates every pending notification without blocking.
void PollSystem();
// Blocks until at least one notification arrives, then as PollSystem.
void WaitSystem();

// Warps the pointer to drawing-area coordinates and emits "MouseMove" there.
void MoveMouse(int x, int y);
void ShowMouse();
// Hides the pointer over the program's window (everywhere in full screen).
void HideMouse();

void Notify(const std::string& text, int serious = 0);
int Confirm(const std::string& text, int serious = 0);
int Proceed(const std::string& text, int serious = 0);
// Throws "GUI unavailable in fullscreen mode" while the display is full screen.
std::string RequestFile(const std::string& text = "", const std::string& extensions = "", int save = 0,
                        const std::string& path = "");
std::string RequestDir(const std::string& text = "", const std::string& path = "");

// Normalises the URL (NormaliseURL) and hands it to the desktop.
int OpenURL(const std::string& url);
// URLs starting with "http:", "https:" or "file:" (any case) pass unchanged.
// Anything else is a path: an anchor from the first "#" is split off and the
// rest made absolute; an existing file or folder gives "file:" + path + anchor,
// else the result is "http:" + the text before the anchor + anchor.
std::string NormaliseURL(const std::string& url);

// Local date as "%d %b %Y", e.g. "05 Mar 2026".
std::string CurrentDate();
// Local time as "%H:%M:%S".
std::string CurrentTime();
