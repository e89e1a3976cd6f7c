// The observation sites as a CSV table: per site its name and position,
// then per component of the observed kind the observed value, the computed
// value and the residual (observed minus computed), and at the end the
// misfit of the sites as comment lines starting with '#'. The table is
// valid UTF-8 whatever bytes a site name holds: a byte that starts no
// character (and a NUL) is written as U+FFFD.
//
// Components, their order and units are those of the misfit
// (sites/misfit.h): observed and computed compared in the field axes, as the
// site window shows them. A missing value leaves its cell and the residual
// empty.
#pragma once

#include <functional>
#include <string>

#include "engine/siteeval.h"
#include "model/workstate.h"

namespace crustex {

// togeo: field km to (longitude, latitude), or empty for no such columns.
std::string sitecsvtext(const WorkState& ws, const SiteResults& computed,
                        const std::function<void(float x, float y, float& lon, float& lat)>& togeo);

}  // namespace crustex
