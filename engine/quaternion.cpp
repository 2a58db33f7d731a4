#include "engine/quaternion.h"

#include <cmath>

#include "engine/trig.h"

int TQuaternion::QuatToMat(float w, float x, float y, float z, TMatrix& mat) {
  const double W = w, X = x, Y = y, Z = z;
  auto& g = mat.grid;
  g[0][0] = static_cast<float>(1 - 2 * (Y * Y + Z * Z));
  g[0][1] = static_cast<float>(2 * (X * Y - W * Z));
  g[0][2] = static_cast<float>(2 * (W * Y + X * Z));
  g[1][0] = static_cast<float>(2 * (X * Y + W * Z));
  g[1][1] = static_cast<float>(1 - 2 * (Z * Z + X * X));
  g[1][2] = static_cast<float>(2 * (Y * Z - W * X));
  g[2][0] = static_cast<float>(2 * (X * Z - W * Y));
  g[2][1] = static_cast<float>(2 * (Y * Z + W * X));
  g[2][2] = static_cast<float>(1 - 2 * (Y * Y + X * X));
  g[3][3] = 1.0f;
  // Removes the rounding residue of angles such as 90 degrees.
  for (auto& column : g)
    for (float& v : column)
      if (v > -0.0001f && v < 0.0001f) v = 0.0f;
  return 0;
}

int TQuaternion::QuatToEuler(float w, float x, float y, float z, float& pitch, float& yaw, float& roll) {
  TMatrix m;
  QuatToMat(w, x, y, z, m);
  const auto& g = m.grid;
  pitch = ATan2(g[2][1], std::sqrt(double(g[2][0]) * g[2][0] + double(g[2][2]) * g[2][2]));
  yaw = ATan2(g[2][0], g[2][2]);
  roll = ATan2(g[0][1], g[1][1]);
  return 0;
}

int TQuaternion::Slerp(float a1, float a2, float a3, float a4, float b1, float b2, float b3, float b4,
                       float& r1, float& r2, float& r3, float& r4, float t) {
  if (std::fabs(a1 - b1) < 0.001f && std::fabs(a2 - b2) < 0.001f && std::fabs(a3 - b3) < 0.001f &&
      std::fabs(a4 - b4) < 0.001f) {
    r1 = a1;
    r2 = a2;
    r3 = a3;
    r4 = a4;
    return 1;
  }
  double d = double(a1) * b1 + double(a2) * b2 + double(a3) * b3 + double(a4) * b4;
  if (d <= 0) {
    b1 = -b1;
    b2 = -b2;
    b3 = -b3;
    b4 = -b4;
    d = -d;
  }
  double s0 = 1 - t;
  double s1 = t;
  if (1 - d > 0.0001) {
    const double omega = ACosDeg(d);
    const double sin_omega = SinDeg(omega);
    s0 = SinDeg((1 - t) * omega) / sin_omega;
    s1 = SinDeg(t * omega) / sin_omega;
  }
  r1 = static_cast<float>(a1 * s0 + b1 * s1);
  r2 = static_cast<float>(a2 * s0 + b2 * s1);
  r3 = static_cast<float>(a3 * s0 + b3 * s1);
  r4 = static_cast<float>(a4 * s0 + b4 * s1);
  return 0;
}
