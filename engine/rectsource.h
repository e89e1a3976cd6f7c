// The rectangular source evaluated with a chosen number of corners per
// vector. calcrectsource uses four, compiled for the best instruction set of
// the processor; two give bit-identical results. Tests compare the two.
#pragma once

#include <cstdint>

#include "engine/dislocation.h"

namespace crustex {

// `lanes` is 2 or 4.
int16_t calcrectsourcelanes(int lanes, float alpha, float x, float y, float z, float depth,
                            float dip, float al1, float al2, float aw1, float aw2, float disl1,
                            float disl2, float disl3, DislocationResult& out);

}  // namespace crustex
