#include "system/hook.h"

#include <array>

#include "core/runtime_error.h"
#include "system/messages.h"

namespace {

std::array<THook*, kHookIdCount> chains{};
// How many RunHooks of each id are in progress. While any is, a removed hook is
// only marked (func = null) and unlinked when the outermost run ends, so a hook
// may remove itself or any other hook of the chain it runs in.
std::array<int, kHookIdCount> running{};
std::array<bool, kHookIdCount> marked{};
int next_id = 0;

bool ValidId(int id) { return id >= 0 && id < kHookIdCount; }

void Unlink(THook** link) {
  THook* hook = *link;
  *link = hook->succ;
  delete hook;
}

void EndRun(int id) {
  if (--running[id] > 0 || !marked[id]) return;
  marked[id] = false;
  for (THook** link = &chains[id]; *link;) {
    if ((*link)->func) {
      link = &(*link)->succ;
    } else {
      Unlink(link);
    }
  }
}

}  // namespace

int AllocHookId() {
  if (next_id >= kHookIdCount) throw RuntimeError(kTooManyHookIds);
  return next_id++;
}

void AddHook(int id, HookFunction func, Object* context, int priority) {
  if (!ValidId(id)) throw RuntimeError(kInvalidHookId);
  if (!func) return;
  THook** link = &chains[id];
  while (*link && (*link)->priority >= priority) link = &(*link)->succ;
  *link = new THook{*link, priority, func, context};
}

Object* RunHooks(int id, Object* data) {
  if (!ValidId(id)) return data;
  ++running[id];
  try {
    for (THook* hook = chains[id]; hook; hook = hook->succ) {
      if (hook->func) data = hook->func(id, data, hook->context);
    }
  } catch (...) {
    EndRun(id);
    throw;
  }
  EndRun(id);
  return data;
}

int RemoveHook(int id, HookFunction func, Object* context) {
  if (!ValidId(id) || !func) return 0;
  for (THook** link = &chains[id]; *link; link = &(*link)->succ) {
    THook* hook = *link;
    if (hook->func == func && hook->context == context) {
      if (running[id] > 0) {
        hook->func = nullptr;
        marked[id] = true;
      } else {
        Unlink(link);
      }
      break;
    }
  }
  return 0;
}
