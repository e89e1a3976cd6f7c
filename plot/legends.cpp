#include "plot/legends.h"

#include "model/numtext.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

void showtwolines(PlotContext& pc, const char* plus, const char* minus) {
    Surface& s = pc.surface();
    s.ForeColor = pc.palette.positive;
    printtextright(pc, 635, 80, plus, 10);
    s.ForeColor = pc.palette.negative;
    printtextright(pc, 635, 95, minus, 10);
    s.ForeColor = kBlack;
}

}  // namespace

void showpm(PlotContext& pc) {
    Surface& s = pc.surface();
    s.ForeColor = pc.palette.positive;
    printtextcenter(pc, 580, 80, "$-+", 15);
    s.Line(590, 80, 630, 80, pc.palette.positive);
    s.ForeColor = pc.palette.negative;
    printtextcenter(pc, 580, 95, "$--", 20);
    s.Line(590, 95, 630, 95, pc.palette.negative);
    s.ForeColor = kBlack;
}

void showdc(PlotContext& pc) { showtwolines(pc, "+: Dilatation", "-: Contraction"); }

void showec(PlotContext& pc) { showtwolines(pc, "+: Expansion", "-: Contraction"); }

void showreceiver(PlotContext& pc, float strike, float dip, float rake) {
    printtextleft(pc, 570, 240, "strike : " + generalform(strike), 8);
    printtextleft(pc, 570, 255, "dip    : " + generalform(dip), 8);
    printtextleft(pc, 570, 270, "rake   : " + generalform(rake), 8);
}

}  // namespace crustex
