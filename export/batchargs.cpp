#include "export/batchargs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "engine/los.h"
#include "export/quantitynames.h"
#include "fit/fitsource.h"
#include "model/fsutil.h"
#include "stress/stressunits.h"

namespace crustex {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kMinDpi = 10;
constexpr int kMaxDpi = 2400;
constexpr int kMaxThreads = 1024;
// Largest picture edge accepted, in millimetres (about 2 m).
constexpr double kMaxEdgeMm = 2000;

struct Command {
    const char* word;
    BatchCommand command;
    int inputs;  // positional file names
};
constexpr Command kCommands[] = {
    {"render", BatchCommand::Render, 1},       {"grid", BatchCommand::Grid, 1},
    {"contours", BatchCommand::Contours, 1},   {"sites", BatchCommand::Sites, 2},
    {"receivers", BatchCommand::Receivers, 1}, {"fit", BatchCommand::Fit, 2},
    {"section", BatchCommand::Section, 1},
};

struct Extension {
    const char* suffix;
    OutputFormat format;
    BatchCommand command;
};
constexpr Extension kExtensions[] = {
    {".pdf", OutputFormat::Pdf, BatchCommand::Render},
    {".svg", OutputFormat::Svg, BatchCommand::Render},
    {".png", OutputFormat::Png, BatchCommand::Render},
    {".nc", OutputFormat::NetCdf, BatchCommand::Grid},
    {".csv", OutputFormat::Csv, BatchCommand::Grid},
    {".geojson", OutputFormat::GeoJson, BatchCommand::Contours},
    {".csv", OutputFormat::Csv, BatchCommand::Sites},
    {".csv", OutputFormat::Csv, BatchCommand::Receivers},
    {".geojson", OutputFormat::GeoJson, BatchCommand::Receivers},
    {".json", OutputFormat::Json, BatchCommand::Fit},
    {".csv", OutputFormat::Csv, BatchCommand::Section},
    {".nc", OutputFormat::NetCdf, BatchCommand::Section},
    {".pdf", OutputFormat::Pdf, BatchCommand::Section},
    {".svg", OutputFormat::Svg, BatchCommand::Section},
    {".png", OutputFormat::Png, BatchCommand::Section},
};

constexpr int kMaxStarts = 1000;

bool ispicture(OutputFormat f) {
    return f == OutputFormat::Pdf || f == OutputFormat::Svg || f == OutputFormat::Png;
}

// Which options each command takes.
bool takes(BatchCommand c, std::string_view option) {
    using C = BatchCommand;
    if (option == "--sources" || option == "--threads" || option == "--map-dir" ||
        option == "--slip")
        return true;
    if (option == "--sites") return c != C::Sites && c != C::Fit;
    if (option == "--free" || option == "--bounds" || option == "--starts" ||
        option == "--write-model" || option == "--invert-slip" || option == "--two-rakes" ||
        option == "--smoothing")
        return c == C::Fit;
    if (option == "--quantity") return c == C::Render || c == C::Contours;
    if (option == "--quantities") return c == C::Grid || c == C::Section;
    if (option == "--dpi" || option == "--size" || option == "--style")
        return c == C::Render || c == C::Section;
    if (option == "--from" || option == "--to" || option == "--depth" || option == "--step" ||
        option == "--event-distance")
        return c == C::Section;
    if (option == "--los" || option == "--wavelength")
        return c == C::Render || c == C::Grid || c == C::Contours;
    if (option == "--units") return c != C::Sites && c != C::Fit;
    if (option == "--receivers" || option == "--rake" || option == "--split")
        return c == C::Receivers;
    return false;
}

const char* commandword(BatchCommand c) {
    for (const Command& k : kCommands)
        if (k.command == c) return k.word;
    return "";
}

bool endswith(const std::string& s, std::string_view suffix) {
    return s.size() > suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Any finite number that a float holds.
bool parsefloat(std::string_view s, float& out) {
    double d = 0;
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), d);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(d) ||
        std::fabs(d) > 3.4e38)
        return false;
    out = static_cast<float>(d);
    return true;
}

// Any finite number.
bool parsereal(std::string_view s, double& out) {
    if (s.empty()) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(out);
}

bool parsenumber(std::string_view s, double& out) { return parsereal(s, out) && out > 0; }

// "S:" at the start of a --free or --bounds value: the source number.
bool parsesource(std::string_view& s, int& source) {
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos) return false;
    const auto r = std::from_chars(s.data(), s.data() + colon, source);
    if (r.ec != std::errc() || r.ptr != s.data() + colon || source < 1) return false;
    s.remove_prefix(colon + 1);
    return true;
}

// "A,B": two finite numbers.
std::optional<std::array<float, 2>> parsepair(std::string_view s) {
    const std::size_t comma = s.find(',');
    double a = 0, b = 0;
    if (comma == std::string_view::npos || !parsereal(s.substr(0, comma), a) ||
        !parsereal(s.substr(comma + 1), b))
        return std::nullopt;
    return std::array<float, 2>{static_cast<float>(a), static_cast<float>(b)};
}

std::optional<PictureSize> parsesize(std::string_view s) {
    PictureSize size;
    for (auto [suffix, unit] :
         {std::pair{"mm", PictureSize::Unit::Millimetre}, std::pair{"in", PictureSize::Unit::Inch},
          std::pair{"px", PictureSize::Unit::Pixel}}) {
        if (s.ends_with(suffix)) {
            size.unit = unit;
            s.remove_suffix(2);
            break;
        }
    }
    const std::size_t x = s.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    if (!parsenumber(s.substr(0, x), size.width) || !parsenumber(s.substr(x + 1), size.height))
        return std::nullopt;
    return size;
}

// The words of one command line, taken in order.
class Parser {
public:
    explicit Parser(std::span<const std::string> args) : args_(args) {}

    BatchArgs run() {
        BatchArgs out;
        for (const std::string& a : args_) {
            if (a == "--help" || a == "-h") out.help = true;
            if (a == "--version") out.version = true;
        }
        if (out.help || out.version) return out;
        if (args_.empty()) return fail("no subcommand given");
        const Command* command = nullptr;
        for (const Command& k : kCommands)
            if (args_[0] == k.word) command = &k;
        if (command == nullptr) return fail("unknown subcommand '" + args_[0] + "'");
        req_.command = command->command;
        std::vector<std::string> files;
        for (pos_ = 1; pos_ < args_.size(); ++pos_) {
            const std::string& a = args_[pos_];
            if (a.size() > 1 && a[0] == '-') {
                if (!option(a)) return fail(error_);
            } else {
                files.push_back(a);
            }
        }
        if (static_cast<int>(files.size()) != command->inputs)
            return fail(std::string(command->word) + " takes " +
                        (command->inputs == 1 ? "one work or .inp file"
                                              : "a work or .inp file and a site file") +
                        ", got " + std::to_string(files.size()) + " file names");
        req_.work = files[0];
        if (command->inputs == 2) req_.sites = files[1];
        if (req_.output.empty()) return fail("no output file given (-o FILE)");
        if (!pickformat()) return fail(error_);
        if (req_.command == BatchCommand::Render || req_.command == BatchCommand::Contours) {
            if (req_.quantity.empty()) req_.quantity = "uz";
            const QuantityName* q = findquantityname(req_.quantity);
            if (q == nullptr) return fail("unknown quantity '" + req_.quantity + "'");
            if (req_.command == BatchCommand::Contours && !q->contour)
                return fail("'" + std::string(q->caption) + "' is not drawn as contour lines");
            req_.quantity = std::string(q->key);
        }
        if (req_.command == BatchCommand::Fit && !checkfit()) return fail(error_);
        if (req_.command == BatchCommand::Section && ispicture(req_.format)) {
            if (req_.quantities.size() > 1) return fail("a section picture shows one quantity");
            if (req_.quantities.empty()) req_.quantities.emplace_back("uz");
            const QuantityName* q = findquantityname(req_.quantities.front());
            if (!q->contour)
                return fail("'" + std::string(q->caption) + "' is not drawn as contour lines");
        }
        out.request = req_;
        return out;
    }

private:
    BatchArgs fail(const std::string& why) {
        BatchArgs out;
        out.error = why;
        return out;
    }

    bool bad(const std::string& why) {
        error_ = why;
        return false;
    }

    // The value after an option; false when there is none.
    bool value(const std::string& option, std::string& out) {
        if (pos_ + 1 >= args_.size()) return bad("option " + option + " needs a value");
        out = args_[++pos_];
        return true;
    }

    bool option(const std::string& a) {
        const bool output = a == "-o" || a == "--output";
        if (!output && !takes(req_.command, a)) {
            bool known = false;
            for (const Command& k : kCommands) known = known || takes(k.command, a);
            if (!known) return bad("unknown option '" + a + "'");
            return bad("option " + a + " does not apply to " + commandword(req_.command));
        }
        if (a == "--two-rakes") {
            req_.fit.tworakes = true;
            return true;
        }
        std::string v;
        if (!value(a, v)) return false;
        if (output) {
            req_.output = v;
        } else if (a == "--sources") {
            req_.sources = v;
        } else if (a == "--sites") {
            req_.sites = v;
        } else if (a == "--map-dir") {
            req_.mapdir = v;
        } else if (a == "--slip") {
            req_.slip = v;
        } else if (a == "--quantity") {
            req_.quantity = v;
        } else if (a == "--quantities") {
            return quantities(v);
        } else if (a == "--dpi") {
            return wholenumber(a, v, kMinDpi, kMaxDpi, req_.dpi);
        } else if (a == "--threads") {
            return wholenumber(a, v, 1, kMaxThreads, req_.threads);
        } else if (a == "--size") {
            req_.size = parsesize(v);
            if (!req_.size)
                return bad("--size takes WIDTHxHEIGHT with mm, in or px, not '" + v + "'");
        } else if (a == "--style") {
            if (v != "screen" && v != "publication")
                return bad("--style takes screen or publication, not '" + v + "'");
            req_.publicationstyle = v == "publication";
        } else if (a == "--los") {
            return lineofsight(v);
        } else if (a == "--wavelength") {
            return wavelength(v);
        } else if (a == "--units") {
            const std::optional<StressUnit> u = parsestressunit(v);
            if (!u || *u == StressUnit::Rigidity)
                return bad("--units takes bar or MPa, not '" + v + "'");
            req_.units = u;
        } else if (a == "--receivers") {
            req_.receivers = v;
            if (v.empty()) return bad("--receivers takes a file name or 'sources'");
        } else if (a == "--rake") {
            return rake(v);
        } else if (a == "--split") {
            return split(v);
        } else if (a == "--from" || a == "--to" || a == "--depth") {
            auto& at = a == "--from" ? req_.section.from
                                     : (a == "--to" ? req_.section.to : req_.section.depth);
            at = parsepair(v);
            if (!at) return bad(a + " takes two numbers A,B (km), not '" + v + "'");
        } else if (a == "--step") {
            double step = 0;
            if (!parsenumber(v, step))
                return bad("--step takes a positive number (km), not '" + v + "'");
            req_.section.step = static_cast<float>(step);
        } else if (a == "--event-distance") {
            double d = 0;
            if (!parsereal(v, d) || d < 0)
                return bad("--event-distance takes a number of km, not '" + v + "'");
            req_.section.eventdistance = static_cast<float>(d);
        } else {
            return fitoption(a, v);
        }
        return true;
    }

    bool fitoption(const std::string& a, const std::string& v) {
        BatchFit& fit = req_.fit;
        if (a == "--starts") return wholenumber(a, v, 1, kMaxStarts, fit.starts);
        if (a == "--write-model") {
            const std::string lower = asciilower(v);
            if (!endswith(lower, ".wrk.txt") && !endswith(lower, ".csv"))
                return bad(
                    "--write-model takes FILE.wrk.txt (a work file of the sources) or "
                    "FILE.csv (the slip model's patches), not '" +
                    v + "'");
            fit.writemodel = v;
            return true;
        }
        double x = 0;
        if (a == "--invert-slip" || a == "--smoothing") {
            if (!parsereal(v, x) || (a == "--smoothing" && x < 0))
                return bad(a +
                           (a == "--smoothing" ? " takes a weight of 0 or more"
                                               : " takes a rake in degrees") +
                           ", not '" + v + "'");
            if (a == "--smoothing")
                fit.smoothing = x;
            else
                fit.invertslip = x;
            return true;
        }
        std::string_view rest = v;
        int source = 0;
        if (a == "--free") {
            if (!parsesource(rest, source) || rest.empty())
                return bad("--free takes S:NAME[,NAME...], not '" + v + "'");
            for (const std::string& name : splitnamelist(std::string(rest))) {
                if (!findfitparam(name)) return bad("unknown parameter '" + name + "' of --free");
                fit.free.push_back({source, name, {}, {}});
            }
            return true;
        }
        // --bounds S:NAME=LO..HI
        std::size_t eq = 0, dots = 0;
        double lo = 0, hi = 0;
        if (!parsesource(rest, source) || (eq = rest.find('=')) == std::string_view::npos ||
            (dots = rest.find("..", eq)) == std::string_view::npos ||
            !parsereal(rest.substr(eq + 1, dots - eq - 1), lo) ||
            !parsereal(rest.substr(dots + 2), hi))
            return bad("--bounds takes S:NAME=LO..HI, not '" + v + "'");
        bounds_.push_back({source, std::string(rest.substr(0, eq)), lo, hi});
        return true;
    }

    // The fit's options together: free parameters or a slip inversion, and
    // bounds only for free parameters.
    bool checkfit() {
        BatchFit& fit = req_.fit;
        if (fit.free.empty() == !fit.invertslip)
            return bad("fit takes either --free or --invert-slip");
        if (!fit.invertslip && (fit.tworakes || fit.smoothing != 0))
            return bad("--two-rakes and --smoothing go with --invert-slip");
        for (const FitParamSpec& b : bounds_) {
            auto named = std::find_if(fit.free.begin(), fit.free.end(), [&](const FitParamSpec& f) {
                return f.source == b.source && f.name == b.name;
            });
            if (named == fit.free.end())
                return bad("--bounds " + std::to_string(b.source) + ":" + b.name +
                           " names no parameter of --free");
            named->lower = b.lower;
            named->upper = b.upper;
        }
        return true;
    }

    // "H,I": heading and incidence in degrees.
    bool lineofsight(const std::string& v) {
        const std::size_t comma = v.find(',');
        float h = 0, i = 0;
        if (comma == std::string::npos || !parsefloat(v.substr(0, comma), h) ||
            !parsefloat(v.substr(comma + 1), i))
            return bad("--los takes HEADING,INCIDENCE in degrees, not '" + v + "'");
        if (const std::string why = losproblem(h, i, kDefaultWavelength); !why.empty())
            return bad("--los: " + why);
        req_.losheading = h;
        req_.losincidence = i;
        return true;
    }

    bool wavelength(const std::string& v) {
        float w = 0;
        if (!parsefloat(v, w)) return bad("--wavelength takes a length in mm, not '" + v + "'");
        const LosPreset& p = kLosPresets.front();
        if (const std::string why = losproblem(p.heading, p.incidence, w); !why.empty())
            return bad("--wavelength: " + why);
        req_.wavelength = w;
        return true;
    }

    bool rake(const std::string& v) {
        double r = 0;
        const auto e = std::from_chars(v.data(), v.data() + v.size(), r);
        if (e.ec != std::errc() || e.ptr != v.data() + v.size() || !(r >= -180 && r <= 180))
            return bad("--rake takes degrees from -180 to 180, not '" + v + "'");
        req_.rake = static_cast<float>(r);
        return true;
    }

    bool split(const std::string& v) {
        const std::size_t x = v.find('x');
        int n = 0, m = 0;
        auto whole = [](std::string_view s, int& out) {
            const auto e = std::from_chars(s.data(), s.data() + s.size(), out);
            return !s.empty() && e.ec == std::errc() && e.ptr == s.data() + s.size() && out >= 1;
        };
        if (x == std::string::npos || !whole(std::string_view(v).substr(0, x), n) ||
            !whole(std::string_view(v).substr(x + 1), m) ||
            static_cast<long>(n) * m > kMaxSplitPatches)
            return bad("--split takes NxM (along strike x down dip, at most " +
                       std::to_string(kMaxSplitPatches) + " patches), not '" + v + "'");
        req_.split = {n, m};
        return true;
    }

    bool wholenumber(const std::string& option, const std::string& v, int lo, int hi, int& out) {
        int n = 0;
        const auto r = std::from_chars(v.data(), v.data() + v.size(), n);
        if (r.ec != std::errc() || r.ptr != v.data() + v.size() || n < lo || n > hi)
            return bad(option + " takes a whole number from " + std::to_string(lo) + " to " +
                       std::to_string(hi) + ", not '" + v + "'");
        out = n;
        return true;
    }

    bool quantities(const std::string& list) {
        for (const std::string& name : splitnamelist(list)) {
            const QuantityName* q = findquantityname(name);
            if (q == nullptr) return bad("unknown quantity '" + name + "'");
            if (q->variables.empty()) {
                std::string why = "'";
                why.append(q->caption).append("' is a picture only (render); its values are ");
                return bad(why.append("those of 'los'"));
            }
            req_.quantities.emplace_back(q->key);
        }
        return true;
    }

    bool pickformat() {
        const std::string lower = asciilower(req_.output);
        for (const Extension& e : kExtensions) {
            if (e.command == req_.command && endswith(lower, e.suffix)) {
                req_.format = e.format;
                if (req_.size) return checksize();
                return true;
            }
        }
        std::string wanted;
        for (const Extension& e : kExtensions)
            if (e.command == req_.command)
                wanted += std::string(wanted.empty() ? "" : ", ") + e.suffix;
        return bad("unknown output extension of '" + req_.output + "' for " +
                   commandword(req_.command) + " (use " + wanted + ")");
    }

    bool checksize() {
        const double w = req_.size->widthmm(req_.dpi);
        const double h = req_.size->heightmm(req_.dpi);
        if (w > kMaxEdgeMm || h > kMaxEdgeMm || w * req_.dpi / kMmPerInch < 16 ||
            h * req_.dpi / kMmPerInch < 16)
            return bad("--size gives a picture too large or too small");
        return true;
    }

    std::span<const std::string> args_;
    std::size_t pos_ = 0;
    BatchRequest req_;
    std::vector<FitParamSpec> bounds_;  // --bounds, matched with --free at the end
    std::string error_;
};

}  // namespace

double PictureSize::widthmm(int dpi) const {
    switch (unit) {
        case Unit::Inch: return width * kMmPerInch;
        case Unit::Pixel: return width * kMmPerInch / dpi;
        default: return width;
    }
}

double PictureSize::heightmm(int dpi) const {
    switch (unit) {
        case Unit::Inch: return height * kMmPerInch;
        case Unit::Pixel: return height * kMmPerInch / dpi;
        default: return height;
    }
}

PictureSize defaultpicturesize() {
    // The picture spans 659.2 x 525.3 frame units.
    return {170.0, 170.0 * 525.3 / 659.2, PictureSize::Unit::Millimetre};
}

BatchArgs parsebatchargs(std::span<const std::string> args) { return Parser(args).run(); }

std::string batchusage() {
    return "usage: crustex-batch COMMAND WORK [options] -o OUTPUT\n"
           "  WORK: a work file (*.wrk.txt), or a .inp file as the whole model\n"
           "  render   WORK -o FILE.pdf|.svg|.png [--quantity NAME] [--dpi N]\n"
           "           [--size WxH[mm|in|px]] [--style screen|publication]\n"
           "  grid     WORK -o FILE.nc|.csv [--quantities NAME,NAME,...]\n"
           "  contours WORK -o FILE.geojson [--quantity NAME]\n"
           "  sites    WORK SITES -o FILE.csv\n"
           "  receivers MODEL -o FILE.csv|.geojson [--receivers FILE|sources] [--rake DEG]\n"
           "           [--split NxM]\n"
           "  --units bar|MPa (grid, contours, render, receivers): stresses in that unit\n"
           "           (default: the work's own; receivers: bar)\n"
           "  fit      MODEL SITES --free S:NAME[,NAME...] [--free ...] [--bounds S:NAME=LO..HI]\n"
           "           [--starts N] [--write-model FILE.wrk.txt|.csv] -o FILE.json\n"
           "  fit      MODEL SITES --invert-slip RAKE [--two-rakes] [--smoothing W]\n"
           "           [--write-model FILE.csv] -o FILE.json\n"
           "radar line of sight of render, grid and contours (over the work file's):\n"
           "  --los HEADING,INCIDENCE (degrees; ascending 350,34, descending 190,34)\n"
           "  --wavelength MM (radar wavelength; 55.5 for C band)\n"
           "  section  WORK -o FILE.csv|.nc|.pdf|.svg|.png [--from X,Y --to X,Y]\n"
           "           [--depth Z1,Z2] [--step KM] [--quantities NAME,...]\n"
           "           [--event-distance KM] [--dpi N] [--size WxH] [--style S]\n"
           "           a vertical section from (X,Y) to (X,Y) km, points every KM along\n"
           "           it and down from depth Z1 to Z2 km; without them the model's\n"
           "           proposed section; a picture shows the first quantity and the\n"
           "           earthquakes within --event-distance km (default 10)\n"
           "options of every command: --sources FILE (replaces the work file's sources),\n"
           "  --threads N (evaluation threads; default one per usable CPU),\n"
           "  --map-dir DIR (the map directory, over the one the work file names),\n"
           "  --slip FILE (a slip model: .inp, .fsp, .param or patch .csv),\n"
           "  --sites FILE (observation sites; not with 'sites' and 'fit')\n"
           "fit: MODEL as WORK; S a source's number from 1 (a work file's sources, then its\n"
           "  slip model's patches; a .inp file's source elements in file order); NAME of\n"
           "  --free and --bounds: east, north, depth, strike, dip, rake, length, width, slip,\n"
           "  opening (faults) or east, north, depth, volume (inflation points)\n"
           "NAME: a caption of the Execute menu (\"Displacement Z\", \"delta CFF\", ...) or its\n"
           "  key (uz, cffpara, ...); render and contours draw Displacement Z when none is given;\n"
           "  \"LOS Displacement\" (los) and, for render only, \"Wrapped Fringes\" (fringes)\n";
}

}  // namespace crustex
