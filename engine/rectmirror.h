// Which corners of the rectangle take the mirrored logarithms.
#pragma once

#include <cmath>

namespace crustex {

// A coordinate below 1e-6 in size counts as exactly 0.
inline double cleaned(double v) { return std::fabs(v) < 1e-6 ? 0 : v; }

// Corners, numbered 0..3 as the lanes, whose xi or eta logarithm is mirrored:
// -ln(R - xi) with X11 = X32 = 0 instead of ln(R + xi), and likewise for eta.
struct Mirrored {
    bool xi[4] = {};
    bool et[4] = {};
};

// A corner is mirrored in xi when xi < 0, q = 0 and eta = 0 (it lies on the
// negative extension of an edge line). Close to that line R + xi cancels to
// nothing and the plain logarithm and X11, X32 lose every digit, so both
// corners of row k are mirrored in xi as well when xi1 < 0 and R + xi2 of the
// corner (xi2, eta_k) is below 1e-6. The same holds for eta, with both corners
// of column j when eta1 < 0 and R + eta2 of the corner (xi_j, eta2) is below
// 1e-6. The arguments are the cleaned values.
inline void setmirrored(Mirrored& m, double xi1, double xi2, double et1, double et2, double q) {
    const double q2 = q * q;
    const double xis[2] = {xi1, xi2}, ets[2] = {et1, et2};
    const bool row[2] = {xi1 < 0 && std::sqrt(xi2 * xi2 + et1 * et1 + q2) + xi2 < 1e-6,
                         xi1 < 0 && std::sqrt(xi2 * xi2 + et2 * et2 + q2) + xi2 < 1e-6};
    const bool column[2] = {et1 < 0 && std::sqrt(xi1 * xi1 + et2 * et2 + q2) + et2 < 1e-6,
                            et1 < 0 && std::sqrt(xi2 * xi2 + et2 * et2 + q2) + et2 < 1e-6};
    for (int corner = 0; corner < 4; ++corner) {
        const int j = corner % 2, k = corner / 2;
        const double xi = xis[j], et = ets[k];
        m.xi[corner] = row[k] || (xi < 0 && q == 0 && et == 0);
        m.et[corner] = column[j] || (et < 0 && q == 0 && xi == 0);
    }
}

}  // namespace crustex
