#include "engine/matrix.h"

#include "engine/trig.h"

namespace {

// Replaces columns a and b (rows 0 to 2) by c·a + s·b and -s·a + c·b.
void RotateColumns(float* a, float* b, double c, double s) {
  for (int j = 0; j < 3; ++j) {
    const double ca = a[j];
    const double cb = b[j];
    a[j] = static_cast<float>(c * ca + s * cb);
    b[j] = static_cast<float>(-s * ca + c * cb);
  }
}

}  // namespace

int TMatrix::LoadIdentity() {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) grid[i][j] = i == j ? 1.0f : 0.0f;
  return 0;
}

int TMatrix::Overwrite(const TMatrix& m) {
  *this = m;
  return 0;
}

TMatrix TMatrix::Inverse() const {
  TMatrix n;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) n.grid[i][j] = grid[j][i];
  n.grid[3][3] = 1.0f;
  for (int i = 0; i < 3; ++i) {
    n.grid[3][i] = static_cast<float>(-(double(grid[3][0]) * grid[i][0] + double(grid[3][1]) * grid[i][1] +
                                        double(grid[3][2]) * grid[i][2]));
  }
  return n;
}

int TMatrix::Multiply(const TMatrix& m) {
  const TMatrix old = *this;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 3; ++j) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += double(old.grid[k][j]) * m.grid[i][k];
      grid[i][j] = static_cast<float>(sum);
    }
  }
  return 0;
}

int TMatrix::Translate(float x, float y, float z) {
  for (int j = 0; j < 3; ++j) {
    grid[3][j] = static_cast<float>(double(grid[3][j]) + double(x) * grid[0][j] + double(y) * grid[1][j] +
                                    double(z) * grid[2][j]);
  }
  return 0;
}

int TMatrix::Scale(float x, float y, float z) {
  for (int j = 0; j < 3; ++j) {
    grid[0][j] = static_cast<float>(double(x) * grid[0][j]);
    grid[1][j] = static_cast<float>(double(y) * grid[1][j]);
    grid[2][j] = static_cast<float>(double(z) * grid[2][j]);
  }
  return 0;
}

// A zero angle is skipped: cos 0 = 1 and sin 0 = 0 leave the columns exactly as
// they are, and most entities have at least one zero angle.
int TMatrix::RotatePitch(float a) {
  if (a != 0.0f) RotateColumns(grid[1], grid[2], CosDeg(a), SinDeg(a));
  return 0;
}

int TMatrix::RotateYaw(float a) {
  // c0' = cos·c0 - sin·c2 and c2' = sin·c0 + cos·c2: the pair (c2, c0) turns by a.
  if (a != 0.0f) RotateColumns(grid[2], grid[0], CosDeg(a), SinDeg(a));
  return 0;
}

int TMatrix::RotateRoll(float a) {
  if (a != 0.0f) RotateColumns(grid[0], grid[1], CosDeg(a), SinDeg(a));
  return 0;
}

int TMatrix::Rotate(float rx, float ry, float rz) {
  RotateYaw(ry);
  RotatePitch(rx);
  RotateRoll(rz);
  return 0;
}
