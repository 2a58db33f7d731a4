// The render pass with a real OpenGL context (run under Xvfb): 1000 lit,
// textured cubes, each frame cleared, rendered and flipped.
//
// Variants, measured in the same run: the same cubes merged into one mesh
// (one surface drawn from buffer objects: a lower bound on what the pass
// costs for this picture), 1000 sprites, and the scene with the drawing left
// to an empty render list (every mesh culled by hiding it), which isolates the
// frame's fixed cost (clear and flip). Real time is the frame time; CPU time
// is the main thread's.
#include <benchmark/benchmark.h>

#include <cstdio>
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

void RunFrames(benchmark::State& state, Kind kind) {
  Scene scene(kind);
  for (int i = 0; i < 10; ++i) Scene::Frame();
  for (auto _ : state) Scene::Frame();
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
