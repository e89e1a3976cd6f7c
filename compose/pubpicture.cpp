#include "compose/pubpicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "compose/fringes.h"
#include "compose/geoaxes.h"
#include "compose/optimalticks.h"
#include "compose/pubparts.h"
#include "compose/receiverpicture.h"
#include "compose/slipdraw.h"
#include "compose/zerofield.h"
#include "geo/maplayers.h"
#include "model/numtext.h"
#include "plot/arrows.h"
#include "plot/clipsurface.h"
#include "plot/colorbar.h"
#include "plot/contourbands.h"
#include "plot/fringeimage.h"
#include "plot/kmaxes.h"
#include "plot/modelglyphs.h"
#include "plot/principalglyphs.h"
#include "plot/publabels.h"
#include "plot/pubstyle.h"
#include "plot/vectorglyphs.h"
#include "sites/siteglyphs.h"
#include "sites/sitegraphs.h"

namespace crustex {

namespace {

using G = ResultGrids;

// Room the latitude labels of a map picture take left of the map (tick,
// gap and a label): "35°N" and "30′" where a whole degree lies in the
// range, "34°30′N" where none does; and the room added on the right so
// that the strip keeps clear of the map. Frame units of the nominal frame.
constexpr float kShortLatitudeRoom = 74;
constexpr float kLongLatitudeRoom = 100;
constexpr float kMapStripRoom = 32;
// Receiver patches' outlines, and the height of their colour bar and of a
// field's colour bar beside them (nominal frame).
constexpr Rgb kPubReceiverOutline{110, 110, 110};
constexpr float kReceiverBarHeight = 90;
constexpr float kFieldBarWithReceivers = 150;
// With a slip model's bar in the strip too, both bars are shorter.
constexpr float kReceiverBarWithSlip = 48;
constexpr float kFieldBarWithReceiversAndSlip = 56;
// Arrows closer than this (frame units) are thinned out.
constexpr float kArrowSpacing = 14;
// Beside a slip model's colour bar the quantity's is shorter (shorter still
// above the four lines of delta CFF's receiver); the slip model's bar is as
// tall as the room above the two lines under it and the distance bar allows.
constexpr float kBarHeightWithSlip = 160;
constexpr float kCffBarHeightWithSlip = 100;
constexpr float kSlipBarHeight = 90;
constexpr float kSlipBarLeast = 36;
constexpr float kBelowSlipBar = 80;

const char* const kDegree = "\xC2\xB0";

// Map lines in greys, so that the bands stay the picture's colours.
constexpr Rgb kPubCoast{55, 55, 55};
constexpr Rgb kPubBorder{140, 140, 140};
constexpr Rgb kPubGraticule{200, 200, 200};

// The data area in frame units.
LabelBox dataarea(const WorkState& ws, const PlotFrame& f) {
    const float x0 = toframex(f, ws.xview0), x1 = toframex(f, ws.xview1);
    const float y0 = toframey(f, ws.yview0), y1 = toframey(f, ws.yview1);
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

// The map in greys, cut to the data area: the frame of the data area is the
// map's frame, and the bands fill it to the edge.
void drawmaplayers(WorkState& ws, PlotContext& pc, Host& host, Projection& proj,
                   const LabelBox& area) {
    ClipSurface clipped(pc.surface(), area);
    PlotContext mapctx = pc;
    mapctx.target = &clipped;
    mapctx.palette.coast = kPubCoast;
    mapctx.palette.border = kPubBorder;
    mapctx.palette.graticule = kPubGraticule;
    // The style labels the map with its own axes and distance bar.
    drawmap(ws, mapctx, proj, host, MapAnnotations{false, false, false});
    mapctx.palette = pc.palette;
    if (ws.volcano) drawvolcanoes(ws, mapctx, proj, host);
    if (ws.needevent) drawevents(ws, mapctx, proj, host);
}

// A horizontal bar of a round number of km (1, 2 or 5 x 10^n) at the
// foot of the strip; kmperunit is the map's scale.
void drawdistancebar(Surface& s, float kmperunit, LabelPlacer& placer, const Layout& layout) {
    if (!(kmperunit > 0) || !std::isfinite(kmperunit)) return;
    const double raw = layout.distancelength * static_cast<double>(kmperunit);
    const double e = std::pow(10.0, std::floor(std::log10(raw)));
    const double m = raw / e >= 5 ? 5 : (raw / e >= 2 ? 2 : 1);
    const auto km = static_cast<float>(m * e);
    const float length = km / kmperunit;
    const float right = layout.stripright, left = right - length, y = layout.distancey;
    const float rise = 4 * layout.scale;
    s.Line(left, y - rise, left, y, kBlack);
    s.LineTo(right, y, kBlack);
    s.LineTo(right, y - rise, kBlack);
    const std::string text = generalform(km) + " km";
    LabelBox box = textbox(s, 0, 0, text, layout.text);
    const float w = box.right - box.left;
    box = box.moved(std::min((left + right) / 2 - w / 2, layout.stripright - w),
                    y - rise - 1 - (box.bottom - box.top));
    placer.take(box);
    placer.take({left, y - rise, right, y});
    s.ForeColor = kBlack;
    s.CurrentX = box.left;
    s.CurrentY = box.top;
    s.Print(text);
}

struct Context {
    WorkState& ws;
    PlotContext& pc;
    Host& host;
    const PictureInputs& in;
    bool screen;
    LabelPlacer& placer;
    Strip& strip;
    const Layout& layout;
    LabelBox area;  // the data area, frame units
    std::string note;
    CleanedField field;  // the contoured values, rounding noise set to zero

    ContourGrid grid() const {
        const G& g = ws.grids;
        return {field.values, g.nodex, g.nodey, 0, 0, ws.xgrid, ws.ygrid};
    }
};

// Fills the bands of a contour quantity and draws the map over them;
// returns the scale (not ready when nothing could be filled).
BandScale fillcontours(Context& c, const QuantityInfo& q, bool& aborted) {
    runextraevaluation(c.ws, c.host, c.in, c.pc.frame, q.extra);
    c.field = cleanedfield(c.ws, q);
    if (c.field.zero) {
        c.note = zerofieldnote(q);
        return {};
    }
    const ContourGrid grid = c.grid();
    const ContourRule rule{c.ws.scaletype, c.ws.cline / (c.ws.nsubline + 1), c.ws.cminval,
                           c.ws.nsubline};
    BandScale scale = bandscalefor(grid, rule, !ismagnitude(q.key));
    if (scale.status != BandStatus::Ready) {
        c.note = bandstatusnote(scale);
        return scale;
    }
    aborted = drawbands(c.pc, c.host, c.ws.abortflag, grid, scale).aborted;
    return scale;
}

// The lines over the bands and the colour bar; false when the lines were
// aborted (nothing more of the quantity is drawn then).
bool drawlinesandbar(Context& c, const BandScale& scale) {
    const ContourGrid grid = c.grid();
    const ContourPens old = usepubpens(c.pc.palette);
    const ContourOutcome lines =
        drawcontourlines(c.pc, c.host, c.ws.abortflag, grid, scale.rule.subinterval,
                         scale.rule.minvalue, scale.rule.nsubline, scale.rule.scale);
    restorepens(c.pc.palette, old);
    if (lines.aborted) return false;
    const float top = c.strip.y() + 10 * c.layout.scale;
    const Layout& l = c.layout;
    drawcolorbar(c.pc, scale, {l.stripleft, top, l.barwidth, l.barheight}, c.placer, l.text);
    c.strip.moveto(top + l.barheight + 14 * l.scale);
    return true;
}

// Peak and edge labels, after everything that keeps its place.
void drawcontourlabels(Context& c, const BandScale& scale) {
    const ContourGrid grid = c.grid();
    const Layout& l = c.layout;
    if (c.ws.peakvalue) placepeaklabels(c.pc, grid, c.placer, c.area, l.text);
    const LabelBox edge{c.area.right, c.area.top - 10 * l.scale, l.stripleft - 6 * l.scale,
                        c.area.bottom + 10 * l.scale};
    placeedgelabels(c.pc, grid, scale.rule, c.placer, edge, l.text);
}

// The LOS displacement's fringes under the map; the lines of the quantity
// are the colours themselves.
void fillfringes(Context& c, const QuantityInfo& q) {
    runextraevaluation(c.ws, c.host, c.in, c.pc.frame, q.extra);
    drawfringeimage(c.ws, c.pc, c.host);
}

// The colour bar of one cycle (half a wavelength) in the strip.
void drawfringebar(Context& c) {
    const Layout& l = c.layout;
    const float top = c.strip.y() + 10 * l.scale;
    drawcyclicbar(c.pc.surface(), {l.stripleft, top, l.barwidth, l.barheight / 2},
                  c.ws.loswavelength / 2, l.text);
    // The bar and its labels: "27.75" and the like.
    c.placer.take({l.stripleft, top - l.text, l.stripright, top + l.barheight / 2 + l.text});
    c.strip.moveto(top + l.barheight / 2 + 14 * l.scale);
}

void drawcffinfo(Context& c) {
    const WorkState& ws = c.ws;
    c.strip.line("Friction: " + generalform(ws.friction));
    c.strip.line("Strike: " + generalform(ws.cffstrike) + kDegree);
    c.strip.line("Dip: " + generalform(ws.cffdip) + kDegree);
    c.strip.line("Rake: " + generalform(ws.cffrake) + kDegree);
}

// The receivers' caption and colour bar, down the strip.
void drawreceiverstrip(Context& c, const ReceiverResults& r) {
    const Layout& l = c.layout;
    c.strip.skip(6 * l.scale);
    for (const std::string& line : receiverbarcaption(r)) c.strip.line(line);
    const float top = c.strip.y() + 6 * l.scale;
    const float height =
        (c.ws.slipmodel.empty() ? kReceiverBarHeight : kReceiverBarWithSlip) * l.scale;
    drawdivergingbar(c.pc.surface(), receiverlimit(r),
                     {l.stripleft, top, l.barwidth, height, l.text});
    c.placer.take({l.stripleft, top - 6 * l.scale, l.stripright, top + height + 6 * l.scale});
    c.strip.moveto(top + height + 10 * l.scale);
}

// The node spacing thinned to at least kArrowSpacing frame units.
int arrowstride(const G& g) {
    float spacing = 1e30f;
    if (g.nodex.size() > 1) spacing = std::min(spacing, std::fabs(g.nodex[1] - g.nodex[0]));
    if (g.nodey.size() > 1) spacing = std::min(spacing, std::fabs(g.nodey[1] - g.nodey[0]));
    if (!(spacing > 0) || spacing >= kArrowSpacing) return 1;
    return static_cast<int>(std::ceil(kArrowSpacing / spacing));
}

void drawglyphs(Context& c, const QuantityInfo& q) {
    WorkState& ws = c.ws;
    G& g = ws.grids;
    Surface& s = c.pc.surface();
    const float y = c.strip.y() + 14;
    if (q.kind == QuantityKind::Principal) {
        if (ws.showgriddatachecked)
            drawprincipal(c.pc, c.host, g.duxdx, g.exy, g.duydy, g.areal, g.maxshear, g.nodex,
                          g.nodey, 0, ws.xgrid, 0, ws.ygrid, ws.rstrain);
        // Reference cross: expansion across, contraction along.
        const float x = c.layout.stripright - kArrowLength / 2;
        s.Line(x - kArrowLength / 2, y, x + kArrowLength / 2, y, c.pc.palette.positive);
        s.Line(x, y - 8, x, y + 8, c.pc.palette.negative);
        c.placer.take({x - kArrowLength / 2, y - 8, x + kArrowLength / 2, y + 8});
        c.strip.moveto(y + 12);
        c.strip.line(generalform(ws.rstrain) + std::string(q.unit));
        c.strip.line("Expansion", c.pc.palette.positive);
        c.strip.line("Contraction", c.pc.palette.negative);
        return;
    }
    const float scale = q.key == "displacement" ? ws.rdispl : ws.rtilt;
    if (ws.showgriddatachecked)
        drawheadedvectors(c.pc, c.host, g.*q.grid, g.*q.second, g.nodex, g.nodey, scale,
                          arrowstride(g), kBlack);
    const float right = c.layout.stripright;
    drawarrow(s, right - kArrowLength, y, right, y, kBlack, ArrowStyle::Headed);
    c.placer.take({right - kArrowLength, y - 4, right, y + 4});
    c.strip.moveto(y + 8);
    // The unit text of the table starts with a blank where the screen
    // style wants one; one blank between value and unit here.
    std::string unit(q.unit);
    if (!unit.empty() && unit.front() == ' ') unit.erase(0, 1);
    c.strip.line(generalform(scale) + " " + unit);
}

// The map under everything else (from white: on the screen the surface's
// kept background holds the screen style's map); fill draws what goes
// between the white and the map (the bands).
template <typename Fill>
void drawground(WorkState& ws, PlotContext& pc, Host& host, Projection* projection,
                const Layout& layout, Fill fill) {
    Surface& s = pc.surface();
    const FrameView& v = layout.view;
    const bool map = ws.needmap && projection;
    if (map) s.FillBox(v.left, v.top, v.left + v.width, v.top + v.height, kWhite);
    fill();
    if (map) drawmaplayers(ws, pc, host, *projection, dataarea(ws, pc.frame));
}

// The axes: latitude and longitude with a distance bar on a map picture,
// kilometres without one; labels keep clear of what the placer holds.
void drawaxes(WorkState& ws, PlotContext& pc, Projection* projection, const Layout& layout,
              LabelPlacer& placer) {
    Surface& s = pc.surface();
    const LabelBox area = dataarea(ws, pc.frame);
    const bool map = ws.needmap && projection;
    s.ForeColor = kBlack;
    // The axes need the projection of the map range even when no map layer
    // set it up.
    if (map && setprojection(*projection, ws)) {
        drawgeoaxes(pc, *projection, {area, ws.dlat, layout.shown, layout.text}, placer);
        drawdistancebar(s, projection->s, placer, layout);
    } else if (!map) {
        drawkmaxes(pc, ws.xview0, ws.yview0, ws.xview1, ws.yview1, placer, layout.text);
    }
}

// The slip model: its patches filled by slip (under the outlines the
// overlays draw), then its colour bar and summary in the strip, the bar as
// tall as the room left above the foot of the picture allows.
void drawslipmodel(const WorkState& ws, PlotContext& pc, const Layout& layout, LabelPlacer& placer,
                   Strip& strip) {
    if (ws.slipmodel.empty()) return;
    const SlipStats stats = slipstats(ws.slipmodel, ws.medium);
    drawslippatches(pc, ws.slipmodel, stats.maxslip, placer);
    const float scale = layout.scale;
    strip.skip(8 * scale);
    strip.line(kSlipBarTitle);
    const float top = strip.y() + 6 * scale;
    const float room = layout.shown.bottom - kBelowSlipBar * scale - top;
    const float height = std::clamp(room, kSlipBarLeast * scale, kSlipBarHeight * scale);
    drawslipbar(pc, stats.maxslip, {layout.stripleft, top, layout.barwidth, height, layout.text},
                placer);
    strip.moveto(top + height + 8 * scale);
    strip.line(std::to_string(stats.patches) + (stats.patches == 1 ? " patch" : " patches"));
    if (stats.moment > 0 && std::isfinite(stats.mw)) {
        char mw[32];
        std::snprintf(mw, sizeof mw, "Mw %.2f", stats.mw);
        strip.line(mw);
    }
}

}  // namespace

bool ismagnitude(std::string_view key) { return key == "maxshear"; }

FrameView pictureview(const WorkState& ws) {
    FrameView view;
    if (!ws.publicationstyle || !ws.needmap) return view;
    Projection p;
    float lon2 = ws.flon2;
    PlotFrame f;
    if (!setupprojection(p, ws.projection, ws.flat1, ws.flon1, ws.flat2, lon2) ||
        !setplotframe(f, ws.rwidth))
        return view;
    const float west = std::min({p.left, toframex(f, ws.xview0), toframex(f, ws.xview1)});
    const bool whole = std::floor(ws.flat2) >= std::ceil(ws.flat1);
    const float room = whole ? kShortLatitudeRoom : kLongLatitudeRoom;
    const float margin = std::clamp(room - west, 0.0f, room);
    const float aspect = view.height / view.width;
    view.left -= margin;
    view.width += margin + kMapStripRoom;
    const float height = view.width * aspect;
    view.top -= (height - view.height) / 2;
    view.height = height;
    return view;
}

void drawpublicationbody(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& in,
                         bool screen) {
    Surface& s = pc.surface();
    const PubPen pen(s);
    pc.palette.source = kBlack;
    pc.palette.dataframe = kBlack;

    LabelPlacer placer;
    Layout layout = layoutfor(pictureview(ws));
    const QuantityInfo* q = findquantity(ws.quantitykey);
    if (q && !quantityoffered(ws, *q)) q = nullptr;
    if (!ws.slipmodel.empty()) {
        const bool cff = q && q->extra == ExtraEvaluation::Cff;
        layout.barheight = (cff ? kCffBarHeightWithSlip : kBarHeightWithSlip) * layout.scale;
    }
    const bool receivers = in.receivers && !in.receivers->empty();
    // Room in the strip for the receivers' bar under the field's.
    if (receivers)
        layout.barheight = std::min(
            layout.barheight,
            (ws.slipmodel.empty() ? kFieldBarWithReceivers : kFieldBarWithReceiversAndSlip) *
                layout.scale);
    const LabelBox area = dataarea(ws, pc.frame);
    Strip strip(s, placer, area, layout);
    Context c{ws, pc, host, in, screen, placer, strip, layout, area, {}, {}};
    const bool contour = q && q->kind == QuantityKind::Contour;
    const bool fringes = q && q->kind == QuantityKind::Fringes;

    BandScale scale;
    bool aborted = false;
    drawground(ws, pc, host, in.projection, layout, [&] {
        if (contour) scale = fillcontours(c, *q, aborted);
        if (fringes) fillfringes(c, *q);
    });

    if (receivers) drawreceiverpatches(pc, *in.receivers, kPubReceiverOutline);
    if (q) {
        strip.title(std::string(q->title));
        if (contour || fringes) strip.line(quantityunit(ws, *q, true));
    }
    const bool labels =
        contour && scale.status == BandStatus::Ready && !aborted && drawlinesandbar(c, scale);
    if (fringes) drawfringebar(c);
    if (contour && q->extra == ExtraEvaluation::Cff) drawcffinfo(c);
    if (q && q->extra == ExtraEvaluation::Los)
        for (const std::string& line : losgeometrylines(ws, kDegree)) strip.line(line);
    if (contour && q->extra == ExtraEvaluation::OptimalCff) {
        c.strip.line("Friction: " + generalform(ws.friction));
        if (labels && ws.optimalticks)
            drawoptimalticks(ws, pc, {ws.needmap ? in.projection : nullptr, &pc.frame});
    }
    if (q && !contour && !fringes) drawglyphs(c, *q);
    if (receivers) drawreceiverstrip(c, *in.receivers);
    strip.skip(6 * layout.scale);
    strip.line("Depth: " + generalform(ws.obsdepth) + " km");
    drawslipmodel(ws, pc, layout, placer, strip);
    drawaxes(ws, pc, in.projection, layout, placer);
    if (labels) drawcontourlabels(c, scale);

    if (q && ws.showobsdatachecked) {
        const SiteGraphView* graph = screen ? in.sitegraph : nullptr;
        if (contour || fringes)
            drawsitegraphs(ws, pc, in.sites, graph);
        else
            drawsitevectors(ws, pc, host, in.sites, graph, q->key);
    }
    if (!c.note.empty()) host.setStatus(c.note);
}

void drawpublicationground(WorkState& ws, PlotContext& pc, Host& host, Projection* projection) {
    Surface& s = pc.surface();
    s.Cls();
    const PubPen pen(s);
    LabelPlacer placer;
    const Layout layout = layoutfor(pictureview(ws));
    drawground(ws, pc, host, projection, layout, [] {});
    drawaxes(ws, pc, projection, layout, placer);
}

void drawpublicationoverlay(WorkState& ws, PlotContext& pc, Host& host, Projection* projection,
                            const std::function<void()>& clearsitegraph) {
    drawpublicationground(ws, pc, host, projection);
    if (!ws.slipmodel.empty()) {
        const PubPen pen(pc.surface());
        LabelPlacer placer;
        const Layout layout = layoutfor(pictureview(ws));
        Strip strip(pc.surface(), placer, dataarea(ws, pc.frame), layout);
        drawslipmodel(ws, pc, layout, placer, strip);
    }
    PlotContext black = pc;
    black.palette.source = kBlack;
    black.palette.dataframe = kBlack;
    drawoverlayfigures(black, ws, clearsitegraph);
}

}  // namespace crustex
