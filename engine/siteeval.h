// Evaluation at the observation sites: every source and the slip model
// superposed at each site exactly as at a grid node, the derived strains, and
// delta CFF.
#pragma once

#include <array>

#include "engine/gridderive.h"
#include "model/host.h"
#include "model/sitelist.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kSiteStrainStatus = " Calcurating Strains at Observation Sites";
inline constexpr const char* kSiteCffStatus = " Calcurating CFF at Observation Sites";

// Nineteen arrays of values at sites 1..200 (position 0 unused). A site where
// a source is singular holds kNoValue in the first eighteen and in cff.
struct SiteResults {
    using Values = std::array<float, kMaxSites + 1>;
    Values ux{}, uy{}, uz{};
    Values duxdx{}, duydx{}, duzdx{};
    Values duxdy{}, duydy{}, duzdy{};
    Values duxdz{}, duydz{}, duzdz{};
    Values exy{}, eyz{}, ezx{};
    Values areal{}, vol{}, maxshear{};
    Values cff{};

    static constexpr int kCount = 19;
    // Array by its number 1..19 in the order above (nullptr otherwise); 1..18
    // match grids 2..19 and 19 is cff.
    Values* byNumber(int n);
    const Values* byNumber(int n) const;
};

// All eighteen values at one point (x, y, z), z <= 0 below the surface (a
// positive z is evaluated as it is). Every source is added in table order and
// then the slip model as at a grid node (workpointvalues), so a site on a
// node gives that node's values bit for bit.
PointValues calcsitestrain(const WorkState& ws, float x, float y, float z);

// Evaluates sites 1..nsite (z = -depth) into `res`, with the busy pointer and
// kSiteStrainStatus. nsite is clamped to 0..200.
void calcobsdata(const WorkState& ws, Host& host, SiteResults& res);

// delta CFF of the current receiver at sites 1..nsite from the site strains
// already in `res`, with kSiteCffStatus.
void calcobscff(const WorkState& ws, Host& host, SiteResults& res);

}  // namespace crustex
