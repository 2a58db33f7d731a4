// Exceptions thrown by the typed stream operations when data runs out or cannot
// be written. They are Objects, not std::exceptions: reader chains catch
// TStreamException as "this reader declines", and everything else passes on.
#pragma once

#include <string>

#include "core/object.h"

class TStreamException : public Object {};

// "Error reading from stream": the stream ended before the requested bytes.
class TStreamReadException : public TStreamException {
 public:
  std::string ToString() const override;
};

// "Error writing to stream": the stream accepted nothing more.
class TStreamWriteException : public TStreamException {
 public:
  std::string ToString() const override;
};
