// Horizontal principal strains: a cross of two perpendicular bars per node.
#pragma once

#include <span>

#include "model/grid2d.h"
#include "model/host.h"
#include "plot/plotcontext.h"

namespace crustex {

// The two horizontal principal strains of one node and the direction of the
// larger one (radians, counter-clockwise from east).
struct PrincipalStrain {
    double e1 = 0;     // (dilatant + maximum shear) / 2
    double e2 = 0;     // (dilatant - maximum shear) / 2
    double theta = 0;  // direction of e1; e2 lies at theta + 90 degrees
};
PrincipalStrain principalstrain(float exx, float exy, float eyy, float dilatant, float maxshear);

// For every node with a value, the e1 bar centred on the node along theta
// with half-length (24 / scale) x e1 and the e2 bar across it; a bar is in
// the positive-glyph colour (expansion) when its strain is zero or more and
// in the negative-glyph colour (contraction) when it is less. Nodes where
// any of the five strains has no value get nothing; a scale that is not a
// positive number draws nothing. Returns the number of nodes drawn.
int drawprincipal(PlotContext& pc, Host& host, const Grid2D& exx, const Grid2D& exy,
                  const Grid2D& eyy, const Grid2D& dilatant, const Grid2D& maxshear,
                  std::span<const float> nodex, std::span<const float> nodey, int firstx, int lastx,
                  int firsty, int lasty, float scale);

// The reference cross, "Expansion " / "Contraction" and the scale followed
// by " micro str".
void showprincipallegend(PlotContext& pc, float scale);

}  // namespace crustex
