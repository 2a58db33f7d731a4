#include "engine/vector.h"

#include <cmath>

#include "engine/trig.h"

TVector TVector::Add(const TVector& v) const { return {x + v.x, y + v.y, z + v.z}; }

TVector TVector::Subtract(const TVector& v) const { return {x - v.x, y - v.y, z - v.z}; }

TVector TVector::Multiply(float s) const { return {x * s, y * s, z * s}; }

TVector TVector::Divide(float s) const { return {x / s, y / s, z / s}; }

float TVector::Dot(const TVector& v) const {
  return static_cast<float>(double(x) * v.x + double(y) * v.y + double(z) * v.z);
}

TVector TVector::Cross(const TVector& v) const {
  return {static_cast<float>(double(y) * v.z - double(z) * v.y),
          static_cast<float>(double(z) * v.x - double(x) * v.z),
          static_cast<float>(double(x) * v.y - double(y) * v.x)};
}

int TVector::Normalize() {
  const double inv = 1.0 / std::sqrt(double(SquaredLength()));
  x = static_cast<float>(x * inv);
  y = static_cast<float>(y * inv);
  z = static_cast<float>(z * inv);
  return 0;
}

float TVector::SetLength(float len) {
  Normalize();
  x *= len;
  y *= len;
  z *= len;
  return 0.0f;
}

float TVector::Length() const {
  return static_cast<float>(std::sqrt(double(x) * x + double(y) * y + double(z) * z));
}

float TVector::SquaredLength() const {
  return static_cast<float>(double(x) * x + double(y) * y + double(z) * z);
}

int TVector::Compare(const TVector& other) const {
  const float mine[3] = {x, y, z};
  const float theirs[3] = {other.x, other.y, other.z};
  for (int i = 0; i < 3; ++i) {
    if (mine[i] - theirs[i] > EPSILON) return 1;
    if (theirs[i] - mine[i] > EPSILON) return -1;
  }
  return 0;
}

float TVector::VectorYaw(float x, float /*y*/, float z) { return ATan2(-x, z); }

float TVector::VectorPitch(float x, float y, float z) {
  const float pitch = ATan2(std::sqrt(double(x) * x + double(z) * z), y) - 90.0f;
  return (pitch >= -EPSILON && pitch <= EPSILON) ? 0.0f : pitch;
}
