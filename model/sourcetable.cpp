#include "model/sourcetable.h"

#include <array>

#include "model/dialogbounds.h"
#include "model/inputcheck.h"
#include "model/numtext.h"

namespace crustex {

SourceTexts sourcetexts(const faultrec& f) {
    auto t = [](float v) { return formatnumber(v, "0.##"); };
    return {t(f.fx0),    t(f.fx1),    t(f.fy0),    t(f.fy1),       t(f.fdipangle),
            t(f.fwidth), t(f.fdepth), t(f.slip),   t(f.rakeangle), t(f.tensile),
            t(f.px),     t(f.py),     t(f.pdepth), t(f.piso)};
}

FormCheck storetxt(const SourceTexts& texts, faultrec& rec) {
    const std::array<const std::string*, 14> boxes{
        &texts.fx0,    &texts.fx1,    &texts.fy0,    &texts.fy1,       &texts.fdipangle,
        &texts.fwidth, &texts.fdepth, &texts.slip,   &texts.rakeangle, &texts.tensile,
        &texts.px,     &texts.py,     &texts.pdepth, &texts.piso};
    const auto bounds = dialogbounds(DialogKind::SourceEditor);
    std::array<FieldInput, 14> inputs{};
    for (std::size_t k = 0; k < inputs.size(); ++k)
        inputs[k] = {bounds[k].field, *boxes[k], bounds[k].rule};
    FieldValues v;
    FormCheck check = checkfields(inputs, v);
    if (!check.ok()) return check;
    if (v.get("fx0") == v.get("fx1") && v.get("fy0") == v.get("fy1"))
        return FormCheck::rejected("fx0");
    // The record's order: edges, depth, width, dip, dislocation, point source.
    rec.fx0 = v.get("fx0");
    rec.fy0 = v.get("fy0");
    rec.fx1 = v.get("fx1");
    rec.fy1 = v.get("fy1");
    rec.fdepth = v.get("fdepth");
    rec.fwidth = v.get("fwidth");
    rec.fdipangle = v.get("fdipangle");
    rec.slip = v.get("slip");
    rec.rakeangle = v.get("rakeangle");
    rec.tensile = v.get("tensile");
    rec.px = v.get("px");
    rec.py = v.get("py");
    rec.pdepth = v.get("pdepth");
    rec.piso = v.get("piso");
    return FormCheck::accepted();
}

std::string multisourceentry(int k) {
    return std::string(kMultiSourcePrefix) + formatnumber(static_cast<float>(k), "#");
}

int multisourcenumber(std::string_view entry) {
    if (!entry.starts_with(kMultiSourcePrefix)) return 0;
    std::string_view digits = entry.substr(kMultiSourcePrefix.size());
    if (digits.empty() || digits.size() > 4) return 0;
    int k = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9') return 0;
        k = k * 10 + (ch - '0');
    }
    return k;
}

std::vector<std::string> sourcelistentries(int count) {
    std::vector<std::string> list{std::string(kSingleFaultEntry), std::string(kSinglePointEntry)};
    if (count > 1)
        for (int k = 1; k <= count; ++k) list.push_back(multisourceentry(k));
    return list;
}

namespace {
std::string limittext(const char* what) {
    return "You can Take only " + generalform(static_cast<float>(kMaxSources)) + what;
}
}  // namespace

std::string sourcelimittext() { return limittext(" sources"); }
std::string faultlimittext() { return limittext(" Faults"); }

void sourcelimitmessage(Host& host) {
    host.messageBox(sourcelimittext(), "Warning", MsgIcon::Exclamation, MsgButtons::Ok);
}

void faultlimitmessage(Host& host) {
    host.messageBox(faultlimittext(), "Warning", MsgIcon::Exclamation, MsgButtons::Ok);
}

bool addsourceallowed(int count, Host& host) {
    if (count < kMaxSources) return true;
    sourcelimitmessage(host);
    return false;
}

}  // namespace crustex
