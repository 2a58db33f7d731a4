#include "system/hook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Log : Object {
  std::string text;
};

Object* Append(int, Object* data, Object* context) {
  static_cast<Log*>(data)->text += static_cast<Log*>(context)->text;
  return data;
}

Object* Replace(int, Object*, Object* context) { return context; }

TEST(Hooks, RunInPriorityOrderThenInsertionOrder) {
  const int id = AllocHookId();
  Log a, b, c, data;
  a.text = "a";
  b.text = "b";
  c.text = "c";
  AddHook(id, Append, &a, 0);
  AddHook(id, Append, &b, 0);
  AddHook(id, Append, &c, 5);  // added last, runs first
  EXPECT_EQ(RunHooks(id, &data), &data);
  EXPECT_EQ(data.text, "cab");
}

TEST(Hooks, RemoveNeedsFunctionAndContextToMatch) {
  const int id = AllocHookId();
  Log a, other, data;
  a.text = "a";
  AddHook(id, Append, &a);
  EXPECT_EQ(RemoveHook(id, Append, &other), 0);
  RunHooks(id, &data);
  EXPECT_EQ(data.text, "a");
  RemoveHook(id, Append, &a);
  RunHooks(id, &data);
  EXPECT_EQ(data.text, "a");
}

TEST(Hooks, ReturnedDataIsPassedAlong) {
  const int id = AllocHookId();
  Log first, replacement;
  AddHook(id, Replace, &replacement, 1);
  EXPECT_EQ(RunHooks(id, &first), &replacement);
}

TEST(Hooks, IdsRunOutAfter256) {
  // Other tests in this program may already have taken some ids.
  try {
    for (int i = 0; i < kHookIdCount + 1; ++i) AllocHookId();
    FAIL() << "no error after 257 ids";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Too many hook ids");
  }
}

}  // namespace

namespace {

Object* RemoveSelf(int id, Object* data, Object* context) {
  static_cast<Log*>(data)->text += "s";
  RemoveHook(id, RemoveSelf, context);
  return data;
}

Object* RemoveNextHook(int id, Object* data, Object* context) {
  static_cast<Log*>(data)->text += "r";
  RemoveHook(id, Append, context);
  return data;
}

TEST(Hooks, AHookMayRemoveItselfWhileRunning) {
  const int id = AllocHookId();
  Log a, data;
  a.text = "a";
  AddHook(id, RemoveSelf, nullptr, 1);
  AddHook(id, Append, &a, 0);
  RunHooks(id, &data);
  RunHooks(id, &data);
  EXPECT_EQ(data.text, "saa");
}

TEST(Hooks, AHookMayRemoveTheHookAfterIt) {
  // The removed hook is freed; running it or stepping through it would be a
  // use after free (the sanitizer build catches that).
  const int id = AllocHookId();
  Log a, b, data;
  a.text = "a";
  b.text = "b";
  AddHook(id, RemoveNextHook, &a, 2);
  AddHook(id, Append, &a, 1);
  AddHook(id, Append, &b, 0);
  RunHooks(id, &data);
  EXPECT_EQ(data.text, "rb");
  RunHooks(id, &data);
  EXPECT_EQ(data.text, "rbrb");
}

Object* AddDuringRun(int id, Object* data, Object* context) {
  static_cast<Log*>(data)->text += "x";
  RemoveHook(id, AddDuringRun, context);
  AddHook(id, Append, context, -1);
  return data;
}

TEST(Hooks, AHookAddedWhileRunningRunsWhenItsPlaceIsStillAhead) {
  const int id = AllocHookId();
  Log a, data;
  a.text = "a";
  AddHook(id, AddDuringRun, &a, 0);
  RunHooks(id, &data);
  RunHooks(id, &data);
  EXPECT_EQ(data.text, "xaa");
}

TEST(Hooks, RemovingAnAbsentHookOrFromABadIdDoesNothing) {
  const int id = AllocHookId();
  Log a, data;
  a.text = "a";
  AddHook(id, Append, &a);
  EXPECT_EQ(RemoveHook(id, Replace, &a), 0);
  EXPECT_EQ(RemoveHook(-1, Append, &a), 0);
  EXPECT_EQ(RemoveHook(kHookIdCount, Append, &a), 0);
  EXPECT_EQ(RunHooks(kHookIdCount, &data), &data);
  RunHooks(id, &data);
  EXPECT_EQ(data.text, "a");
}

TEST(Hooks, OnlyTheFirstOfTwoIdenticalHooksIsRemoved) {
  const int id = AllocHookId();
  Log a, data;
  a.text = "a";
  AddHook(id, Append, &a);
  AddHook(id, Append, &a);
  RemoveHook(id, Append, &a);
  RunHooks(id, &data);
  EXPECT_EQ(data.text, "a");
}

}  // namespace
