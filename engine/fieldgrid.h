// Field grid evaluation: node depths, and the superposed displacement and
// displacement gradient of every source and of the slip model at every node
// of the field, rotated into map axes, followed by the derived strains.
//
// Grids (in ws.grids, numbered as in model/resultgrids.h): 1 node z, 2..4
// displacement, 5..13 the nine derivatives, 14..19 the derived strains. A node
// where any source or patch is singular holds kNoValue in grids 2..19. The
// half-space constant comes from the work's medium (halfspacealpha).
#pragma once

#include <array>
#include <vector>

#include "engine/nodeblocks.h"
#include "model/faultrec.h"
#include "model/host.h"
#include "model/sourcemodel.h"
#include "model/workstate.h"

namespace crustex {

// Status text shown while the grid is evaluated.
inline constexpr const char* kGridStrainStatus = " Calcurating Strains(Ctrl-Q to Abort)";

// The twelve values that the sources add up at one point, in grid order 2..13:
// ux, uy, uz, dux/dx, duy/dx, duz/dx, dux/dy, duy/dy, duz/dy, dux/dz, duy/dz,
// duz/dz.
using PointSums = std::array<float, 12>;

// One usable source with everything that does not depend on the point,
// computed once per evaluation.
struct SourceTerms {
    faultrec f;
    FaultGeometry geometry;          // faults only
    FaultDislocation disl;           // faults only
    float potency = 0;               // point sources only
    RectBlockSource rect;            // faults: the solution's set-up
    InflationBlockSource inflation;  // point sources: the solution's set-up
};

// The sources 1..nfault that contribute, in order: sourcetype 0 faults that
// are sourceusable() and sourcetype 1 points. Any other source contributes
// nothing. nfault is clamped to the table.
std::vector<SourceTerms> preparesources(const WorkState& ws);

// Adds one source's contribution at (x, y, z) to the running sums; each sum is
// formed in 64-bit from the float and stored back as a float. Returns false,
// leaving the sums untouched, when the point is singular for this source, or
// when the first sum already holds kNoValue. A point gets exactly the values
// of a grid node at the same place.
bool addsource(const SourceTerms& src, float x, float y, float z, PointSums& sums);

// Node positions: X = i*dx + xview0 and Y = j*dy + yview0 with
// dx = (xview1 - xview0) / xgrid (a float), each rounded to a float.
float gridnodex(const WorkState& ws, int i);
float gridnodey(const WorkState& ws, int j);

// True when the field has at least one grid interval each way and finite
// node spacing; no other field is evaluated.
bool fieldgridusable(const WorkState& ws);

// Fills grid 1 with the node z (km, <= 0) of the horizontal or inclined
// field. Re-allocates the grids first (redimsub) when they do not match the
// current xgrid, ygrid.
void setfielddepth(WorkState& ws);

// Evaluates grids 2..19 for every source and the slip model. Shows the busy
// pointer and kGridStrainStatus, clears abortflag, and after each grid column
// (and at least every 50 ms) lets the window process events and tells it the
// columns done (Host::showProgress); when abortflag is then set it asks
// "Abort?" ("Ctrl-Q Pressed", OK/Cancel): OK ends at once with abortflag
// still set, Cancel clears the flag and goes on.
//
// Each grid column receives every source in table order, then the slip
// model's 64-bit sum over all its patches added once like one more source
// (modelpoints.h), and then its derived strains. threads: 1 runs the columns
// in order on the calling thread; 0 uses every core, n uses n workers. Every
// node receives the same sums in the same order either way, so the results
// are bit-identical. The calling thread keeps the window work: it never
// blocks for long and is the only thread that touches the host.
//
// When the grids are not allocated for the current size they are allocated
// and their depths set first. Returns true when the grids are complete; false
// when the user aborted (abortflag set), the field has no grid interval or
// the medium's Poisson's ratio is not usable (grids 2..19 then hold kNoValue
// everywhere).
bool calcgridstrain(WorkState& ws, Host& host, int threads = 0);

}  // namespace crustex
