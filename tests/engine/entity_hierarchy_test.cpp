// Parents and children: re-parenting, look-ups, freeing and copying.
#include <gtest/gtest.h>

#include "core/runtime_error.h"
#include "tests/engine/engine_fixture.h"
#include "tests/engine/reference_matrix.h"

namespace {

using Hierarchy = EngineTest;

TPivot* Named(TEntity* parent, const char* name) {
  TPivot* e = TPivot::CreatePivot(parent);
  e->name = name;
  return e;
}

TEST_F(Hierarchy, CreateUnderAParentJoinsItsChildListAndTheEntityList) {
  TPivot* parent = Named(nullptr, "p");
  TPivot* a = Named(parent, "a");
  TPivot* b = Named(parent, "b");
  EXPECT_EQ(a->GetParent(), parent);
  EXPECT_EQ(parent->GetParent(), nullptr);
  EXPECT_EQ(parent->CountChildren(), 2);
  EXPECT_EQ(Names(parent->child_list), "a b");
  EXPECT_EQ(Names(*TEntity::entity_list), "p a b");
  EXPECT_EQ(parent->GetChild(1), a);
  EXPECT_EQ(parent->GetChild(2), b);
  EXPECT_EQ(parent->GetChild(0), nullptr);
  EXPECT_EQ(parent->GetChild(3), nullptr);
}

// root ─┬─ a ─── a1 "x"
//       └─ b "x"
// Depth-first: a's subtree is searched before its later sibling b.
TEST_F(Hierarchy, FindChildSearchesDepthFirstInChildOrder) {
  TPivot* root = Named(nullptr, "root");
  TPivot* a = Named(root, "a");
  TPivot* a1 = Named(a, "x");
  TPivot* b = Named(root, "x");
  EXPECT_EQ(root->FindChild("x"), a1);
  EXPECT_EQ(a->FindChild("x"), a1);
  EXPECT_EQ(root->FindChild("X"), nullptr);     // case-sensitive
  EXPECT_EQ(root->FindChild("root"), nullptr);  // the entity itself is not searched
  b->name = "b";
  a1->name = "y";
  EXPECT_EQ(root->FindChild("b"), b);
}

// root ─┬─ a ─┬─ a1
//       │     └─ a2 ── a2x
//       └─ b
TEST_F(Hierarchy, CountAllChildrenAndGetChildFromAllWalkInPreOrder) {
  TPivot* root = Named(nullptr, "root");
  TPivot* a = Named(root, "a");
  Named(a, "a1");
  TPivot* a2 = Named(a, "a2");
  Named(a2, "a2x");
  Named(root, "b");
  EXPECT_EQ(TEntity::CountAllChildren(*root), 5);
  EXPECT_EQ(TEntity::CountAllChildren(*root, 10), 15);
  EXPECT_EQ(TEntity::CountAllChildren(*a2), 1);
  const char* pre_order[] = {"a", "a1", "a2", "a2x", "b"};
  for (int n = 1; n <= 5; ++n) {
    int counter = 0;
    TEntity* e = root->GetChildFromAll(n, counter, nullptr);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->name, pre_order[n - 1]);
  }
  int counter = 0;
  EXPECT_EQ(root->GetChildFromAll(6, counter, nullptr), nullptr);
  EXPECT_EQ(counter, 5);
  counter = 2;  // the count starts from the caller's value: a is 3, a1 is 4
  EXPECT_EQ(root->GetChildFromAll(4, counter, nullptr)->name, "a1");
  counter = 0;
  EXPECT_EQ(root->GetChildFromAll(1, counter, a2)->name, "a2x");
}

TEST_F(Hierarchy, HiddenLooksUpTheAncestors) {
  TPivot* a = Pivot();
  TPivot* b = Pivot(a);
  TPivot* c = Pivot(b);
  EXPECT_EQ(c->Hidden(), 0);
  a->HideEntity();
  EXPECT_EQ(a->Hidden(), 1);
  EXPECT_EQ(c->Hidden(), 1);
  EXPECT_EQ(c->hide, 0);
  a->ShowEntity();
  b->HideEntity();
  EXPECT_EQ(a->Hidden(), 0);
  EXPECT_EQ(c->Hidden(), 1);
}

TEST_F(Hierarchy, FreeEntityFreesTheWholeSubtree) {
  TPivot* keep = Named(nullptr, "keep");
  TPivot* root = Named(nullptr, "root");
  TPivot* a = Named(root, "a");
  TPivot* a1 = Named(a, "a1");
  TPivot* b = Named(root, "b");
  TPivot* kept_child = Named(keep, "kept");
  EXPECT_EQ(TEntity::entity_list->Count(), 6);
  root->FreeEntity();
  EXPECT_EQ(Names(*TEntity::entity_list), "keep kept");
  for (TEntity* e : {static_cast<TEntity*>(root), static_cast<TEntity*>(a), static_cast<TEntity*>(a1),
                     static_cast<TEntity*>(b)}) {
    EXPECT_FALSE(TEntity::IsLive(e));
  }
  EXPECT_TRUE(TEntity::IsLive(keep));
  EXPECT_EQ(kept_child->GetParent(), keep);
}

TEST_F(Hierarchy, FreeingAChildTakesItOutOfItsParent) {
  TPivot* root = Named(nullptr, "root");
  Named(root, "a");
  TPivot* b = Named(root, "b");
  Named(b, "b1");
  Named(root, "c");
  b->FreeEntity();
  EXPECT_EQ(Names(root->child_list), "a c");
  EXPECT_EQ(Names(*TEntity::entity_list), "root a c");
  EXPECT_EQ(root->FindChild("b1"), nullptr);
}

TEST_F(Hierarchy, FreedEntitiesAreDeletedUnlessSomethingElseHoldsThem) {
  struct Probe : TPivot {
    explicit Probe(int* deaths) : deaths(deaths) {}
    ~Probe() override { ++*deaths; }
    int* deaths;
  };
  int deaths = 0;
  auto* held = new Probe(&deaths);
  held->AddParent(nullptr);
  held->EntityListAdd(*TEntity::entity_list);
  auto* dropped = new Probe(&deaths);
  dropped->AddParent(held);
  dropped->EntityListAdd(*TEntity::entity_list);
  Ref<TEntity> reference(held);  // as a picked entity keeps its object alive
  held->FreeEntity();
  EXPECT_EQ(deaths, 1);  // the child went with its lists
  EXPECT_FALSE(TEntity::IsLive(held));
  EXPECT_EQ(held->RefCount(), 1);
  held->FreeEntity();  // a second free changes nothing
  reference = nullptr;
  EXPECT_EQ(deaths, 2);
}

TEST_F(Hierarchy, EntityParentGlobalKeepsThePlaceInTheWorld) {
  TPivot* old_parent = Pivot();
  old_parent->PositionEntity(3, 4, 5, 0);
  old_parent->RotateEntity(0, 40, 0, 0);
  TPivot* e = Pivot(old_parent);
  e->PositionEntity(1, 2, 3, 0);
  e->RotateEntity(10, 20, 0, 0);
  TPivot* new_parent = Pivot();
  new_parent->PositionEntity(-6, 1, 2, 0);
  new_parent->RotateEntity(0, -70, 0, 0);
  new_parent->ScaleEntity(2, 2, 2, 0);
  const TMatrix before = e->mat;
  e->EntityParent(new_parent, 1);
  EXPECT_EQ(e->GetParent(), new_parent);
  EXPECT_EQ(Names(old_parent->child_list), "");
  EXPECT_EQ(new_parent->CountChildren(), 1);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(e->mat.grid[i][j], before.grid[i][j], 1e-4) << i << ", " << j;
  EXPECT_NEAR(e->EntityScaleX(0), 0.5, 1e-6);
}

// e sits at world (5, 0, 0). Under a parent at (10, 0, 0) with flag 0 its world
// values become local ones: world x = 10 + 5.
TEST_F(Hierarchy, EntityParentLocalTurnsWorldValuesIntoLocalOnes) {
  TPivot* e = Pivot();
  e->PositionEntity(5, 0, 0, 0);
  e->RotateEntity(0, 30, 0, 0);
  TPivot* parent = Pivot();
  parent->PositionEntity(10, 0, 0, 0);
  e->EntityParent(parent, 0);
  EXPECT_EQ(e->EntityX(0), 5);
  EXPECT_NEAR(e->EntityX(1), 15, 1e-5);
  EXPECT_NEAR(e->EntityYaw(1), 30, 1e-4);
  ExpectMatNear(e->mat, RefMat::T(10, 0, 0) * RefMat::T(5, 0, 0) * RefMat::Ry(30));
}

TEST_F(Hierarchy, EntityParentNoneMakesARootWhereItWas) {
  TPivot* parent = Pivot();
  parent->PositionEntity(1, 2, 3, 0);
  parent->RotateEntity(0, 90, 0, 0);
  TPivot* e = Pivot(parent);
  e->PositionEntity(0, 0, 10, 0);  // world (-9, 2, 3)
  e->EntityParent(nullptr, 0);
  EXPECT_EQ(e->GetParent(), nullptr);
  EXPECT_EQ(parent->CountChildren(), 0);
  EXPECT_NEAR(e->EntityX(0), -9, 1e-5);
  EXPECT_NEAR(e->EntityZ(0), 3, 1e-5);
  EXPECT_NEAR(e->EntityYaw(0), 90, 1e-4);
  EXPECT_EQ(TEntity::entity_list->Count(), 2);  // still listed
}

TEST_F(Hierarchy, EntityParentMovesTheChildrenAlongAtOnce) {
  TPivot* e = Pivot();
  TPivot* child = Pivot(e);
  child->PositionEntity(0, 0, 1, 0);
  TPivot* parent = Pivot();
  parent->PositionEntity(10, 0, 0, 0);
  e->EntityParent(parent, 0);
  EXPECT_NEAR(child->EntityX(1), 10, 1e-6);
  EXPECT_NEAR(child->EntityZ(1), 1, 1e-6);
}

TEST_F(Hierarchy, EntityParentRefusesACycle) {
  TPivot* a = Pivot();
  TPivot* b = Pivot(a);
  TPivot* c = Pivot(b);
  EXPECT_THROW(a->EntityParent(c, 1), RuntimeError);
  EXPECT_THROW(a->EntityParent(a, 0), RuntimeError);
  EXPECT_EQ(a->GetParent(), nullptr);
  EXPECT_EQ(c->GetParent(), b);
}

TEST_F(Hierarchy, CopyEntityCopiesTheSubtreeWithItsSettings) {
  TPivot* root = Named(nullptr, "root");
  root->PositionEntity(1, 2, 3, 0);
  root->RotateEntity(0, 90, 0, 0);
  root->ScaleEntity(2, 2, 2, 0);
  root->EntityColor(255, 0, 0);
  root->HideEntity();
  root->order = 3;
  root->pick_mode = 2;
  root->obscurer = 1;
  root->radius_x = 4;
  TPivot* child = Named(root, "child");
  child->PositionEntity(0, 0, 5, 0);
  Named(child, "grandchild");
  TPivot* holder = Named(nullptr, "holder");
  holder->PositionEntity(100, 0, 0, 0);

  TEntity* copy = root->CopyEntity(holder);
  EXPECT_EQ(copy->class_name, "Pivot");
  EXPECT_EQ(copy->name, "root");
  EXPECT_EQ(copy->GetParent(), holder);
  EXPECT_EQ(copy->hide, 0);
  EXPECT_EQ(copy->order, 3);
  EXPECT_EQ(copy->pick_mode, 2);
  EXPECT_EQ(copy->obscurer, 1);
  EXPECT_EQ(copy->radius_x, 4);
  EXPECT_EQ(copy->brush->red, 1);
  EXPECT_EQ(copy->brush->green, 0);
  EXPECT_NE(copy->brush.get(), root->brush.get());
  EXPECT_EQ(TEntity::CountAllChildren(*copy), 2);
  TEntity* child_copy = copy->FindChild("child");
  ASSERT_NE(child_copy, nullptr);
  EXPECT_NE(child_copy, child);
  EXPECT_EQ(child_copy->GetParent(), copy);
  EXPECT_EQ(TEntity::entity_list->Count(), 7);
  // Matrices are computed from the copied local values under the new parent.
  const RefMat copy_mat = RefMat::T(100, 0, 0) * RefMat::Entity(1, 2, -3, 0, 90, 0, 2, 2, 2);
  ExpectMatNear(copy->mat, copy_mat);
  ExpectMatNear(child_copy->mat, copy_mat * RefMat::T(0, 0, -5));
  ExpectMatNear(child_copy->FindChild("grandchild")->mat, copy_mat * RefMat::T(0, 0, -5));
  // The copy is independent of the source.
  copy->EntityColor(0, 255, 0);
  EXPECT_EQ(root->brush->green, 0);
  root->FreeEntity();
  EXPECT_TRUE(TEntity::IsLive(child_copy));
}

TEST_F(Hierarchy, CopyOfAChildWithoutAParentIsARootWithTheLocalValues) {
  TPivot* parent = Pivot();
  parent->PositionEntity(50, 0, 0, 0);
  TPivot* child = Pivot(parent);
  child->PositionEntity(1, 0, 0, 0);
  TEntity* copy = child->CopyEntity(nullptr);
  EXPECT_EQ(copy->GetParent(), nullptr);
  EXPECT_EQ(copy->EntityX(1), 1);
}

}  // namespace
