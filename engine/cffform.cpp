#include "engine/cffform.h"

#include "model/dialogbounds.h"
#include "model/numtext.h"

namespace crustex {

namespace {
// Rakes of the list entries 1..4.
constexpr std::array<float, 5> kFaultTypeRakes = {0, 0, 90, 180, -90};
}  // namespace

const std::string* CffFormText::box(std::string_view field) const {
    if (field == "cffstrike") return &cffstrike;
    if (field == "cffdip") return &cffdip;
    if (field == "cffrake") return &cffrake;
    if (field == "friction") return &friction;
    return nullptr;
}

int faulttypeofrake(float rake) {
    for (std::size_t n = 1; n < kFaultTypeRakes.size(); ++n) {
        if (rake == kFaultTypeRakes[n]) return static_cast<int>(n);
    }
    return 0;
}

std::optional<std::string> raketextoffaulttype(int index) {
    if (index < 1 || index >= static_cast<int>(kFaultTypeRakes.size())) return std::nullopt;
    return formatnumber(kFaultTypeRakes[static_cast<std::size_t>(index)], "0.##");
}

CffFormText entrycffform(const WorkState& ws) {
    CffFormText t;
    t.cffstrike = formatnumber(ws.cffstrike, "0.##");
    t.cffdip = formatnumber(ws.cffdip, "0.##");
    t.cffrake = formatnumber(ws.cffrake, "0.##");
    t.friction = formatnumber(ws.friction, "0.##");
    t.faulttype = faulttypeofrake(ws.cffrake);
    return t;
}

bool cffapplyenabled(const WorkState& ws) { return ws.quantitykey == "cffpara"; }

FormCheck fixparam(WorkState& ws, const CffFormText& text) {
    FieldValues v;
    if (FormCheck r = checkform(DialogKind::Cff, text, v); !r.ok()) return r;
    ws.cffstrike = v.get("cffstrike");
    ws.cffdip = v.get("cffdip");
    ws.cffrake = v.get("cffrake");
    ws.friction = v.get("friction");
    ws.cffstale = true;
    return FormCheck::accepted();
}

}  // namespace crustex
