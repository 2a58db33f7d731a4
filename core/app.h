// Program-wide application facts that the start-up code owns and lower layers
// read (the window title, for one).
#pragma once

#include <string>

const std::string& AppTitle();
void SetAppTitle(const std::string& title);
