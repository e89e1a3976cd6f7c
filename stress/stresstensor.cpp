#include "stress/stresstensor.h"

namespace crustex {

double lameratio(const Medium& m) {
    const double nu = m.poisson;
    return 2 * nu / (1 - 2 * nu);
}

StressTensor stressfromstrain(const Medium& m, double exx, double eyy, double ezz, double exy,
                              double eyz, double ezx) {
    const double lv = lameratio(m) * (exx + eyy + ezz);
    return {lv + 2 * exx, lv + 2 * eyy, lv + 2 * ezz, 2 * exy, 2 * eyz, 2 * ezx};
}

}  // namespace crustex
