// Observation-site files "*.obs.txt": blocks of sites in geographic
// coordinates, each block a keyword, a count and that many site records, and
// an optional "maparea" with the map range. The program reads these files
// and never writes them.
//
//   keyword  record fields after name, latitude, longitude, height   kind
//   "obs"    -                                                       ""
//   "obd3"   east, north, up (displacement)                          "displacement3"
//   "obd"    east, north (displacement)                              "displacement"
//   "obt1"   east, north (tilt of the first kind)                    "tilt1"
//   "obt2"   east, north (tilt of the second kind)                   "tilt2"
//   "obz"    vertical displacement                                   "uz"
//   "obv"    volumetric strain                                       "vstrain"
//
// After an "obd3" or "obd" block an uncertainty block may follow:
// "obsig3" (east, north, up sigma and the east-north correlation) or
// "obsig" (east, north sigma, correlation), one record of numbers per site
// of that block in its order (files/sitesigma.h). They fill the sites'
// sigdx, sigdy, sigdz and corrdxdy; older readers skip them.
//
// Keywords are compared lower-cased; any other text between blocks is
// skipped. Each block replaces the whole site list (at most 200 sites) and
// sets the observed-data kind. Positions become field km through the
// projection; east/north pairs are turned into the field axes by the
// meridian angle at the site; the depth is the negated height.
//
// The file is untrusted. An observed value written as NaN, an infinity, a
// number beyond the float range or of magnitude 1E30 and more (the
// program's own no-value texts) is stored as missing (kNoValue); an east or
// north value that is missing makes both components missing. Any other
// unreadable field ends the reading with "Input Error", and the sites read
// so far stay. A site at a latitude beyond the poles or at a height outside
// -1000..10 km is left out, and a block that the end of the file cuts short
// of its count keeps the sites read; both say "Input Error" once the file is
// read.
#pragma once

#include <string>
#include <string_view>

#include "files/sourcefile.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

// Observed-data kinds.
inline constexpr std::string_view kObsDisplacement3 = "displacement3";
inline constexpr std::string_view kObsDisplacement = "displacement";
inline constexpr std::string_view kObsTilt1 = "tilt1";
inline constexpr std::string_view kObsTilt2 = "tilt2";
inline constexpr std::string_view kObsUz = "uz";
inline constexpr std::string_view kObsVStrain = "vstrain";

inline constexpr const char* kSiteFileTitle = "Open Observation Site File";
inline constexpr const char* kSiteFileFilter = "Observation Site Files (*.obs.txt)|*.obs.txt";

// "You can Take only 200 Sites".
std::string sitelimittext();

struct SiteReadResult {
    bool opened = false;      // false: "Open Error" shown, nothing read
    bool inputerror = false;  // "Input Error" shown; the sites read before it stay
    bool nomap = false;       // a site block while the map is off: "No Map", list unchanged
    bool mapmissing = false;  // "maparea" without the map data files: reading stopped
    // The site list was settled: ws.nsite sites are loaded and, when there
    // are any, "Show Obs. Sites Data" is checked and the results are marked
    // stale; with none, both site check marks are cleared. The caller then
    // shows or hides the site window and redraws.
    bool settled = false;
};

// Reads a site file. "maparea" runs the same step as in a source file
// (the map-data check, then hooks.showmapdialog with the four corners).
// Messages go through host: "Open Error", "Input Error", "No Map", the
// 200-site warning and "No Site" (titled "Waring").
SiteReadResult readsitefile(WorkState& ws, Host& host, const GeoFrame& geo, const std::string& path,
                            const SourceFileHooks& hooks = {});

// The same on file contents already in memory; name is the file named in
// the explanations of the messages ("" for none).
SiteReadResult readsitetext(WorkState& ws, Host& host, const GeoFrame& geo, std::string content,
                            const SourceFileHooks& hooks = {}, const std::string& name = "");

}  // namespace crustex
