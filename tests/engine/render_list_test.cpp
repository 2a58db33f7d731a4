// The render pass's bookkeeping without a display: the order meshes are drawn
// in, which surfaces Alpha marks for blending, and distance fading.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "engine/flat_camera.h"
#include "engine/flat_entity.h"
#include "engine/flat_mesh.h"
#include "engine/global.h"
#include "tests/engine/engine_fixture.h"

namespace {

class RenderListTest : public EngineTest {
 protected:
  TMesh* Mesh(const char* name, int order, float alpha_order) {
    TMesh* mesh = CreateMesh();
    mesh->name = name;
    mesh->order = order;
    mesh->alpha_order = alpha_order;
    return mesh;
  }
  static std::string Names(const TGlobal::RenderList& list) {
    std::string out;
    for (TMesh* m : list) out += (out.empty() ? "" : " ") + m->name;
    return out;
  }
};

TEST_F(RenderListTest, OrdersThenOpaqueThenBlendedFarToNearThenNegative) {
  TGlobal::RenderList list;
  for (TMesh* m : {Mesh("2", 2, 0), Mesh("A", 0, 0), Mesh("B", 0, 0), Mesh("far", 0, 100), Mesh("near", 0, 4),
                   Mesh("-1", -1, 0)})
    TGlobal::RenderListAdd(m, list);
  EXPECT_EQ(Names(list), "2 B A far near -1");
}

TEST_F(RenderListTest, InsertionOrderCases) {
  struct Case {
    const char* what;
    std::vector<std::tuple<const char*, int, float>> meshes;
    const char* want;
  };
  const Case cases[] = {
      {"positive orders: largest first, newer first among equals",
       {{"p1", 1, 0}, {"p3", 3, 0}, {"q1", 1, 0}},
       "p3 q1 p1"},
      {"negative orders: -1 before -2, newer last among equals",
       {{"n2", -2, 0}, {"n1", -1, 0}, {"m1", -1, 0}},
       "n1 m1 n2"},
      {"blended added before opaque still go after them",
       {{"near", 0, 1}, {"far", 0, 9}, {"A", 0, 0}, {"-1", -1, 0}, {"mid", 0, 5}},
       "A far mid near -1"},
      {"equal distances keep insertion order", {{"x", 0, 4}, {"y", 0, 4}}, "x y"},
      {"a nearer blended mesh never goes before a positive order", {{"p", 1, 2}, {"far", 0, 9}}, "p far"},
  };
  for (const Case& c : cases) {
    TGlobal::RenderList list;
    for (const auto& [name, order, alpha_order] : c.meshes)
      TGlobal::RenderListAdd(Mesh(name, order, alpha_order), list);
    EXPECT_EQ(Names(list), c.want) << c.what;
  }
}

TEST_F(RenderListTest, AlphaMarksTheFirstBlendedSurfaceAndEveryLaterOne) {
  TMesh* mesh = CreateMesh();
  TSurface* first = CreateSurface(mesh);
  TSurface* second = CreateSurface(mesh);
  TSurface* third = CreateSurface(mesh);
  EXPECT_EQ(mesh->Alpha(), 0);
  second->brush->alpha = 0.5f;
  EXPECT_EQ(mesh->Alpha(), 1);
  EXPECT_EQ(first->alpha_enable, 0);
  EXPECT_EQ(second->alpha_enable, 1);
  EXPECT_EQ(third->alpha_enable, 1);
  second->brush->alpha = 1;

  // Each reason on the entity brush marks every surface.
  struct Case {
    const char* what;
    float alpha;
    int blend, fx;
    float fade;
  };
  const Case cases[] = {{"alpha", 0.9f, 0, 0, 0},
                        {"multiply", 1, 2, 0, 0},
                        {"add", 1, 3, 0, 0},
                        {"forced", 1, 0, 32, 0},
                        {"fading", 1, 0, 0, 0.1f}};
  for (const Case& c : cases) {
    mesh->brush->alpha = c.alpha;
    mesh->brush->blend = c.blend;
    mesh->brush->fx = c.fx;
    mesh->fade_alpha = c.fade;
    EXPECT_EQ(mesh->Alpha(), 1) << c.what;
    EXPECT_EQ(first->alpha_enable + second->alpha_enable + third->alpha_enable, 3) << c.what;
  }
  // Blend 1 (alpha) alone does not ask for blending.
  mesh->brush->blend = 1;
  mesh->brush->alpha = 1;
  mesh->brush->fx = 0;
  mesh->fade_alpha = 0;
  EXPECT_EQ(mesh->Alpha(), 0);
  EXPECT_EQ(first->alpha_enable, 0);
}

TEST_F(RenderListTest, AutoFadeIsLinearBetweenNearAndFar) {
  TCamera* eye = CreateCamera();
  TMesh* mesh = CreateMesh();
  EntityAutoFade(mesh, 10, 20);
  struct Case {
    float distance, want;
  };
  for (const Case& c : {Case{5, 0}, Case{10, 0}, Case{15, 0.5f}, Case{20, 1}, Case{30, 1}}) {
    PositionEntity(mesh, 0, 0, c.distance);
    TGlobal::AutoFade(eye, mesh);
    EXPECT_FLOAT_EQ(mesh->fade_alpha, c.want) << c.distance;
  }
}

}  // namespace
