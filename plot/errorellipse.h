// The one-sigma error ellipse of a horizontal vector: the outline of the
// covariance [[sx^2, rho sx sy], [rho sx sy, sy^2]] of its X and Y
// components, found from the covariance's eigenvalues (the squared
// semi-axes) and eigenvectors (their directions).
#pragma once

#include "plot/surface.h"

namespace crustex {

struct ErrorEllipse {
    double major = 0, minor = 0;  // semi-axes, in the components' unit
    double angle = 0;             // direction of the major axis, radians counter-clockwise from +X
};

// The ellipse of sigmas sx, sy (>= 0) and correlation rho (-1..1).
ErrorEllipse errorellipse(double sx, double sy, double rho);

// Draws the ellipse centred at (x, y) in frame units, `scale` frame units
// per unit of the components (frame y runs down, field Y up), as a closed
// polyline of kEllipseSegments segments. Nothing for a non-finite centre
// or scale.
inline constexpr int kEllipseSegments = 36;
void drawerrorellipse(Surface& s, float x, float y, const ErrorEllipse& e, float scale, Rgb color);

}  // namespace crustex
