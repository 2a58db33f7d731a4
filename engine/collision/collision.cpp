#include "engine/collision/collision.h"

namespace collision {

namespace {

// The smaller root of a t^2 + b t + c, solved in double precision. Fails when
// a is 0 (the line does not move across the shape) or there is no real root;
// every comparison is written so that NaN fails too.
bool SmallerRoot(double a, double b, double c, float* t) {
  if (a == 0) return false;
  double d = b * b - 4 * a * c;
  if (!(d >= 0)) return false;
  double s = std::sqrt(d);
  double t0 = (-b - s) / (2 * a), t1 = (-b + s) / (2 * a);
  *t = static_cast<float>(t0 < t1 ? t0 : t1);
  return true;
}

// A sphere against the edge p0-p1 of a face with normal fn, whose edge plane
// has the inward normal en; contacts before p0 are taken by the sphere around
// p0, contacts past p1 are left to the next edge, which starts there.
bool EdgeTest(const Vector& p0, const Vector& p1, const Vector& fn, const Vector& en, const Line& line,
              float radius, Collision& coll) {
  Vector edge = p1 - p0;
  Vector e = edge.Normalized();
  Vector s = line.o - p0;
  Vector sl{en.Dot(s), e.Dot(s), fn.Dot(s)};
  Vector dl{en.Dot(line.d), e.Dot(line.d), fn.Dot(line.d)};

  float t;
  if (!SmallerRoot(dl.x * dl.x + dl.z * dl.z, 2 * (sl.x * dl.x + sl.z * dl.z),
                   sl.x * sl.x + sl.z * sl.z - radius * radius, &t))
    return false;
  if (!(t <= coll.time)) return false;

  float y = sl.y + dl.y * t;
  if (y > edge.Length()) return false;
  Vector p;
  if (y >= 0) {
    p = {sl.x + dl.x * t, 0, sl.z + dl.z * t};
  } else {
    if (!SmallerRoot(dl.Dot(dl), 2 * sl.Dot(dl), sl.Dot(sl) - radius * radius, &t)) return false;
    if (!(t <= coll.time)) return false;
    p = sl + dl * t;
  }
  Vector n = (en * p.x + e * p.y + fn * p.z).Normalized();
  return coll.Update(line, t, n);
}

// The time at which the sphere's centre reaches the plane moved out by the radius.
float PlaneTime(const Plane& p, const Line& line, float radius) {
  return -(p.n.Dot(line.o) + p.d - radius) / p.n.Dot(line.d);
}

}  // namespace

bool Collision::Update(const Line& line, float t, const Vector& n) {
  if (!(t <= time)) return false;
  if (!(n.Dot(line.d) < 0)) return false;
  if (!(n.Dot(line.o) - n.Dot(line.At(t)) >= -0.001f)) return false;
  time = t;
  normal = n;
  return true;
}

bool Collision::SphereCollide(const Line& line, float radius, const Vector& centre, float target_radius) {
  Vector v = line.o - centre;
  float r = radius + target_radius;
  float t;
  if (!SmallerRoot(line.d.Dot(line.d), 2 * v.Dot(line.d), v.Dot(v) - r * r, &t)) return false;
  if (!(t <= time)) return false;
  return Update(line, t, (v + line.d * t).Normalized());
}

bool Collision::TriangleCollide(const Line& line, float radius, const Vector& p0, const Vector& p1,
                                const Vector& p2) {
  Plane plane(p0, p1, p2);
  if (!(plane.n.Dot(line.d) < 0)) return false;
  float t = PlaneTime(plane, line, radius);
  if (!(t <= time)) return false;

  Plane e0(p0 + plane.n, p1, p0), e1(p1 + plane.n, p2, p1), e2(p2 + plane.n, p0, p2);
  Vector at = line.At(t);
  if (e0.Distance(at) >= 0 && e1.Distance(at) >= 0 && e2.Distance(at) >= 0) return Update(line, t, plane.n);

  if (!(radius > 0)) return false;
  bool hit = EdgeTest(p0, p1, plane.n, e0.n, line, radius, *this);
  hit |= EdgeTest(p1, p2, plane.n, e1.n, line, radius, *this);
  hit |= EdgeTest(p2, p0, plane.n, e2.n, line, radius, *this);
  return hit;
}

bool Collision::BoxCollide(const Line& line, float radius, const Box& box) {
  // Corners of each face in order, so that the normal points out of the box:
  // z minimum, x maximum, z maximum, x minimum, y maximum, y minimum.
  static constexpr int kFaces[6][4] = {{2, 3, 1, 0}, {3, 7, 5, 1}, {7, 6, 4, 5},
                                       {6, 2, 0, 4}, {6, 7, 3, 2}, {0, 1, 5, 4}};
  bool hit = false;
  for (const auto& face : kFaces) {
    Vector q[4];
    for (int k = 0; k < 4; ++k) q[k] = box.Corner(face[k]);
    Plane plane(q[0], q[1], q[2]);
    if (!(plane.n.Dot(line.d) < 0)) continue;
    float t = PlaneTime(plane, line, radius);
    // The sphere meets a convex box no earlier than any face plane it faces,
    // so a face plane reached too late rules out a new contact with the box.
    if (!(t <= time)) return hit;

    Plane edges[4];
    bool inside = true;
    Vector at = line.At(t);
    for (int k = 0; k < 4; ++k) {
      edges[k] = Plane(q[k] + plane.n, q[(k + 1) % 4], q[k]);
      inside = inside && edges[k].Distance(at) >= 0;
    }
    if (inside) {
      hit |= Update(line, t, plane.n);
      continue;
    }
    if (!(radius > 0)) continue;
    for (int k = 0; k < 4; ++k)
      hit |= EdgeTest(q[k], q[(k + 1) % 4], plane.n, edges[k].n, line, radius, *this);
  }
  return hit;
}

}  // namespace collision
