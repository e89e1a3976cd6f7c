#include "sites/sitegraphs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>

#include "model/grid2d.h"
#include "model/numtext.h"
#include "plot/modelglyphs.h"
#include "plot/plotframe.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

using R = SiteResults;
constexpr std::string_view kMicro = "(micro strain)";

constexpr std::array<SiteGraphKind, 13> kGraphs = {{
    {"ux", "Displacement-X", "(mm)", &R::ux},
    {"uy", "Displacement-Y)", "(mm)", &R::uy},
    {"uz", "Displacement-Z", "(mm)", &R::uz},
    {"sxx", "Strain-XX", kMicro, &R::duxdx},
    {"syy", "Strain-YY", kMicro, &R::duydy},
    {"szz", "Strain-ZZ", kMicro, &R::duzdz},
    {"sxy", "Strain-XY", kMicro, &R::exy},
    {"syz", "Strain-YZ", kMicro, &R::eyz},
    {"szx", "Strain-ZX", kMicro, &R::ezx},
    {"arealstrain", "Dilatant Strain", kMicro, &R::areal},
    {"volstrain", "Volumetric Strain", kMicro, &R::vol},
    {"maxshear", "Max.Shear Strain", kMicro, &R::maxshear},
    {"cffpara", "deltaCFF", "(10E-6)", &R::cff},
}};

// Least insets of the frame in the graph area; they grow to hold the texts.
constexpr float kLeftInset = 50;
constexpr float kOtherInset = 15;
constexpr float kTick = 5;
constexpr float kLabelGap = 20;
constexpr float kTextSize = 8;  // axis labels and site names
constexpr float kNameGap = 4;   // least room between two names in a row
constexpr float kEdgeRoom = 2;  // texts keep this far from the area's edges

bool hasvalue(float v) { return v != kNoValue && std::isfinite(v); }

// A ratio within a millionth of a whole number is that number.
double snapped(double q) {
    const double r = std::round(q);
    return std::fabs(q - r) <= 1e-6 * std::max(1.0, std::fabs(q)) ? r : q;
}

// One data set: values at sites 1..n, its colour and, for an observed set
// with uncertainties, the sigmas at sites 1..n (else empty).
struct DataSet {
    std::span<const float> values;
    Rgb color;
    std::span<const float> sigma{};
};

// The sigma of site i in the set, or 0.
float sigmaat(const DataSet& set, int i) {
    if (set.sigma.empty()) return 0;
    const float v = set.sigma[static_cast<std::size_t>(i)];
    return hasvalue(v) && v > 0 ? v : 0;
}

constexpr float kErrorCap = 2;  // half the width of an error bar's caps

// How the site names are set under the frame: in one row, or alternately
// in two when they would run into each other; with every `every`-th site
// only when even two rows are too crowded.
struct NameRows {
    int rows = 1;
    int every = 1;
};

NameRows namerows(float widest, float step) {
    const float room = widest + kNameGap;
    if (room <= step) return {1, 1};
    if (room <= 2 * step) return {2, 1};
    return {2, static_cast<int>(std::ceil(room / (2 * step)))};
}

// The graph's frame and the surface it is drawn on.
struct GraphFrame {
    Surface& s;
    PlotFrame f{};
    GraphRange range;
    int n = 0;
    float left = 0, right = 0, top = 0, bottom = 0;
    float width = 0;  // the graph area's width
    float textheight = 0;
    NameRows names{};
    float x(int i) const { return toframex(f, static_cast<float>(i)); }
    float y(double v) const { return toframey(f, static_cast<float>(v)); }
};

// The site names under the frame, each centred under its site's tick and
// kept inside the area.
void sitenames(GraphFrame& g, const WorkState& ws) {
    Surface& s = g.s;
    int shown = 0;
    for (int i = 1; i <= g.n; i += g.names.every, ++shown) {
        const std::string& name = ws.site[static_cast<std::size_t>(i)].name;
        const float half = s.TextWidth(name) / 2;
        const float x = std::clamp(g.x(i), half + kEdgeRoom,
                                   std::max(half + kEdgeRoom, g.width - half - kEdgeRoom));
        const float y =
            g.bottom + kTick + 1 + static_cast<float>(shown % g.names.rows) * g.textheight;
        printtextcenter(s, x, y, name, kTextSize);
    }
}

// Frame, site ticks and names, value ticks, end labels and the zero line.
void axis(GraphFrame& g, const WorkState& ws) {
    Surface& s = g.s;
    s.DrawWidth = static_cast<int16_t>(s.DrawWidth * 2);
    s.ForeColor = kBlack;
    s.Box(g.left, g.bottom, g.right, g.top);
    for (int i = 1; i <= g.n; ++i) s.Line(g.x(i), g.bottom, g.x(i), g.bottom - kTick);
    sitenames(g, ws);
    const GraphRange& r = g.range;
    for (int k = 1; k <= r.divisions; ++k) {
        const float y = g.y(r.min + (r.max - r.min) * k / r.divisions);
        s.Line(g.left - kTick, y, g.left, y);
    }
    const float labelx = g.left - kLabelGap;
    printtextright(s, labelx, g.bottom, "$-" + axistext(static_cast<float>(r.min)), kTextSize);
    printtextright(s, labelx, g.top, "$-" + axistext(static_cast<float>(r.max)), kTextSize);
    s.DrawWidth = static_cast<int16_t>(std::max(1, s.DrawWidth / 2));
    if (r.min <= 0 && 0 <= r.max) {
        const float zero = g.y(0);
        s.Line(g.left, zero, g.right, zero);
        // Its label only where it does not run into an end label.
        if (std::min(g.bottom - zero, zero - g.top) >= g.textheight)
            printtextright(s, labelx, zero, "$-0", kTextSize);
    }
}

// The frame and the axes for n sites over the values' range (setwindow).
// The frame leaves room for the labels at its left, half a label above it
// and the rows of site names below it; the sites stand half a step in from
// its sides.
GraphFrame setwindow(Surface& s, const WorkState& ws, const SiteGraphView& view, int n, float lo,
                     float hi) {
    GraphFrame g{s, {}, graphrange(lo, hi, view.zeroline), n};
    s.setFontSize(kTextSize);
    g.width = view.width;
    g.textheight = s.TextHeight("0");
    const float labels = std::max(s.TextWidth(axistext(static_cast<float>(g.range.min))),
                                  s.TextWidth(axistext(static_cast<float>(g.range.max))));
    g.left = std::max(kLeftInset, labels + kLabelGap + kEdgeRoom);
    g.right = view.width - kOtherInset;
    g.top = std::max(kOtherInset, g.textheight / 2 + kEdgeRoom);
    float widest = 0;
    for (int i = 1; i <= n; ++i)
        widest = std::max(widest, s.TextWidth(ws.site[static_cast<std::size_t>(i)].name));
    g.names = namerows(widest, (g.right - g.left) / static_cast<float>(std::max(n, 1)));
    const float names = kTick + 1 + static_cast<float>(g.names.rows) * g.textheight + kEdgeRoom;
    g.bottom = view.height - std::max(kOtherInset, names);
    setviewframe(g.f, g.left, g.bottom, g.right, g.top);
    setfieldframe(g.f, 0.5f, static_cast<float>(g.range.min),
                  static_cast<float>(std::max(n, 1)) + 0.5f, static_cast<float>(g.range.max));
    axis(g, ws);
    return g;
}

// Bars from 0 to each value, or a polyline broken at missing values. Bars
// of two data sets stand a little apart so that neither hides the other.
void graphobsub(GraphFrame& g, const SiteGraphView& view, const DataSet& set, float offset) {
    Surface& s = g.s;
    const std::span<const float> v = set.values;
    if (view.bargraph || g.n == 1) {
        // Bars stand on 0, or on the frame's edge when 0 is outside the range.
        const double base = std::clamp(0.0, g.range.min, g.range.max);
        for (int i = 1; i <= g.n; ++i) {
            const float value = v[static_cast<std::size_t>(i)];
            if (!hasvalue(value)) continue;
            const float x = g.x(i) + offset;
            s.Line(x, g.y(base), x, g.y(value), set.color);
        }
        return;
    }
    for (int i = 2; i <= g.n; ++i) {
        const float a = v[static_cast<std::size_t>(i - 1)];
        const float b = v[static_cast<std::size_t>(i)];
        if (hasvalue(a) && hasvalue(b)) s.Line(g.x(i - 1), g.y(a), g.x(i), g.y(b), set.color);
    }
}

// A bar from value - sigma to value + sigma with caps at each site of the
// set that has both, in a darker shade of the set's colour.
void errorbars(GraphFrame& g, const DataSet& set, float offset) {
    Surface& s = g.s;
    const Rgb color{static_cast<uint8_t>(set.color.r / 2), static_cast<uint8_t>(set.color.g / 2),
                    static_cast<uint8_t>(set.color.b / 2)};
    for (int i = 1; i <= g.n; ++i) {
        const float value = set.values[static_cast<std::size_t>(i)], sigma = sigmaat(set, i);
        if (!hasvalue(value) || sigma == 0) continue;
        const float x = g.x(i) + offset, lo = g.y(value - sigma), hi = g.y(value + sigma);
        s.Line(x, lo, x, hi, color);
        s.Line(x - kErrorCap, lo, x + kErrorCap, lo, color);
        s.Line(x - kErrorCap, hi, x + kErrorCap, hi, color);
    }
}

// graphobs (one set) and graphobs2 (computed and observed). Returns the
// frame's top-left corner.
FramePoint graphobs(Surface& s, const WorkState& ws, const SiteGraphView& view, int n,
                    std::span<const DataSet> sets) {
    float lo = 0, hi = 0;
    bool any = false;
    for (const DataSet& set : sets) {
        for (int i = 1; i <= n; ++i) {
            const float v = set.values[static_cast<std::size_t>(i)];
            if (!hasvalue(v)) continue;
            const float e = sigmaat(set, i);
            lo = any ? std::min(lo, v - e) : v - e;
            hi = any ? std::max(hi, v + e) : v + e;
            any = true;
        }
    }
    // With no value at all the range is that of zeros: an empty frame.
    GraphFrame g = setwindow(s, ws, view, n, lo, hi);
    const float spacing = n > 1 ? g.x(2) - g.x(1) : g.right - g.left;
    const float apart = sets.size() > 1 ? std::min(4.0f, std::fabs(spacing) / 8) : 0.0f;
    const int16_t pen = s.DrawWidth;
    if (view.bargraph || n == 1) s.DrawWidth = 2;
    for (std::size_t k = 0; k < sets.size(); ++k)
        graphobsub(g, view, sets[k], k == 0 ? -apart : apart);
    s.DrawWidth = pen;
    for (std::size_t k = 0; k < sets.size(); ++k) errorbars(g, sets[k], k == 0 ? -apart : apart);
    if (sets.size() > 1) {
        s.ForeColor = sets[0].color;
        printtextright(s, g.right - 5, g.top + 3, "Computed", 8);
        s.ForeColor = sets[1].color;
        printtextright(s, g.right - 5, g.top + 3 + s.TextHeight("Observed"), "Observed", 8);
        s.ForeColor = kBlack;
    }
    return {g.left, g.top};
}

std::vector<float> observedvalues(const WorkState& ws, float siterec::*field) {
    const int n = std::clamp<int>(ws.nsite, 0, kMaxSites);
    std::vector<float> v(static_cast<std::size_t>(n) + 1, kNoValue);
    for (int i = 1; i <= n; ++i)
        v[static_cast<std::size_t>(i)] = ws.site[static_cast<std::size_t>(i)].*field;
    return v;
}

}  // namespace

GraphRange graphrange(float lo, float hi, bool zeroline) {
    double mn = lo, mx = hi;
    if (zeroline) {
        mn = std::min(mn, 0.0);
        mx = std::max(mx, 0.0);
    }
    if (mx == mn) {
        if (mx == 0) return {-1, 1, 2};
        const double p = std::pow(10.0, std::floor(std::log10(std::fabs(mx))));
        double top = std::ceil(snapped(mx / p));
        double bottom = std::floor(snapped(mn / p));
        if (top == bottom) {
            top += 1;
            bottom -= 1;
        }
        return {bottom * p, top * p, static_cast<int>(top - bottom)};
    }
    const double p = std::pow(10.0, std::floor(std::log10(mx - mn)));
    const double top = std::ceil(snapped(mx / p));
    const double bottom = std::floor(snapped(mn / p));
    return {bottom * p, top * p, static_cast<int>(top - bottom)};
}

const SiteGraphKind* findsitegraph(std::string_view key) {
    for (const SiteGraphKind& k : kGraphs)
        if (k.key == key) return &k;
    return nullptr;
}

std::optional<std::vector<float>> observedforkey(const WorkState& ws, std::string_view key) {
    const std::string_view kind = ws.obskind;
    const bool displacement = kind.starts_with("displacement");
    if (key == "ux" && displacement) return observedvalues(ws, &siterec::obsdx);
    if (key == "uy" && displacement) return observedvalues(ws, &siterec::obsdy);
    if (key == "uz" && (kind == "displacement3" || kind == "uz"))
        return observedvalues(ws, &siterec::obsdz);
    if (key == "volstrain" && kind == "vstrain") return observedvalues(ws, &siterec::obsvstrain);
    return std::nullopt;
}

std::optional<std::vector<float>> sigmaforkey(const WorkState& ws, std::string_view key) {
    if (!observedforkey(ws, key)) return std::nullopt;
    float siterec::*field = nullptr;
    if (key == "ux") field = &siterec::sigdx;
    if (key == "uy") field = &siterec::sigdy;
    if (key == "uz" && ws.obskind == "displacement3") field = &siterec::sigdz;
    if (field == nullptr) return std::nullopt;
    std::vector<float> v = observedvalues(ws, field);
    if (std::none_of(v.begin(), v.end(), [](float e) { return hasvalue(e) && e > 0; }))
        return std::nullopt;
    return v;
}

bool isgraphquantity(std::string_view key, bool cffcomputed) {
    if (findsitegraph(key) == nullptr) return false;
    return key != "cffpara" || cffcomputed;
}

bool sitevaluescurrent(const WorkState& ws) {
    if (ws.nsite <= 0 || ws.gridstale) return false;
    return !(std::string_view(ws.quantitykey).starts_with("cff") && ws.cffstale);
}

void drawsubg(const WorkState& ws, const SiteResults& res, const SiteGraphView& view) {
    if (view.surface == nullptr) return;
    Surface& s = *view.surface;
    if (!view.printer) s.Cls();
    const SiteGraphKind* kind = findsitegraph(ws.quantitykey);
    if (kind == nullptr) return;
    const int n = std::clamp<int>(ws.nsite, 0, kMaxSites);
    const bool bnw = view.printer && ws.bnwmode;
    const std::optional<std::vector<float>> observed = observedforkey(ws, kind->key);
    const std::optional<std::vector<float>> sigma = sigmaforkey(ws, kind->key);
    std::vector<DataSet> sets{{res.*(kind->computed), bnw ? kBlack : kComputedSiteColor}};
    if (observed)
        sets.push_back({*observed, bnw ? kObservedSiteGrey : kObservedSiteColor,
                        sigma ? std::span<const float>(*sigma) : std::span<const float>()});
    const FramePoint corner = graphobs(s, ws, view, n, sets);
    s.ForeColor = kBlack;
    printtextleft(s, corner.x + 5, corner.y + 3, kind->title, 10);
    printtextleft(s, corner.x + 5, corner.y + 3 + s.TextHeight(std::string(kind->title)),
                  kind->unit, 8);
}

void drawsitegraphs(const WorkState& ws, PlotContext& pc, const SiteResults* sites,
                    const SiteGraphView* view) {
    drawsitemarks(pc, ws, true);
    if (sites == nullptr || view == nullptr || view->surface == nullptr) return;
    SiteGraphView screen = *view;
    screen.printer = false;
    drawsubg(ws, *sites, screen);
}

std::optional<SiteGraphPage> sitegraphpage(double pagewidth, double pageheight, int xmargin,
                                           int ymargin) {
    constexpr double kPoints = 72 / 25.4;
    double w = (pagewidth - 2.0 * xmargin) * kPoints;
    double h = (pageheight - 2.0 * ymargin) * kPoints;
    if (!(w > 2 * (kLeftInset + kOtherInset)) || !(h > 4 * kOtherInset)) return std::nullopt;
    if (w * 51 > h * 64)
        w = h * 64 / 51;
    else
        h = w * 51 / 64;
    SiteGraphPage p;
    p.left = static_cast<float>(-xmargin * kPoints);
    p.top = static_cast<float>(-ymargin * kPoints);
    p.scalewidth = static_cast<float>(pagewidth * kPoints);
    p.scaleheight = static_cast<float>(pageheight * kPoints);
    p.width = static_cast<float>(w);
    p.height = static_cast<float>(h);
    return p;
}

}  // namespace crustex
