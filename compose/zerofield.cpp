#include "compose/zerofield.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <initializer_list>

#include "stress/optimalplanes.h"
#include "stress/stressunits.h"

namespace crustex {

namespace {

using G = ResultGrids;

constexpr std::array<Grid2D G::*, 3> kDisplacements = {&G::ux, &G::uy, &G::uz};
constexpr std::array<Grid2D G::*, 9> kGradients = {&G::duxdx, &G::duydx, &G::duzdx,
                                                   &G::duxdy, &G::duydy, &G::duzdy,
                                                   &G::duxdz, &G::duydz, &G::duzdz};

float sumofmagnitudes(std::initializer_list<float> weights) {
    float sum = 0;
    for (const float w : weights) sum += std::fabs(w);
    return sum;
}

bool isdisplacement(const QuantityInfo& q) {
    if (q.extra == ExtraEvaluation::CompositeDisplacement || q.extra == ExtraEvaluation::Los)
        return true;
    for (const auto grid : kDisplacements)
        if (q.grid == grid) return true;
    return false;
}

// The largest factor the quantity's formula applies to its source grids.
float termfactor(const WorkState& ws, const QuantityInfo& q) {
    switch (q.extra) {
        case ExtraEvaluation::CompositeDisplacement: return sumofmagnitudes({ws.fx, ws.fy, ws.fz});
        case ExtraEvaluation::CompositeStrain:
            return sumofmagnitudes({ws.fxx, ws.fyy, ws.fzz, ws.fxy, ws.fyz, ws.fzx});
        case ExtraEvaluation::Cff: {
            // |normal| <= (3 lambda/mu + 6) and |shear| <= 6 gradients.
            const auto normal = static_cast<float>(3 * lameratio(ws.medium) + 6);
            return normal * std::fabs(ws.friction) + 6;
        }
        case ExtraEvaluation::OptimalCff: {
            // Stress / mu from the gradients, resolved with the friction,
            // in the stress unit.
            const double stress = 9 * std::fabs(lameratio(ws.medium)) + 6;
            const double unit = std::fabs(stressfactor(ws.stressunit, ws.medium));
            return static_cast<float>((1 + std::fabs(ws.friction)) * stress * unit);
        }
        case ExtraEvaluation::Los:  // a unit vector's components
        case ExtraEvaluation::None: break;
    }
    return 1;
}

// The largest magnitude with value among the grids at node (i, j).
template <std::size_t N>
float nodescale(const G& g, const std::array<Grid2D G::*, N>& grids, int i, int j) {
    float largest = 0;
    for (const auto grid : grids) {
        const Grid2D& values = g.*grid;
        if (!values.contains(i, j)) continue;
        const float v = values(i, j);
        if (v != kNoValue && std::isfinite(v)) largest = std::fmax(largest, std::fabs(v));
    }
    return largest;
}

}  // namespace

CleanedField cleanedfield(const WorkState& ws, const QuantityInfo& q) {
    return cleanedfield(ws, ws.grids, q);
}

CleanedField cleanedfield(const WorkState& ws, const ResultGrids& g, const QuantityInfo& q) {
    CleanedField out{g.*q.grid, true};
    const bool displacement = isdisplacement(q);
    const float factor = kRoundingEpsilons * FLT_EPSILON * termfactor(ws, q);
    bool anyvalue = false;
    for (int i = 0; i <= out.values.nx() && !out.values.empty(); ++i) {
        for (int j = 0; j <= out.values.ny(); ++j) {
            float& v = out.values(i, j);
            if (v == kNoValue || !std::isfinite(v)) continue;
            anyvalue = true;
            const float scale =
                displacement ? nodescale(g, kDisplacements, i, j) : nodescale(g, kGradients, i, j);
            if (std::fabs(v) <= factor * scale) v = 0;
            if (v != 0) out.zero = false;
        }
    }
    out.zero = out.zero && anyvalue;
    if (q.extra == ExtraEvaluation::Cff)
        scalestressgrid(out.values, stressfactor(ws.stressunit, ws.medium));
    return out;
}

std::string zerofieldnote(const QuantityInfo& q) {
    std::string note(" ");
    note.append(q.title);
    note.append(" is zero over the whole field");
    return note;
}

}  // namespace crustex
