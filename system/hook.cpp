#include "system/hook.h"

#include <array>

#include "core/runtime_error.h"

namespace {

std::array<THook*, kHookIdCount> chains{};
int next_id = 0;

bool ValidId(int id) { return id >= 0 && id < kHookIdCount; }

}  // namespace

int AllocHookId() {
  if (next_id >= kHookIdCount) throw RuntimeError("Too many hook ids");
  return next_id++;
}

void AddHook(int id, HookFunction func, Object* context, int priority) {
  if (!ValidId(id)) throw RuntimeError("Invalid hook id");
  THook** link = &chains[id];
  while (*link && (*link)->priority >= priority) link = &(*link)->succ;
  *link = new THook{*link, priority, func, context};
}

Object* RunHooks(int id, Object* data) {
  if (!ValidId(id)) return data;
  // The next link is read before the call so that a hook may remove itself.
  for (THook* hook = chains[id]; hook;) {
    THook* next = hook->succ;
    data = hook->func(id, data, hook->context);
    hook = next;
  }
  return data;
}

int RemoveHook(int id, HookFunction func, Object* context) {
  if (!ValidId(id)) return 0;
  for (THook** link = &chains[id]; *link; link = &(*link)->succ) {
    THook* hook = *link;
    if (hook->func == func && hook->context == context) {
      *link = hook->succ;
      delete hook;
      break;
    }
  }
  return 0;
}
