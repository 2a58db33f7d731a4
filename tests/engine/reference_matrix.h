// An independent 4×4 reference for checking TMatrix and entity matrices:
// textbook row-major matrices in double precision, built from std::sin and
// std::cos, with a plain triple-loop product. It shares no code with the
// engine's maths.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/matrix.h"

struct RefMat {
  double a[4][4] = {};  // a[row][column]

  static RefMat Identity() {
    RefMat m;
    for (int i = 0; i < 4; ++i) m.a[i][i] = 1;
    return m;
  }
  static RefMat T(double x, double y, double z) {
    RefMat m = Identity();
    m.a[0][3] = x;
    m.a[1][3] = y;
    m.a[2][3] = z;
    return m;
  }
  static RefMat S(double x, double y, double z) {
    RefMat m = Identity();
    m.a[0][0] = x;
    m.a[1][1] = y;
    m.a[2][2] = z;
    return m;
  }
  // Right-handed rotations about the x, y and z axes, angle in degrees.
  static RefMat Rx(double deg) {
    const double r = deg * std::numbers::pi / 180, c = std::cos(r), s = std::sin(r);
    RefMat m = Identity();
    m.a[1][1] = c, m.a[1][2] = -s, m.a[2][1] = s, m.a[2][2] = c;
    return m;
  }
  static RefMat Ry(double deg) {
    const double r = deg * std::numbers::pi / 180, c = std::cos(r), s = std::sin(r);
    RefMat m = Identity();
    m.a[0][0] = c, m.a[0][2] = s, m.a[2][0] = -s, m.a[2][2] = c;
    return m;
  }
  static RefMat Rz(double deg) {
    const double r = deg * std::numbers::pi / 180, c = std::cos(r), s = std::sin(r);
    RefMat m = Identity();
    m.a[0][0] = c, m.a[0][1] = -s, m.a[1][0] = s, m.a[1][1] = c;
    return m;
  }
  RefMat operator*(const RefMat& o) const {
    RefMat m;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c)
        for (int k = 0; k < 4; ++k) m.a[r][c] += a[r][k] * o.a[k][c];
    return m;
  }
  // The stored-space matrix of an entity transform: T · Ry · Rx · Rz · S.
  static RefMat Entity(double px, double py, double pz, double rx, double ry, double rz, double sx, double sy,
                       double sz) {
    return T(px, py, pz) * Ry(ry) * Rx(rx) * Rz(rz) * S(sx, sy, sz);
  }
};

// grid[i][j] is row j of column i.
inline void ExpectMatNear(const TMatrix& m, const RefMat& ref, double tolerance = 1e-4) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      EXPECT_NEAR(m.grid[i][j], ref.a[j][i], tolerance) << "grid[" << i << "][" << j << "]";
}
