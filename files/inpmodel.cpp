#include "files/inpmodel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/fieldform.h"
#include "files/maprange.h"
#include "model/dialogbounds.h"
#include "model/numtext.h"

namespace crustex {

namespace {

// Finish may miss the lattice by this share of a step.
constexpr double kLatticeSlack = 0.01;
// How far the last node is looked for around start + n * step (float steps).
constexpr int kEndSearch = 8;

// The last node of n steps from start: the float nearest start + n * step
// for which the field grid's spacing, (end - start) / n as a float, is step.
float exactend(float start, float step, int n) {
    const float nearest = static_cast<float>(static_cast<double>(start) + n * double{step});
    const auto spacing = [&](float end) { return (end - start) / static_cast<float>(n); };
    float up = nearest, down = nearest;
    for (int k = 0; k <= kEndSearch; ++k) {
        if (spacing(up) == step) return up;
        if (spacing(down) == step) return down;
        up = std::nextafter(up, std::numeric_limits<float>::infinity());
        down = std::nextafter(down, -std::numeric_limits<float>::infinity());
    }
    return nearest;
}

// One axis of the grid: "" or why it cannot be used.
std::string inpaxis(const std::string& axis, float start, float finish, float step, float& end,
                    int16_t& n) {
    if (!std::isfinite(start) || !std::isfinite(finish) || !std::isfinite(step))
        return "the grid along " + axis + " is not a number";
    if (!(step > 0)) return axis + "-increment " + generalform(step) + " is not positive";
    const double steps = std::floor((double{finish} - start) / step + kLatticeSlack);
    if (steps < 1)
        return "Finish-" + axis + " " + generalform(finish) + " is not a step beyond Start-" +
               axis + " " + generalform(start);
    constexpr int kMost = std::numeric_limits<int16_t>::max();
    if (steps > kMost) return "more than " + std::to_string(kMost) + " steps along " + axis;
    n = static_cast<int16_t>(steps);
    end = exactend(start, step, n);
    return "";
}

// A step of the shift: whole tens of km, whole km for a small grid.
float shiftstep(float size) { return size >= 20 ? 10.0f : 1.0f; }

float roundup(float v, float step) { return std::ceil(v / step) * step; }

// The shift of one axis that brings the grid inside 0..10000 km with the
// margin; 0 when the grid already starts near the origin.
float axisshift(float first, float size, float margin) {
    if (first >= 0 && first <= size) return 0;
    return roundup(margin - first, shiftstep(size));
}

std::string signedkm(float v) {
    std::string out = v >= 0 ? "+" : "";
    out += generalform(v);
    out += " km";
    return out;
}

// The plot width that holds x up to xend and y up to yend (the plot window
// is 0..W by 0..W * 51 / 64), rounded up to the step.
float plotwidth(float xend, float yend, float step) {
    return roundup(std::max(xend, yend * 64.0f / 51.0f), step);
}

// A copy of the work state without its result grids (they are lent out
// while copying), which the opening changes before it is taken.
WorkState trialstate(WorkState& ws) {
    ResultGrids grids = std::move(ws.grids);
    WorkState copy = ws;
    ws.grids = std::move(grids);
    return copy;
}

struct Trial {
    WorkState ws;
    Projection proj;
    PlotFrame frame;
};

// The map frame: the map range of Map info when the map data covers it.
bool placeonmap(Trial& trial, SlipFileRead& read, const InpField& field, PlacedModel& placed) {
    const InpMapInfo& m = read.inp->map;
    if (!inpstretch(*read.inp)) return false;
    Trial t = trial;
    const MapRange range{std::min(m.minlat, m.maxlat), std::min(m.minlon, m.maxlon),
                         std::max(m.minlat, m.maxlat), std::max(m.minlon, m.maxlon)};
    const std::optional<MapHeader> coast = coastheader(t.ws.mappath);
    if (!coast || !mapcovers(*coast, range)) {
        read.report.note(0, "Map info not used (the map data does not cover its range)");
        return false;
    }
    if (!applymaprange(t.ws, t.proj, t.frame, range)) {
        read.report.note(0, "Map info not used (the map dialog would refuse its range)");
        return false;
    }
    t.ws.xgrid = field.nx;
    t.ws.ygrid = field.ny;
    const GeoFrame geo{t.proj, t.frame};
    if (!placeslipfile(read, &geo, placed)) return false;
    trial = std::move(t);
    return true;
}

void setfield(WorkState& ws, const InpField& f, float dx, float dy) {
    ws.xview0 = f.x0 + dx;
    ws.xview1 = f.x1 + dx;
    ws.yview0 = f.y0 + dy;
    ws.yview1 = f.y1 + dy;
    ws.xgrid = f.nx;
    ws.ygrid = f.ny;
    ws.needmap = false;
}

// The shifted km of the window; "" or why the grid does not fit.
std::string placeshifted(Trial& t, SlipFileRead& read, const InpField& f, PlacedModel& placed,
                         std::string& moved) {
    const float size = std::max(f.x1 - f.x0, f.y1 - f.y0);
    const float margin = size / 8;
    const float dx = axisshift(f.x0, f.x1 - f.x0, margin);
    const float dy = axisshift(f.y0, f.y1 - f.y0, margin);
    const float width = plotwidth(f.x1 + dx + margin, f.y1 + dy + margin, shiftstep(size));
    const float limit = rulefor(DialogKind::Field, "xview1").upper;
    if (!(f.x1 + dx <= limit && f.y1 + dy <= limit && width <= limit))
        return "the grid does not fit the field's 0.." + generalform(limit) + " km";
    if (!placeslipfile(read, nullptr, placed)) return "";
    if (dx != 0 || dy != 0) {
        shiftplaced(placed, dx, dy);
        moved = "; moved by " + signedkm(dx) + " east, " + signedkm(dy) + " north";
    }
    setfield(t.ws, f, dx, dy);
    t.ws.rwidth = width;
    setplotframe(t.frame, width);
    return "";
}

// The file's km: the plot window is moved to hold the grid with a margin.
bool placefilekm(Trial& t, SlipFileRead& read, const InpField& f, PlacedModel& placed) {
    if (!placeslipfile(read, nullptr, placed)) return false;
    setfield(t.ws, f, 0, 0);
    const float size = std::max(f.x1 - f.x0, f.y1 - f.y0);
    const float margin = size / 8;
    const float width =
        plotwidth(f.x1 - f.x0 + 2 * margin, f.y1 - f.y0 + 2 * margin, shiftstep(size));
    t.ws.rwidth = width;
    setplotframe(t.frame, width);
    const float left = f.x0 - margin, bottom = f.y0 - margin;
    setfieldframe(t.frame, left, bottom, left + width, bottom + width * 51 / 64);
    return true;
}

// DEPTH and FRIC; "" or why the depth cannot be taken.
std::string takesettings(WorkState& ws, SlipFileRead& read) {
    const InpModel& m = *read.inp;
    const float depth = m.depth.value_or(0);
    if (!outofbounds(DialogKind::Field, "obsdepth", depth).empty())
        return "DEPTH " + generalform(depth) + " is not within 0..1000";
    ws.obsdepth = depth;
    ws.inclined = false;
    if (m.friction) {
        if (outofbounds(DialogKind::Cff, "friction", *m.friction).empty())
            ws.friction = *m.friction;
        else
            read.report.note(0, "FRIC " + generalform(*m.friction) + " not used (not within 0..1)");
    }
    return "";
}

}  // namespace

void geotostretch(const InpStretch& s, float lat, float lon, float& x, float& y) {
    // v carried linearly from a0..a1 onto b0..b1.
    const auto carried = [](double v, double a0, double a1, double b0, double b1) {
        return static_cast<float>(b0 + (v - a0) / (a1 - a0) * (b1 - b0));
    };
    x = carried(lon, s.lon0, s.lon1, s.x0, s.x1);
    y = carried(lat, s.lat0, s.lat1, s.y0, s.y1);
}

void shiftplaced(PlacedModel& p, float dx, float dy) {
    for (SlipPatch& s : p.model.patches) {
        s.x0 += dx;
        s.x1 += dx;
        s.y0 += dy;
        s.y1 += dy;
    }
    for (ReceiverFault& r : p.receivers) {
        r.x0 += dx;
        r.x1 += dx;
        r.y0 += dy;
        r.y1 += dy;
    }
    p.section.x0 += dx;
    p.section.x1 += dx;
    p.section.y0 += dy;
    p.section.y1 += dy;
    p.model.xshift = dx;
    p.model.yshift = dy;
}

void leavesourcesout(WorkState& ws) {
    faultrec& f = ws.fault[1];
    f = defaultSource();
    f.slip = 0;
    f.tensile = 0;
    ws.nfault = 0;
}

std::string inpfield(const InpGrid& grid, InpField& out) {
    if (!grid.given) return "no Grid Parameters";
    InpField f;
    std::string why = inpaxis("x", grid.x0, grid.x1, grid.dx, f.x1, f.nx);
    if (why.empty()) why = inpaxis("y", grid.y0, grid.y1, grid.dy, f.y1, f.ny);
    if (why.empty()) why = gridsizeproblem(f.nx, f.ny);
    if (!why.empty()) return why;
    f.x0 = grid.x0;
    f.y0 = grid.y0;
    out = f;
    return "";
}

InpOpened openinpmodel(WorkState& ws, Projection& proj, PlotFrame& frame, SlipFileRead& read,
                       const std::string& path, bool window) {
    InpOpened out;
    const auto refuse = [&](const std::string& why) {
        if (!why.empty()) read.report.fail(0, why);
        out.summary = slipsummary(read, {});
        return out;
    };
    if (read.report.failed()) return refuse("");
    if (!read.inp) return refuse("not a .inp file");
    InpField field;
    if (const std::string why = inpfield(read.inp->grid, field); !why.empty()) return refuse(why);

    Trial t{trialstate(ws), proj, frame};
    if (const std::string why = takesettings(t.ws, read); !why.empty()) return refuse(why);
    PlacedModel placed;
    std::string moved;
    if (window && placeonmap(t, read, field, placed)) {
        out.frame = InpFrame::Map;
    } else if (window) {
        out.frame = InpFrame::ShiftedKm;
        if (const std::string why = placeshifted(t, read, field, placed, moved); !why.empty())
            return refuse(why);
    } else {
        out.frame = InpFrame::FileKm;
        placefilekm(t, read, field, placed);
    }
    if (read.report.failed()) return refuse("");

    out.summary = slipsummary(read, placed) + moved;
    t.ws.medium = Medium{};
    installslipmodel(t.ws, read, std::move(placed), path);
    leavesourcesout(t.ws);
    t.ws.quantitykey.clear();
    markgridstale(t.ws);

    t.ws.grids = std::move(ws.grids);
    ws = std::move(t.ws);
    proj = t.proj;
    frame = t.frame;
    out.ok = true;
    return out;
}

}  // namespace crustex
