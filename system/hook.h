// Hooks: numbered chains of callbacks.
//
// There are 256 hook ids, handed out in order by AllocHookId. Each id has a
// singly linked chain of THook records kept sorted by descending priority;
// among equal priorities hooks run in the order they were added. RunHooks
// passes the data through every hook in turn (each returns the data it was
// given, or a replacement) and returns what the last one gave back.
#pragma once

#include "core/object.h"

using HookFunction = Object* (*)(int id, Object* data, Object* context);

struct THook {
  THook* succ = nullptr;
  int priority = 0;
  HookFunction func = nullptr;
  Object* context = nullptr;
};

constexpr int kHookIdCount = 256;

// Next free hook id, 0 first; the 257th call throws "Too many hook ids".
int AllocHookId();

void AddHook(int id, HookFunction func, Object* context = nullptr, int priority = 0);

// Runs the chain of id; returns the data as the last hook left it.
Object* RunHooks(int id, Object* data);

// Unlinks the first hook whose function and context both match. Always 0.
// Safe while the chain runs: a removed hook is skipped at once and freed when
// the outermost RunHooks of its id ends.
int RemoveHook(int id, HookFunction func, Object* context = nullptr);
