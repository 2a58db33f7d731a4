// Cameras without a display: creation, settings, cam_list order, copies,
// freeing, the frustum test against planes set by hand, and handle checks.
#include <gtest/gtest.h>

#include <cmath>

#include "core/runtime_error.h"
#include "engine/flat_camera.h"
#include "engine/flat_entity.h"
#include "engine/global.h"
#include "tests/engine/engine_fixture.h"

namespace {

class CameraTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    TGlobal::width = 800;
    TGlobal::height = 600;
  }

  static std::string CamNames() { return Names(*TCamera::cam_list); }

  static TCamera* Named(const char* name, int order = 0) {
    TCamera* camera = CreateCamera();
    camera->name = name;
    if (order) EntityOrder(camera, order);
    return camera;
  }
};

TEST_F(CameraTest, CreateCameraHasTheDefaultsAndAWholeDisplayViewport) {
  TPivot* parent = Pivot();
  PositionEntity(parent, 1, 2, 3);
  TCamera* camera = CreateCamera(parent);
  EXPECT_EQ(EntityClass(camera), "Camera");
  EXPECT_EQ(GetParent(camera), parent);
  EXPECT_EQ(TCamera::cam_list->First(), camera);
  EXPECT_EQ(camera->vx, 0);
  EXPECT_EQ(camera->vy, 0);
  EXPECT_EQ(camera->vwidth, 800);
  EXPECT_EQ(camera->vheight, 600);
  EXPECT_EQ(camera->cls_color, 1);
  EXPECT_EQ(camera->cls_zbuffer, 1);
  EXPECT_EQ(camera->cls_r + camera->cls_g + camera->cls_b, 0);
  EXPECT_EQ(camera->range_near, 1);
  EXPECT_EQ(camera->range_far, 1000);
  EXPECT_EQ(camera->zoom, 1);
  EXPECT_EQ(camera->proj_mode, 1);
  EXPECT_EQ(camera->fog_mode, 0);
  EXPECT_EQ(camera->fog_range_near, 1);
  EXPECT_EQ(camera->fog_range_far, 1000);
  for (double v : camera->proj_mat) EXPECT_EQ(v, 0);
  // The matrix follows the parent at once.
  EXPECT_FLOAT_EQ(EntityZ(camera, 1), 3);
}

TEST_F(CameraTest, ViewportOriginIsConvertedWithTheGraphics3DHeight) {
  struct Case {
    int x, y, w, h;
    int vy;  // 600 - h - y
  };
  const Case cases[] = {
      {0, 0, 256, 256, 344}, {10, 20, 100, 50, 530}, {0, 0, 800, 600, 0}, {0, 500, 10, 100, 0}};
  TCamera* camera = CreateCamera();
  for (const Case& c : cases) {
    CameraViewport(camera, c.x, c.y, c.w, c.h);
    EXPECT_EQ(camera->vx, c.x);
    EXPECT_EQ(camera->vy, c.vy) << c.y << " " << c.h;
    EXPECT_EQ(camera->vwidth, c.w);
    EXPECT_EQ(camera->vheight, c.h);
  }
}

TEST_F(CameraTest, SettersStoreColoursOnAZeroToOneScale) {
  TCamera* camera = CreateCamera();
  CameraClsColor(camera, 255, 51, 0);
  CameraFogColor(camera, 0, 102, 255);
  CameraClsMode(camera, 0, 2);
  CameraRange(camera, 0.5f, 50);
  CameraZoom(camera, 2);
  CameraProjMode(camera, 2);
  CameraFogMode(camera, 3);
  CameraFogRange(camera, 5, 25);
  EXPECT_FLOAT_EQ(camera->cls_r, 1);
  EXPECT_FLOAT_EQ(camera->cls_g, 0.2f);
  EXPECT_FLOAT_EQ(camera->cls_b, 0);
  EXPECT_FLOAT_EQ(camera->fog_g, 0.4f);
  EXPECT_FLOAT_EQ(camera->fog_b, 1);
  EXPECT_EQ(camera->cls_color, 0);
  EXPECT_EQ(camera->cls_zbuffer, 2);
  EXPECT_EQ(camera->range_near, 0.5f);
  EXPECT_EQ(camera->range_far, 50);
  EXPECT_EQ(camera->zoom, 2);
  EXPECT_EQ(camera->proj_mode, 2);
  EXPECT_EQ(camera->fog_mode, 3);
  EXPECT_EQ(camera->fog_range_near, 5);
  EXPECT_EQ(camera->fog_range_far, 25);
}

TEST_F(CameraTest, CamListIsOrderedAndEntityOrderReinserts) {
  Named("a");
  Named("b", 2);
  TCamera* c = Named("c");
  Named("d", -1);
  Named("e", 2);
  // Positive first (newer before older among equals), then 0 in creation
  // order, then negative.
  EXPECT_EQ(CamNames(), "e b a c d");
  EntityOrder(c, 5);
  EXPECT_EQ(CamNames(), "c e b a d");
  EntityOrder(c, -2);
  EXPECT_EQ(CamNames(), "e b a d c");
  EXPECT_EQ(TCamera::cam_list->Count(), 5);
}

TEST_F(CameraTest, FreeingACameraOrItsParentTakesItOutOfCamList) {
  TPivot* parent = Pivot();
  TCamera* child = CreateCamera(parent);
  TCamera* root = CreateCamera();
  child->name = "child";
  root->name = "root";
  FreeEntity(root);
  EXPECT_EQ(CamNames(), "child");
  FreeEntity(parent);
  EXPECT_TRUE(TCamera::cam_list->IsEmpty());
  EXPECT_TRUE(TEntity::entity_list->IsEmpty());
}

TEST_F(CameraTest, CopyTakesTheSettingsButNotTheLastRender) {
  TCamera* source = Named("source", 3);
  CameraViewport(source, 5, 6, 70, 80);
  CameraClsColor(source, 255, 0, 0);
  CameraClsMode(source, 0, 1);
  CameraRange(source, 2, 30);
  CameraZoom(source, 1.5f);
  CameraProjMode(source, 2);
  CameraFogMode(source, 1);
  CameraFogColor(source, 0, 255, 0);
  CameraFogRange(source, 3, 9);
  source->proj_mat[0] = 7;
  source->viewport[2] = 70;
  source->frustum[0][0] = 1;
  Named("zero");
  auto* copy = dynamic_cast<TCamera*>(CopyEntity(source));
  ASSERT_NE(copy, nullptr);
  copy->name = "copy";
  EXPECT_EQ(CamNames(), "copy source zero");
  EXPECT_EQ(copy->vx, 5);
  EXPECT_EQ(copy->vy, 600 - 80 - 6);
  EXPECT_EQ(copy->vwidth, 70);
  EXPECT_EQ(copy->vheight, 80);
  EXPECT_EQ(copy->cls_r, 1);
  EXPECT_EQ(copy->cls_color, 0);
  EXPECT_EQ(copy->cls_zbuffer, 1);
  EXPECT_EQ(copy->range_near, 2);
  EXPECT_EQ(copy->range_far, 30);
  EXPECT_EQ(copy->zoom, 1.5f);
  EXPECT_EQ(copy->proj_mode, 2);
  EXPECT_EQ(copy->fog_mode, 1);
  EXPECT_EQ(copy->fog_g, 1);
  EXPECT_EQ(copy->fog_range_near, 3);
  EXPECT_EQ(copy->fog_range_far, 9);
  EXPECT_EQ(copy->proj_mat[0], 0);
  EXPECT_EQ(copy->viewport[2], 0);
  EXPECT_EQ(copy->frustum[0][0], 0);
  FreeEntity(copy);
  EXPECT_EQ(CamNames(), "source zero");
}

// A unit box around the origin in stored space: planes x < 1, x > -1, y > -1,
// y < 1, z < 1, z > -1, each already of unit length.
void SetBoxPlanes(TCamera& camera) {
  const float planes[6][4] = {{-1, 0, 0, 1}, {1, 0, 0, 1},  {0, 1, 0, 1},
                              {0, -1, 0, 1}, {0, 0, -1, 1}, {0, 0, 1, 1}};
  for (int p = 0; p < 6; ++p)
    for (int i = 0; i < 4; ++i) camera.frustum[p][i] = planes[p][i];
}

TEST_F(CameraTest, FrustumTestOfSpheresAtThePlanes) {
  TCamera* camera = CreateCamera();
  SetBoxPlanes(*camera);
  struct Case {
    float x, y, z, radius;
    float expected;  // 0 outside; otherwise the near-plane distance + radius
  };
  // The near plane is stored z > -1, that is user z < 1: distance 1 - z.
  const Case cases[] = {
      {0, 0, 0, 0, 1},  // centre: 1 from the near plane
      {0, 0, 0.5f, 0.25f, 0.75f},
      {2, 0, 0, 1, 0},        // touches the right plane from outside: outside
      {2, 0, 0, 1.5f, 2.5f},  // reaches 0.5 into the box across the right plane
      {0, -3, 0, 1, 0},       // wholly below
      {0, 0, 1, 0, 0},        // a point on the near plane is outside
      {0, 0, 1.5f, 1, 0.5f},  // beyond the near plane but reaching in
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(camera->SphereInFrustum(c.x, c.y, c.z, c.radius), c.expected)
        << c.x << " " << c.y << " " << c.z << " r " << c.radius;
  }
}

TEST_F(CameraTest, EntityInFrustumUsesTheGlobalPositionAndTheCullRadiusMagnitude) {
  TCamera* camera = CreateCamera();
  SetBoxPlanes(*camera);
  TPivot* parent = Pivot();
  PositionEntity(parent, 3, 0, 0);
  TPivot* pivot = Pivot(parent);
  PositionEntity(pivot, -3, 0, 0.5f);  // world (0, 0, 0.5)
  EXPECT_FLOAT_EQ(camera->EntityInFrustum(pivot), 0.5f);
  PositionEntity(pivot, 0, 0, 0);  // world (3, 0, 0): outside by 2
  EXPECT_EQ(camera->EntityInFrustum(pivot), 0);
  MeshCullRadius(pivot, 2.5f);  // stored as -2.5; the magnitude counts
  EXPECT_FLOAT_EQ(camera->EntityInFrustum(pivot), 1 + 2.5f);
  EXPECT_EQ(EntityInView(camera, pivot), 3);
}

TEST_F(CameraTest, BeforeItsFirstRenderTheFrustumHoldsOnlySpheresOfSomeSize) {
  TCamera* camera = CreateCamera();
  TPivot* pivot = Pivot();
  PositionEntity(pivot, 5, 6, 7);
  EXPECT_EQ(camera->EntityInFrustum(pivot), 0);
  MeshCullRadius(pivot, 2);
  EXPECT_EQ(camera->EntityInFrustum(pivot), 2);
}

TEST_F(CameraTest, FlatFunctionsRejectNullFreedAndForeignHandles) {
  TPivot* pivot = Pivot();
  TCamera* freed = CreateCamera();
  FreeEntity(freed);
  auto expect_error = [](auto&& call, const std::string& text) {
    try {
      call();
      ADD_FAILURE() << "no error for " << text;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(std::string(e.what()), text);
    }
  };
  expect_error([] { CameraZoom(nullptr, 2); }, "CameraZoom: null camera");
  expect_error([&] { CameraViewport(freed, 0, 0, 1, 1); }, "CameraViewport: freed or invalid camera");
  expect_error([&] { CameraRange(reinterpret_cast<TCamera*>(pivot), 1, 2); },
               "CameraRange: freed or invalid camera");
  expect_error([&] { CreateCamera(freed); }, "CreateCamera: freed or invalid parent");
  // A new camera may take the freed one's address, so it comes last.
  TCamera* camera = CreateCamera();
  expect_error([&] { EntityInView(camera, nullptr); }, "EntityInView: null entity");
}

}  // namespace
