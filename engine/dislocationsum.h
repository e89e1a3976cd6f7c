// The end of one evaluation of a half-space solution: the 64-bit sums become
// the 32-bit result, or the point is reported singular.
#pragma once

#include <cstdint>

#include "engine/dislocation.h"
#include "engine/rectconst.h"

namespace crustex {

// Zeroes `out` and returns IRET 1.
int16_t singularresult(DislocationResult& out);

// Rounds the twelve sums into `out` and returns IRET 0; a sum that is not
// finite has no value, and the point is reported singular instead.
int16_t storeresult(const Vec12& sum, DislocationResult& out);

}  // namespace crustex
