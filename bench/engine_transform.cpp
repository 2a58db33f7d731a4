// Transform refresh of an entity hierarchy and point transforms.
//
// Baselines, measured in the same run: composing the same number of
// precomputed 4×4 float matrices with a plain loop (the least work any
// hierarchy refresh must do), and one 4×4 matrix-point product.
#include <benchmark/benchmark.h>

#include "engine/engine_lists.h"
#include "engine/ostrel.h"

namespace {

constexpr int kChains = 111;  // under one root, each kDepth - 1 deep: 1000 entities
constexpr int kDepth = 10;

// A root with kChains chains below it; every entity is moved, turned on all
// three axes and scaled, so that no rotation step is skipped.
struct Scene {
  TEntity* root = nullptr;
  TEntity* deepest = nullptr;

  Scene() {
    InitEngineLists();
    root = CreatePivot();
    for (int c = 0; c < kChains; ++c) {
      TEntity* parent = root;
      for (int d = 1; d < kDepth; ++d) {
        TEntity* e = CreatePivot(parent);
        PositionEntity(e, 1, float(d), 0.5f);
        RotateEntity(e, 3, float(c), 7);
        ScaleEntity(e, 1.01f, 1, 0.99f);
        parent = e;
      }
      deepest = parent;
    }
  }
  ~Scene() { FreeEntity(root); }
};

void BM_HierarchyRefresh(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    TurnEntity(scene.root, 0, 1, 0);
    benchmark::DoNotOptimize(scene.deepest->mat.grid[3][0]);
  }
  state.SetItemsProcessed(state.iterations() * TEntity::CountAllChildren(*scene.root, 1));
}
BENCHMARK(BM_HierarchyRefresh);

// Baseline: 1000 matrix products, each parent · local.
void BM_BaselineMatrixCompose(benchmark::State& state) {
  constexpr int kCount = 1000;
  struct M {
    float m[16];
  };
  std::vector<M> local(kCount), global(kCount);
  for (int i = 0; i < kCount; ++i)
    for (int k = 0; k < 16; ++k) local[i].m[k] = (k % 5 == 0) ? 1.0f : 0.001f * float(i + k);
  for (auto _ : state) {
    global[0] = local[0];
    for (int i = 1; i < kCount; ++i) {
      const float* a = global[i % kDepth == 0 ? 0 : i - 1].m;
      const float* b = local[i].m;
      float* r = global[i].m;
      for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row)
          r[c * 4 + row] = a[row] * b[c * 4] + a[4 + row] * b[c * 4 + 1] + a[8 + row] * b[c * 4 + 2] +
                           a[12 + row] * b[c * 4 + 3];
    }
    benchmark::DoNotOptimize(global.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_BaselineMatrixCompose);

void BM_TFormPointToWorld(benchmark::State& state) {
  Scene scene;
  float x = 1;
  for (auto _ : state) {
    TEntity::TFormPoint(x, 2, 3, scene.deepest, nullptr);
    x = TEntity::TFormedX() * 1e-6f + 1;
  }
  benchmark::DoNotOptimize(x);
}
BENCHMARK(BM_TFormPointToWorld);

// The same through the flat layer, which checks both handles.
void BM_TFormPointToWorldFlat(benchmark::State& state) {
  Scene scene;
  float x = 1;
  for (auto _ : state) {
    TFormPoint(x, 2, 3, scene.deepest, nullptr);
    x = TFormedX() * 1e-6f + 1;
  }
  benchmark::DoNotOptimize(x);
}
BENCHMARK(BM_TFormPointToWorldFlat);

// Into an entity 10 levels deep: the inverse is rebuilt from the whole chain.
void BM_TFormPointIntoDeepEntity(benchmark::State& state) {
  Scene scene;
  float x = 1;
  for (auto _ : state) {
    TEntity::TFormPoint(x, 2, 3, nullptr, scene.deepest);
    x = TEntity::TFormedX() * 1e-6f + 1;
  }
  benchmark::DoNotOptimize(x);
}
BENCHMARK(BM_TFormPointIntoDeepEntity);

// Baseline: one 4×4 matrix-point product.
void BM_BaselineMatrixPoint(benchmark::State& state) {
  float m[16];
  for (int k = 0; k < 16; ++k) m[k] = 0.1f * float(k + 1);
  float x = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(m);
    const float rx = m[0] * x + m[4] * 2 + m[8] * 3 + m[12];
    x = rx * 1e-6f + 1;
  }
  benchmark::DoNotOptimize(x);
}
BENCHMARK(BM_BaselineMatrixPoint);

}  // namespace

BENCHMARK_MAIN();
