// A virtual X server of the test's own, so that tests which move the real
// pointer and take the keyboard focus cannot disturb (or be disturbed by) other
// tests running at the same time on the shared display.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

extern char** environ;

class PrivateDisplay {
 public:
  // Starts the server and points DISPLAY at it; ok() tells whether it runs.
  PrivateDisplay() {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb",      "-displayfd", fd.c_str(),   "-screen", "0",    "800x600x24",
                          "-nolisten", "tcp",        "+extension", "GLX",     nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
    const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
      pid_ = 0;
      close(fds[0]);
      return;
    }
    // The server writes its display number once it accepts connections.
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) return;
    display_ = ":" + number;
    setenv("DISPLAY", display_.c_str(), 1);
  }

  ~PrivateDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }

  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  bool ok() const { return !display_.empty(); }

 private:
  pid_t pid_ = 0;
  std::string display_;
};
