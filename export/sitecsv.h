// The observation sites as a CSV table: per site its name and position,
// then per component of the observed kind the observed value, the computed
// value and the residual (observed minus computed), and at the end the
// misfit summary as comment lines starting with '#'.
//
// Observed and computed values are compared in the field axes, as the site
// window shows them: displacement in mm, tilt in micro radian, volumetric
// strain in micro strain. A missing value leaves its cell and the residual
// empty.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "engine/siteeval.h"
#include "export/sitelink.h"
#include "model/workstate.h"

namespace crustex {

// One compared component: its column stem, the observed field of the site
// record and the computed site values.
struct SiteComponent {
    std::string_view name;  // "dx"
    std::string_view unit;  // "mm"
    float siterec::*observed;
    SiteResults::Values SiteResults::*computed;
};

// The components of an observed kind ("displacement3", "tilt1", ...); none
// for sites without observations or an unknown kind.
std::span<const SiteComponent> sitecomponents(std::string_view obskind);

// togeo: field km to (longitude, latitude), or empty for no such columns.
std::string sitecsvtext(const WorkState& ws, const SiteResults& computed,
                        const SiteMisfitSummary& misfit,
                        const std::function<void(float x, float y, float& lon, float& lat)>& togeo);

}  // namespace crustex
