// Degree-based trigonometry. Every angle the engine takes or returns is in
// degrees; sine and cosine are evaluated in double precision of the angle
// converted to radians, and callers store the results as 32-bit floats.
#pragma once

#include <cmath>
#include <numbers>

constexpr double kDegreesToRadians = std::numbers::pi / 180.0;
constexpr double kRadiansToDegrees = 180.0 / std::numbers::pi;

inline double SinDeg(double degrees) { return std::sin(degrees * kDegreesToRadians); }
inline double CosDeg(double degrees) { return std::cos(degrees * kDegreesToRadians); }

// Arc cosine in degrees; arguments outside -1..1 give NaN as the C library does.
inline double ACosDeg(double value) { return std::acos(value) * kRadiansToDegrees; }

// The angle of the point (b, a) in degrees, in -180..180: atan2(a, b) converted.
inline float ATan2(double a, double b) { return static_cast<float>(std::atan2(a, b) * kRadiansToDegrees); }
