#include "core/core_module.h"

#include <csignal>

void InitCore() {
  static bool done = false;
  if (done) return;
  done = true;
  // A peer closing a pipe or socket must give a write error, not end the program.
  std::signal(SIGPIPE, SIG_IGN);
}
