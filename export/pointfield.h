// The field's quantities at any set of points, as the grid exports give
// them at a grid node: the variables of export/quantitynames.h in their
// units (a stress in the work's stress unit), with kNoValue where a point
// has no value. Each point goes through the block evaluation of the field
// grid (engine/modelpoints.h), so a point on a grid node gets that node's
// values bit for bit; delta CFF, delta CFF on optimal planes, the
// composites and the LOS displacement then follow as over the grid.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "engine/modelpoints.h"
#include "export/fieldexport.h"
#include "files/sourcefile.h"

namespace crustex {

// The most points one evaluation takes.
inline constexpr std::size_t kMaxFieldPoints = 1u << 30;

// Evaluates the variables at the points into out (one per variable, in
// order, each a grid of one row: node (k, 0) is point k). geo: the map's
// projection and frame while the map is on (meridian angles of the LOS
// displacement, north of the regional stress), else nullptr. False when
// there are more than kMaxFieldPoints points or the progress asked to stop.
bool evaluatepointfield(const WorkState& ws, const ModelPoints& pts,
                        std::span<const GridVariable* const> variables, const GeoFrame* geo,
                        std::vector<ExportedVariable>& out, const PointsRun& run = {});

}  // namespace crustex
