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
