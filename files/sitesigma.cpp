#include "files/sitesigma.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "model/grid2d.h"

namespace crustex {

namespace {

struct SigmaRecord {
    float east = 0, north = 0, up = 0, corr = 0;
};

// No value counts as none given.
float given(float v) { return v == kNoValue ? 0.0f : v; }

std::string recordproblem(const SigmaRecord& s) {
    if (!(s.east >= 0 && s.north >= 0 && s.up >= 0)) return "a negative sigma";
    if (!(std::fabs(s.corr) <= 1)) return "a correlation outside -1..1";
    return "";
}

}  // namespace

bool readsitevalue(RecordReader& r, float& out) {
    std::string field;
    if (!r.readtext(field)) return false;
    float v = 0;
    if (parserecordfloat(field, v)) {
        out = std::fabs(v) >= kNoValue ? kNoValue : v;
        return true;
    }
    std::string_view s = field;
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double d = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (s.empty() || end != s.data() + s.size()) return false;
    if (ec == std::errc::result_out_of_range || !std::isfinite(d) ||
        std::fabs(d) > std::numeric_limits<float>::max()) {
        out = kNoValue;
        return true;
    }
    return false;
}

HorizontalSigma sigmatofieldaxes(float east, float north, float corr, float gamma) {
    if (!(east > 0 && north > 0)) return {};
    const double c = std::cos(gamma), s = std::sin(gamma);
    const double ee = static_cast<double>(east) * east, nn = static_cast<double>(north) * north;
    const double en = static_cast<double>(corr) * east * north;
    // The covariance turned like the observation: x = e c + n s, y = -e s + n c.
    const double xx = c * c * ee + 2 * c * s * en + s * s * nn;
    const double yy = s * s * ee - 2 * c * s * en + c * c * nn;
    const double xy = -c * s * ee + (c * c - s * s) * en + c * s * nn;
    const double sx = std::sqrt(xx), sy = std::sqrt(yy);
    const double rho = sx > 0 && sy > 0 ? std::clamp(xy / (sx * sy), -1.0, 1.0) : 0.0;
    return {static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(rho)};
}

RecordRead readsigmablock(RecordReader& r, WorkState& ws, const ObservedBlock& last, bool withup) {
    int16_t count = 0;
    if (!r.readint(count)) return RecordRead::Broken;
    std::vector<SigmaRecord> records;
    std::string problem;
    for (int k = 0; k < count; ++k) {
        if (r.atend()) break;
        SigmaRecord s;
        if (!readsitevalue(r, s.east) || !readsitevalue(r, s.north) ||
            (withup && !readsitevalue(r, s.up)) || !readsitevalue(r, s.corr))
            return RecordRead::Broken;
        s = {given(s.east), given(s.north), given(s.up), given(s.corr)};
        if (problem.empty() && !(problem = recordproblem(s)).empty())
            problem = "site " + std::to_string(k + 1) + ": " + problem;
        records.push_back(s);
    }
    // "obsig3" ..., in the reader's words.
    std::string why = "\"";
    why += withup ? kSigma3Keyword : kSigmaKeyword;
    why += "\" ";
    const bool fits =
        withup ? last.keyword == "obd3" : last.keyword == "obd3" || last.keyword == "obd";
    if (!fits) {
        why += withup ? "follows no \"obd3\" block" : "follows no \"obd3\" or \"obd\" block";
        return r.refuse(why);
    }
    if (records.size() != last.site.size()) {
        why += "holds " + std::to_string(records.size()) + " sites, the block before it ";
        why += std::to_string(last.site.size());
        return r.refuse(why);
    }
    if (!problem.empty()) return r.refuse(why + problem);
    for (std::size_t k = 0; k < records.size(); ++k) {
        const std::size_t i = last.site[k];
        if (i == 0) continue;
        siterec& site = ws.site[i];
        const HorizontalSigma h =
            sigmatofieldaxes(records[k].east, records[k].north, records[k].corr, last.gamma[k]);
        site.sigdx = h.x;
        site.sigdy = h.y;
        site.corrdxdy = h.corr;
        site.sigdz = records[k].up;
    }
    return RecordRead::Applied;
}

}  // namespace crustex
