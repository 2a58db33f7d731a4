// Hostile handles and degenerate input, and the promise that a movement
// allocates no memory once its objects exist.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

#include "tests/engine/collision/sweep_helpers.h"

using namespace collision_test;

namespace {

// Counts allocations made through operator new while counting is on.
bool counting = false;
long allocations = 0;

}  // namespace

void* operator new(size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  if (counting) ++allocations;
  return std::malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

TEST(HandlesTest, ForeignFreedAndWrongTypeHandlesAreRefused) {
  CVector* v = C_CreateVecObject(1, 2, 3);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(C_VecY(v), 2);

  auto* garbage = reinterpret_cast<CVector*>(static_cast<uintptr_t>(0xdeadbeef));
  auto* wrong_type = reinterpret_cast<CMatrix*>(v);
  EXPECT_EQ(C_VecX(nullptr), 0);
  EXPECT_EQ(C_VecX(garbage), 0);
  C_UpdateVecObject(garbage, 5, 5, 5);
  C_DeleteVecObject(garbage);
  C_DeleteMatrixObject(wrong_type);
  EXPECT_EQ(C_VecZ(v), 3);  // untouched by any of that

  EXPECT_EQ(C_CreateMatrixObject(v, garbage, v), nullptr);
  EXPECT_EQ(C_CreateTFormObject(wrong_type, v), nullptr);
  EXPECT_EQ(C_CreateCollisionInfoObject(v, v, nullptr), nullptr);
  EXPECT_EQ(C_CreateColTree(reinterpret_cast<CMeshInfo*>(v)), nullptr);
  EXPECT_EQ(C_CollisionDetect(nullptr, nullptr, nullptr, nullptr, 2), 0);
  EXPECT_EQ(C_CollisionResponse(reinterpret_cast<CCollisionInfo*>(v), nullptr, 2), 0);
  EXPECT_EQ(C_CollisionFinal(reinterpret_cast<CCollisionInfo*>(~uintptr_t{0})), 0);
  EXPECT_EQ(C_Pick(nullptr, nullptr, 1, nullptr, nullptr, nullptr, 2), 0);
  C_AddSurface(nullptr, 1, 3, nullptr, nullptr, 1);
  C_DeleteColTree(reinterpret_cast<CMeshCollider*>(v));
  C_DeleteMeshInfo(nullptr);

  // A freed handle stays dead, also once its slot holds a new vector.
  C_DeleteVecObject(v);
  EXPECT_EQ(C_VecX(v), 0);
  CVector* reused = C_CreateVecObject(7, 8, 9);
  EXPECT_NE(reused, v);
  EXPECT_EQ(C_VecX(v), 0);
  C_DeleteVecObject(v);
  EXPECT_EQ(C_VecX(reused), 7);
  C_DeleteVecObject(reused);
}

TEST(HandlesTest, DegenerateMovementsFindNothingOrBehave) {
  CMeshCollider* floor = MakeTree(Floor());
  Placement place;
  float nan = std::numeric_limits<float>::quiet_NaN();
  float inf = std::numeric_limits<float>::infinity();
  for (int method : {1, 2, 3}) {
    SCOPED_TRACE(method);
    Obstacle o{place.get(), floor, method};
    for (Vec3 bad : {Vec3{nan, 5, 0}, Vec3{0, inf, 0}, Vec3{0, -inf, nan}}) {
      Movement m = Move({0, 5, 0}, bad, {1, 1, 1}, {o}, 2);
      EXPECT_TRUE(m.contacts.empty());
      m = Move(bad, {0, -5, 0}, {1, 1, 1}, {o}, 2);
      EXPECT_TRUE(m.contacts.empty());
    }
    for (Vec3 radii :
         {Vec3{nan, nan, nan}, Vec3{-1, 2, 1}, Vec3{inf, 1, 1}, Vec3{1, 0, 1}, Vec3{1, nan, 1}}) {
      Movement m = Move({0.5f, 5, 0.5f}, {0.5f, -5, 0.5f}, radii, {o}, 2);
      for (const Contact& c : m.contacts) EXPECT_TRUE(std::isfinite(c.time));
    }
  }
  // A radius of 0 is a ray and meets the floor at y = 0; a y radius of 0 (or
  // NaN) leaves a sphere of the x radius.
  EXPECT_NEAR(Move({1, 5, 1}, {1, -5, 1}, {0, 0, 0}, {{place.get(), floor}}, 1).position.y, 0.001f, 1e-5f);
  EXPECT_NEAR(Move({1, 5, 1}, {1, -5, 1}, {1, 0, 1}, {{place.get(), floor}}, 1).position.y, 1.001f, 1e-5f);
  // A placement flattened to no volume cannot be inverted: nothing is hit.
  Placement flat({1, 0, 0}, {0, 0, 0}, {0, 0, 1});
  EXPECT_TRUE(Move({1, 5, 1}, {1, -5, 1}, {1, 1, 1}, {{flat.get(), floor}}, 1).contacts.empty());
  // Responding to a record that holds no contact changes nothing.
  {
    CVector* d = C_CreateVecObject(1, -5, 1);
    CVector* s = C_CreateVecObject(1, 5, 1);
    CCollisionInfo* info = C_CreateCollisionInfoObject(d, s, d);
    CCollision* coll = C_CreateCollisionObject();
    EXPECT_EQ(C_CollisionResponse(info, coll, 2), 0);
    EXPECT_EQ(C_CollisionFinal(info), 0);
    C_DeleteCollisionObject(coll);
    C_DeleteCollisionInfoObject(info);
    C_DeleteVecObject(d);
    C_DeleteVecObject(s);
  }
  // An unknown method or response does no harm.
  EXPECT_TRUE(Move({1, 5, 1}, {1, -5, 1}, {1, 1, 1}, {{place.get(), floor, 9}}, 2).contacts.empty());
  EXPECT_EQ(Move({1, 5, 1}, {1, -5, 1}, {1, 1, 1}, {{place.get(), floor}}, 77).contacts.size(), 1u);
  C_DeleteColTree(floor);
}

TEST(HandlesTest, AMovementAllocatesNothing) {
  CMeshCollider* floor = MakeTree(Floor());
  CMeshCollider* cube = MakeTree(Cube());
  Placement place;
  Placement paddle({4, 0, 0}, {0, 4, 0}, {0, 0, 16}, {6, 0, 0});
  CVector* dest = C_CreateVecObject(9, -3, 4);
  CVector* source = C_CreateVecObject(-3, 4, 2);
  CVector* radii = C_CreateVecObject(1, 1.5f, 1);
  CLine* line = C_CreateLineObject(0, 5, 0, 0, -10, 0);
  auto movement = [&] {
    CCollisionInfo* info = C_CreateCollisionInfoObject(dest, source, radii);
    for (int again = 1; again;) {
      CCollision* coll = C_CreateCollisionObject();
      int hit = C_CollisionDetect(info, coll, place.get(), floor, 2);
      hit |= C_CollisionDetect(info, coll, paddle.get(), cube, 2);
      C_UpdateCollisionInfoObject(info, 1, -1, -1, -1, 1, 1, 1);
      hit |= C_CollisionDetect(info, coll, paddle.get(), nullptr, 3);
      hit |= C_CollisionDetect(info, coll, paddle.get(), nullptr, 1);
      again = hit ? C_CollisionResponse(info, coll, 2) : 0;
      C_DeleteCollisionObject(coll);
    }
    C_CollisionFinal(info);
    CCollision* coll = C_CreateCollisionObject();
    C_Pick(info, line, 0.5f, coll, place.get(), floor, 2);
    C_DeleteCollisionObject(coll);
    C_DeleteCollisionInfoObject(info);
  };
  movement();  // the first run may grow the handle tables
  counting = true;
  // The counter does see allocations (called through pointers the compiler
  // cannot see through, so the pair is not optimised away).
  void* (*volatile allocate)(size_t) = &::operator new;
  void (*volatile release)(void*) noexcept = &::operator delete;
  release(allocate(16));
  EXPECT_EQ(allocations, 1);
  allocations = 0;
  for (int k = 0; k < 10; ++k) movement();
  counting = false;
  EXPECT_EQ(allocations, 0);
  EXPECT_NE(C_CollisionPosY(), 0);
  C_DeleteLineObject(line);
  C_DeleteVecObject(dest);
  C_DeleteVecObject(source);
  C_DeleteVecObject(radii);
  C_DeleteColTree(floor);
  C_DeleteColTree(cube);
}
