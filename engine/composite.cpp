#include "engine/composite.h"

#include <initializer_list>

namespace crustex {

namespace {

// Sizes the result like `first`; returns false (result all kNoValue) when any
// input differs in size.
bool prepare(const Grid2D& first, std::initializer_list<const Grid2D*> others, Grid2D& result) {
    if (first.empty()) {
        result = Grid2D();
        return false;
    }
    result.resize(first.nx(), first.ny(), kNoValue);
    for (const Grid2D* g : others) {
        if (g->empty() || g->nx() != first.nx() || g->ny() != first.ny()) return false;
    }
    return true;
}

}  // namespace

void composedispl(const Grid2D& ux, const Grid2D& uy, const Grid2D& uz, Grid2D& result, float fx,
                  float fy, float fz) {
    if (!prepare(ux, {&uy, &uz}, result)) return;
    for (int i = 0; i <= ux.nx(); ++i) {
        for (int j = 0; j <= ux.ny(); ++j) {
            if (ux(i, j) == kNoValue) continue;
            const double v = static_cast<double>(ux(i, j)) * fx +
                             static_cast<double>(uy(i, j)) * fy +
                             static_cast<double>(uz(i, j)) * fz;
            result(i, j) = static_cast<float>(v);
        }
    }
}

void composestrain(const Grid2D& exx, const Grid2D& eyy, const Grid2D& ezz, const Grid2D& exy,
                   const Grid2D& eyz, const Grid2D& ezx, Grid2D& result, float fxx, float fyy,
                   float fzz, float fxy, float fyz, float fzx) {
    if (!prepare(exx, {&eyy, &ezz, &exy, &eyz, &ezx}, result)) return;
    for (int i = 0; i <= exx.nx(); ++i) {
        for (int j = 0; j <= exx.ny(); ++j) {
            if (exx(i, j) == kNoValue) continue;
            const double v =
                static_cast<double>(exx(i, j)) * fxx + static_cast<double>(eyy(i, j)) * fyy +
                static_cast<double>(ezz(i, j)) * fzz + static_cast<double>(exy(i, j)) * fxy +
                static_cast<double>(eyz(i, j)) * fyz + static_cast<double>(ezx(i, j)) * fzx;
            result(i, j) = static_cast<float>(v);
        }
    }
}

void composedispl(WorkState& ws) {
    ResultGrids& g = ws.grids;
    composedispl(g.ux, g.uy, g.uz, g.composite, ws.fx, ws.fy, ws.fz);
}

void composestrain(WorkState& ws) {
    ResultGrids& g = ws.grids;
    composestrain(g.duxdx, g.duydy, g.duzdz, g.exy, g.eyz, g.ezx, g.composite, ws.fxx, ws.fyy,
                  ws.fzz, ws.fxy, ws.fyz, ws.fzx);
}

}  // namespace crustex
