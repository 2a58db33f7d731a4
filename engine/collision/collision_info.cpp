#include "engine/collision/collision_info.h"

#include <cmath>

namespace collision {

Results results;

namespace {

float UsableRadius(float r) { return std::isfinite(r) && r > 0 ? r : 0; }

// The point nearest to p on the line where planes a and b meet.
Vector NearestOnCrease(const Plane& a, const Plane& b, const Vector& p) {
  Vector u = a.n.Cross(b.n).Normalized();
  Vector on_a = a.n * -a.d;
  Vector q = on_a - a.n * (a.n.Dot(on_a) + a.d);
  Vector w = a.n.Cross(u);
  float s = -(b.n.Dot(q) + b.d) / b.n.Dot(w);
  Vector origin = q + w * s;
  return origin + u * ((p - origin).Dot(u) / u.Dot(u));
}

}  // namespace

bool HitTest(const Line& line, float radius, const Transform& tform, const MeshCollider* tree, int method,
             Collision& coll, float target_radius, const Box& target_box) {
  // A line that does not move meets nothing; this also spares a mover that
  // did not move every box and triangle test.
  if (line.d.x == 0 && line.d.y == 0 && line.d.z == 0) return false;
  bool hit = false;
  switch (method) {
    case kMethodSphere:
      hit = coll.SphereCollide(line, radius, tform.v, target_radius);
      break;
    case kMethodPolygons:
      hit = tree && tree->Collide(line, radius, tform, coll);
      break;
    case kMethodBox: {
      Transform u{{tform.m.i.Normalized(), tform.m.j.Normalized(), tform.m.k.Normalized()}, tform.v};
      hit = coll.BoxCollide(u.OrthoInverse() * line, radius, target_box);
      if (hit) coll.normal = u.m * coll.normal;
      break;
    }
    default:
      break;
  }
  if (!hit) return false;
  results.normal = coll.normal;
  results.time = coll.time;
  results.surface = coll.surface;
  results.index = coll.index;
  return true;
}

CollisionInfo::CollisionInfo(const Vector& dest_, const Vector& source_, const Vector& radii_)
    : dest(dest_), source(source_), radii(radii_), start(source_), radius(UsableRadius(radii_.x)) {
  float ry = UsableRadius(radii.y);
  if (radius > 0 && ry > 0 && radius != ry) {
    y_scale = radius / ry;
    inv_y_scale = 1 / y_scale;
    scale_tform.m.j.y = y_scale;
    source.y *= y_scale;
    dest.y *= y_scale;
  }
  line = {source, dest - source};
  first_dir = dest - source;
  travel = first_dir.Length();
  travel_xz = std::sqrt(first_dir.x * first_dir.x + first_dir.z * first_dir.z);
}

bool CollisionInfo::Detect(Collision& coll, const Transform& tform, const MeshCollider* tree, int method) {
  Transform placed = y_scale == 1 ? tform : scale_tform * tform;
  return HitTest(line, radius, placed, tree, method, coll, target_radius, target_box);
}

bool CollisionInfo::Respond(Collision& coll, int response) {
  // A record that holds no contact has no plane to respond to.
  if (coll.normal.x == 0 && coll.normal.y == 0 && coll.normal.z == 0) return false;
  Vector centre = line.At(coll.time);
  results.coords = centre - coll.normal * radius;
  results.coords.y *= inv_y_scale;

  if (++hit_count >= kMaxHits) return false;

  // The contact plane passes through the centre at contact, moved 0.001
  // towards the side the sphere comes from, so slides keep that gap.
  const Vector& n = coll.normal;
  Plane contact(n, -n.Dot(centre) - 0.001f);
  float t = -(n.Dot(line.o) + contact.d) / n.Dot(line.d);
  coll.time = t;
  if (t > 0) {
    source = line.At(t);
    travel *= 1 - t;
    travel_xz *= 1 - t;
  }
  if (response == kResponseStop) {
    dest = source;
    return false;
  }

  Vector nv = dest - n * (n.Dot(dest) + contact.d);
  if (plane_count == 0) {
    dest = nv;
  } else if (plane_count == 1) {
    if (planes[0].Distance(nv) >= 0) {
      dest = nv;
      plane_count = 0;
    } else if (std::fabs(planes[0].n.Dot(n)) < 0.999999f) {
      dest = NearestOnCrease(contact, planes[0], dest);
    } else {
      hit_count = kMaxHits;  // squeezed between two parallel planes
      return false;
    }
  } else if (planes[0].Distance(nv) >= 0 && planes[1].Distance(nv) >= 0) {
    dest = nv;
    plane_count = 0;
  } else {
    dest = source;
    return false;
  }

  Vector dd = dest - source;
  if (!(dd.Dot(first_dir) > 0)) {  // the slide would turn back against the movement
    dest = source;
    return false;
  }
  if (response == kResponseSlide || response == kResponseSlideXZ) {
    float limit = response == kResponseSlide ? travel : travel_xz;
    float l = response == kResponseSlide ? dd.Length() : std::sqrt(dd.x * dd.x + dd.z * dd.z);
    if (!(l > 0.000001f)) {
      dest = source;
      return false;
    }
    if (l > limit) dd = dd * (limit / l);
  }
  line = {source, dd};
  dest = source + dd;
  planes[plane_count++] = contact;
  return true;
}

bool CollisionInfo::Final() {
  if (hit_count == 0) return false;
  results.pos = hit_count < kMaxHits ? Vector{dest.x, dest.y * inv_y_scale, dest.z} : start;
  return true;
}

bool CollisionInfo::Pick(const Line& pick_line, float pick_radius, Collision& coll, const Transform& tform,
                         const MeshCollider* tree, int method) const {
  float r = UsableRadius(pick_radius);
  if (!HitTest(pick_line, r, tform, tree, method, coll, target_radius, target_box)) return false;
  results.coords = pick_line.At(coll.time) - coll.normal * r;
  return true;
}

}  // namespace collision
