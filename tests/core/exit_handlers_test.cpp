#include "core/exit_handlers.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ExitHandlers, RunNewestFirstAndOnlyOnce) {
  std::vector<int> order;
  OnExit([&] { order.push_back(1); });
  OnExit([&] { order.push_back(2); });
  OnExit([&] { order.push_back(3); });
  RunExitHandlers();
  EXPECT_EQ(order, (std::vector<int>{3, 2, 1}));
  RunExitHandlers();
  EXPECT_EQ(order.size(), 3u);
}
