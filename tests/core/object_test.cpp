#include "core/object.h"

#include <gtest/gtest.h>

namespace {

struct Tracked : Object {
  explicit Tracked(int* deaths) : deaths(deaths) {}
  ~Tracked() override { ++*deaths; }
  int* deaths;
};

TEST(Ref, ReleasesWhenTheLastReferenceGoes) {
  int deaths = 0;
  {
    Ref<Tracked> a(new Tracked(&deaths));
    EXPECT_EQ(a->RefCount(), 1);
    {
      Ref<Tracked> b = a;
      Ref<Object> c = b;  // upcast shares the same count
      EXPECT_EQ(a->RefCount(), 3);
    }
    EXPECT_EQ(a->RefCount(), 1);
    Ref<Tracked> moved = std::move(a);
    EXPECT_FALSE(a);
    EXPECT_EQ(moved->RefCount(), 1);
    EXPECT_EQ(deaths, 0);
  }
  EXPECT_EQ(deaths, 1);
}

TEST(Ref, SelfAssignmentKeepsTheObject) {
  int deaths = 0;
  Ref<Tracked> a(new Tracked(&deaths));
  auto& alias = a;
  a = alias;
  EXPECT_EQ(deaths, 0);
  EXPECT_EQ(a->RefCount(), 1);
}

TEST(Object, CopyingAnObjectDoesNotCopyItsCount) {
  int deaths = 0;
  Ref<Tracked> a(new Tracked(&deaths));
  Tracked copy(*a);
  EXPECT_EQ(copy.RefCount(), 0);
}

}  // namespace
