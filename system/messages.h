// The run-time error texts of the system module.
#pragma once

constexpr const char* kTooManyHookIds = "Too many hook ids";
constexpr const char* kInvalidHookId = "Invalid hook id";
constexpr const char* kGuiUnavailableInFullScreen = "GUI unavailable in fullscreen mode";
