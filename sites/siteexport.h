// The two text exports of the values computed at the observation sites,
// both written through a temporary file renamed into place ("Open Error"
// when that fails), lines ended by CR LF, text in UTF-8.
//
// "Export Obs. Sites Data..." (exportobs): five header lines in Japanese,
// the file's own words, then per site its name and nine numbers: longitude,
// latitude, the displacement east, north and up in metres (the field axes
// turned back by the meridian angle), then 0, 0, 0 and 2. A component
// without value is written as the no-value marker 1E+30. When the sites
// carry observations, the misfit summary goes to a file of its own beside
// it (misfitpath), so the export keeps its layout.
//
// "Store Strains (Obs. site)..." (saveobssite): per site six 11-character
// columns (x, y, dilatant, volumetric and maximum shear strain, delta CFF),
// a blank and the name.
//
// Both bring the site values up to date first when the grid (and for the
// strain export the delta CFF) is out of date.
#pragma once

#include <string>

#include "engine/siteeval.h"
#include "files/sourcefile.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kExportObsTitle = "Export Obs. Sites Data";
inline constexpr const char* kSaveObsTitle = "Save Obs. Sites Data";

// The displacement export's text for the site values as they are.
std::string exportobstext(const WorkState& ws, const SiteResults& res, const GeoFrame& geo);

// The strain export's text for the site values as they are.
std::string obssitetext(const WorkState& ws, const SiteResults& res);

// Where exportobs puts the misfit summary: the name with a final ".txt"
// (any case) replaced by ".misfit.txt", else with ".misfit.txt" added.
std::string misfitpath(const std::string& path);

// The summary: what was compared and the misfit line (see sites/misfit.h).
std::string misfitsummarytext(const WorkState& ws, const SiteResults& res);

// Write the exports; false when a file could not be written ("Open Error"
// shown).
bool exportobs(const WorkState& ws, Host& host, SiteResults& res, const GeoFrame& geo,
               const std::string& path);
bool saveobssite(const WorkState& ws, Host& host, SiteResults& res, const std::string& path);

}  // namespace crustex
