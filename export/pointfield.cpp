#include "export/pointfield.h"

#include <array>

#include "compose/fringes.h"
#include "compose/picture.h"
#include "engine/cff.h"
#include "engine/composite.h"
#include "engine/los.h"
#include "geo/projection.h"
#include "stress/optimalplanes.h"

namespace crustex {

namespace {

bool needs(std::span<const GridVariable* const> variables, ExtraEvaluation extra) {
    for (const GridVariable* v : variables)
        if (v->extra == extra) return true;
    return false;
}

// The LOS displacement of every point from its displacement, as the field
// grid's (compose/fringes.h): with the map, ux and uy turned to east and
// north by the meridian angle at the point first.
// Where point i of the row lies.
NodePlace pointplace(const ModelPoints& pts) {
    return [&pts](int i, int, float& x, float& y) {
        x = pts.x[i];
        y = pts.y[i];
    };
}

// Which of grids 2..19 the variables are made from: a variable's own grid,
// the displacements for the LOS displacement and its composite, every one
// for the rest.
std::array<bool, 18> neededgrids(std::span<const GridVariable* const> variables) {
    std::array<bool, 18> need{};
    ResultGrids probe;
    for (const GridVariable* v : variables) {
        switch (v->extra) {
            case ExtraEvaluation::None:
                for (std::size_t n = 0; n < 18; ++n)
                    if (&(probe.*(v->grid)) == probe.byNumber(static_cast<int>(n) + 2))
                        need[n] = true;
                break;
            case ExtraEvaluation::Los:
            case ExtraEvaluation::CompositeDisplacement: need[0] = need[1] = need[2] = true; break;
            default: need.fill(true);
        }
    }
    return need;
}

void extras(const WorkState& ws, const ModelPoints& pts, std::span<const GridVariable* const> vars,
            const GeoFrame* geo, ResultGrids& g) {
    if (needs(vars, ExtraEvaluation::Cff)) {
        SilentHost quiet;
        calcgridcff(ws, g, quiet);
    }
    if (needs(vars, ExtraEvaluation::OptimalCff)) {
        const NorthReference north = ws.needmap && geo != nullptr
                                         ? NorthReference{&geo->proj, &geo->frame}
                                         : NorthReference{};
        calcgridoptimalcff(optimalsetup(ws, north), g, pointplace(pts));
    }
    if (needs(vars, ExtraEvaluation::Los)) calclos(ws, g, pointplace(pts), mapmeridian(ws, geo));
}

}  // namespace

bool evaluatepointfield(const WorkState& ws, const ModelPoints& pts,
                        std::span<const GridVariable* const> variables, const GeoFrame* geo,
                        std::vector<ExportedVariable>& out, const PointsRun& run) {
    out.clear();
    if (pts.n > kMaxFieldPoints) return false;
    if (pts.n == 0) {
        for (const GridVariable* v : variables) out.push_back({inunit(v, ws.stressunit), {}});
        return true;
    }
    std::vector<PointValues> values(pts.n);
    if (!workpointvalues(ws, pts, values, run)) return false;
    const int last = static_cast<int>(pts.n) - 1;
    ResultGrids g;
    g.nodez.resize(last, 0);
    for (int k = 0; k <= last; ++k) g.nodez(k, 0) = pts.z[k];
    // The grids of one row hold their points one after the other.
    const std::array<bool, 18> need = neededgrids(variables);
    std::array<float*, 18> grids{};
    for (std::size_t n = 0; n < 18; ++n) {
        if (!need[n]) continue;
        g.byNumber(static_cast<int>(n) + 2)->resize(last, 0);
        grids[n] = g.byNumber(static_cast<int>(n) + 2)->column(0);
    }
    for (std::size_t k = 0; k < pts.n; ++k)
        for (std::size_t n = 0; n < 18; ++n)
            if (grids[n] != nullptr) grids[n][k] = values[k][n];
    values = {};
    extras(ws, pts, variables, geo, g);
    for (const GridVariable* v : variables) {
        if (v->extra == ExtraEvaluation::CompositeDisplacement)
            composedispl(g.ux, g.uy, g.uz, g.composite, ws.fx, ws.fy, ws.fz);
        if (v->extra == ExtraEvaluation::CompositeStrain)
            composestrain(g.duxdx, g.duydy, g.duzdz, g.exy, g.eyz, g.ezx, g.composite, ws.fxx,
                          ws.fyy, ws.fzz, ws.fxy, ws.fyz, ws.fzx);
        const GridVariable* shown = inunit(v, ws.stressunit);
        out.push_back({shown, g.*(v->grid)});
        toexportunit(*shown, ws, out.back().values);
    }
    return true;
}

}  // namespace crustex
