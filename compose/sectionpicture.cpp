#include "compose/sectionpicture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "compose/picture.h"
#include "compose/pubparts.h"
#include "compose/pubpicture.h"
#include "compose/zerofield.h"
#include "geo/eventlayer.h"
#include "model/numtext.h"
#include "plot/clipsurface.h"
#include "plot/colorbar.h"
#include "plot/contourbands.h"
#include "plot/contourtrace.h"
#include "plot/kmaxes.h"
#include "plot/legends.h"
#include "plot/publabels.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

constexpr float kScreenAxisText = 9;
constexpr float kScreenNoteText = 8;
// Room below the section for its distance axis, and the height the strip's
// texts and colour bar take at the most.
constexpr float kAxisRoom = 70;
constexpr float kStripHeight = 425;

struct Drawing {
    WorkState& ws;
    PlotContext& pc;  // the section's frame
    Host& host;
    const QuantityInfo& q;
    const SectionLayout& layout;
    const SectionPictureInputs& in;
    ContourGrid grid;
    bool zero;
};

std::string point(float x, float y) {
    std::string text = "(";
    text += generalform(x);
    text += ", ";
    text += generalform(y);
    text += ")";
    return text;
}

// The lines the strip gives about the section itself.
std::vector<std::string> sectionnotes(const Drawing& d) {
    const SectionSpec& s = d.in.section->spec;
    std::vector<std::string> notes = {"From " + point(s.x0, s.y0) + " km",
                                      "to " + point(s.x1, s.y1) + " km"};
    if (d.layout.exaggeration > 1.005f)
        notes.push_back("V.E. x" + formatnumber(d.layout.exaggeration, "0.#"));
    if (!d.in.events.empty())
        notes.push_back("Events within " + generalform(d.in.eventwithin) + " km");
    return notes;
}

// The traces and the earthquakes, cut to the section's box.
void drawoverlays(const Drawing& d, Rgb tracecolor) {
    ClipSurface clipped(d.pc.surface(), d.layout.box);
    const PlotFrame& f = d.layout.frame;
    const int16_t width = clipped.DrawWidth;
    for (const SectionTrace& t : d.in.traces) {
        clipped.DrawWidth = t.patch ? 1 : 2;
        clipped.Line(toframex(f, t.a.distance), toframey(f, -t.a.depth), toframex(f, t.b.distance),
                     toframey(f, -t.b.depth), tracecolor);
    }
    clipped.DrawWidth = width;
    for (const SectionEvent& e : d.in.events)
        clipped.Circle(toframex(f, e.at.distance), toframey(f, -e.at.depth), eventradius(e.mag),
                       d.pc.palette.earthquake);
}

void drawaxes(const Drawing& d, LabelPlacer& placer, float size) {
    const SectionSpec& s = d.in.section->spec;
    const KmAxisNames names{"Distance (km)", "Depth (km)", true};
    d.pc.surface().ForeColor = kBlack;
    drawkmaxes(d.pc, 0, -s.bottom, static_cast<float>(sectionlength(s)), -s.top, placer, size,
               names);
}

bool drawscreen(const Drawing& d) {
    WorkState& ws = d.ws;
    PlotContext& pc = d.pc;
    bool aborted = false;
    if (d.zero) {
        d.host.setStatus(zerofieldnote(d.q));
    } else {
        const float sub = ws.cline / (ws.nsubline + 1);
        aborted = drawcontour(pc, d.host, ws.abortflag, d.grid, sub, ws.cminval, ws.nsubline,
                              ws.fsize, ws.scaletype, ws.peakvalue)
                      .aborted;
    }
    pc.surface().ForeColor = kBlack;
    printtextright(pc, 635, 5, d.q.title, 10);
    printtextright(pc, 635, 20, quantityunit(ws, d.q, false), 10);
    const bool friction =
        d.q.extra == ExtraEvaluation::Cff || d.q.extra == ExtraEvaluation::OptimalCff;
    if (friction) printtextright(pc, 635, 35, "I Friction: " + generalform(ws.friction), 10);
    switch (d.q.legend) {
        case LegendKind::PlusMinus: showpm(pc); break;
        case LegendKind::DilatationContraction: showdc(pc); break;
        case LegendKind::ExpansionContraction: showec(pc); break;
        default: break;
    }
    if (d.q.extra == ExtraEvaluation::Cff) showreceiver(pc, ws.cffstrike, ws.cffdip, ws.cffrake);
    float y = 300;
    for (const std::string& note : sectionnotes(d)) {
        printtextright(pc, 635, y, note, kScreenNoteText);
        y += 12;
    }
    LabelPlacer placer;
    drawaxes(d, placer, kScreenAxisText);
    drawoverlays(d, pc.palette.source);
    Surface& s = pc.surface();
    s.setFontItalic(true);
    s.ForeColor = kSignatureScreenColor;
    const FrameView view = sectionview(d.in.section->spec);
    printtextright(pc, 640, view.top + view.height - (kFrameBottom - 505), kSignature, 10);
    s.ForeColor = kBlack;
    s.setFontItalic(false);
    return aborted;
}

bool drawpublication(const Drawing& d) {
    WorkState& ws = d.ws;
    PlotContext& pc = d.pc;
    Surface& s = pc.surface();
    const PubPen pen(s);
    const Layout layout = layoutfor(FrameView{});
    LabelPlacer placer;
    Strip strip(s, placer, d.layout.box, layout);
    const ContourRule rule{ws.scaletype, ws.cline / (ws.nsubline + 1), ws.cminval, ws.nsubline};
    BandScale scale;
    std::string note;
    bool aborted = false;
    if (d.zero) {
        note = zerofieldnote(d.q);
    } else {
        scale = bandscalefor(d.grid, rule, !ismagnitude(d.q.key));
        if (scale.status == BandStatus::Ready)
            aborted = drawbands(pc, d.host, ws.abortflag, d.grid, scale).aborted;
        else
            note = bandstatusnote(scale);
    }
    strip.title(std::string(d.q.title));
    strip.line(quantityunit(ws, d.q, true));
    bool labels = scale.status == BandStatus::Ready && !aborted && !d.zero;
    if (labels) {
        const ContourPens old = usepubpens(pc.palette);
        aborted = drawcontourlines(pc, d.host, ws.abortflag, d.grid, rule.subinterval,
                                   rule.minvalue, rule.nsubline, rule.scale)
                      .aborted;
        restorepens(pc.palette, old);
        labels = !aborted;
    }
    if (labels) {
        const float top = strip.y() + 10 * layout.scale;
        drawcolorbar(pc, scale, {layout.stripleft, top, layout.barwidth, layout.barheight}, placer,
                     layout.text);
        strip.moveto(top + layout.barheight + 14 * layout.scale);
    }
    if (d.q.extra == ExtraEvaluation::Cff || d.q.extra == ExtraEvaluation::OptimalCff)
        strip.line("Friction: " + generalform(ws.friction));
    strip.skip(6 * layout.scale);
    for (const std::string& line : sectionnotes(d)) strip.line(line);
    drawaxes(d, placer, layout.text);
    if (labels) {
        if (ws.peakvalue) placepeaklabels(pc, d.grid, placer, d.layout.box, layout.text);
        const LabelBox edge{d.layout.box.right, d.layout.box.top - 10 * layout.scale,
                            layout.stripleft - 6 * layout.scale,
                            d.layout.box.bottom + 10 * layout.scale};
        placeedgelabels(pc, d.grid, rule, placer, edge, layout.text);
    }
    drawoverlays(d, kBlack);
    if (!note.empty()) d.host.setStatus(note);
    return aborted;
}

}  // namespace

SectionLayout sectionlayout(const SectionSpec& s) {
    SectionLayout out;
    const LabelBox& most = kSectionBox;
    const double length = std::max(sectionlength(s), 1e-6);
    const double depth = std::max(static_cast<double>(s.bottom) - s.top, 1e-6);
    const double width = most.right - most.left, height = most.bottom - most.top;
    const double scale = std::min(width / length, height / depth);
    const double down =
        std::max(scale, std::min(height, static_cast<double>(kMinSectionHeight)) / depth);
    out.exaggeration = static_cast<float>(down / scale);
    out.box = {most.left, most.top, static_cast<float>(most.left + length * scale),
               static_cast<float>(most.top + depth * down)};
    setviewframe(out.frame, out.box.left, out.box.bottom, out.box.right, out.box.top);
    setfieldframe(out.frame, 0, -s.bottom, static_cast<float>(length), -s.top);
    return out;
}

FrameView sectionview(const SectionSpec& s) {
    const float bottom =
        std::clamp(sectionlayout(s).box.bottom + kAxisRoom, kStripHeight, kFrameBottom);
    FrameView view;
    view.height = bottom - view.top;
    return view;
}

SectionOutcome drawsectionpicture(WorkState& ws, PlotContext& pc, Host& host,
                                  SectionPictureInputs& in) {
    const QuantityInfo* q = findquantity(ws.quantitykey);
    if (!in.section || !q || q->kind != QuantityKind::Contour || !quantityoffered(ws, *q))
        return SectionOutcome::NotContoured;
    Section& section = *in.section;
    ResultGrids& g = section.grids;
    const SectionLayout layout = sectionlayout(section.spec);
    PlotContext spc = pc;
    spc.frame = layout.frame;
    g.nodex.clear();
    g.nodey.clear();
    for (const float d : section.nodes.distance) g.nodex.push_back(toframex(layout.frame, d));
    for (const float z : section.nodes.depth) g.nodey.push_back(toframey(layout.frame, -z));
    if (q->extra == ExtraEvaluation::CompositeDisplacement ||
        q->extra == ExtraEvaluation::CompositeStrain)
        composesection(ws, section, q->extra == ExtraEvaluation::CompositeStrain);
    const CleanedField field = cleanedfield(ws, g, *q);
    host.enableMenus(false);
    spc.surface().Cls();
    const Drawing d{ws,
                    spc,
                    host,
                    *q,
                    layout,
                    in,
                    {field.values, g.nodex, g.nodey, 0, 0, g.ux.nx(), g.ux.ny()},
                    field.zero};
    const bool aborted = ws.publicationstyle ? drawpublication(d) : drawscreen(d);
    host.enableMenus(true);
    return aborted ? SectionOutcome::Aborted : SectionOutcome::Drawn;
}

}  // namespace crustex
