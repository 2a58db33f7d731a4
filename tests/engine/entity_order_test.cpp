// EntityListAdd: the order in which entities stand in a list.
#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace {

using EntityOrdering = EngineTest;

// Inserted in this order (name: order):
//   z1:0  p2a:2  n1a:-1  z2:0  p2b:2  p5:5  n2:-2  n1b:-1  p1:1
// Positive first, largest first, a newer one before an older one of equal
// order; then order 0 in insertion order; then -1 before -2, a newer one after
// an older one of equal order.
TEST_F(EntityOrdering, ListAddSortsByOrder) {
  const struct {
    const char* name;
    int order;
  } inserts[] = {{"z1", 0}, {"p2a", 2}, {"n1a", -1}, {"z2", 0}, {"p2b", 2},
                 {"p5", 5}, {"n2", -2}, {"n1b", -1}, {"p1", 1}};
  TEntity::List list;
  for (const auto& in : inserts) {
    TPivot* e = Pivot();
    e->name = in.name;
    e->EntityOrder(in.order);
    e->EntityListAdd(list);
    EXPECT_EQ(e->link->List(), &list);
    EXPECT_EQ(e->link->Value(), e);
  }
  EXPECT_EQ(Names(list), "p5 p2b p2a p1 z1 z2 n1a n1b n2");
}

TEST_F(EntityOrdering, EntityOrderDoesNotResortTheEntityList) {
  TPivot* a = Pivot();
  a->name = "a";
  TPivot* b = Pivot();
  b->name = "b";
  b->EntityOrder(4);
  EXPECT_EQ(b->order, 4);
  EXPECT_EQ(Names(*TEntity::entity_list), "a b");
  // A copy is listed with order 0 at the time of insertion, then takes 4.
  TEntity* copy = b->CopyEntity(nullptr);
  copy->name = "copy";
  EXPECT_EQ(Names(*TEntity::entity_list), "a b copy");
}

TEST_F(EntityOrdering, FreeingAnEntityInsertedIntoAnotherListLastStillLeavesTheEntityList) {
  TEntity::List other;
  TPivot* a = Pivot();
  a->name = "a";
  TPivot* b = Pivot();
  b->name = "b";
  b->EntityListAdd(other);  // b's link now belongs to `other`
  other.Clear();
  b->FreeEntity();
  EXPECT_EQ(Names(*TEntity::entity_list), "a");
}

}  // namespace
