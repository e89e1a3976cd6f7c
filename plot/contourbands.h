// Colour-filled contour bands: the areas between neighbouring contour
// levels, filled with polygons under the contour lines.
//
// The levels are those of the lines (linear, semi-log 1 or semi-log 2).
// Bands are counted outwards from zero: rank 1 is the band just above zero,
// rank -1 the band just below, and so on; a band's colour follows its rank,
// so equal magnitudes of either sign get mirrored colours:
//   diverging  (signed quantities) rank r gets divergingcolor at
//              sign(r) (|r| - 1/2) / R, R the largest |rank| with data, so
//              the value zero sits on the map's light centre;
//   sequential (magnitudes) the bands with data are spread evenly over the
//              light-to-dark map.
//
// Each cell of the grid is cut by the same straight pieces the contour
// lines draw (contourcell.h), so band edges lie exactly under the lines and
// the pieces of a cell tile it without gaps or overlaps. Cells that no
// level crosses are joined with their neighbours of the same band along a
// column into one rectangle. All pieces of one band are drawn as one
// polygon of many rings (filled by the even-odd rule), so no seam shows
// between neighbouring pieces of a band in a smoothed (antialiased)
// rendering such as a PDF viewer's; seams between different bands lie
// under the contour lines. Cells that touch a node without value stay
// empty.
#pragma once

#include <string>
#include <vector>

#include "model/host.h"
#include "plot/contourlevels.h"
#include "plot/contourtrace.h"

namespace crustex {

enum class BandStatus {
    Ready,     // the bands can be drawn
    NoValues,  // no node has a value
    Flat,      // no level lies inside the range of the values (a constant grid)
    TooWide,   // more than kMaxContourLevels levels, or more than
               // kMaxBandDecades decades between the smallest level and the
               // largest magnitude: a colour scale over it would say nothing
    BadRule,   // a sub-interval or "Min. Value" that is not a positive number
};

// Semi-logarithmic bands are refused beyond this many decades between
// "Min. Value" and the largest magnitude.
inline constexpr float kMaxBandDecades = 12;

struct BandScale {
    BandStatus status = BandStatus::NoValues;
    ContourRule rule;
    bool diverging = true;
    float lowest = 0, highest = 0;  // the range of the node values
    // Semi-logarithmic rules: every level from -A to A (A the largest
    // magnitude) in ascending order; levels[zeroindex] is 0.
    std::vector<float> levels;
    int zeroindex = 0;
    int lowrank = 0, highrank = 0;  // ranks of the lowest and highest band with data

    // Cell values are divided by this before levels are compared (the
    // linear rule works on value / sub-interval, as the lines do).
    float divisor() const;
    // The number of bands from lowrank to highrank.
    int bandcount() const;
};

// The band scale of a grid. `grid` is cut to what exists first.
BandScale bandscalefor(const ContourGrid& grid, const ContourRule& rule, bool diverging);

// The rank of the band that holds v, a value already divided by divisor().
// A value exactly on a level belongs to the band above it.
int bandrank(const BandScale& scale, float v);
// The rank after (above) and before (below) r; ranks skip 0.
inline int nextrank(int r) { return r == -1 ? 1 : r + 1; }
inline int previousrank(int r) { return r == 1 ? -1 : r - 1; }
// The level at the lower edge of band r, in the quantity's units.
float bandfloor(const BandScale& scale, int rank);
// The colour of band r.
Rgb bandcolor(const BandScale& scale, int rank);

// The note shown on the status strip for a scale that cannot be drawn
// (empty for a ready one).
std::string bandstatusnote(const BandScale& scale);

struct BandOutcome {
    bool aborted = false;
    int polygons = 0;  // one per band with area
};

// Fills the bands of a ready scale: " Filling Contour Bands(Ctrl-Q to
// Abort)" on the status strip while it runs; after each column of cells
// the window may process events and Ctrl-Q asks "Abort?" as the lines do.
// The bands are drawn with FillPolygon in the surface's draw mode, from the
// lowest up, when every cell has been cut (an abort draws what was cut).
BandOutcome drawbands(PlotContext& pc, Host& host, bool& abortflag, const ContourGrid& grid,
                      const BandScale& scale);

}  // namespace crustex
