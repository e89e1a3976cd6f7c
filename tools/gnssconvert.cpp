#include "tools/gnssconvert.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>

#include "files/atomicfile.h"
#include "files/recordio.h"
#include "files/sitesigma.h"
#include "model/grid2d.h"
#include "model/sitelist.h"
#include "tools/linereader.h"

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

// Longitudes in -360..360 to -180..180.
float westeast(float lon) {
    if (lon > 180) return lon - 360;
    if (lon <= -180) return lon + 360;
    return lon;
}

// A line's name ends at most here, with the numbers before it.
constexpr std::size_t kLongestLine = std::size_t{1} << 20;

// Cuts a name to what a quoted field of the site file holds, at the start of
// a UTF-8 character.
bool cutname(std::string& name) {
    if (name.size() <= RecordReader::kMaxField) return false;
    std::size_t end = RecordReader::kMaxField;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    name.resize(end);
    return true;
}

// Errors the site file can hold: none negative, a correlation within -1..1
// (missing ones are fine). Otherwise they are all dropped (0: none given).
bool usableerrors(GnssSite& site) {
    auto negative = [](float v) { return v != kNoValue && v < 0; };
    const bool corr = site.corr == kNoValue || std::fabs(site.corr) <= 1;
    if (corr && !negative(site.sigeast) && !negative(site.signorth) && !negative(site.sigup))
        return true;
    site.sigeast = site.signorth = site.sigup = site.corr = 0;
    return false;
}

}  // namespace

void GnssField::problem(std::string text) {
    if (problems.size() < kMaxProblems)
        problems.push_back(std::move(text));
    else
        ++unlisted;
}

GnssField parsegmtvelocity(std::istream& in, bool withup) {
    const std::size_t needed = withup ? 9 : 7;
    GnssField field;
    LineReader lines(in, kLongestLine);
    std::string_view line;
    while (lines.next(line)) {
        const long lineno = lines.number();
        const std::vector<std::string_view> t = tokens(line);
        if (t.empty() || t[0].front() == '#' || t[0].front() == '>') continue;
        std::vector<float> values;
        float v = 0;
        while (values.size() < std::min(needed, t.size()) && number(t[values.size()], v))
            values.push_back(v);
        const std::string where = "line " + std::to_string(lineno) + ": ";
        if (values.size() < needed) {
            field.problem(where + "fewer than " + std::to_string(needed) + " numbers at its start");
            continue;
        }
        if (values[0] == kNoValue || values[1] == kNoValue) {
            field.problem(where + "no position");
            continue;
        }
        if (!(std::fabs(values[0]) <= 360)) {
            field.problem(where + "a longitude outside -360..360");
            continue;
        }
        if (!(std::fabs(values[1]) <= 90)) {
            field.problem(where + "a latitude outside -90..90");
            continue;
        }
        // More sites than a site file holds are refused whole: no need to keep them.
        if (field.sites.size() > static_cast<std::size_t>(kLongestCount)) continue;
        GnssSite site;
        site.lon = westeast(values[0]);
        site.lat = values[1];
        site.east = values[2];
        site.north = values[3];
        site.sigeast = values[4];
        site.signorth = values[5];
        site.corr = values[6];
        if (withup) {
            site.up = values[7];
            site.sigup = values[8];
        }
        if (!usableerrors(site))
            field.problem(where +
                          "a negative error or a correlation outside -1..1: no "
                          "uncertainty is kept");
        for (std::size_t k = values.size(); k < t.size(); ++k)
            site.name.append(site.name.empty() ? "" : " ").append(t[k]);
        if (site.name.empty()) site.name = std::string("S").append(std::to_string(lineno));
        if (cutname(site.name) || lines.cut())
            field.problem(where + "the site name is cut to its first " +
                          std::to_string(site.name.size()) + " characters");
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
    w.text(withup ? kSigma3Keyword : kSigmaKeyword);
    w.integer(static_cast<int>(field.sites.size()));
    w.endline();
    for (const GnssSite& s : field.sites) {
        w.number(s.sigeast);
        w.number(s.signorth);
        if (withup) w.number(s.sigup);
        w.number(s.corr);
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
    std::ifstream in;
    if (!openinput(args[0], in)) {
        err << "gmtvelo: cannot read " << args[0] << '\n';
        return 1;
    }
    const GnssField field = parsegmtvelocity(in, withup);
    if (in.bad()) {
        err << "gmtvelo: cannot read " << args[0] << '\n';
        return 1;
    }
    for (const std::string& p : field.problems) err << "gmtvelo: " << args[0] << ' ' << p << '\n';
    if (field.unlisted > 0)
        err << "gmtvelo: " << args[0] << ": " << field.unlisted << " more lines passed over\n";
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
