// The hit record of a swept sphere and the exact sweep tests that fill it.
//
// A sweep is a sphere of some radius whose centre travels along a line from
// time 0 to time 1. Every test runs against one record and only accepts a
// contact no later than the one the record holds, so after any number of tests
// the record holds the earliest contact of them all. On exactly equal times the
// contact found later wins.
#pragma once

#include "engine/collision/geometry.h"

namespace collision {

struct Collision {
  float time = 1;   // only contacts within the line are accepted
  Vector normal;    // unit, from the obstacle towards the sphere's centre
  int surface = 0;  // set by mesh contacts only
  int index = 0;    // set by mesh contacts only

  // Takes the contact at time t with unit normal n when it is no later than
  // the one held, the sphere moves against n, and the contact lies at most
  // 0.001 behind the line's origin along n.
  bool Update(const Line& line, float t, const Vector& n);

  bool SphereCollide(const Line& line, float radius, const Vector& centre, float target_radius);
  // Only the side that (p1 - p0) x (p2 - p0) points to collides. A radius of
  // 0 or less is a ray, which touches faces but never edges or corners.
  bool TriangleCollide(const Line& line, float radius, const Vector& p0, const Vector& p1, const Vector& p2);
  // The box's faces, edges and corners, line and box in the same frame.
  bool BoxCollide(const Line& line, float radius, const Box& box);
};

}  // namespace collision
