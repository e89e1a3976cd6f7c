// "Store Strains....": the field grid as a plain text table, one line per
// node, columns of 11 characters (the expfield text), CR LF line ends.
//
// With strformat9 set the columns are x, y, ux, uy, uz and the nine
// displacement derivatives (154 characters); otherwise x, y, dilatant,
// volumetric and maximum shear strain and delta CFF (66 characters). Lines
// run up the first column of nodes (x = xview0, y increasing), then the next.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr int kStrainLine9 = 154;
inline constexpr int kStrainLine4 = 66;

// Hands the table from the grids as they are to `out`, one column of nodes
// at a time, so that no more than a column is ever held as text. A node the
// grids do not hold is written as the no-value marker. False as soon as
// `out` returns false.
bool writestraintable(const WorkState& ws, const std::function<bool(std::string_view)>& out);

// The whole table as one text.
std::string straintext(const WorkState& ws);

enum class StrainExport { Written, Aborted, Failed };

// Opens the file (a temporary beside it, put in place at the end), brings the
// grids up to date when they are stale (depth lines, grid evaluation, delta
// CFF, through the engine), then writes the table. Ctrl-Q answered with OK
// during the evaluation writes nothing (Aborted). A file that cannot be
// written shows "Open Error" (Failed); an old file of that name stays.
StrainExport storestrains(WorkState& ws, Host& host, const std::string& path);

}  // namespace crustex
