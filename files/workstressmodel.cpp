#include "files/workstressmodel.h"

#include <algorithm>
#include <array>
#include <cmath>

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

void writereceivers(RecordWriter& w, const WorkState& ws) {
    if (ws.receivers.empty() && !modelfilebrings(ws)) return;
    const std::size_t n =
        std::min(ws.receivers.size(), static_cast<std::size_t>(kMaxRecordedReceivers));
    w.text(kReceiversKeyword);
    w.integer(static_cast<int>(n));
    w.endline();
    for (std::size_t k = 0; k < n; ++k) {
        const ReceiverFault& f = ws.receivers[k];
        for (float v : {f.x0, f.y0, f.x1, f.y1, f.top, f.width, f.dip}) w.number(v);
        const bool hasrake = std::isfinite(f.rake);
        w.boolean(hasrake);
        w.number(hasrake ? f.rake : 0);
        w.text(f.name);
        const GeoEdge g = f.geo.value_or(GeoEdge{});
        w.boolean(f.geo.has_value());
        for (float v : {g.lat0, g.lon0, g.lat1, g.lon1}) w.number(v);
        w.endline();
    }
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

namespace {

// One receiver line; false when it cannot be read.
bool readreceiver(RecordReader& r, ReceiverFault& f, bool& usable) {
    std::array<float, 8> v{};
    std::array<float, 4> g{};
    bool hasrake = false, hasgeo = false;
    if (!readfloats(r, std::span(v).first(7)) || !r.readbool(hasrake) || !r.readfloat(v[7]) ||
        !r.readtext(f.name) || !r.readbool(hasgeo) || !readfloats(r, g))
        return false;
    f.x0 = v[0], f.y0 = v[1], f.x1 = v[2], f.y1 = v[3];
    f.top = v[4], f.width = v[5], f.dip = v[6];
    f.rake = hasrake ? v[7] : std::nanf("");
    if (hasgeo) f.geo = GeoEdge{g[0], g[1], g[2], g[3]};
    usable =
        f.width > 0 && f.dip >= 0 && f.dip <= 90 && f.top >= 0 && (f.x0 != f.x1 || f.y0 != f.y1);
    return true;
}

}  // namespace

RecordRead readreceivers(RecordReader& r, std::vector<ReceiverFault>& out) {
    float count = 0;
    if (!r.readfloat(count)) return RecordRead::Broken;
    if (!(count >= 0 && count <= kMaxRecordedReceivers && count == std::floor(count)))
        return r.refuse("\"receivers\" needs a whole number of receivers from 0 to " +
                        std::to_string(kMaxRecordedReceivers));
    const int n = static_cast<int>(count);
    std::vector<ReceiverFault> read;
    int unusable = 0;
    for (int k = 0; k < n; ++k) {
        if (r.atend()) {
            out = std::move(read);
            return r.cut("\"receivers\" promises " + std::to_string(n) + " receivers, " +
                         std::to_string(k) + " follow");
        }
        ReceiverFault f;
        bool usable = false;
        if (!readreceiver(r, f, usable)) return RecordRead::Broken;
        if (usable)
            read.push_back(std::move(f));
        else
            ++unusable;
    }
    out = std::move(read);
    if (unusable > 0)
        return r.refuse(std::to_string(unusable) +
                        " receivers without length or width, or with a dip outside 0..90, "
                        "left out");
    return RecordRead::Applied;
}

}  // namespace crustex
