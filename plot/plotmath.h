// Small numeric helpers shared by the drawing routines.
#pragma once

#include <cstdint>

namespace crustex {

// The greater of two values (the second when they are equal).
template <typename T>
constexpr T getmax(T a, T b) {
    return a > b ? a : b;
}

// The smaller of two values (the second when they are equal).
template <typename T>
constexpr T getmin(T a, T b) {
    return a < b ? a : b;
}

// Linear interpolation of f at t between (a, fa) and (b, fb); fa when a = b.
float interpolate(float a, float b, float fa, float fb, float t);

// The smallest integer not less than x (x itself when integral), as a 16-bit
// integer. Values beyond the 16-bit range are clamped to it; NaN gives 0.
int16_t roundup(float x);

// log10(x) as a single: the logarithm is taken in double precision and the
// quotient rounded once, so exact powers of ten give exact integers.
float getlog10(float x);

}  // namespace crustex
