// The render pass with a real OpenGL context (run under Xvfb): 1000 lit,
// textured cubes, each frame cleared, rendered and flipped.
//
// Variants, measured in the same run: the same cubes merged into one mesh
// (one surface, one draw from buffer objects: the main thread's lower bound
// for this picture; the rasteriser threads take longer over one large draw
// than over many small ones), 1000 sprites, and the scene with the drawing left
// to an empty render list (every mesh culled by hiding it), which isolates the
// frame's fixed cost (clear and flip). Real time is the frame time; CPU time
// is the main thread's. Counters split the frame: render_cpu_ms is the main
// thread's CPU time inside RenderWorld (the engine's pass and the driver's
// vertex work and binning), flip_ms the wall time of Flip (mostly waiting for
// the rasteriser threads). After the frames the picture is checked: the
// cubes must show enough lit red and lit white texels.
#include <GL/glew.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/ostrel.h"
#include "tests/engine/bmp_fixture.h"

namespace {

constexpr int kSide = 10;  // 10 × 10 × 10 cubes

std::string WriteCheckerTexture() {
  const std::vector<unsigned char> bytes = bmp_fixture::MakeBmp(
      64, 64, 24, [](int x, int y) { return (x / 8 + y / 8) % 2 ? 0xFFE6E6E6u : 0xFFC82828u; });
  const std::string path = "bench_r1_checker.bmp";
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

enum class Kind { kCubes, kMerged, kSprites, kNothing };

struct Scene {
  explicit Scene(Kind kind) {
    InitEngine();
    Graphics3D(800, 600, 0, 2, 0, -1);
    ClearTextureFilters();
    Ref<TTexture> texture = LoadTexture(WriteCheckerTexture(), 1 | 8);
    AmbientLight(0.15f * 255, 0.15f * 255, 0.15f * 255);
    const float lights[3][6] = {
        {25, 25, -25, 255, 255, 255}, {-25, 10, -25, 255, 204, 127.5f}, {0, -25, -25, 102, 153, 255}};
    for (const auto& l : lights) {
      TLight* light = CreateLight(2);
      PositionEntity(light, l[0], l[1], l[2]);
      LightColor(light, l[3], l[4], l[5]);
      LightRange(light, 50);
    }
    TCamera* camera = CreateCamera();
    PositionEntity(camera, 30, 24, -40);
    TPivot* origin = CreatePivot();
    PointEntity(camera, origin);
    // Vertical field of view 72° at aspect 4:3: zoom = 1 / (tan 36° · 4/3).
    CameraZoom(camera, 1.0f / (0.7265425f * (4.0f / 3.0f)));
    CameraRange(camera, 1, 3000);

    TMesh* merged = kind == Kind::kMerged ? CreateMesh() : nullptr;
    for (int i = 0; i < kSide; ++i)
      for (int j = 0; j < kSide; ++j)
        for (int k = 0; k < kSide; ++k) {
          const float x = 4.0f * i - 18, y = 4.0f * j - 18, z = 4.0f * k - 18;
          if (kind == Kind::kSprites) {
            TSprite* sprite = CreateSprite();
            EntityTexture(sprite, texture.get());
            PositionEntity(sprite, x, y, z);
            continue;
          }
          TMesh* cube = CreateCube();
          if (merged) {
            PositionMesh(cube, x, y, z);
            AddMesh(cube, merged);
            FreeEntity(cube);
            continue;
          }
          PositionEntity(cube, x, y, z);
          EntityTexture(cube, texture.get());
          if (kind == Kind::kNothing) HideEntity(cube);
        }
    if (merged) EntityTexture(merged, texture.get());
  }
  ~Scene() {
    ClearWorld();
    EndGraphics();
  }

  static void Frame() {
    RenderWorld();
    Flip(0);
  }
};

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) * 1e-6;
}

double WallMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Renders one more frame and counts the pixels of the back buffer that show the checker's red or white
// squares lit.
struct PictureCheck {
  int lit_red = 0, lit_white = 0;
};

PictureCheck CheckPicture() {
  RenderWorld();
  std::vector<unsigned char> pixels(800 * 600 * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  if (const char* path = std::getenv("R1_SCREENSHOT")) {
    FILE* f = std::fopen(path, "wb");
    std::fprintf(f, "P6 800 600 255\n");
    for (int row = 599; row >= 0; --row) std::fwrite(&pixels[size_t(row) * 800 * 3], 1, 800 * 3, f);
    std::fclose(f);
  }
  PictureCheck check;
  for (size_t i = 0; i < pixels.size(); i += 3) {
    const int r = pixels[i], g = pixels[i + 1], b = pixels[i + 2];
    if (r >= 80 && r > 2 * g && r > 2 * b) ++check.lit_red;
    if (r >= 120 && g >= 120 && b >= 120) ++check.lit_white;
  }
  return check;
}

void RunFrames(benchmark::State& state, Kind kind) {
  Scene scene(kind);
  for (int i = 0; i < 10; ++i) Scene::Frame();
  double render_cpu = 0, flip_wall = 0;
  for (auto _ : state) {
    const double cpu0 = ThreadCpuMs();
    RenderWorld();
    const double cpu1 = ThreadCpuMs(), wall1 = WallMs();
    Flip(0);
    flip_wall += WallMs() - wall1;
    render_cpu += cpu1 - cpu0;
  }
  const double frames = double(state.iterations());
  state.counters["render_cpu_ms"] = render_cpu / frames;
  state.counters["flip_ms"] = flip_wall / frames;
  if (kind == Kind::kNothing) return;
  // A twentieth of the screen each is well below what the scene shows (about
  // 38000 lit red and 73000 lit white pixels of the cubes); a broken
  // texture, lighting or depth set-up falls below it.
  const PictureCheck check = CheckPicture();
  state.counters["lit_red_px"] = check.lit_red;
  state.counters["lit_white_px"] = check.lit_white;
  if (check.lit_red < 800 * 30 || check.lit_white < 800 * 30) {
    const std::string why = "the picture is wrong: " + std::to_string(check.lit_red) + " lit red and " +
                            std::to_string(check.lit_white) + " lit white pixels";
    state.SkipWithError(why.c_str());
  }
}

void BM_R1_Cubes(benchmark::State& state) { RunFrames(state, Kind::kCubes); }
void BM_R1_MergedIntoOneMesh(benchmark::State& state) { RunFrames(state, Kind::kMerged); }
void BM_R1_Sprites(benchmark::State& state) { RunFrames(state, Kind::kSprites); }
void BM_R1_ClearAndFlipOnly(benchmark::State& state) { RunFrames(state, Kind::kNothing); }

BENCHMARK(BM_R1_Cubes)
    ->Iterations(300)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_R1_MergedIntoOneMesh)
    ->Iterations(300)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_R1_Sprites)
    ->Iterations(300)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_R1_ClearAndFlipOnly)
    ->Iterations(300)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
