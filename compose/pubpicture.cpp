#include "compose/pubpicture.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "compose/geoaxes.h"
#include "compose/zerofield.h"
#include "geo/maplayers.h"
#include "model/numtext.h"
#include "plot/arrows.h"
#include "plot/colorbar.h"
#include "plot/contourbands.h"
#include "plot/kmaxes.h"
#include "plot/principalglyphs.h"
#include "plot/publabels.h"
#include "plot/pubstyle.h"
#include "plot/vectorglyphs.h"
#include "sites/siteglyphs.h"
#include "sites/sitegraphs.h"

namespace crustex {

namespace {

using G = ResultGrids;

// The column right of the plot: texts end at kStripRight, the colour bar
// and the reference glyphs start at kStripLeft. Everything stays inside
// the part of the frame that both the screen and the printed page show
// (x 0..640, y 0..505).
constexpr float kStripRight = 637;
constexpr float kStripLeft = 550;
constexpr float kStripTop = 1;
constexpr float kColorBarWidth = 10;
constexpr float kColorBarHeight = 250;
// Arrows closer than this (frame units) are thinned out.
constexpr float kArrowSpacing = 14;
// The distance bar of a map picture: about this long, at this height.
constexpr float kDistanceBarLength = 60;
constexpr float kDistanceBarY = 498;

const char* const kDegree = "\xC2\xB0";

// Map lines in greys, so that the bands stay the picture's colours.
constexpr Rgb kPubCoast{55, 55, 55};
constexpr Rgb kPubBorder{140, 140, 140};
constexpr Rgb kPubGraticule{200, 200, 200};

// Writes right-aligned lines down the strip, each taken in the placer.
class Strip {
public:
    // avoid: the data area, which a long title must not run into.
    Strip(Surface& s, LabelPlacer& placer, const LabelBox& avoid)
        : s_(s), placer_(placer), avoid_(avoid) {}

    void line(const std::string& text, float size, Rgb color = kBlack) {
        const LabelBox box = linebox(text, size, y_);
        placer_.take(box);
        s_.ForeColor = color;
        s_.CurrentX = box.left;
        s_.CurrentY = box.top;
        s_.Print(text);
        s_.ForeColor = kBlack;
        y_ = box.bottom + 1;
    }
    // The quantity's name: in one line at the title size when that clears
    // the data area (a wide field reaches close to the strip's top), else
    // broken before its "(" part, else at the text size, else both.
    void title(const std::string& text) {
        const std::size_t cut = text.find('(');
        std::vector<std::string> split{text};
        if (cut != std::string::npos && cut > 0) split = {text.substr(0, cut), text.substr(cut)};
        const std::vector<std::string> tries[] = {{text}, split};
        for (const float size : {kPubTitleSize, kPubTextSize}) {
            for (const auto& lines : tries) {
                if (!clears(lines, size)) continue;
                for (const std::string& l : lines) line(l, size);
                return;
            }
        }
        line(text, kPubTitleSize);
    }
    void skip(float dy) { y_ += dy; }
    float y() const { return y_; }
    void moveto(float y) { y_ = y; }

private:
    LabelBox linebox(const std::string& text, float size, float top) {
        const LabelBox box = textbox(s_, 0, top, text, size);
        return box.moved(kStripRight - box.right, 0);
    }
    bool clears(const std::vector<std::string>& lines, float size) {
        float top = y_;
        for (const std::string& l : lines) {
            const LabelBox box = linebox(l, size, top);
            if (box.grown(2).overlaps(avoid_)) return false;
            top = box.bottom + 1;
        }
        return true;
    }

    Surface& s_;
    LabelPlacer& placer_;
    LabelBox avoid_;
    float y_ = kStripTop;
};

// The data area in frame units.
LabelBox dataarea(const WorkState& ws, const PlotFrame& f) {
    const float x0 = toframex(f, ws.xview0), x1 = toframex(f, ws.xview1);
    const float y0 = toframey(f, ws.yview0), y1 = toframey(f, ws.yview1);
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

void drawmaplayers(WorkState& ws, PlotContext& pc, Host& host, Projection& proj) {
    // The style labels the map with its own axes and distance bar.
    PlotContext mapctx = pc;
    mapctx.palette.coast = kPubCoast;
    mapctx.palette.border = kPubBorder;
    mapctx.palette.graticule = kPubGraticule;
    drawmap(ws, mapctx, proj, host, MapAnnotations{false, false});
    if (ws.volcano) drawvolcanoes(ws, pc, proj, host);
    if (ws.needevent) drawevents(ws, pc, proj, host);
}

// A horizontal bar of a round number of km (1, 2 or 5 x 10^n) at the
// foot of the strip; kmperunit is the map's scale.
void drawdistancebar(Surface& s, float kmperunit, LabelPlacer& placer) {
    if (!(kmperunit > 0) || !std::isfinite(kmperunit)) return;
    const double raw = kDistanceBarLength * static_cast<double>(kmperunit);
    const double e = std::pow(10.0, std::floor(std::log10(raw)));
    const double m = raw / e >= 5 ? 5 : (raw / e >= 2 ? 2 : 1);
    const auto km = static_cast<float>(m * e);
    const float length = km / kmperunit;
    const float right = kStripRight, left = right - length, y = kDistanceBarY;
    s.Line(left, y - 4, left, y, kBlack);
    s.LineTo(right, y, kBlack);
    s.LineTo(right, y - 4, kBlack);
    const std::string text = generalform(km) + " km";
    LabelBox box = textbox(s, 0, 0, text, kPubTextSize);
    const float w = box.right - box.left;
    box = box.moved(std::min((left + right) / 2 - w / 2, kStripRight - w),
                    y - 5 - (box.bottom - box.top));
    placer.take(box);
    placer.take({left, y - 4, right, y});
    s.ForeColor = kBlack;
    s.CurrentX = box.left;
    s.CurrentY = box.top;
    s.Print(text);
}

// Lines over the bands: greys by level kind.
struct ContourPens {
    Rgb zero, main, pos, neg;
};
ContourPens usepubpens(Palette& p) {
    const ContourPens old{p.zerocontour, p.maincontour, p.possubcontour, p.negsubcontour};
    p.zerocontour = kPubZeroLine;
    p.maincontour = kPubMainLine;
    p.possubcontour = kPubSubLine;
    p.negsubcontour = kPubSubLine;
    return old;
}
void restorepens(Palette& p, const ContourPens& old) {
    p.zerocontour = old.zero;
    p.maincontour = old.main;
    p.possubcontour = old.pos;
    p.negsubcontour = old.neg;
}

struct Context {
    WorkState& ws;
    PlotContext& pc;
    Host& host;
    const PictureInputs& in;
    bool screen;
    LabelPlacer& placer;
    Strip& strip;
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
    runextraevaluation(c.ws, c.host, c.in, q.extra);
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
    const float top = c.strip.y() + 10;
    drawcolorbar(c.pc, scale, {kStripLeft, top, kColorBarWidth, kColorBarHeight}, c.placer,
                 kPubTextSize);
    c.strip.moveto(top + kColorBarHeight + 14);
    return true;
}

// Peak and edge labels, after everything that keeps its place.
void drawcontourlabels(Context& c, const BandScale& scale) {
    const ContourGrid grid = c.grid();
    if (c.ws.peakvalue) placepeaklabels(c.pc, grid, c.placer, c.area, kPubTextSize);
    const LabelBox edge{c.area.right, c.area.top - 10, kStripLeft - 6, c.area.bottom + 10};
    placeedgelabels(c.pc, grid, scale.rule, c.placer, edge, kPubTextSize);
}

void drawcffinfo(Context& c) {
    const WorkState& ws = c.ws;
    c.strip.line("Friction: " + generalform(ws.friction), kPubTextSize);
    c.strip.line("Strike: " + generalform(ws.cffstrike) + kDegree, kPubTextSize);
    c.strip.line("Dip: " + generalform(ws.cffdip) + kDegree, kPubTextSize);
    c.strip.line("Rake: " + generalform(ws.cffrake) + kDegree, kPubTextSize);
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
        const float x = kStripRight - kArrowLength / 2;
        s.Line(x - kArrowLength / 2, y, x + kArrowLength / 2, y, c.pc.palette.positive);
        s.Line(x, y - 8, x, y + 8, c.pc.palette.negative);
        c.placer.take({x - kArrowLength / 2, y - 8, x + kArrowLength / 2, y + 8});
        c.strip.moveto(y + 12);
        c.strip.line(generalform(ws.rstrain) + std::string(q.unit), kPubTextSize);
        c.strip.line("Expansion", kPubTextSize, c.pc.palette.positive);
        c.strip.line("Contraction", kPubTextSize, c.pc.palette.negative);
        return;
    }
    const float scale = q.key == "displacement" ? ws.rdispl : ws.rtilt;
    if (ws.showgriddatachecked)
        drawheadedvectors(c.pc, c.host, g.*q.grid, g.*q.second, g.nodex, g.nodey, scale,
                          arrowstride(g), kBlack);
    drawarrow(s, kStripRight - kArrowLength, y, kStripRight, y, kBlack, ArrowStyle::Headed);
    c.placer.take({kStripRight - kArrowLength, y - 4, kStripRight, y + 4});
    c.strip.moveto(y + 8);
    // The unit text of the table starts with a blank where the screen
    // style wants one; one blank between value and unit here.
    std::string unit(q.unit);
    if (!unit.empty() && unit.front() == ' ') unit.erase(0, 1);
    c.strip.line(generalform(scale) + " " + unit, kPubTextSize);
}

}  // namespace

bool ismagnitude(std::string_view key) { return key == "maxshear"; }

void drawpublicationbody(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& in,
                         bool screen) {
    Surface& s = pc.surface();
    const DrawMode mode = s.drawMode;
    const bool italic = s.FontItalic();
    s.drawMode = DrawMode::CopyPen;
    s.setFontItalic(false);
    pc.palette.source = kBlack;
    pc.palette.dataframe = kBlack;

    LabelPlacer placer;
    const LabelBox area = dataarea(ws, pc.frame);
    Strip strip(s, placer, area);
    Context c{ws, pc, host, in, screen, placer, strip, area, {}, {}};
    const QuantityInfo* q = findquantity(ws.quantitykey);
    const bool contour = q && q->kind == QuantityKind::Contour;

    // A map picture starts from white: on the screen the surface's kept
    // background holds the screen style's map, which this style redraws.
    const bool map = ws.needmap && in.projection;
    if (map) s.FillBox(kFrameLeft, kFrameTop, kFrameRight, kFrameBottom, kWhite);
    BandScale scale;
    bool aborted = false;
    if (contour) scale = fillcontours(c, *q, aborted);
    if (map) drawmaplayers(ws, pc, host, *in.projection);

    s.ForeColor = kBlack;
    // The axes need the projection of the map range even when no map layer
    // set it up.
    if (map && setprojection(*in.projection, ws)) {
        const Projection& proj = *in.projection;
        drawgeoaxes(pc, proj, {ws.flat1, ws.flat2, ws.flon1, ws.flon2, ws.dlat}, placer,
                    kPubTextSize);
        drawdistancebar(s, proj.s, placer);
    } else if (!map) {
        drawkmaxes(pc, ws.xview0, ws.yview0, ws.xview1, ws.yview1, placer, kPubTextSize);
    }

    if (q) {
        strip.title(std::string(q->title));
        if (contour) strip.line(std::string(q->unit), kPubTextSize);
    }
    const bool labels =
        contour && scale.status == BandStatus::Ready && !aborted && drawlinesandbar(c, scale);
    if (contour && q->extra == ExtraEvaluation::Cff) drawcffinfo(c);
    if (q && !contour) drawglyphs(c, *q);
    strip.skip(6);
    strip.line("Depth: " + generalform(ws.obsdepth) + " km", kPubTextSize);
    if (labels) drawcontourlabels(c, scale);

    if (q && ws.showobsdatachecked && screen) {
        if (contour)
            drawsitegraphs(ws, pc, in.sites, in.sitegraph);
        else
            drawsitevectors(ws, pc, host, in.sites, in.sitegraph, q->key);
    }
    s.ForeColor = kBlack;
    s.drawMode = mode;
    s.setFontItalic(italic);
    if (!c.note.empty()) host.setStatus(c.note);
}

}  // namespace crustex
