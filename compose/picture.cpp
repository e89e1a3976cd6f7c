#include "compose/picture.h"

#include <array>
#include <string>

#include "compose/fringes.h"
#include "compose/optimalticks.h"
#include "compose/pubpicture.h"
#include "compose/receiverpicture.h"
#include "compose/slipdraw.h"
#include "compose/zerofield.h"
#include "engine/cff.h"
#include "engine/composite.h"
#include "engine/fieldgrid.h"
#include "engine/inclinedlines.h"
#include "geo/maplayers.h"
#include "model/numtext.h"
#include "plot/background.h"
#include "plot/contourtrace.h"
#include "plot/legends.h"
#include "plot/modelglyphs.h"
#include "plot/patchglyphs.h"
#include "plot/principalglyphs.h"
#include "plot/scalebar.h"
#include "plot/textplace.h"
#include "plot/vectorglyphs.h"
#include "sites/siteglyphs.h"
#include "sites/sitegraphs.h"
#include "stress/optimalplanes.h"
#include "stress/stressunits.h"

namespace crustex {

namespace {

using G = ResultGrids;
using K = QuantityKind;
using L = LegendKind;
using X = ExtraEvaluation;

const std::array<QuantityInfo, 22> kQuantities = {{
    {"ux", K::Contour, "Displacement-X(~EW)", "(mm)", L::PlusMinus, X::None, &G::ux, nullptr},
    {"uy", K::Contour, "Displacement-Y(~NS)", "(mm)", L::PlusMinus, X::None, &G::uy, nullptr},
    {"uz", K::Contour, "Displacement-Z(UD)", "(mm)", L::PlusMinus, X::None, &G::uz, nullptr},
    {"sxx", K::Contour, "Strain-XX", "(micro str)", L::ExpansionContraction, X::None, &G::duxdx,
     nullptr},
    {"syy", K::Contour, "Strain-YY", "(micro str)", L::ExpansionContraction, X::None, &G::duydy,
     nullptr},
    {"szz", K::Contour, "Strain-ZZ", "(micro str)", L::ExpansionContraction, X::None, &G::duzdz,
     nullptr},
    {"sxy", K::Contour, "Strain-XY", "(micro str)", L::PlusMinus, X::None, &G::exy, nullptr},
    {"syz", K::Contour, "Strain-YZ", "(micro str)", L::PlusMinus, X::None, &G::eyz, nullptr},
    {"szx", K::Contour, "Strain-ZX", "(micro str)", L::PlusMinus, X::None, &G::ezx, nullptr},
    {"cmpdispl", K::Contour, "Composite Displacement", "(mm)", L::PlusMinus,
     X::CompositeDisplacement, &G::composite, nullptr},
    {"cmpstrain", K::Contour, "Composite Strain", "(micro str)", L::PlusMinus, X::CompositeStrain,
     &G::composite, nullptr},
    {"arealstrain", K::Contour, "Dilatant Strain", "(micro str)", L::DilatationContraction, X::None,
     &G::areal, nullptr},
    {"volstrain", K::Contour, "Volumetric Strain", "(micro str)", L::DilatationContraction, X::None,
     &G::vol, nullptr},
    {"maxshear", K::Contour, "Maximum Shear Strain", "(micro str)", L::None, X::None, &G::maxshear,
     nullptr},
    {"cffpara", K::Contour, "deltaCFF", "(10E-6)", L::PlusMinus, X::Cff, &G::cff, nullptr},
    {"los", K::Contour, "LOS Displacement", "(mm)", L::PlusMinus, X::Los, &G::los, nullptr},
    {"fringes", K::Fringes, "Wrapped Fringes", "(mm)", L::None, X::Los, &G::los, nullptr},
    {"cffoop", K::Contour, "delta CFF (optimal planes)", "(10E-6)", L::PlusMinus, X::OptimalCff,
     &G::cffoop, nullptr},
    {"displacement", K::Vectors, "Displacement", "mm", L::Arrow, X::None, &G::ux, &G::uy},
    {"tilt1", K::Vectors, "Tilt", " micro rad", L::Arrow, X::None, &G::duxdz, &G::duydz},
    {"tilt2", K::Vectors, "Tilt", " micro rad", L::Arrow, X::None, &G::duzdx, &G::duzdy},
    {"principal", K::Principal, "Principal Strain", " micro str", L::Cross, X::None, &G::duxdx,
     nullptr},
}};

bool isscreen(std::string_view target) { return target == "screen"; }

constexpr Rgb kScreenReceiverOutline{60, 60, 60};

// Step 2: the grid evaluation when the results are out of date. False when
// the user aborted it.
bool evaluategrid(WorkState& ws, Host& host, const PictureInputs& in) {
    redimsub(ws);
    // The new grids hold no delta CFF yet, whatever the receiver did.
    ws.cffstale = true;
    if (ws.inclined) calcinclinedlines(ws);
    setfielddepth(ws);
    calcgridstrain(ws, host);
    if (ws.abortflag) return false;
    if (ws.nsite != 0 && in.sites) calcobsdata(ws, host, *in.sites);
    ws.gridstale = false;
    return true;
}

void runextra(WorkState& ws, Host& host, const PictureInputs& in, const PlotFrame& frame,
              ExtraEvaluation extra) {
    switch (extra) {
        case X::None: break;
        case X::CompositeDisplacement: composedispl(ws); break;
        case X::CompositeStrain: composestrain(ws); break;
        case X::Cff:
            if (!ws.cffstale) break;
            calcgridcff(ws, host);
            if (ws.nsite != 0 && in.sites) calcobscff(ws, host, *in.sites);
            ws.cffstale = false;
            break;
        case X::Los:
            if (ws.needmap && in.projection && setprojection(*in.projection, ws)) {
                const GeoFrame geo{*in.projection, frame};
                evaluatelos(ws, &geo);
            } else {
                evaluatelos(ws, nullptr);
            }
            break;
        case X::OptimalCff: {
            // The map's north, with the projection of the current range.
            Projection* proj = ws.needmap ? in.projection : nullptr;
            if (proj && !setprojection(*proj, ws)) proj = nullptr;
            calcgridoptimalcff(ws, {proj, proj ? &frame : nullptr});
            break;
        }
    }
}

bool showsfriction(const QuantityInfo& q) { return q.extra == X::Cff || q.extra == X::OptimalCff; }

void drawcontourquantity(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& in,
                         const QuantityInfo& q, bool screen) {
    runextra(ws, host, in, pc.frame, q.extra);
    G& g = ws.grids;
    const CleanedField field = cleanedfield(ws, q);
    if (field.zero) {
        host.setStatus(zerofieldnote(q));
    } else {
        const ContourGrid grid{field.values, g.nodex, g.nodey, 0, 0, ws.xgrid, ws.ygrid};
        const float sub = ws.cline / (ws.nsubline + 1);
        drawcontour(pc, host, ws.abortflag, grid, sub, ws.cminval, ws.nsubline, ws.fsize,
                    ws.scaletype, ws.peakvalue);
    }
    pc.surface().ForeColor = kBlack;
    printtextright(pc, 635, 5, q.title, 10);
    printtextright(pc, 635, 20, quantityunit(ws, q, false), 10);
    switch (q.legend) {
        case L::PlusMinus:
            if (showsfriction(q))
                printtextright(pc, 635, 35, "I Friction: " + generalform(ws.friction), 10);
            showpm(pc);
            if (q.extra == X::Cff) showreceiver(pc, ws.cffstrike, ws.cffdip, ws.cffrake);
            if (q.extra == X::Los) showlosgeometry(ws, pc);
            break;
        case L::DilatationContraction: showdc(pc); break;
        case L::ExpansionContraction: showec(pc); break;
        default: break;
    }
    if (q.extra == X::OptimalCff && ws.optimalticks && !field.zero)
        drawoptimalticks(ws, pc, {ws.needmap ? in.projection : nullptr, &pc.frame});
    // The sites are on every picture; their graph only in the site window.
    if (ws.showobsdatachecked) drawsitegraphs(ws, pc, in.sites, screen ? in.sitegraph : nullptr);
}

void drawglyphquantity(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& in,
                       const QuantityInfo& q, bool screen) {
    G& g = ws.grids;
    if (q.kind == K::Principal) {
        if (ws.showgriddatachecked)
            drawprincipal(pc, host, g.duxdx, g.exy, g.duydy, g.areal, g.maxshear, g.nodex, g.nodey,
                          0, ws.xgrid, 0, ws.ygrid, ws.rstrain);
        showprincipallegend(pc, ws.rstrain);
    } else {
        const float scale = q.key == "displacement" ? ws.rdispl : ws.rtilt;
        if (ws.showgriddatachecked)
            drawvectors(pc, host, g.*q.grid, g.*q.second, g.nodex, g.nodey, 0, ws.xgrid, 0,
                        ws.ygrid, scale);
        showarrowlegend(pc, scale, q.unit);
    }
    pc.surface().ForeColor = kBlack;
    printtextright(pc, 635, 5, q.title, 10);
    if (ws.showobsdatachecked)
        drawsitevectors(ws, pc, host, in.sites, screen ? in.sitegraph : nullptr, q.key);
}

// The fringe image: the LOS displacement first, then its colours. An
// abort stops the image where it is; the picture goes on.
void drawfringes(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& in) {
    runextra(ws, host, in, pc.frame, X::Los);
    drawfringeimage(ws, pc, host);
}

void drawfringequantity(WorkState& ws, PlotContext& pc, const PictureInputs& in,
                        const QuantityInfo& q, bool screen) {
    pc.surface().ForeColor = kBlack;
    printtextright(pc, 635, 5, q.title, 10);
    printtextright(pc, 635, 20, q.unit, 10);
    drawfringelegend(ws, pc);
    if (ws.showobsdatachecked) drawsitegraphs(ws, pc, in.sites, screen ? in.sitegraph : nullptr);
}

// Step 8: what is drawn even after an aborted evaluation.
void drawoverlays(WorkState& ws, PlotContext& pc) {
    const std::string_view key = ws.quantitykey;
    const bool arrows = key == "displacement" || key.starts_with("tilt");
    if (!arrows || ws.showgriddatachecked) {
        drawdataframe(pc, ws.xview0, ws.yview0, ws.xview1, ws.yview1);
        if (ws.inclined) drawdepthlines(pc, ws);
    }
    // The publication style outlines the patches over their fill itself.
    if (!ws.publicationstyle) drawpatchoutlines(pc, ws.slipmodel, pc.palette.source);
    drawsources(pc, ws);
    drawarea(pc, ws);
    if (!ws.needmap && !ws.publicationstyle) drawscalebar(pc, ws.rwidth);
}

void drawsignature(PlotContext& pc, bool screen) {
    Surface& s = pc.surface();
    s.setFontItalic(true);
    s.ForeColor = screen ? kSignatureScreenColor : kBlack;
    printtextright(pc, 640, 505, kSignature, 10);
    s.ForeColor = kBlack;
    s.setFontItalic(false);
}

}  // namespace

void runextraevaluation(WorkState& ws, Host& host, const PictureInputs& in, const PlotFrame& frame,
                        ExtraEvaluation extra) {
    runextra(ws, host, in, frame, extra);
}

bool quantityoffered(const WorkState& ws, const QuantityInfo& q) {
    return q.extra != X::OptimalCff || regionalstressproblem(ws.regionalstress).empty();
}

std::string quantityunit(const WorkState& ws, const QuantityInfo& q, bool publication) {
    if (q.extra != X::Cff && q.extra != X::OptimalCff) return std::string(q.unit);
    return publication ? stressunitpubtext(ws.stressunit) : stressunitlegend(ws.stressunit);
}

const QuantityInfo* findquantity(std::string_view key) {
    for (const auto& q : kQuantities)
        if (q.key == key) return &q;
    return nullptr;
}

PictureOutcome drawpicture(WorkState& ws, PlotContext& pc, Host& host, std::string_view target,
                           const PictureInputs& in) {
    const bool screen = isscreen(target);
    if (!pc.screen || (!screen && !in.printer)) return PictureOutcome::NoTarget;

    pc.target = pc.screen;  // every picture starts from the screen target
    host.enableMenus(false);
    bool aborted = false;
    if (ws.gridstale) aborted = !evaluategrid(ws, host, in);

    if (!aborted) {
        setnodeframes(pc.frame, ws.xview0, ws.yview0, ws.xview1, ws.yview1, ws.grids.nodex,
                      ws.grids.nodey, ws.xgrid, ws.ygrid);
        if (screen) {
            pc.target = pc.screen;
            pc.surface().Cls();
        } else {
            pc.target = in.printer;
            if (ws.bnwmode) {
                setcolormode(pc.palette, "bnw");
                pc.colormode = "bnw";
            }
        }
        if (ws.pastedbackground && in.background) paintbackground(pc, host, *in.background);
        const bool pub = ws.publicationstyle;
        if (pub) drawpublicationbody(ws, pc, host, in, screen);
        const QuantityInfo* shown = findquantity(ws.quantitykey);
        if (shown && !quantityoffered(ws, *shown)) shown = nullptr;
        const QuantityInfo* q = pub ? nullptr : shown;
        // The fringes lie on the ground, under the map's lines.
        const bool fringes = q && q->kind == K::Fringes;
        if (!pub && ws.needmap && in.projection) {
            Projection& proj = *in.projection;
            if (ws.topocolor || ws.topocontour) drawtopography(ws, pc, proj, host);
            if (fringes) drawfringes(ws, pc, host, in);
            drawmap(ws, pc, proj, host);
            if (ws.volcano) drawvolcanoes(ws, pc, proj, host);
            if (ws.needevent) drawevents(ws, pc, proj, host);
        } else if (fringes) {
            drawfringes(ws, pc, host, in);
        }
        if (q) {
            if (q->kind == K::Contour)
                drawcontourquantity(ws, pc, host, in, *q, screen);
            else if (fringes)
                drawfringequantity(ws, pc, in, *q, screen);
            else
                drawglyphquantity(ws, pc, host, in, *q, screen);
        }
        const bool receivers = in.receivers && !in.receivers->empty();
        if (!pub && receivers) {
            drawreceiverpatches(pc, *in.receivers, kScreenReceiverOutline);
            drawreceiverbar(pc, *in.receivers);
        }
        pc.surface().ForeColor = kBlack;
        if (!pub) printtextright(pc, 635, 50, "Depth:" + generalform(ws.obsdepth) + "km", 10);
        if (!pub && !ws.slipmodel.empty()) drawsliplegend(pc, slipstats(ws.slipmodel, ws.medium));
    }

    drawoverlays(ws, pc);
    if (!ws.publicationstyle) drawsignature(pc, pc.target == pc.screen);

    pc.target = pc.screen;
    const char* mode = ws.needmap ? "map" : "nomap";
    setcolormode(pc.palette, mode);
    pc.colormode = mode;
    host.enableMenus(true);
    return aborted ? PictureOutcome::EvaluationAborted : PictureOutcome::Drawn;
}

}  // namespace crustex
