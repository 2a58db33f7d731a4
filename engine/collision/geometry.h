// The value types of the collision library: vectors, lines, planes, boxes,
// 3x3 matrices and affine transforms, all in single-precision floats.
//
// They are plain values: every operation returns its result on the stack, so
// the collision tests allocate nothing and no result can be overwritten behind
// a caller's back.
#pragma once

#include <cmath>
#include <limits>

namespace collision {

struct Vector {
  float x = 0, y = 0, z = 0;

  Vector() = default;
  constexpr Vector(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  Vector operator+(const Vector& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vector operator-(const Vector& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vector operator-() const { return {-x, -y, -z}; }
  Vector operator*(float s) const { return {x * s, y * s, z * s}; }
  float Dot(const Vector& o) const { return x * o.x + y * o.y + z * o.z; }
  Vector Cross(const Vector& o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
  float Length() const { return std::sqrt(Dot(*this)); }
  // The unit vector along this one; the zero vector stays zero, so a
  // degenerate normal fails every facing test instead of spreading NaN.
  Vector Normalized() const {
    float l = Length();
    return l > 0 ? *this * (1 / l) : Vector{};
  }
  bool IsFinite() const { return std::isfinite(x) && std::isfinite(y) && std::isfinite(z); }
};

// The point at time t is o + d * t.
struct Line {
  Vector o, d;
  Vector At(float t) const { return o + d * t; }
};

// The points p with n.p + d = 0; n.p + d is the signed distance of p.
struct Plane {
  Vector n;
  float d = 0;

  Plane() = default;
  Plane(const Vector& n_, float d_) : n(n_), d(d_) {}
  // Through three points, normal along (p1 - p0) x (p2 - p0).
  Plane(const Vector& p0, const Vector& p1, const Vector& p2)
      : n((p1 - p0).Cross(p2 - p0).Normalized()), d(-n.Dot(p0)) {}
  float Distance(const Vector& p) const { return n.Dot(p) + d; }
};

// Axis-aligned box from a (minimum) to b (maximum); a new box is empty.
struct Box {
  static constexpr float kInf = std::numeric_limits<float>::infinity();
  Vector a{kInf, kInf, kInf};
  Vector b{-kInf, -kInf, -kInf};

  Box() = default;
  Box(const Vector& a_, const Vector& b_) : a(a_), b(b_) {}

  void Add(const Vector& p) {
    a = {std::fmin(a.x, p.x), std::fmin(a.y, p.y), std::fmin(a.z, p.z)};
    b = {std::fmax(b.x, p.x), std::fmax(b.y, p.y), std::fmax(b.z, p.z)};
  }
  // Corner c takes x from b when bit 0 is set, y when bit 1 is, z when bit 2 is.
  Vector Corner(int c) const { return {c & 1 ? b.x : a.x, c & 2 ? b.y : a.y, c & 4 ? b.z : a.z}; }
  // Touching boxes overlap; a comparison with NaN never does.
  bool Overlaps(const Box& o) const {
    return std::fmax(a.x, o.a.x) <= std::fmin(b.x, o.b.x) && std::fmax(a.y, o.a.y) <= std::fmin(b.y, o.b.y) &&
           std::fmax(a.z, o.a.z) <= std::fmin(b.z, o.b.z);
  }
};

// A 3x3 matrix stored as its columns: M.v = i * v.x + j * v.y + k * v.z.
struct Matrix {
  Vector i{1, 0, 0}, j{0, 1, 0}, k{0, 0, 1};

  Matrix() = default;
  Matrix(const Vector& i_, const Vector& j_, const Vector& k_) : i(i_), j(j_), k(k_) {}

  Vector operator*(const Vector& v) const { return i * v.x + j * v.y + k * v.z; }
  // The product applies o first.
  Matrix operator*(const Matrix& o) const { return {*this * o.i, *this * o.j, *this * o.k}; }
  Matrix Transposed() const { return {{i.x, j.x, k.x}, {i.y, j.y, k.y}, {i.z, j.z, k.z}}; }
  float Determinant() const { return i.Dot(j.Cross(k)); }
  // The general inverse by cofactors; a singular matrix gives non-finite
  // components, which callers check for.
  Matrix Inverse() const {
    float s = 1 / Determinant();
    Vector r0 = j.Cross(k) * s, r1 = k.Cross(i) * s, r2 = i.Cross(j) * s;
    return Matrix{r0, r1, r2}.Transposed();
  }
};

// The mapping p -> m.p + v.
struct Transform {
  Matrix m;
  Vector v;

  Transform() = default;
  Transform(const Matrix& m_, const Vector& v_) : m(m_), v(v_) {}

  Vector operator*(const Vector& p) const { return m * p + v; }
  Line operator*(const Line& l) const {
    Vector o = *this * l.o;
    return {o, *this * (l.o + l.d) - o};
  }
  // The box around the eight transformed corners.
  Box operator*(const Box& box) const {
    Box out;
    for (int c = 0; c < 8; ++c) out.Add(*this * box.Corner(c));
    return out;
  }
  // The product applies o first.
  Transform operator*(const Transform& o) const { return {m * o.m, m * o.v + v}; }
  // The inverse of a transform whose matrix is orthonormal.
  Transform OrthoInverse() const {
    Matrix t = m.Transposed();
    return {t, t * -v};
  }
  Transform Inverse() const {
    Matrix inv = m.Inverse();
    return {inv, inv * -v};
  }
};

}  // namespace collision
