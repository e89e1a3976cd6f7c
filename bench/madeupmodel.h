// The made-up slip model of the benchmarks (made up: no real fault).
#pragma once

#include <algorithm>
#include <cmath>

#include "model/slipmodel.h"

namespace crustex {

// Made-up model: ncol x nrow patches of 2 x 2 km on a plane striking N35E and
// dipping 30 degrees, its top 1 km down, its upper corner at (214.3, 187.9).
// `turn` gives every patch its own strike (by up to 20 degrees), so that no
// two share a plane.
inline SlipModel madeupmodel(int ncol, int nrow, bool turn = false) {
    const double pi = 3.14159265358979;
    const double strike = 35 * pi / 180, dip = 30 * pi / 180, size = 2;
    const double sx = std::sin(strike), sy = std::cos(strike);  // along strike
    const double rx = sy, ry = -sx;                             // right of it
    SlipModel m;
    for (int j = 0; j < nrow; ++j) {
        for (int i = 0; i < ncol; ++i) {
            const double x0 = 214.3 + i * size * sx + j * size * std::cos(dip) * rx;
            const double y0 = 187.9 + i * size * sy + j * size * std::cos(dip) * ry;
            const double a = turn ? strike + 0.35 * std::sin(1.7 * (i + ncol * j)) : strike;
            SlipPatch p;
            p.x0 = static_cast<float>(x0);
            p.y0 = static_cast<float>(y0);
            p.x1 = static_cast<float>(x0 + size * std::sin(a));
            p.y1 = static_cast<float>(y0 + size * std::cos(a));
            p.top = static_cast<float>(1 + j * size * std::sin(dip));
            p.width = static_cast<float>(size);
            p.dip = 30;
            const double u = (i + 0.5) / ncol * 2 - 1, v = (j + 0.5) / nrow * 2 - 1;
            p.slip = static_cast<float>(0.5 + 2.5 * std::sqrt(std::max(0.0, 1 - u * u - v * v)));
            p.rake = static_cast<float>(80 + 10 * u - 5 * v);
            m.patches.push_back(p);
        }
    }
    return m;
}

}  // namespace crustex
