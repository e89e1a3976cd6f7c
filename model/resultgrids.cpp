#include "model/resultgrids.h"

#include <array>

namespace crustex {

namespace {
template <typename Grids, typename G>
G* gridByNumber(Grids& g, int n) {
    const std::array<G*, ResultGrids::kCount> all = {
        &g.nodez, &g.ux,    &g.uy,       &g.uz,    &g.duxdx,     &g.duydx, &g.duzdx, &g.duxdy,
        &g.duydy, &g.duzdy, &g.duxdz,    &g.duydz, &g.duzdz,     &g.exy,   &g.eyz,   &g.ezx,
        &g.areal, &g.vol,   &g.maxshear, &g.cff,   &g.composite, &g.los,   &g.cffoop};
    if (n < 1 || n > ResultGrids::kCount) return nullptr;
    return all[static_cast<std::size_t>(n - 1)];
}
}  // namespace

Grid2D* ResultGrids::byNumber(int n) { return gridByNumber<ResultGrids, Grid2D>(*this, n); }
const Grid2D* ResultGrids::byNumber(int n) const {
    return gridByNumber<const ResultGrids, const Grid2D>(*this, n);
}

}  // namespace crustex
