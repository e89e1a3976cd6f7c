// The rectangular source evaluated with a chosen number of corners per
// vector. calcrectsource uses four where the processor has AVX2 and two
// otherwise; both give bit-identical results. Tests compare the two.
#pragma once

#include <cstdint>

#include "engine/dislocation.h"

namespace crustex {

// True when this processor runs the four-lane evaluation.
bool rectquadlanes();

// `lanes` is 2 or 4; 4 falls back to 2 where the processor lacks AVX2.
int16_t calcrectsourcelanes(int lanes, float alpha, float x, float y, float z, float depth,
                            float dip, float al1, float al2, float aw1, float aw2, float disl1,
                            float disl2, float disl3, DislocationResult& out);

}  // namespace crustex
