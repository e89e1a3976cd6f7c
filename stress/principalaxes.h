// The principal stresses and axes of a symmetric tensor (a cyclic Jacobi
// eigen-solver for 3 x 3 matrices).
#pragma once

#include <array>

#include "stress/moduli.h"

namespace crustex {

using Vec3 = std::array<double, 3>;

// Values in ascending order with their unit axes: with tension positive the
// first is the most compressive (sigma1), the last the least (sigma3).
// Each axis is signed so that its component of largest magnitude is
// positive (the first of equal ones), so the same tensor always gives the
// same axes. Equal values leave their axes any orthonormal pair of the
// plane they span. A tensor with a component that is not finite gives NaN
// values.
struct PrincipalAxes {
    Vec3 value{};
    std::array<Vec3, 3> axis{};
};
PrincipalAxes principalaxes(const SymTensor& t);

// t v, and v . t w.
Vec3 apply(const SymTensor& t, const Vec3& v);
double resolve(const SymTensor& t, const Vec3& v, const Vec3& w);

inline double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace crustex
