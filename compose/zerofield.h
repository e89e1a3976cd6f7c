// Rounding noise in a contoured quantity: values that are zero but for the
// last bits of the arithmetic that made them.
//
// Some quantities vanish exactly in theory yet come out of the evaluation as
// tiny numbers of either sign: Strain ZX and YZ at the free surface (the sum
// of two gradients that cancel), composites whose weights cancel a
// component, delta CFF on a receiver that the surface leaves unloaded.
// Contoured as they are, they draw a zero line through nearly every cell and
// peaks such as "H 4.34E-19".
//
// A value counts as zero when its magnitude is at most kRoundingEpsilons
// float epsilons of its node's own scale: the largest magnitude at that
// node among the grids the quantity is made from (the three displacements
// for displacements, their composite and the LOS displacement, the nine
// displacement gradients for strains, their composite and delta CFF), times
// the largest factor the quantity's formula applies to them (the sum of the
// weights' magnitudes for a composite, (3 lambda/mu + 6) |friction| + 6 for
// delta CFF, which is 9 |friction| + 6 for the program's own medium, for
// delta CFF on optimal planes (1 + |friction|)(9 |lambda / mu| + 6) in the
// stress unit, 1 otherwise). The scale is taken node by
// node, not over the whole grid, because real values far from a source may
// lie many decades below the largest gradient near it and must keep their
// lines; at a node, a real value only falls under the threshold where it
// crosses zero, and setting it to zero there moves the zero line by far less
// than a pixel.
#pragma once

#include <string>

#include "compose/picture.h"

namespace crustex {

inline constexpr float kRoundingEpsilons = 8;

// The quantity's grid with every value at rounding level set to 0 (nodes
// without value keep the marker), a stress in the work's stress unit;
// `zero` tells whether a node has a value and every such value is 0.
struct CleanedField {
    Grid2D values;
    bool zero = false;
};
CleanedField cleanedfield(const WorkState& ws, const QuantityInfo& q);
// The same for other grids of the work (a section's): the weights and the
// friction are the work's.
CleanedField cleanedfield(const WorkState& ws, const ResultGrids& g, const QuantityInfo& q);

// The status strip's note for a field that is zero everywhere.
std::string zerofieldnote(const QuantityInfo& q);

}  // namespace crustex
