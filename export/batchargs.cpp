#include "export/batchargs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "export/quantitynames.h"
#include "model/fsutil.h"

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
    {"render", BatchCommand::Render, 1},     {"grid", BatchCommand::Grid, 1},
    {"contours", BatchCommand::Contours, 1}, {"sites", BatchCommand::Sites, 2},
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
    {".csv", OutputFormat::Csv, BatchCommand::Section},
    {".nc", OutputFormat::NetCdf, BatchCommand::Section},
    {".pdf", OutputFormat::Pdf, BatchCommand::Section},
    {".svg", OutputFormat::Svg, BatchCommand::Section},
    {".png", OutputFormat::Png, BatchCommand::Section},
};

// Every option a command may take (besides -o).
constexpr std::string_view kOptions[] = {
    "--sources", "--sites", "--quantity", "--threads",       "--quantities",
    "--dpi",     "--size",  "--style",    "--map-dir",       "--from",
    "--to",      "--depth", "--step",     "--event-distance", "--slip"};

bool ispicture(OutputFormat f) {
    return f == OutputFormat::Pdf || f == OutputFormat::Svg || f == OutputFormat::Png;
}

// Which options each command takes.
bool takes(BatchCommand c, std::string_view option) {
    using C = BatchCommand;
    if (option == "--sources" || option == "--threads" || option == "--map-dir" ||
        option == "--slip")
        return true;
    if (option == "--sites") return c != C::Sites;
    if (option == "--quantity") return c == C::Render || c == C::Contours;
    if (option == "--quantities") return c == C::Grid || c == C::Section;
    if (option == "--dpi" || option == "--size" || option == "--style")
        return c == C::Render || c == C::Section;
    if (option == "--from" || option == "--to" || option == "--depth" || option == "--step" ||
        option == "--event-distance")
        return c == C::Section;
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

// A finite number, the whole text.
bool parseany(std::string_view s, double& out) {
    if (s.empty()) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(out);
}

bool parsenumber(std::string_view s, double& out) { return parseany(s, out) && out > 0; }

// "A,B": two finite numbers.
std::optional<std::array<float, 2>> parsepair(std::string_view s) {
    const std::size_t comma = s.find(',');
    double a = 0, b = 0;
    if (comma == std::string_view::npos || !parseany(s.substr(0, comma), a) ||
        !parseany(s.substr(comma + 1), b))
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
        if (req_.command == BatchCommand::Sites) req_.sites = files[1];
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
            const bool known =
                std::find(std::begin(kOptions), std::end(kOptions), a) != std::end(kOptions);
            if (!known) return bad("unknown option '" + a + "'");
            return bad("option " + a + " does not apply to " + commandword(req_.command));
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
            if (!parseany(v, d) || d < 0)
                return bad("--event-distance takes a number of km, not '" + v + "'");
            req_.section.eventdistance = static_cast<float>(d);
        }
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
           "  --sites FILE (observation sites; not with 'sites')\n"
           "NAME: a caption of the Execute menu (\"Displacement Z\", \"delta CFF\", ...) or its\n"
           "  key (uz, cffpara, ...); render and contours draw Displacement Z when none is given\n";
}

}  // namespace crustex
