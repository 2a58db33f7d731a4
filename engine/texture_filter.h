// TTextureFilter: a rule that adds texture flags to every texture loaded from
// a file whose name contains the filter's text.
#pragma once

#include <string>

#include "core/object.h"
#include "engine/object_list.h"

class TTextureFilter : public Object {
 public:
  using List = TList<TTextureFilter>;

  // Every filter, in the order made. Created by InitEngineLists.
  inline static List* filter_list = nullptr;

  std::string text;
  int flags = 0;

  // Appends a filter; the empty text matches every name.
  static int TextureFilter(const std::string& text, int flags);
  static int ClearTextureFilters();
  // The flags of every filter whose text occurs in file, OR-ed together.
  static int FlagsFor(const std::string& file);
  // Creates filter_list; idempotent.
  static void CreateList();
};
