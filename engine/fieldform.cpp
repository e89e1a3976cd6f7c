#include "engine/fieldform.h"

#include "engine/inclinedlines.h"
#include "model/dialogbounds.h"
#include "model/numtext.h"

namespace crustex {

const std::string* FieldFormText::box(std::string_view field) const {
    if (field == "rwidth") return &rwidth;
    if (field == "xview0") return &xview0;
    if (field == "yview0") return &yview0;
    if (field == "xview1") return &xview1;
    if (field == "yview1") return &yview1;
    if (field == "xgrid") return &xgrid;
    if (field == "ygrid") return &ygrid;
    if (field == "obsdepth") return &obsdepth;
    if (field == "obsincx") return &obsincx;
    if (field == "obsincy") return &obsincy;
    if (field == "obsincdpt") return &obsincdpt;
    if (field == "obsincs") return &obsincs;
    if (field == "obsincdip") return &obsincdip;
    return nullptr;
}

FieldFormText entryfieldform(const WorkState& ws) {
    FieldFormText t;
    t.rwidth = generalform(ws.rwidth);
    t.xview0 = generalform(ws.xview0);
    t.yview0 = generalform(ws.yview0);
    t.xview1 = generalform(ws.xview1);
    t.yview1 = generalform(ws.yview1);
    t.xgrid = formatnumber(static_cast<float>(ws.xgrid), "0");
    t.ygrid = formatnumber(static_cast<float>(ws.ygrid), "0");
    t.obsdepth = generalform(ws.obsdepth);
    t.obsincx = generalform(ws.obsincx);
    t.obsincy = generalform(ws.obsincy);
    t.obsincdpt = generalform(ws.obsincdpt);
    t.obsincs = generalform(ws.obsincs);
    t.obsincdip = generalform(ws.obsincdip);
    t.inclined = ws.inclined;
    return t;
}

namespace {

// "4,194,304".
std::string groupeddigits(long v) {
    const std::string digits = std::to_string(v);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string gridsizeproblem(int xgrid, int ygrid) {
    const long nodes = (static_cast<long>(xgrid) + 1) * (static_cast<long>(ygrid) + 1);
    if (nodes <= kMaxGridNodes) return "";
    return std::to_string(xgrid + 1) + " x " + std::to_string(ygrid + 1) + " nodes, at most " +
           groupeddigits(kMaxGridNodes);
}

FormCheck fixparam(WorkState& ws, const FieldFormText& text) {
    FieldValues v;
    if (FormCheck r = checkform(DialogKind::Field, text, v); !r.ok()) return r;

    const float xview0 = v.get("xview0"), yview0 = v.get("yview0");
    const float xview1 = v.get("xview1"), yview1 = v.get("yview1");
    if (!(xview1 > xview0)) return FormCheck::rejected("xview0");
    if (!(yview1 > yview0)) return FormCheck::rejected("yview0");

    const int16_t xgrid = v.getint16("xgrid"), ygrid = v.getint16("ygrid");
    if (std::string why = gridsizeproblem(xgrid, ygrid); !why.empty())
        return FormCheck::rejected("ygrid", std::move(why));

    const float obsincx = v.get("obsincx"), obsincy = v.get("obsincy");
    if (text.inclined) {
        if (!(xview0 <= obsincx && obsincx <= xview1)) return FormCheck::rejected("obsincx");
        if (!(yview0 <= obsincy && obsincy <= yview1)) return FormCheck::rejected("obsincy");
    }

    ws.rwidth = v.get("rwidth");
    ws.xview0 = xview0;
    ws.yview0 = yview0;
    ws.xview1 = xview1;
    ws.yview1 = yview1;
    ws.xgrid = xgrid;
    ws.ygrid = ygrid;
    ws.obsdepth = v.get("obsdepth");
    ws.obsincx = obsincx;
    ws.obsincy = obsincy;
    ws.obsincdpt = v.get("obsincdpt");
    ws.obsincs = v.get("obsincs");
    ws.obsincdip = v.get("obsincdip");
    ws.inclined = text.inclined;
    if (ws.inclined) calcinclinedlines(ws);
    markgridstale(ws);
    return FormCheck::accepted();
}

}  // namespace crustex
