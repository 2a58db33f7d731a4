// Fixture for entity tests: the engine's lists exist, and every entity a test
// made is freed when it ends.
#pragma once

#include <gtest/gtest.h>

#include "engine/engine_lists.h"
#include "engine/entity.h"
#include "engine/pivot.h"

class EngineTest : public testing::Test {
 protected:
  void SetUp() override { InitEngineLists(); }
  void TearDown() override {
    while (TEntity* e = TEntity::entity_list->First()) e->FreeEntity();
  }

  static TPivot* Pivot(TEntity* parent = nullptr) { return TPivot::CreatePivot(parent); }

  // Names of the entities of a list, front to back.
  static std::string Names(const TEntity::List& list) {
    std::string out;
    for (TEntity* e : list) out += (out.empty() ? "" : " ") + e->name;
    return out;
  }
};
