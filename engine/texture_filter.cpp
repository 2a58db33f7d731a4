#include "engine/texture_filter.h"

#include "core/runtime_error.h"
#include "engine/engine_errors.h"

namespace {

TTextureFilter::List& Filters() {
  if (!TTextureFilter::filter_list) throw RuntimeError(kEngineNotInitialised);
  return *TTextureFilter::filter_list;
}

}  // namespace

int TTextureFilter::TextureFilter(const std::string& text, int flags) {
  Ref<TTextureFilter> filter = MakeRef<TTextureFilter>();
  filter->text = text;
  filter->flags = flags;
  Filters().AddLast(filter.get());
  return 0;
}

int TTextureFilter::ClearTextureFilters() {
  Filters().Clear();
  return 0;
}

int TTextureFilter::FlagsFor(const std::string& file) {
  int flags = 0;
  for (TTextureFilter* filter : Filters())
    if (file.find(filter->text) != std::string::npos) flags |= filter->flags;
  return flags;
}

void TTextureFilter::CreateList() {
  if (!filter_list) filter_list = new List();
}
