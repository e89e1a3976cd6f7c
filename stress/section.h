// Vertical sections: every quantity of the field grid on a vertical plane
// through a line of the map.
//
// The points lie at distances k * step (k = 0, 1, ...) from the line's first
// point up to its length, and at depths top + k * dz up to bottom (km,
// positive down). A section is held as result grids (model/resultgrids.h)
// whose node (i, j) is distance i and depth j, so that every quantity, its
// contour levels and its tracing work on a section as on the field grid.
// Each point gets exactly the values a field grid node at the same place
// gets (engine/modelpoints.h, the block evaluation), then delta CFF for the
// work's receiver and, with a regional stress, delta CFF on optimally
// oriented planes; the composite grid is filled on demand (composesection),
// as the picture fills the field's.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/modelpoints.h"
#include "model/workstate.h"
#include "stress/regionalstress.h"

namespace crustex {

struct SectionSpec {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // the line, map km
    float top = 0, bottom = 0;             // depth range (km, positive down)
    float step = 1;                        // between points along the line (km)
    float dz = 1;                          // between depths (km)

    bool operator==(const SectionSpec&) const = default;
};

// The largest number of points a section may have.
inline constexpr std::size_t kMaxSectionNodes = 1000000;

// The section a model file proposes: its line and steps, from the surface
// down to its depth.
SectionSpec sectionfromline(const SectionLine& line);

// The line's length (km).
double sectionlength(const SectionSpec& s);

// Why the section cannot be evaluated ("" when it can): a value that is not
// a number, a line of no length, a depth range upside down or above the
// surface, a step that is not positive, or more than kMaxSectionNodes
// points.
std::string sectionproblem(const SectionSpec& s);

// Where the points lie: distance and map position per column i, depth per
// row j.
struct SectionNodes {
    std::vector<float> distance, x, y;  // km
    std::vector<float> depth;           // km, positive down
};
SectionNodes sectionnodes(const SectionSpec& s);

struct Section {
    SectionSpec spec;
    SectionNodes nodes;
    ResultGrids grids;  // node (i, j): distance i, depth j
};

// Evaluates every quantity at the points. north: where the regional
// stress's azimuths point. False when the section cannot be evaluated
// (sectionproblem) or the progress asked to stop.
bool evaluatesection(const WorkState& ws, const SectionSpec& spec, const NorthReference& north,
                     Section& out, const PointsRun& run = {});

// Fills the section's composite grid: the strain composite when `strain`,
// else the displacement composite, with the work's weights.
void composesection(const WorkState& ws, Section& s, bool strain);

}  // namespace crustex
