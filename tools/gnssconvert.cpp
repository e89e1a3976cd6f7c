#include "tools/gnssconvert.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "files/atomicfile.h"
#include "files/recordio.h"
#include "model/fsutil.h"
#include "model/grid2d.h"
#include "model/sitelist.h"

namespace crustex::tools {

namespace {

constexpr int kLongestCount = 32767;  // the site file's count is a 16-bit integer

// A number token: finite numbers as they are, NaN and infinities as the
// no-value marker; false for anything that is not a number.
bool number(std::string_view s, float& out) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double d = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (s.empty() || end != s.data() + s.size()) return false;
    if (ec == std::errc::result_out_of_range || !std::isfinite(d) || std::fabs(d) >= kNoValue) {
        out = kNoValue;
        return true;
    }
    out = static_cast<float>(d);
    return true;
}

std::vector<std::string_view> tokens(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

// Quotes and line ends cannot stand inside a quoted field.
std::string fieldtext(std::string s) {
    for (char& c : s)
        if (c == '"' || c == '\r' || c == '\n') c = '\'';
    return s;
}

float westeast(float lon) {
    if (lon == kNoValue) return lon;
    while (lon > 180) lon -= 360;
    while (lon <= -180) lon += 360;
    return lon;
}

}  // namespace

GnssField parsegmtvelocity(std::string_view text, bool withup) {
    const std::size_t needed = withup ? 9 : 7;
    GnssField field;
    int lineno = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineno;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::vector<std::string_view> t = tokens(line);
        if (t.empty() || t[0].front() == '#' || t[0].front() == '>') continue;
        std::vector<float> values;
        float v = 0;
        while (values.size() < std::min(needed, t.size()) && number(t[values.size()], v))
            values.push_back(v);
        const std::string where = "line " + std::to_string(lineno) + ": ";
        if (values.size() < needed) {
            field.problems.push_back(where + "fewer than " + std::to_string(needed) +
                                     " numbers at its start");
            continue;
        }
        if (values[0] == kNoValue || values[1] == kNoValue) {
            field.problems.push_back(where + "no position");
            continue;
        }
        GnssSite site;
        site.lon = westeast(values[0]);
        site.lat = values[1];
        site.east = values[2];
        site.north = values[3];
        if (withup) site.up = values[7];
        for (std::size_t k = values.size(); k < t.size(); ++k)
            site.name.append(site.name.empty() ? "" : " ").append(t[k]);
        if (site.name.empty()) site.name = std::string("S").append(std::to_string(lineno));
        field.sites.push_back(std::move(site));
    }
    return field;
}

std::string gnsssitefile(const GnssField& field, bool withup, std::string_view source) {
    RecordWriter w;
    w.text(fieldtext("Converted by crustex-convert gmtvelo from " + std::string(source) +
                     " (east north" + (withup ? " up" : "") + " in mm)"));
    w.endline();
    w.text(withup ? "obd3" : "obd");
    w.integer(static_cast<int>(field.sites.size()));
    w.endline();
    for (const GnssSite& s : field.sites) {
        w.text(fieldtext(s.name));
        w.number(s.lat);
        w.number(s.lon);
        w.number(0);
        w.number(s.east);
        w.number(s.north);
        if (withup) w.number(s.up);
        w.endline();
    }
    return w.str();
}

int rungmtvelo(ModeArgs args, std::ostream& err) {
    const bool withup = args.size() == 3 && args[2] == "--up";
    if (args.size() != 2 && !withup) {
        err << "gmtvelo: usage: INPUT OUTPUT [--up]\n";
        return 2;
    }
    std::string text;
    if (!readwholefile(args[0], text)) {
        err << "gmtvelo: cannot read " << args[0] << '\n';
        return 1;
    }
    const GnssField field = parsegmtvelocity(text, withup);
    for (const std::string& p : field.problems) err << "gmtvelo: " << args[0] << ' ' << p << '\n';
    if (field.sites.empty()) {
        err << "gmtvelo: no site in " << args[0] << '\n';
        return 1;
    }
    if (field.sites.size() > static_cast<std::size_t>(kLongestCount)) {
        err << "gmtvelo: more than " << kLongestCount << " sites: a site file cannot hold them\n";
        return 1;
    }
    if (field.sites.size() > static_cast<std::size_t>(kMaxSites))
        err << "gmtvelo: " << field.sites.size() << " sites written; the program takes the first "
            << kMaxSites << '\n';
    if (!writefileatomic(args[1], gnsssitefile(field, withup, args[0]))) {
        err << "gmtvelo: cannot write " << args[1] << '\n';
        return 1;
    }
    return 0;
}

}  // namespace crustex::tools
