#include "stress/moduli.h"

#include <cmath>

namespace crustex {

Moduli moduli(const Medium& m) { return {shearmodulus(m), lameratio(m)}; }

bool usablemedium(const Medium& m) {
    const double nu = m.poisson, e = m.young;
    return std::isfinite(nu) && nu > -1 && nu < 0.5 && std::isfinite(e) && e > 0;
}

SymTensor straintensor(const PointValues& v) { return {v[3], v[7], v[11], v[12], v[13], v[14]}; }

SymTensor stresstensor(const SymTensor& e, double vol, double lambdaovermu) {
    const double p = lambdaovermu * vol;
    return {p + 2 * e.xx, p + 2 * e.yy, p + 2 * e.zz, 2 * e.xy, 2 * e.yz, 2 * e.zx};
}

}  // namespace crustex
