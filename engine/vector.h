// Three-float vector of the engine's geometry.
//
// TVector is a value type: operations that the engine describes as giving a
// "new vector" return one by value, so vector arithmetic never allocates.
// Components are in whatever space the caller uses; VectorYaw and VectorPitch
// take user-space components (left-handed, z forward).
#pragma once

struct TVector {
  static constexpr float EPSILON = 0.0001f;

  float x = 0;
  float y = 0;
  float z = 0;

  static TVector Create(float x, float y, float z) { return TVector{x, y, z}; }
  TVector Copy() const { return *this; }

  TVector Add(const TVector& v) const;
  TVector Subtract(const TVector& v) const;
  TVector Multiply(float s) const;
  TVector Divide(float s) const;
  float Dot(const TVector& v) const;
  TVector Cross(const TVector& v) const;

  // In place; the zero vector becomes non-finite. Both return 0.
  int Normalize();
  float SetLength(float len);

  float Length() const;
  float SquaredLength() const;

  // Lexicographic on x, y, z with tolerance EPSILON: 1, -1 or 0.
  int Compare(const TVector& other) const;

  // Yaw and pitch (degrees) that point an entity along (x, y, z).
  static float VectorYaw(float x, float y, float z);
  static float VectorPitch(float x, float y, float z);
};
