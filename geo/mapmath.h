// The integer rules the map drawing uses: rounding halves to even and the
// integer division that picks the tiles of a range.
#pragma once

#include <cmath>

namespace crustex {

// Nearest integer, halves to even, whatever the rounding mode.
inline double roundhalfeven(double v) {
    double r = std::floor(v);
    const double diff = v - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0)) r += 1;
    return r;
}

// a div b: both operands rounded to the nearest integer (halves to even),
// the quotient truncated towards zero. The caller makes sure that b does not
// round to 0.
inline double integerdiv(double a, double b) {
    return std::trunc(roundhalfeven(a) / roundhalfeven(b));
}

}  // namespace crustex
