// A string carried where the event system holds an object reference: the path
// of "AppOpenFile" in TEvent::extra, for one. EventText reads it back.
#pragma once

#include <string>

#include "core/object.h"

class TStringObject : public Object {
 public:
  explicit TStringObject(std::string text) : text(std::move(text)) {}
  std::string ToString() const override { return text; }

  std::string text;
};
