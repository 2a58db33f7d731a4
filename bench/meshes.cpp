// Geometry building: a 64-segment sphere, smoothed normals of a 100k-triangle
// surface, and AddTriangle growth.
//
// Baselines, measured in the same run: the sphere's vertex positions computed
// into a preallocated array (its trigonometry alone); face normals summed per
// vertex index with no position sharing (the least work any smoothing does);
// std::vector<uint16_t> push_back of the same corners (plain geometric growth).
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "engine/engine_lists.h"
#include "engine/ostrel.h"

namespace {

void BM_CreateSphere64(benchmark::State& state) {
  InitEngineLists();
  for (auto _ : state) {
    TMesh* sphere = CreateSphere(64);
    benchmark::DoNotOptimize(sphere);
    FreeEntity(sphere);
  }
}
BENCHMARK(BM_CreateSphere64)->Unit(benchmark::kMicrosecond);

void BM_Baseline_SphereTrigonometry(benchmark::State& state) {
  const int s = 64, verts = 12 * s + 8 * s * (s - 2);
  std::vector<float> out(size_t(verts) * 3);
  const double rad = std::numbers::pi / 180.0, div = 360.0 / (2 * s);
  for (auto _ : state) {
    size_t k = 0;
    for (int v = 0; v < verts; ++v) {
      const double a = 90 + div * (v % (2 * s)), p = div * (v % s);
      out[k++] = float(-std::cos(a * rad) * std::sin(p * rad));
      out[k++] = float(std::cos(p * rad));
      out[k++] = float(std::sin(a * rad) * std::sin(p * rad));
    }
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_Baseline_SphereTrigonometry)->Unit(benchmark::kMicrosecond);

// A 225 x 225 vertex grid, gently curved: 100352 triangles.
constexpr int kGrid = 225;

TSurface* Grid(TMesh* mesh) {
  TSurface* s = CreateSurface(mesh);
  for (int y = 0; y < kGrid; ++y)
    for (int x = 0; x < kGrid; ++x) AddVertex(s, float(x), float(y), std::sin(float(x + y) * 0.1f));
  for (int y = 0; y + 1 < kGrid; ++y) {
    for (int x = 0; x + 1 < kGrid; ++x) {
      const int i = y * kGrid + x;
      AddTriangle(s, i, i + 1, i + kGrid);
      AddTriangle(s, i + 1, i + kGrid + 1, i + kGrid);
    }
  }
  return s;
}

void BM_UpdateNormals100k(benchmark::State& state) {
  InitEngineLists();
  TMesh* mesh = CreateMesh();
  TSurface* s = Grid(mesh);
  for (auto _ : state) {
    UpdateNormals(mesh);
    benchmark::DoNotOptimize(s->vert_norm.data());
  }
  state.counters["triangles"] = CountTriangles(s);
  FreeEntity(mesh);
}
BENCHMARK(BM_UpdateNormals100k)->Unit(benchmark::kMillisecond);

void BM_Baseline_FaceNormalsByIndex(benchmark::State& state) {
  InitEngineLists();
  TMesh* mesh = CreateMesh();
  TSurface* s = Grid(mesh);
  std::vector<float> norms(size_t(s->no_verts) * 3);
  for (auto _ : state) {
    std::fill(norms.begin(), norms.end(), 0.0f);
    const float* c = s->vert_coords.data();
    for (int t = 0; t < s->no_tris; ++t) {
      const uint16_t* i = &s->tris[size_t(t) * 3];
      const float *p0 = c + i[0] * 3, *p1 = c + i[1] * 3, *p2 = c + i[2] * 3;
      const float a[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
      const float b[3] = {p2[0] - p1[0], p2[1] - p1[1], p2[2] - p1[2]};
      float n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
      const float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      for (int k = 0; k < 3; ++k) {
        for (int j = 0; j < 3; ++j) norms[size_t(i[k]) * 3 + size_t(j)] += n[j] / len;
      }
    }
    benchmark::DoNotOptimize(norms.data());
  }
  FreeEntity(mesh);
}
BENCHMARK(BM_Baseline_FaceNormalsByIndex)->Unit(benchmark::kMillisecond);

constexpr int kTriangles = 100000;

void BM_AddTriangleGrowth(benchmark::State& state) {
  for (auto _ : state) {
    Ref<TSurface> s = MakeRef<TSurface>();
    for (int t = 0; t < kTriangles; ++t) s->AddTriangle(t & 0xFFFF, (t + 1) & 0xFFFF, (t + 2) & 0xFFFF);
    benchmark::DoNotOptimize(s->tris.data());
  }
}
BENCHMARK(BM_AddTriangleGrowth)->Unit(benchmark::kMillisecond);

void BM_Baseline_VectorPushBack(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<uint16_t> tris;
    for (int t = 0; t < kTriangles; ++t) {
      tris.push_back(uint16_t(t + 2));
      tris.push_back(uint16_t(t + 1));
      tris.push_back(uint16_t(t));
    }
    benchmark::DoNotOptimize(tris.data());
  }
}
BENCHMARK(BM_Baseline_VectorPushBack)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
