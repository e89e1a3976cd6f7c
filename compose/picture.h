// The whole picture of the selected quantity, on the screen or the printer.
//
// drawpicture evaluates the field grid when it is out of date, clears the
// target, paints the pasted background and the map layers, draws the
// selected quantity as contours, vectors or principal-strain crosses with
// its title, unit and legend, then the field depth, the data area frame,
// the sources, the area polygon, the scale bar (without a map) and the
// signature, and finally restores the screen target and the palette. The
// five top menus are disabled while it runs.
#pragma once

#include <string>
#include <string_view>

#include "engine/siteeval.h"
#include "geo/projection.h"
#include "model/grid2d.h"
#include "model/host.h"
#include "model/resultgrids.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"
#include "sites/sitegraphs.h"
#include "stress/receiverstress.h"

namespace crustex {

enum class QuantityKind { Contour, Vectors, Principal, Fringes };
enum class LegendKind {
    None,
    PlusMinus,
    DilatationContraction,
    ExpansionContraction,
    Arrow,
    Cross
};
enum class ExtraEvaluation { None, CompositeDisplacement, CompositeStrain, Cff, Los, OptimalCff };

// One row of the quantity table: what a quantity key draws.
struct QuantityInfo {
    std::string_view key;
    QuantityKind kind;
    std::string_view title;
    std::string_view unit;  // contour unit line, or the arrow legend's unit
    LegendKind legend;
    ExtraEvaluation extra;
    Grid2D ResultGrids::*grid;    // contoured grid, or the x component
    Grid2D ResultGrids::*second;  // the y component of vectors (else null)
};

// The row of a key, or nullptr for the empty key and unknown keys (which
// show nothing).
const QuantityInfo* findquantity(std::string_view key);

// True when the work can show the quantity: delta CFF on optimal planes
// needs a usable regional stress. A quantity not offered shows nothing.
bool quantityoffered(const WorkState& ws, const QuantityInfo& q);

// The signature at the bottom right of every picture.
inline constexpr std::string_view kSignature = "$_//  CRUSTEX  // ";
inline constexpr Rgb kSignatureScreenColor{127, 127, 255};

// What the caller supplies besides the work state.
struct PictureInputs {
    // The printer target, already set up with its page scale (used for any
    // target word other than "screen").
    Surface* printer = nullptr;
    // The pasted background picture; painted when ws.pastedbackground is set.
    const Picture* background = nullptr;
    // Where the site values go; the sites are evaluated (when loaded) only
    // when this is given.
    SiteResults* sites = nullptr;
    // The site window's picture: its graph is drawn there for a contour
    // quantity and cleared for a vector quantity (with "Show Obs. Sites
    // Data" checked, on the screen only).
    const SiteGraphView* sitegraph = nullptr;
    // The projection the map layers set up and draw with; without it no map
    // layer is drawn.
    Projection* projection = nullptr;
    // Receiver faults with their stress change, drawn over the quantity
    // (compose/receiverpicture.h); none when null or empty.
    const ReceiverResults* receivers = nullptr;
};

// The unit line of a quantity: the table's, or for a stress quantity the
// work's stress unit ("(10E-6)", "(bar)", "(MPa)"; in the publication style the default unit reads
// "delta CFF / rigidity (10^-6)").
std::string quantityunit(const WorkState& ws, const QuantityInfo& q, bool publication);

enum class PictureOutcome {
    Drawn,              // the whole picture
    EvaluationAborted,  // Ctrl-Q during the grid evaluation: only the overlays
                        // and the signature were drawn, the grid stays stale
    NoTarget,           // no screen or printer surface to draw on: nothing done
};

// Runs a quantity's extra evaluation before it is drawn: the composites,
// delta CFF (with the sites' delta CFF) when it is out of date, the LOS
// displacement (turned by the meridian angles of the inputs' projection on
// the frame while the map is on), or delta CFF on optimal planes (its
// azimuths turned to the map's north when the map is on).
void runextraevaluation(WorkState& ws, Host& host, const PictureInputs& in, const PlotFrame& frame,
                        ExtraEvaluation extra);

// Composes the picture for the target word "screen" or "printer". On an
// aborted evaluation of a printed picture the caller should cancel the
// print job: the page holds nothing.
PictureOutcome drawpicture(WorkState& ws, PlotContext& pc, Host& host, std::string_view target,
                           const PictureInputs& inputs = {});

}  // namespace crustex
