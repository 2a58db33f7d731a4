#include "media/resources.h"

#include <climits>

namespace {

// A singly linked list, newest first. The nodes live for the whole run; they
// are reachable from the head, so leak checkers see them as in use.
struct Resource {
  std::string name;
  const unsigned char* data;
  int length;
  Resource* next;
};

Resource* resources = nullptr;

const Resource* Find(const std::string& name) {
  for (const Resource* r = resources; r; r = r->next) {
    if (r->name == name) return r;
  }
  return nullptr;
}

}  // namespace

int RegisterResource(const std::string& name, const void* data, int length) {
  if (Find(name)) return 0;
  resources = new Resource{name, static_cast<const unsigned char*>(data), length < 0 ? 0 : length, resources};
  return 1;
}

int RegisterResource(const std::string& name, std::span<const unsigned char> bytes) {
  const int length = bytes.size() > size_t(INT_MAX) ? INT_MAX : int(bytes.size());
  return RegisterResource(name, bytes.data(), length);
}

const unsigned char* ResourceData(const std::string& name) {
  const Resource* r = Find(name);
  return r ? r->data : nullptr;
}

int ResourceLength(const std::string& name) {
  const Resource* r = Find(name);
  return r ? r->length : 0;
}
