// Cameras rendering on a real 800×600 display: viewport and scissor, clearing
// seen in the pixels, projection and view matrices read back, frustum planes
// and the projection of points, all against values worked out by hand.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>

#include "engine/ostrel.h"

namespace {

struct Rgb {
  int r, g, b;
};

class CameraGL : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEngine();
    ASSERT_EQ(Graphics3D(800, 600, 0, 2, 60, -1), 1);
  }
  void TearDown() override {
    ClearWorld();
    AntiAlias(0);
    EndGraphics();
  }

  // A pixel of the back buffer, x from the left and y from the bottom.
  static Rgb Pixel(int x, int y) {
    unsigned char p[3] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
  }
  static float Depth(int x, int y) {
    float d = -1;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &d);
    return d;
  }
  static void ExpectPixel(int x, int y, Rgb want) {
    const Rgb got = Pixel(x, y);
    EXPECT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b)
        << "pixel (" << x << ", " << y << ") is " << got.r << " " << got.g << " " << got.b << ", want "
        << want.r << " " << want.g << " " << want.b;
  }
};

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

TEST_F(CameraGL, ViewportAndScissorOfATopLeftSquare) {
  TCamera* camera = CreateCamera();
  EXPECT_EQ(camera->vy, 0);
  EXPECT_EQ(camera->vheight, 600);
  CameraViewport(camera, 0, 0, 256, 256);
  RenderWorld();
  GLint viewport[4], scissor[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetIntegerv(GL_SCISSOR_BOX, scissor);
  const GLint want[4] = {0, 344, 256, 256};  // 600 - 256 - 0
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(viewport[i], want[i]);
    EXPECT_EQ(scissor[i], want[i]);
    EXPECT_EQ(camera->viewport[i], want[i]);
  }
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(CameraGL, EachCameraClearsItsOwnViewportWithItsColour) {
  TCamera* whole = CreateCamera();
  CameraClsColor(whole, 255, 0, 0);
  TCamera* corner = CreateCamera();
  CameraClsColor(corner, 0, 0, 255);
  CameraViewport(corner, 0, 0, 256, 256);
  RenderWorld();
  // The corner square covers x 0..255 and, from the bottom, y 344..599.
  ExpectPixel(0, 599, kBlue);
  ExpectPixel(255, 344, kBlue);
  ExpectPixel(256, 344, kRed);
  ExpectPixel(255, 343, kRed);
  ExpectPixel(400, 100, kRed);
}

TEST_F(CameraGL, CamListOrderDecidesWhichClearIsSeen) {
  TCamera* whole = CreateCamera();
  CameraClsColor(whole, 255, 0, 0);
  TCamera* corner = CreateCamera();
  CameraClsColor(corner, 0, 0, 255);
  CameraViewport(corner, 0, 0, 256, 256);
  // Rendered first now, so the whole-screen clear covers it.
  EntityOrder(corner, 1);
  RenderWorld();
  ExpectPixel(10, 590, kRed);
}

TEST_F(CameraGL, HiddenCamerasAndCamerasUnderHiddenParentsDoNotRender) {
  TCamera* whole = CreateCamera();
  CameraClsColor(whole, 255, 0, 0);
  TPivot* rig = CreatePivot();
  TCamera* corner = CreateCamera(rig);
  CameraClsColor(corner, 0, 0, 255);
  CameraViewport(corner, 0, 0, 256, 256);
  HideEntity(rig);
  RenderWorld();
  ExpectPixel(10, 590, kRed);
  EXPECT_EQ(corner->proj_mat[0], 0);  // never updated
  ShowEntity(rig);
  HideEntity(whole);
  CameraClsColor(corner, 0, 255, 0);
  RenderWorld();
  ExpectPixel(10, 590, kGreen);
  ExpectPixel(400, 100, kRed);  // left from the first render
}

TEST_F(CameraGL, ClsModeDecidesWhichBuffersAreCleared) {
  struct Case {
    int color, zbuffer;
    bool color_cleared, depth_cleared;
  };
  // Flags other than 1 count as off.
  const Case cases[] = {{1, 1, true, true},   {1, 0, true, false}, {0, 1, false, true},
                        {0, 0, false, false}, {2, 1, false, true}, {1, -1, true, false}};
  TCamera* camera = CreateCamera();
  CameraClsColor(camera, 0, 255, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ClsMode " << c.color << ", " << c.zbuffer);
    // Fill the screen with red at depth 0.5, and leave depth writes off: the
    // camera must switch them on before it clears the depth buffer.
    glScissor(0, 0, 800, 600);
    glClearColor(1, 0, 0, 1);
    glClearDepth(0.5);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    glDepthMask(GL_FALSE);
    CameraClsMode(camera, c.color, c.zbuffer);
    RenderWorld();
    ExpectPixel(300, 300, c.color_cleared ? kGreen : kRed);
    EXPECT_NEAR(Depth(300, 300), c.depth_cleared ? 1.0f : 0.5f, 0.01f);
  }
}

// The projection matrix for a viewport of w × h, zoom z and range n..f: the
// frustum's half width at the near plane is n / z and its half height
// n / (z · w / h), so that the horizontal field of view is 2 · atan(1 / z).
TEST_F(CameraGL, PerspectiveProjectionMatchesTheHandComputedFrustum) {
  struct Case {
    int w, h;
    float zoom, near, far;
    double p0, p5, p10, p14;  // 2n/(r-l), 2n/(t-b), -(f+n)/(f-n), -2fn/(f-n)
  };
  const Case cases[] = {
      // 800×600, zoom 1: right 1, top 0.75.
      {800, 600, 1, 1, 1000, 1, 4 / 3.0, -1001 / 999.0, -2000 / 999.0},
      // 400×200, zoom 2, range 2..100: right 1, top 0.5.
      {400, 200, 2, 2, 100, 2, 4, -102 / 98.0, -400 / 98.0},
      // 200×400, zoom 1, range 0.5..10: right 0.5, top 1.
      {200, 400, 1, 0.5f, 10, 1, 0.5, -10.5 / 9.5, -10 / 9.5},
  };
  TCamera* camera = CreateCamera();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " zoom " << c.zoom);
    CameraViewport(camera, 0, 0, c.w, c.h);
    CameraZoom(camera, c.zoom);
    CameraRange(camera, c.near, c.far);
    RenderWorld();
    const double want[16] = {c.p0, 0, 0, 0, 0, c.p5, 0, 0, 0, 0, c.p10, -1, 0, 0, c.p14, 0};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(camera->proj_mat[i], want[i], 1e-5) << "element " << i;
  }
  // Horizontal field of view at zoom 2: 2 · atan(0.5), about 53.13 degrees.
  CameraViewport(camera, 0, 0, 800, 600);
  CameraZoom(camera, 2);
  RenderWorld();
  EXPECT_NEAR(2 * std::atan(1 / camera->proj_mat[0]) * 180 / M_PI, 53.1301, 1e-3);
}

TEST_F(CameraGL, OrthographicAndIdentityProjections) {
  TCamera* camera = CreateCamera();
  CameraProjMode(camera, 2);
  RenderWorld();
  // glOrtho(-1, 1, -0.75, 0.75, 1, 1000): the near-plane rectangle.
  const double ortho[16] = {1, 0, 0, 0, 0, 4 / 3.0, 0, 0, 0, 0, -2 / 999.0, 0, 0, 0, -1001 / 999.0, 1};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(camera->proj_mat[i], ortho[i], 1e-6) << "element " << i;
  CameraProjMode(camera, 0);
  RenderWorld();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(camera->proj_mat[i], i % 5 == 0 ? 1 : 0) << "element " << i;
}

TEST_F(CameraGL, AntiAliasingShiftsTheFrustumByThePassJitter) {
  TCamera* camera = CreateCamera();
  AntiAlias(4);
  RenderWorld();
  // The matrices are those of the last pass, jitter (5/8, 3/4) pixels:
  // dx = -(5/8 · 2 / 800), dy = -(3/4 · 1.5 / 600); glFrustum puts
  // (r + l) / (r - l) = 2dx / 2 and (t + b) / (t - b) = 2dy / 1.5 in column 2.
  EXPECT_NEAR(camera->proj_mat[8], -0.0015625, 1e-7);
  EXPECT_NEAR(camera->proj_mat[9], -0.0025, 1e-7);
  EXPECT_EQ(TGlobal::jitter, 0);
  AntiAlias(0);
  RenderWorld();
  EXPECT_EQ(camera->proj_mat[8], 0);
  EXPECT_EQ(camera->proj_mat[9], 0);
}

TEST_F(CameraGL, ModelviewIsTheInverseOfTheCameraMatrix) {
  TPivot* rig = CreatePivot();
  PositionEntity(rig, 1, 0, 0);
  TCamera* camera = CreateCamera(rig);
  PositionEntity(camera, 0, 2, 3);
  RotateEntity(camera, 0, 90, 0);  // yaw 90 turns left: it looks along user -x
  RenderWorld();
  // The point 5 units ahead, user (1 - 5, 2, 3), stored (-4, 2, -3), lies at
  // eye (0, 0, -5).
  const double p[4] = {-4, 2, -3, 1};
  double eye[4] = {};
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) eye[r] += camera->mod_mat[k * 4 + r] * p[k];
  EXPECT_NEAR(eye[0], 0, 1e-5);
  EXPECT_NEAR(eye[1], 0, 1e-5);
  EXPECT_NEAR(eye[2], -5, 1e-5);
  EXPECT_NEAR(eye[3], 1, 1e-6);
  GLfloat current[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, current);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(current[i], float(camera->mod_mat[i]));
}

TEST_F(CameraGL, FrustumPlanesOfTheDefaultCamera) {
  TCamera* camera = CreateCamera();
  RenderWorld();
  // Horizontal half-angle 45°, vertical slope 0.75, near 1, far 1000, in
  // stored space (z negated): right -x - z > 0, left x - z > 0, bottom
  // y - 0.75z > 0, top -y - 0.75z > 0, far z + 1000 > 0, near -z - 1 > 0.
  const double h = std::sqrt(0.5);
  const double want[6][4] = {{-h, 0, -h, 0},     {h, 0, -h, 0},   {0, 0.8, -0.6, 0},
                             {0, -0.8, -0.6, 0}, {0, 0, 1, 1000}, {0, 0, -1, -1}};
  for (int p = 0; p < 6; ++p)
    for (int i = 0; i < 4; ++i)
      EXPECT_NEAR(camera->frustum[p][i], want[p][i], i == 3 && p == 4 ? 0.05 : 1e-5)
          << "plane " << p << " " << i;
}

TEST_F(CameraGL, EntitiesAtTheEdgesOfTheView) {
  TCamera* camera = CreateCamera();
  RenderWorld();
  struct Case {
    float x, y, z, radius;
    float expected;  // 0 outside, else near-plane distance (z - 1) + radius
  };
  const Case cases[] = {
      {0, 0, 10, 0, 9},      {10.1f, 0, 10, 0, 0}, {-10.1f, 0, 10, 0, 0}, {11, 0, 10, 1, 10},
      {0, 7.4f, 10, 0, 9},   {0, 7.6f, 10, 0, 0},  {0, -7.6f, 10, 0, 0},  {0, 0, 0.5f, 0, 0},
      {0, 0, 0.5f, 1, 0.5f}, {0, 0, 999, 0, 998},  {0, 0, 1001, 0, 0},    {0, 0, -5, 0, 0},
  };
  TPivot* pivot = CreatePivot();
  for (const Case& c : cases) {
    PositionEntity(pivot, c.x, c.y, c.z);
    pivot->cull_radius = c.radius;
    EXPECT_NEAR(camera->EntityInFrustum(pivot), c.expected, 1e-3)
        << c.x << " " << c.y << " " << c.z << " r " << c.radius;
  }
  // Moving the camera counts only from its next render.
  PositionEntity(pivot, 0, 0, 10);
  pivot->cull_radius = 0;
  PositionEntity(camera, 0, 0, 20);
  EXPECT_NEAR(camera->EntityInFrustum(pivot), 9, 1e-3);
  RenderWorld();
  EXPECT_EQ(EntityInView(camera, pivot), 0);
}

TEST_F(CameraGL, CameraProjectOfKnownPoints) {
  TCamera* camera = CreateCamera();
  RenderWorld();
  struct Case {
    float x, y, z;
    float px, py, pz;
  };
  // Depth at user z: ((f + n) z - 2fn) / ((f - n) z) mapped to 0..1.
  const auto depth = [](double z) { return float(((1001 * z - 2000) / (999 * z) + 1) / 2); };
  const Case cases[] = {
      {0, 0, 10, 400, 300, depth(10)},   // the viewport centre
      {10, 0, 10, 800, 300, depth(10)},  // right edge: x = z at 45°
      {0, 7.5f, 10, 400, 0, depth(10)},  // top edge, y grows downward
      {-5, -3.75f, 10, 200, 450, depth(10)},
      {0, 0, 1, 400, 300, 0},     // on the near plane
      {0, 0, 1000, 400, 300, 1},  // on the far plane
  };
  for (const Case& c : cases) {
    CameraProject(camera, c.x, c.y, c.z);
    EXPECT_NEAR(ProjectedX(), c.px, 1e-2) << c.x << " " << c.y << " " << c.z;
    EXPECT_NEAR(ProjectedY(), c.py, 1e-2) << c.x << " " << c.y << " " << c.z;
    EXPECT_NEAR(ProjectedZ(), c.pz, 1e-4) << c.x << " " << c.y << " " << c.z;
  }
  // In a top-left 256 square the centre is (128, 128) from its corner.
  CameraViewport(camera, 0, 0, 256, 256);
  RenderWorld();
  CameraProject(camera, 0, 0, 10);
  EXPECT_NEAR(ProjectedX(), 128, 1e-2);
  EXPECT_NEAR(ProjectedY(), 128, 1e-2);
  // A viewport lower on the screen: from its own corner all the same.
  CameraViewport(camera, 100, 200, 300, 150);
  RenderWorld();
  CameraProject(camera, 0, 0, 10);
  EXPECT_NEAR(ProjectedX(), 150, 1e-2);
  EXPECT_NEAR(ProjectedY(), 75, 1e-2);
}

TEST_F(CameraGL, LinearFogWithItsRangeAndColour) {
  TCamera* camera = CreateCamera();
  RenderWorld();
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  CameraFogColor(camera, 255, 51, 0);
  CameraFogRange(camera, 10, 200);
  for (int mode : {1, 3}) {
    CameraFogMode(camera, mode);
    RenderWorld();
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    GLint fog_mode = 0;
    GLfloat start = 0, end = 0, color[4] = {};
    glGetIntegerv(GL_FOG_MODE, &fog_mode);
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    glGetFloatv(GL_FOG_COLOR, color);
    EXPECT_EQ(fog_mode, GL_LINEAR);
    EXPECT_EQ(start, 10);
    EXPECT_EQ(end, 200);
    EXPECT_FLOAT_EQ(color[0], 1);
    EXPECT_FLOAT_EQ(color[1], 0.2f);
    EXPECT_FLOAT_EQ(color[2], 0);
    EXPECT_FLOAT_EQ(color[3], 1);  // opaque fog
  }
  CameraFogMode(camera, 0);
  RenderWorld();
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
