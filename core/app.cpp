#include "core/app.h"

namespace {
std::string& Title() {
  static auto* title = new std::string();
  return *title;
}
}  // namespace

const std::string& AppTitle() { return Title(); }
void SetAppTitle(const std::string& title) { Title() = title; }
