// The collision pass of UpdateWorld and the collision world's box helpers.
//
// UpdateCollisions visits every entity of every collision type, 1 to 99 in
// order and each type's list in order. An entity that moved since the
// previous pass (QuickCheck) and is not hidden is swept as an ellipsoid
// (radius_x, radius_y, radius_x) from its previous global position to its
// current one against the obstacles its type's rules name: in each round the
// earliest contact over all rules and obstacles is answered with that rule's
// response and recorded as an impact, until the movement ends. The entity is
// then placed where the response leaves it, and its position becomes the
// previous position of the next pass. Every visited entity's impacts are
// replaced, also when it did not move.
//
// Obstacles: method 1 a sphere of radius_x at the obstacle's position; method
// 2 the triangles of a mesh, placed by its global matrix (other entities give
// no contact); method 3 the obstacle's box, placed by its position and
// rotation.
#pragma once

class TEntity;

int UpdateCollisions();

// 0 when ent's global position equals its previous one in all three
// coordinates, else 1; ent2 plays no part.
int QuickCheck(const TEntity& ent, const TEntity& ent2);

int BoxFromPoints(float x1, float y1, float z1, float x2, float y2, float z2, float& min_x, float& min_y,
                  float& min_z, float& max_x, float& max_y, float& max_z);
int BoxFromTri(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
               float& min_x, float& min_y, float& min_z, float& max_x, float& max_y, float& max_z);
// 1 when the boxes overlap or touch.
int BoxBoxIntersection(float min_x1, float min_y1, float min_z1, float max_x1, float max_y1, float max_z1,
                       float min_x2, float min_y2, float min_z2, float max_x2, float max_y2, float max_z2);
// 1 when the sphere reaches the box (distance at most radius).
int BoxSphereIntersection(float min_x, float min_y, float min_z, float max_x, float max_y, float max_z,
                          float cx, float cy, float cz, float radius);
