#include "stress/moduli.h"

#include <cmath>

namespace crustex {

bool usablemedium(const Medium& m) {
    const double nu = m.poisson, e = m.young;
    return std::isfinite(nu) && nu > -1 && nu < 0.5 && std::isfinite(e) && e > 0;
}

SymTensor stresstensor(const SymTensor& e, double vol, double lambdaovermu) {
    const double p = lambdaovermu * vol;
    return {p + 2 * e.xx, p + 2 * e.yy, p + 2 * e.zz, 2 * e.xy, 2 * e.yz, 2 * e.zx};
}

}  // namespace crustex
