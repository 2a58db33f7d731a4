// The program's one uniform random generator.
//
// The state is a 32-bit integer starting at 4660, advanced by the minimal
// standard multiplicative congruential step (multiplier 48271, modulus
// 2^31 - 1) computed without overflow. A double in [0, 1) takes two steps, so
// every run that gets the same input produces the same sequence.
#pragma once

#include <cstdint>

// A uniform double in [0, 1).
double RndDouble();

// A uniform double between a and b: in [a, b) when b > a, otherwise in [b, a).
double Rnd(double a = 1.0, double b = 0.0);

// A uniform integer in [min(a, b), max(a, b)].
int32_t Rand(int32_t a, int32_t b = 1);

void SeedRnd(int32_t seed);
int32_t RndSeed();
