// The movement of one entity through one world update (a CollisionInfo), and
// the module-level results that detection, response and picking leave behind.
//
// Ellipsoids: when the x and y radii differ, every y coordinate is multiplied
// by x radius / y radius, which turns the ellipsoid into a sphere of the x
// radius. Detection and response run in that scaled space; the final position
// and the contact points are scaled back.
//
// Life of one movement: create it with the wanted destination; for each
// stretch, run Detect against every obstacle with one fresh Collision, then
// Respond to the earliest contact; Respond says whether a new stretch is to be
// tested. Final gives the position to move to.
#pragma once

#include "engine/collision/collision.h"
#include "engine/collision/geometry.h"
#include "engine/collision/mesh_collider.h"

namespace collision {

// Obstacle kinds (the method of a test) and responses to a contact.
enum Method { kMethodSphere = 1, kMethodPolygons = 2, kMethodBox = 3 };
enum Response { kResponseStop = 1, kResponseSlide = 2, kResponseSlideXZ = 3 };

// Hard limit of contacts in one movement; at the limit the movement fails.
constexpr int kMaxHits = 10;

struct Results {
  Vector pos;     // set by CollisionInfo::Final
  Vector coords;  // set by Respond and Pick: the contact point on the obstacle
  Vector normal;  // set by every hit
  float time = 0;
  int surface = 0;
  int index = 0;
};
extern Results results;

// Tests the sweep of a sphere along line against one obstacle placed by
// tform. method 1: a sphere of target_radius at tform's translation; 2: the
// triangles of tree; 3: target_box in the obstacle's frame, which follows the
// obstacle's position and rotation but not its scale. On a hit, copies the
// contact into the results.
bool HitTest(const Line& line, float radius, const Transform& tform, const MeshCollider* tree, int method,
             Collision& coll, float target_radius, const Box& target_box);

struct CollisionInfo {
  Vector dest;    // the current target point
  Vector source;  // where the current stretch starts
  Vector radii;   // as passed
  Vector start;   // the unscaled source at creation
  Transform scale_tform;
  float radius = 0;
  float inv_y_scale = 1;
  float y_scale = 1;
  int plane_count = 0;
  Plane planes[2];
  Line line;
  Vector first_dir;
  float travel = 0;
  float travel_xz = 0;
  int hit_count = 0;
  float target_radius = 1;
  Box target_box{{1, 1, 1}, {1, 1, 1}};

  // A radius that is negative or not finite counts as 0 (a ray). The y
  // scaling applies only when both radii are positive, finite and different.
  CollisionInfo(const Vector& dest, const Vector& source, const Vector& radii);

  bool Detect(Collision& coll, const Transform& tform, const MeshCollider* tree, int method);
  // Registers the contact held in coll and plans the next stretch; true when
  // the caller is to test it. A record without a contact changes nothing.
  bool Respond(Collision& coll, int response);
  // Sets results.pos; false when no contact happened.
  bool Final();
  // One sweep of line against one obstacle without y scaling or response;
  // on a hit also sets results.coords.
  bool Pick(const Line& line, float radius, Collision& coll, const Transform& tform, const MeshCollider* tree,
            int method) const;
};

}  // namespace collision
