#include "engine/inclinedlines.h"

#include <algorithm>
#include <cmath>

#include "model/sourcemodel.h"

namespace crustex {

void calcinclinedlines(WorkState& ws) {
    const double strike = ws.obsincs * kPi / 180.0;
    const double dip = ws.obsincdip * kPi / 180.0;
    const double ts = std::tan(strike);
    const double tb = std::tan(dip);
    const double x0 = ws.xview0, y0 = ws.yview0, x1 = ws.xview1, y1 = ws.yview1;

    for (std::size_t k = 1; k <= 5; ++k) {
        const double h = 10.0 * static_cast<double>(k - 1);
        double sx, sy, ex, ey;
        if (tb == 0 || !std::isfinite(tb)) {
            sx = ex = ws.obsincx;
            sy = ey = ws.obsincy;
        } else {
            const double r = (h - ws.obsincdpt) / tb;
            if (ts == 0) {
                double x = ws.obsincx + r;
                x = std::max(std::min(x, std::max(x0, x1)), std::min(x0, x1));
                sx = ex = x;
                sy = y0;
                ey = y1;
            } else {
                // The point straight down-dip of the reference point, and the
                // strike line through it: Y = yk + (X - xk) / tan(strike).
                const double xk = ws.obsincx + r * std::cos(strike);
                const double yk = ws.obsincy - r * std::sin(strike);
                auto lineat = [&](double x, double& px, double& py) {
                    px = x;
                    py = yk + (x - xk) / ts;
                    if (py < y0) {
                        py = y0;
                        px = xk - (yk - y0) * ts;
                    } else if (py > y1) {
                        py = y1;
                        px = xk - (yk - y1) * ts;
                    }
                };
                lineat(x0, sx, sy);
                lineat(x1, ex, ey);
            }
        }
        ws.incx0[k] = static_cast<float>(sx);
        ws.incy0[k] = static_cast<float>(sy);
        ws.incx1[k] = static_cast<float>(ex);
        ws.incy1[k] = static_cast<float>(ey);
    }
}

}  // namespace crustex
