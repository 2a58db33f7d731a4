// The system's run-time error: misuse and unrecoverable failures raise it with a
// fixed text ("Unable to set display mode", "Too many hook ids", ...), which
// callers and tests compare exactly. Each module keeps its own texts together
// in one place next to the code that raises them.
#pragma once

#include <stdexcept>
#include <string>

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& text) : std::runtime_error(text) {}
  std::string Text() const { return what(); }
};
