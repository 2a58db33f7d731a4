#include "core/object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

std::string Object::ToString() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                              std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}
