// 4×4 float matrix laid out as OpenGL expects it.
//
// grid[i][j] is row j of column i; column i is the image of basis vector i and
// column 3 holds the translation. The 16 floats lie in column-major order, so
// &grid[0][0] goes to glLoadMatrixf unchanged. A point p maps to
// p'[j] = sum over i of grid[i][j] * p[i].
//
// Every operation multiplies on the right (this = this · X), so a sequence of
// calls applies the last one first to points: LoadIdentity, Translate, Rotate,
// Scale gives T · R · S. Only rows 0 to 2 are computed; row 3 stays 0, 0, 0, 1
// for every matrix the engine builds, and the operations rely on that.
//
// Rotations are about the stored (right-handed) axes, in degrees. Arithmetic
// runs in double precision and is stored as float.
#pragma once

struct TMatrix {
  // All zeros when created: LoadIdentity is needed before it transforms anything.
  float grid[4][4] = {};

  int LoadIdentity();
  TMatrix Copy() const { return *this; }
  int Overwrite(const TMatrix& m);

  // The inverse of a rigid transform (rotation and translation only): the
  // transposed rotation block and the back-rotated negated translation. A
  // scaled or sheared matrix gives a wrong result.
  TMatrix Inverse() const;

  int Multiply(const TMatrix& m);
  int Translate(float x, float y, float z);
  int Scale(float x, float y, float z);
  int RotatePitch(float a);
  int RotateYaw(float a);
  int RotateRoll(float a);
  // Yaw (about y) by ry, then pitch (about x) by rx, then roll (about z) by rz.
  int Rotate(float rx, float ry, float rz);
};
