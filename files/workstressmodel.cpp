#include "files/workstressmodel.h"

#include <array>

#include "stress/moduli.h"
#include "stress/regionalstress.h"

namespace crustex {

namespace {

// A slip-model file may bring its own medium and regional stress.
bool modelfilebrings(const WorkState& ws) { return !ws.slipmodel.file.empty(); }

}  // namespace

void writemedium(RecordWriter& w, const WorkState& ws) {
    if (ws.medium == Medium{} && !modelfilebrings(ws)) return;
    w.text(kMediumKeyword);
    w.number(ws.medium.young);
    w.number(ws.medium.poisson);
    w.endline();
}

void writeregionalstress(RecordWriter& w, const WorkState& ws) {
    const RegionalStress& s = ws.regionalstress;
    if (!s.given && !modelfilebrings(ws)) return;
    w.text(kRegionalStressKeyword);
    w.boolean(s.given);
    for (const PrincipalStress& a : s.axis) {
        w.number(a.azimuth);
        w.number(a.plunge);
        w.number(a.surface);
        w.number(a.gradient);
    }
    w.endline();
}

RecordRead readmedium(RecordReader& r, Medium& out) {
    std::array<float, 2> v{};
    if (!readfloats(r, v)) return RecordRead::Broken;
    const Medium m{v[1], v[0]};
    if (!usablemedium(m))
        return r.refuse(
            "\"medium\" Young's modulus above 0 and Poisson's ratio within -1..0.5 "
            "are needed");
    out = m;
    return RecordRead::Applied;
}

RecordRead readregionalstress(RecordReader& r, RegionalStress& out) {
    RegionalStress s;
    std::array<float, 12> v{};
    if (!r.readbool(s.given) || !readfloats(r, v)) return RecordRead::Broken;
    for (std::size_t i = 0; i < 3; ++i)
        s.axis[i] = {v[4 * i], v[4 * i + 1], v[4 * i + 2], v[4 * i + 3]};
    if (s.given)
        if (const std::string why = regionalstressproblem(s); !why.empty())
            return r.refuse("\"regionalstress\" " + why);
    out = s;
    return RecordRead::Applied;
}

}  // namespace crustex
