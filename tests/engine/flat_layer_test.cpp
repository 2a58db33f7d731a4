// The flat function layer: defaults, forwarding, and the handle checks.
#include <gtest/gtest.h>

#include "core/runtime_error.h"
#include "engine/ostrel.h"
#include "tests/engine/engine_fixture.h"

namespace {

using FlatLayer = EngineTest;

// Runs call and returns the RuntimeError's text, or "" when nothing was raised.
template <class F>
std::string ErrorText(F call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.Text();
  }
  return "";
}

TEST_F(FlatLayer, ForwardsWithTheDefaults) {
  TPivot* parent = CreatePivot();
  PositionEntity(parent, 10, 0, 0);
  TPivot* e = CreatePivot(parent);
  PositionEntity(e, 1, 2, 3);  // local by default
  EXPECT_EQ(EntityX(e), 1);
  EXPECT_EQ(EntityX(e, 1), 11);
  EXPECT_EQ(EntityZ(e), 3);
  RotateEntity(e, 0, 90, 0);
  TurnEntity(e, 0, 10, 0);
  EXPECT_EQ(EntityYaw(e), 100);
  MoveEntity(e, 0, 0, 0);
  TranslateEntity(e, 0, 1, 0);
  EXPECT_EQ(EntityY(e), 3);
  ScaleEntity(e, 2, 3, 4);
  EXPECT_EQ(EntityScaleY(e), 3);
  EXPECT_EQ(GetParent(e), parent);
  EXPECT_EQ(CountChildren(parent), 1);
  EXPECT_EQ(GetChild(parent, 1), e);
  NameEntity(e, "child");
  EXPECT_EQ(EntityName(e), "child");
  EXPECT_EQ(EntityClass(e), "Pivot");
  EXPECT_EQ(FindChild(parent, "child"), e);
  EXPECT_EQ(GetMatElement(e, 3, 0), 11);
  // EntityParent keeps the world place by default.
  TPivot* other = CreatePivot();
  PositionEntity(other, -5, 0, 0);
  EntityParent(e, other);
  EXPECT_NEAR(EntityX(e, 1), 11, 1e-5);
  EXPECT_NEAR(EntityX(e), 16, 1e-5);
  EntityParent(e, nullptr);
  EXPECT_EQ(GetParent(e), nullptr);
}

TEST_F(FlatLayer, PointAndVectorTransformsTakeOptionalEntities) {
  TPivot* a = CreatePivot();
  PositionEntity(a, 0, 0, 5);
  TFormPoint(1, 2, 3, a, nullptr);
  EXPECT_EQ(TFormedX(), 1);
  EXPECT_EQ(TFormedY(), 2);
  EXPECT_EQ(TFormedZ(), 8);
  TFormVector(1, 2, 3, nullptr, a);
  EXPECT_EQ(TFormedZ(), 3);
  TFormNormal(0, 3, 4, nullptr, nullptr);
  EXPECT_NEAR(TFormedY(), 0.6, 1e-6);
  EXPECT_EQ(VectorYaw(1, 0, 0), -90);
  EXPECT_EQ(VectorPitch(0, 1, 0), -90);
}

TEST_F(FlatLayer, MaterialAndOrder) {
  TPivot* e = CreatePivot();
  auto t = MakeRef<TTexture>();
  EntityTexture(e, t);  // frame 0, slot 0 by default
  EXPECT_EQ(e->brush->tex[0].get(), t.get());
  EXPECT_EQ(e->brush->no_texs, 1);
  EntityColor(e, 0, 51, 255);
  EXPECT_FLOAT_EQ(e->brush->green, 0.2f);
  auto brush = MakeRef<TBrush>();
  brush->fx = 9;
  PaintEntity(e, brush);
  EXPECT_EQ(e->brush->fx, 9);
  EntityOrder(e, -3);
  EXPECT_EQ(e->order, -3);
  HideEntity(e);
  EXPECT_EQ(e->Hidden(), 1);
  ShowEntity(e);
  EXPECT_EQ(e->Hidden(), 0);
}

TEST_F(FlatLayer, NullHandlesRaiseAnErrorNamingTheFunction) {
  TPivot* e = CreatePivot();
  EXPECT_EQ(ErrorText([] { PositionEntity(nullptr, 1, 2, 3); }), "PositionEntity: null entity");
  EXPECT_EQ(ErrorText([] { EntityX(nullptr); }), "EntityX: null entity");
  EXPECT_EQ(ErrorText([] { FreeEntity(nullptr); }), "FreeEntity: null entity");
  EXPECT_EQ(ErrorText([&] { PointEntity(e, nullptr); }), "PointEntity: null target");
  EXPECT_EQ(ErrorText([&] { EntityDistance(e, nullptr); }), "EntityDistance: null other entity");
  EXPECT_EQ(ErrorText([&] { EntityTexture(e, nullptr); }), "EntityTexture: null texture");
  EXPECT_EQ(ErrorText([&] { PaintEntity(e, nullptr); }), "PaintEntity: null brush");
  // Optional handles accept null.
  EXPECT_EQ(ErrorText([&] { CopyEntity(e, nullptr); }), "");
  EXPECT_EQ(ErrorText([&] { EntityParent(e, nullptr); }), "");
}

TEST_F(FlatLayer, FreedHandlesRaiseAnErrorInsteadOfTouchingMemory) {
  TPivot* parent = CreatePivot();
  TPivot* child = CreatePivot(parent);
  TPivot* other = CreatePivot();
  FreeEntity(parent);
  EXPECT_EQ(ErrorText([&] { EntityX(child); }), "EntityX: freed or invalid entity");
  EXPECT_EQ(ErrorText([&] { FreeEntity(parent); }), "FreeEntity: freed or invalid entity");
  EXPECT_EQ(ErrorText([&] { PointEntity(other, parent); }), "PointEntity: freed or invalid target");
  EXPECT_EQ(ErrorText([&] { CreatePivot(parent); }), "CreatePivot: freed or invalid parent");
  EXPECT_EQ(ErrorText([&] { TFormPoint(0, 0, 0, nullptr, child); }),
            "TFormPoint: freed or invalid destination");
  EXPECT_EQ(TEntity::entity_list->Count(), 1);
}

TEST_F(FlatLayer, ForeignPointersAreRejected) {
  int not_an_entity[64] = {};
  auto* foreign = reinterpret_cast<TEntity*>(not_an_entity);
  EXPECT_EQ(ErrorText([&] { HideEntity(foreign); }), "HideEntity: freed or invalid entity");
  EXPECT_EQ(not_an_entity[0], 0);
}

TEST_F(FlatLayer, MisuseOfAValidHandleIsReportedToo) {
  TPivot* a = CreatePivot();
  TPivot* b = CreatePivot(a);
  EXPECT_EQ(ErrorText([&] { EntityParent(a, b); }),
            "EntityParent: new parent is the entity itself or its descendant");
  auto t = MakeRef<TTexture>();
  EXPECT_EQ(ErrorText([&] { EntityTexture(a, t, 0, 8); }), "EntityTexture: texture index outside 0 to 7");
  EXPECT_EQ(ErrorText([&] { GetMatElement(a, 0, 4); }), "GetMatElement: index outside 0 to 3");
}

}  // namespace

namespace {

// Runs in a fresh process (the threadsafe death-test style re-executes the
// program), where InitEngineLists has not run.
TEST(FlatLayerStartUp, CreatingAnEntityBeforeTheListsExistIsAnError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (TEntity::entity_list) std::exit(2);
        const std::string text = ErrorText([] { CreatePivot(); });
        std::exit(text == "Engine used before InitEngineLists" ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
