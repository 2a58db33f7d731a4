// The collision library's flat interface.
//
// Glossary
//   sweep      a sphere whose centre travels along a line from time 0 to 1; a
//              moving ellipsoid is swept as a sphere in a space whose y axis is
//              scaled by x radius / y radius.
//   obstacle   a sphere (method 1), the triangles of a mesh tree (method 2) or
//              a box (method 3), placed in the world by a Transform.
//   contact    the earliest time along the sweep at which the sphere touches
//              an obstacle, with the normal from the obstacle to the centre.
//   response   what a contact does to the movement: 1 stop, 2 slide, 3 slide
//              with each step's horizontal length limited to the horizontal
//              distance still to travel. A movement fails after ten contacts
//              or when squeezed between two parallel planes; it then ends at
//              its start.
//
// Every position, direction and normal is in the caller's world frame. Only
// the side of a triangle that (p1 - p0) x (p2 - p0) points to collides.
//
// Objects are reached through handles that the library checks: a null,
// freed, foreign or wrong-type handle makes a call do nothing and return 0
// (or null). Values are copied in, so a vector may be freed or changed after a
// matrix or movement was made from it. Create functions return null when out
// of memory.
//
// One movement: C_CreateCollisionInfoObject; then repeat: a fresh
// C_CreateCollisionObject, C_UpdateCollisionInfoObject (for sphere and box
// obstacles) and C_CollisionDetect for every obstacle, and if any was hit
// C_CollisionResponse, whose 1 asks for another round; then C_CollisionFinal,
// which returns 1 when the mover is to be placed at C_CollisionPosX/Y/Z.
//
// Results of the last detection, response, pick and final position are read
// back one value at a time and keep their values until a call sets them again.
// Not re-entrant: one caller, one thread.
#pragma once

#include <cstdint>

extern "C" {

struct CVector;
struct CLine;
struct CMatrix;
struct CTransform;
struct CCollision;
struct CCollisionInfo;
struct CMeshInfo;
struct CMeshCollider;

// Mesh trees. Triangles are 3 signed 16-bit vertex indices each, counted over
// every surface added so far (not offset by the library); vertices are 3
// floats each. At most 32768 vertices are kept. Triangles that use a missing
// vertex, a non-finite coordinate or span no area are never hit.
CMeshInfo* C_NewMeshInfo();
void C_AddSurface(CMeshInfo* info, int no_tris, int no_verts, const int16_t* tris, const float* verts,
                  int surf);
CMeshCollider* C_CreateColTree(CMeshInfo* info);  // copies info; free info when done
void C_DeleteMeshInfo(CMeshInfo* info);
void C_DeleteColTree(CMeshCollider* tree);

// Vectors, lines, matrices (three column vectors) and transforms (m.p + v).
CVector* C_CreateVecObject(float x, float y, float z);
void C_UpdateVecObject(CVector* v, float x, float y, float z);
float C_VecX(CVector* v);
float C_VecY(CVector* v);
float C_VecZ(CVector* v);
void C_DeleteVecObject(CVector* v);

CLine* C_CreateLineObject(float ox, float oy, float oz, float dx, float dy, float dz);
void C_UpdateLineObject(CLine* l, float ox, float oy, float oz, float dx, float dy, float dz);
void C_DeleteLineObject(CLine* l);

CMatrix* C_CreateMatrixObject(CVector* i, CVector* j, CVector* k);
void C_UpdateMatrixObject(CMatrix* m, CVector* i, CVector* j, CVector* k);
void C_DeleteMatrixObject(CMatrix* m);

CTransform* C_CreateTFormObject(CMatrix* m, CVector* v);
void C_UpdateTFormObject(CTransform* t, CMatrix* m, CVector* v);
void C_DeleteTFormObject(CTransform* t);

// A hit record: time 1, normal 0, surface 0, triangle 0.
CCollision* C_CreateCollisionObject();
void C_DeleteCollisionObject(CCollision* coll);

// A movement from source to dest of an ellipsoid with radii (x, y, z is
// unused). A radius that is negative or not finite counts as 0; radius 0 is a
// ray, which hits faces but never edges or corners.
CCollisionInfo* C_CreateCollisionInfoObject(CVector* dest, CVector* source, CVector* radii);
// The obstacle's radius (method 1) and box corners a and b (method 3).
void C_UpdateCollisionInfoObject(CCollisionInfo* info, float target_radius, float ax, float ay, float az,
                                 float bx, float by, float bz);
void C_DeleteCollisionInfoObject(CCollisionInfo* info);

// Tests the current stretch against one obstacle; 1 when coll now holds an
// earlier contact, which also sets the normal, time, surface and triangle
// results. tree is used by method 2 only.
int C_CollisionDetect(CCollisionInfo* info, CCollision* coll, CTransform* tform, CMeshCollider* tree,
                      int method);
// Responds to the contact in coll and sets the contact point result; 1 when a
// new stretch is to be tested.
int C_CollisionResponse(CCollisionInfo* info, CCollision* coll, int response);
// Sets the final position; 1 when the mover is to be placed there, 0 when
// the movement met nothing.
int C_CollisionFinal(CCollisionInfo* info);

float C_CollisionPosX();
float C_CollisionPosY();
float C_CollisionPosZ();
float C_CollisionX();  // contact point on the obstacle
float C_CollisionY();
float C_CollisionZ();
float C_CollisionNX();  // contact normal
float C_CollisionNY();
float C_CollisionNZ();
float C_CollisionTime();
int C_CollisionSurface();
int C_CollisionTriangle();

// One sweep of line with the given radius against one obstacle, without y
// scaling or response; info supplies the target radius and box. On a hit sets
// every contact result and returns 1.
int C_Pick(CCollisionInfo* info, CLine* line, float radius, CCollision* coll, CTransform* tform,
           CMeshCollider* tree, int method);

// Smoothed normals of one surface: every vertex gets the normalised sum of the
// unit normals of the triangles at its position (positions within 0.000001 on
// every axis count as one). A vertex with no face around it, or whose faces
// cancel out, keeps its normal. Indices are read as unsigned 16-bit values
// (a surface may hold up to 65536 vertices); any outside no_verts are ignored.
void C_UpdateNormals(int no_tris, int no_verts, const int16_t* tris, const float* coords, float* norms);
}
