// Rotation quaternion (w, x, y, z), used by the model reader and skeletal
// animation. The class functions work on loose components so that callers can
// pass fields of their own records.
#pragma once

#include "engine/matrix.h"

struct TQuaternion {
  float w = 0;
  float x = 0;
  float y = 0;
  float z = 0;

  // Writes the rotation into the upper 3×3 block of mat and sets grid[3][3] to
  // 1, leaving the rest of row 3 and column 3 as they are; elements smaller
  // than 0.0001 in magnitude become exactly 0. The quaternion is not
  // normalised first. Written by columns this is the transpose of the usual
  // rotation matrix of the quaternion.
  static int QuatToMat(float w, float x, float y, float z, TMatrix& mat);

  // Pitch, yaw and roll (degrees) of the matrix QuatToMat builds.
  static int QuatToEuler(float w, float x, float y, float z, float& pitch, float& yaw, float& roll);

  // Spherical interpolation from a to b by t into r. Returns 1 when a and b
  // differ by less than 0.001 in every component (r = a), else 0. When a·b is
  // not positive, b is negated first so that the shorter arc is taken.
  static int Slerp(float a1, float a2, float a3, float a4, float b1, float b2, float b3, float b4, float& r1,
                   float& r2, float& r3, float& r4, float t);
};
