// The desktop's dialogs: message boxes through SDL, file and folder choosers
// through the desktop's chooser program (zenity) when one is installed, and
// URLs through the desktop's opener. Each blocks until the user answers.
#pragma once

#include <string>
#include <vector>

// Shows a modal box with the buttons in order (the first answers Return, the
// last Escape); the index of the chosen button, or -1 when no box could be
// shown. serious selects the error style.
int PlatformMessageBox(const std::string& title, const std::string& text,
                       const std::vector<std::string>& buttons, bool serious);

// extensions: "png,jpg" or groups "Images:png,jpg;Text:txt". The chosen path,
// or "" when cancelled or no chooser is installed.
std::string PlatformChooseFile(const std::string& title, const std::string& extensions, bool save,
                               const std::string& path);
std::string PlatformChooseFolder(const std::string& title, const std::string& path);

// True when the desktop accepted the URL.
bool PlatformOpenURL(const std::string& url);
