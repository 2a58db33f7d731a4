#include "core/exit_handlers.h"

#include <cstdlib>
#include <vector>

namespace {

std::vector<std::function<void()>>& Handlers() {
  static auto* handlers = new std::vector<std::function<void()>>();  // outlives static destruction
  return *handlers;
}

bool installed = false;

}  // namespace

void OnExit(std::function<void()> handler) {
  if (!installed) {
    installed = true;
    std::atexit(RunExitHandlers);
  }
  Handlers().push_back(std::move(handler));
}

void RunExitHandlers() {
  auto& handlers = Handlers();
  while (!handlers.empty()) {
    auto handler = std::move(handlers.back());
    handlers.pop_back();
    handler();
  }
}
