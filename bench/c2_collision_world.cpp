// C2: 100 movers sliding over a 20,000-triangle terrain for 600 frames, one
// UpdateWorld per frame.
//
// Two rows in one run: the engine (100 pivots of collision type 1 against the
// terrain mesh of type 2, moved with TranslateEntity, then UpdateWorld), and
// as the baseline the same 100 slides per frame driven straight through the
// collision library's flat interface, which is the least the world update
// can cost. After each engine run the movers are checked: none ends below the
// terrain by more than its radius allows, and the share of moves that
// collided is reported.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/collision/collision_api.h"
#include "engine/engine_lists.h"
#include "engine/ostrel.h"

namespace {

constexpr int kGrid = 100;  // quads per side
constexpr int kMovers = 100;
constexpr int kFrames = 600;

double Height(double x, double z) {
  return 20 * std::sin(x / 37) * std::cos(z / 53) + 5 * std::sin(x / 11 + z / 17);
}

struct Rng {
  uint64_t state = 12345;
  double Uniform(double a, double b) {
    state = (state * 1103515245 + 12345) % (uint64_t{1} << 31);
    return a + (b - a) * (static_cast<double>(state) / 2147483648.0);
  }
};

// Height of the triangulated terrain at (x, z), inside the field.
double TerrainHeight(double x, double z) {
  const int i = std::clamp(int(std::floor((x + 500) / 10)), 0, kGrid - 1);
  const int j = std::clamp(int(std::floor((z + 500) / 10)), 0, kGrid - 1);
  const double x0 = -500 + 10 * i, z0 = -500 + 10 * j;
  const double u = (x - x0) / 10, w = (z - z0) / 10;
  const double h00 = float(Height(x0, z0)), h01 = float(Height(x0, z0 + 10));
  const double h10 = float(Height(x0 + 10, z0)), h11 = float(Height(x0 + 10, z0 + 10));
  // Triangle (v(i, j), v(i, j + 1), v(i + 1, j + 1)) holds u <= w; the other u >= w.
  return u <= w ? h00 + w * (h01 - h00) + u * (h11 - h01) : h00 + u * (h10 - h00) + w * (h11 - h10);
}

// The lowest vertical clearance of the movers over the terrain. It is at
// least the distance to the surface, so a value under the radius is a mover
// inside the terrain.
template <class Position>
double LowestClearance(int count, Position at) {
  double lowest = 1e30;
  for (int m = 0; m < count; ++m) {
    double x, y, z;
    at(m, x, y, z);
    lowest = std::min(lowest, y - TerrainHeight(x, z));
  }
  return lowest;
}

// The step of one mover: dx, dz drawn, reversed at the edges of the field.
void Step(Rng& rng, double x, double z, double& dx, double& dz) {
  dx = rng.Uniform(-8, 8), dz = rng.Uniform(-8, 8);
  if ((x > 400 && dx > 0) || (x < -400 && dx < 0)) dx = -dx;
  if ((z > 400 && dz > 0) || (z < -400 && dz < 0)) dz = -dz;
}

TMesh* Terrain() {
  TMesh* mesh = CreateMesh();
  TSurface* s = CreateSurface(mesh);
  for (int i = 0; i <= kGrid; ++i)
    for (int j = 0; j <= kGrid; ++j) {
      const double x = -500 + 10 * i, z = -500 + 10 * j;
      AddVertex(s, float(x), float(Height(x, z)), float(z));
    }
  // (v1 - v0) x (v2 - v0) points up for both triangles of a quad.
  auto v = [](int i, int j) { return i * (kGrid + 1) + j; };
  for (int i = 0; i < kGrid; ++i)
    for (int j = 0; j < kGrid; ++j) {
      AddTriangle(s, v(i, j), v(i, j + 1), v(i + 1, j + 1));
      AddTriangle(s, v(i, j), v(i + 1, j + 1), v(i + 1, j));
    }
  return mesh;
}

void BM_UpdateWorld(benchmark::State& state) {
  InitEngineLists();
  Collisions(1, 2, 2, 2);
  TMesh* terrain = Terrain();
  EntityType(terrain, 2);
  Rng rng;
  std::vector<TEntity*> movers;
  for (int m = 0; m < kMovers; ++m) {
    const double x = rng.Uniform(-400, 400), z = rng.Uniform(-400, 400);
    TPivot* p = CreatePivot();
    PositionEntity(p, float(x), float(Height(x, z) + 3), float(z));
    EntityType(p, 1);
    movers.push_back(p);
  }
  UpdateWorld();  // builds the terrain's tree outside the timing
  long moves = 0, collided = 0;
  for (auto _ : state) {
    for (TEntity* p : movers) {
      double dx, dz;
      Step(rng, EntityX(p), EntityZ(p), dx, dz);
      TranslateEntity(p, float(dx), -2, float(dz));
    }
    UpdateWorld();
    for (TEntity* p : movers) collided += CountCollisions(p) > 0;
    moves += kMovers;
  }
  const double lowest = LowestClearance(kMovers, [&](int m, double& x, double& y, double& z) {
    x = EntityX(movers[size_t(m)]), y = EntityY(movers[size_t(m)]), z = EntityZ(movers[size_t(m)]);
  });
  if (lowest < 0.95) state.SkipWithError("a mover ended closer to the terrain than its radius");
  state.counters["collided_share"] = double(collided) / double(moves);
  state.counters["lowest_clearance"] = lowest;
  ClearWorld();
}

void BM_LibraryOnly(benchmark::State& state) {
  std::vector<int16_t> tris;
  std::vector<float> verts;
  for (int i = 0; i <= kGrid; ++i)
    for (int j = 0; j <= kGrid; ++j) {
      const double x = -500 + 10 * i, z = -500 + 10 * j;
      verts.insert(verts.end(), {float(x), float(Height(x, z)), float(z)});
    }
  auto v = [](int i, int j) { return int16_t(i * (kGrid + 1) + j); };
  for (int i = 0; i < kGrid; ++i)
    for (int j = 0; j < kGrid; ++j)
      tris.insert(tris.end(), {v(i, j), v(i, j + 1), v(i + 1, j + 1), v(i, j), v(i + 1, j + 1), v(i + 1, j)});
  CMeshInfo* info = C_NewMeshInfo();
  C_AddSurface(info, int(tris.size() / 3), int(verts.size() / 3), tris.data(), verts.data(), 1);
  CMeshCollider* tree = C_CreateColTree(info);
  C_DeleteMeshInfo(info);
  CVector* dest = C_CreateVecObject(0, 0, 0);
  CVector* source = C_CreateVecObject(0, 0, 0);
  CVector* radii = C_CreateVecObject(1, 1, 1);
  CVector* i = C_CreateVecObject(1, 0, 0);
  CVector* j = C_CreateVecObject(0, 1, 0);
  CVector* k = C_CreateVecObject(0, 0, 1);
  CVector* t = C_CreateVecObject(0, 0, 0);
  CMatrix* matrix = C_CreateMatrixObject(i, j, k);
  CTransform* tform = C_CreateTFormObject(matrix, t);

  Rng rng;
  std::vector<float> pos;
  for (int m = 0; m < kMovers; ++m) {
    const double x = rng.Uniform(-400, 400), z = rng.Uniform(-400, 400);
    pos.insert(pos.end(), {float(x), float(Height(x, z) + 3), float(z)});
  }
  for (auto _ : state) {
    for (int m = 0; m < kMovers; ++m) {
      float* p = &pos[size_t(m) * 3];
      double dx, dz;
      Step(rng, p[0], p[2], dx, dz);
      const float to[3] = {p[0] + float(dx), p[1] - 2, p[2] + float(dz)};
      C_UpdateVecObject(source, p[0], p[1], p[2]);
      C_UpdateVecObject(dest, to[0], to[1], to[2]);
      CCollisionInfo* move = C_CreateCollisionInfoObject(dest, source, radii);
      for (int again = 1; again;) {
        CCollision* coll = C_CreateCollisionObject();
        again = C_CollisionDetect(move, coll, tform, tree, 2) ? C_CollisionResponse(move, coll, 2) : 0;
        C_DeleteCollisionObject(coll);
      }
      if (C_CollisionFinal(move)) {
        p[0] = C_CollisionPosX(), p[1] = C_CollisionPosY(), p[2] = C_CollisionPosZ();
      } else {
        p[0] = to[0], p[1] = to[1], p[2] = to[2];
      }
      C_DeleteCollisionInfoObject(move);
    }
  }
  state.counters["lowest_clearance"] = LowestClearance(kMovers, [&](int m, double& x, double& y, double& z) {
    x = pos[size_t(m) * 3], y = pos[size_t(m) * 3 + 1], z = pos[size_t(m) * 3 + 2];
  });
  C_DeleteColTree(tree);
  C_DeleteTFormObject(tform);
  C_DeleteMatrixObject(matrix);
  for (CVector* vec : {dest, source, radii, i, j, k, t}) C_DeleteVecObject(vec);
}

BENCHMARK(BM_UpdateWorld)->Iterations(kFrames)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibraryOnly)->Iterations(kFrames)->Repetitions(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
