#include "export/sitecsv.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "export/fieldexport.h"
#include "plot/contourtrace.h"
#include "sites/misfit.h"

namespace crustex {

namespace {

// The lead bytes of UTF-8 sequences of more than one byte: their range,
// the sequence's length and the range of its second byte (which rules out
// overlong forms, surrogates and values past U+10FFFF).
struct LeadByte {
    unsigned char first, last;
    std::size_t length;
    unsigned char secondlo, secondhi;
};
constexpr LeadByte kLeadBytes[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// The length of the UTF-8 sequence at the start of s, 0 when it is not a
// whole, shortest-form sequence of a character other than NUL.
std::size_t utf8length(std::string_view s) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    if (byte(0) >= 0x01 && byte(0) <= 0x7F) return 1;
    for (const LeadByte& lead : kLeadBytes) {
        if (byte(0) < lead.first || byte(0) > lead.last) continue;
        if (s.size() < lead.length || byte(1) < lead.secondlo || byte(1) > lead.secondhi) return 0;
        for (std::size_t k = 2; k < lead.length; ++k)
            if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
        return lead.length;
    }
    return 0;
}

// The text as valid UTF-8: a byte that starts no whole character, and a
// NUL, becomes U+FFFD.
std::string validutf8(std::string_view s) {
    std::string out;
    while (!s.empty()) {
        const std::size_t n = utf8length(s);
        out += n > 0 ? s.substr(0, n) : std::string_view("\xEF\xBF\xBD");
        s.remove_prefix(std::max<std::size_t>(n, 1));
    }
    return out;
}

// A text cell in valid UTF-8, quoted when it holds a separator, a quote or
// a line end.
std::string textcell(const std::string& raw) {
    const std::string s = validutf8(raw);
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// The unit as a column suffix: "micro rad" gives "microrad".
std::string unitsuffix(std::string_view unit) {
    std::string out;
    for (const char c : unit)
        if (c != ' ') out += c;
    return out;
}

}  // namespace

std::string sitecsvtext(
    const WorkState& ws, const SiteResults& computed,
    const std::function<void(float x, float y, float& lon, float& lat)>& togeo) {
    const MisfitKind* kind = findmisfitkind(ws.obskind);
    const int parts = kind != nullptr ? kind->components : 0;
    const std::string unit = kind != nullptr ? unitsuffix(kind->unit) : std::string();
    std::string out = "name,x_km,y_km,depth_km";
    if (togeo) out += ",lon_deg,lat_deg";
    for (int c = 0; c < parts; ++c) {
        for (const char* what : {"_observed_", "_computed_", "_residual_"}) {
            out += ',';
            out += kind->names[static_cast<std::size_t>(c)];
            out += what;
            out += unit;
        }
    }
    out += '\n';
    const int n = std::clamp<int>(ws.nsite, 0, kMaxSites);
    for (int k = 1; k <= n; ++k) {
        const auto at = static_cast<std::size_t>(k);
        const siterec& s = ws.site[at];
        out += textcell(s.name);
        auto number = [&out](float v) {
            out += ',';
            if (hasvalue(v)) out += shortestfloat(v);
        };
        number(s.x);
        number(s.y);
        number(s.depth);
        if (togeo) {
            float lon = 0, lat = 0;
            togeo(s.x, s.y, lon, lat);
            number(lon);
            number(lat);
        }
        for (int c = 0; c < parts; ++c) {
            const auto cc = static_cast<std::size_t>(c);
            const float obs = s.*(kind->observed[cc]);
            const float calc = (computed.*(kind->computed[cc]))[at];
            number(obs);
            number(calc);
            number(hasvalue(obs) && hasvalue(calc) ? obs - calc : kNoValue);
        }
        out += '\n';
    }
    if (const std::optional<SiteMisfit> m = computemisfit(ws, computed)) {
        out += "# ";
        out += misfittext(*m);
        out += '\n';
    } else {
        out += "# no observations to compare\n";
    }
    return out;
}

}  // namespace crustex
