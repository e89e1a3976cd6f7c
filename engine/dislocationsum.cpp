#include "engine/dislocationsum.h"

#include <cmath>

namespace crustex {

int16_t singularresult(DislocationResult& out) {
    out = DislocationResult{};
    return 1;
}

int16_t storeresult(const Vec12& sum, DislocationResult& out) {
    for (double v : sum) {
        if (!std::isfinite(v)) return singularresult(out);
    }
    out.ux = static_cast<float>(sum[0]);
    out.uy = static_cast<float>(sum[1]);
    out.uz = static_cast<float>(sum[2]);
    out.uxx = static_cast<float>(sum[3]);
    out.uyx = static_cast<float>(sum[4]);
    out.uzx = static_cast<float>(sum[5]);
    out.uxy = static_cast<float>(sum[6]);
    out.uyy = static_cast<float>(sum[7]);
    out.uzy = static_cast<float>(sum[8]);
    out.uxz = static_cast<float>(sum[9]);
    out.uyz = static_cast<float>(sum[10]);
    out.uzz = static_cast<float>(sum[11]);
    return 0;
}

}  // namespace crustex
