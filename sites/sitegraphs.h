// The site window's picture: a bar or line graph of the selected quantity
// at the observation sites, one position per site, the computed values in
// blue beside the observed ones in red where the site file carries that
// quantity.
//
// The graph fills the area W x H given by the caller: on the screen the
// window's picture in pixels, on the printer the page in points inside the
// margins at the aspect 64:51. The frame runs from (50, H - 15) to
// (W - 15, 15) at least, and leaves more room where the value labels, or
// the site names under it, need it: the names stand in one row, alternately
// in two when they would run into each other, and only every so many when
// two rows are too crowded. x is the site number, each site half a step in
// from the sides (0.5..n + 0.5); y the value range, which is rounded out to
// whole steps of a power of ten (and widened to take in 0 when "0-Line" is
// ticked). A missing value (kNoValue) gets no bar and breaks the line on
// both sides of its site. Observed displacements with uncertainties get an
// error bar of +-1 sigma with caps (in a darker shade of their colour) in
// both forms, and the range takes the bars in.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "engine/siteeval.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"
#include "plot/surface.h"

namespace crustex {

inline constexpr Rgb kComputedSiteColor{0, 0, 255};
inline constexpr Rgb kObservedSiteColor{255, 0, 0};
inline constexpr Rgb kObservedSiteGrey{127, 127, 127};  // black-and-white print

// Where and how the graph is drawn.
struct SiteGraphView {
    Surface* surface = nullptr;   // the window's picture, or the printer
    float width = 0, height = 0;  // W and H in the surface's units
    bool bargraph = true;         // "Bar Graph" ticked (else "Line Graph")
    bool zeroline = false;        // "0-Line" ticked
    bool printer = false;         // drawing for "printer": no clearing first,
                                  // black and grey in black-and-white mode
};

// The value range of the graph and its number of steps.
struct GraphRange {
    double min = 0, max = 0;
    int divisions = 0;
    bool operator==(const GraphRange&) const = default;
};

// The range for data from lo to hi: with zeroline, 0 is taken in; equal
// ends get a step each side (-1..1 in 2 steps for 0); otherwise the ends go
// out to whole multiples of 10^e, e = Int(log10(hi - lo)). Values 2, 5, 7
// give 2..7 in 5 steps, or 0..7 in 7 with zeroline. Ratios within a
// millionth of a whole number count as whole, so a float's last bit does
// not add a step.
GraphRange graphrange(float lo, float hi, bool zeroline);

// One quantity the graph shows: its title, unit and where its computed and
// observed values are.
struct SiteGraphKind {
    std::string_view key;
    std::string_view title;
    std::string_view unit;
    SiteResults::Values SiteResults::*computed;
};
const SiteGraphKind* findsitegraph(std::string_view key);

// The observed values of `key` at sites 1..nsite (index 0 unused) when the
// loaded observed-data kind carries that quantity.
std::optional<std::vector<float>> observedforkey(const WorkState& ws, std::string_view key);

// The sigmas of those observed values (sigdx for "ux", sigdy for "uy",
// sigdz for "uz" of "displacement3") when any site has one above 0.
std::optional<std::vector<float>> sigmaforkey(const WorkState& ws, std::string_view key);

// True when the window has a graph for the key: every key the graph draws,
// delta CFF only when it has been computed for the sites. The File menu's
// "Print...." and the View commands follow it.
bool isgraphquantity(std::string_view key, bool cffcomputed);

// True while the computed site values belong to the model as it is: sites
// are loaded, the grid has been evaluated since the last change and, for
// the delta CFF key, so has delta CFF. The window shows its graph only then.
bool sitevaluescurrent(const WorkState& ws);

// The graph of ws.quantitykey (drawsubg): clears the picture first on the
// screen; keys without a graph draw nothing more.
void drawsubg(const WorkState& ws, const SiteResults& res, const SiteGraphView& view);

// The composer's step for a contour quantity: the site marks with their
// names on the main plot, and the graph on the screen view.
void drawsitegraphs(const WorkState& ws, PlotContext& pc, const SiteResults* sites,
                    const SiteGraphView* view);

// The printed page: the surface scale (points, origin moved by the margins)
// and the graph area inside the margins at 64:51. Page and margins in mm.
struct SiteGraphPage {
    float left = 0, top = 0, scalewidth = 0, scaleheight = 0;
    float width = 0, height = 0;  // W and H
};
std::optional<SiteGraphPage> sitegraphpage(double pagewidth, double pageheight, int xmargin,
                                           int ymargin);

}  // namespace crustex
