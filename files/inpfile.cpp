#include "files/inpfile.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "files/patchcolumns.h"
#include "files/textscan.h"
#include "stress/regionalstress.h"

namespace crustex {

namespace {

constexpr double kRad = 0.0174532925199433;

// The blocks after the element table.
enum class Block { None, Grid, Size, Section, Map };

Block blockof(std::string_view line) {
    if (containsnocase(line, "grid parameters")) return Block::Grid;
    if (containsnocase(line, "size parameters")) return Block::Size;
    if (containsnocase(line, "cross section")) return Block::Section;
    if (containsnocase(line, "map info")) return Block::Map;  // also "Map infomation"
    return Block::None;
}

// The key of a block line ("1 ----- Start-x = -120.0" gives "startx": its
// letters and digits, lower-cased, without the line's number) and its value.
bool blockentry(std::string_view line, std::string& key, double& value) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || !leadingnumber(trimblank(line.substr(eq + 1)), value))
        return false;
    std::string_view left = trimblank(line.substr(0, eq));
    std::size_t digits = 0;
    while (digits < left.size() && left[digits] >= '0' && left[digits] <= '9') ++digits;
    if (digits > 0 && digits < left.size() && (left[digits] == ' ' || left[digits] == '\t'))
        left.remove_prefix(digits);
    key.clear();
    for (const char c : left) {
        if (c >= 'A' && c <= 'Z') key += static_cast<char>(c - 'A' + 'a');
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) key += c;
    }
    return !key.empty();
}

// The keys of a block, by position.
using BlockKeys = std::array<const char*, 7>;
constexpr BlockKeys kGridKeys{"startx",     "starty",     "finishx", "finishy",
                              "xincrement", "yincrement", nullptr};
constexpr BlockKeys kSectionKeys{"startx",           "starty", "finishx",   "finishy",
                                 "distantincrement", "zdepth", "zincrement"};
constexpr BlockKeys kMapKeys{"minlon", "maxlon", "zerolon", "minlat", "maxlat", "zerolat", nullptr};

// Values found in a block, by the position of their key; values that are not
// finite floats are left out.
struct BlockValues {
    std::array<std::optional<float>, 7> v;
    void take(const BlockKeys& keys, const std::string& key, double value) {
        const float f = static_cast<float>(value);
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] && key == keys[i] && std::isfinite(f)) v[i] = f;
    }
    bool has(std::initializer_list<std::size_t> which) const {
        for (const std::size_t i : which)
            if (!v[i]) return false;
        return true;
    }
    float operator[](std::size_t i) const { return v[i].value_or(0.0f); }
};

// One regional stress axis as the parameter lines give it.
struct AxisValues {
    std::optional<double> dr, dp, in, gd;
};

struct HeadValues {
    std::optional<double> pr1, e1, depth, fric, fixed;
    std::array<AxisValues, 3> axes;
    std::size_t stressline = 0;
};

void readparameters(std::string_view line, std::size_t lineno, HeadValues& h) {
    std::size_t pos = 0;
    std::string_view key;
    double v = 0;
    while (nextkeyvalue(line, pos, key, v)) {
        for (const auto& [name, slot] : {std::pair{"PR1", &h.pr1},
                                         {"E1", &h.e1},
                                         {"DEPTH", &h.depth},
                                         {"FRIC", &h.fric},
                                         {"fixed", &h.fixed}})
            if (equalsnocase(key, name)) *slot = v;
        // S1DR, S1DP, S1IN, S1GD and the same for S2 and S3.
        if (key.size() != 4 || (key[0] != 'S' && key[0] != 's') || key[1] < '1' || key[1] > '3')
            continue;
        AxisValues& a = h.axes[static_cast<std::size_t>(key[1] - '1')];
        const std::string_view what = key.substr(2);
        for (const auto& [name, slot] :
             {std::pair{"DR", &a.dr}, {"DP", &a.dp}, {"IN", &a.in}, {"GD", &a.gd}})
            if (equalsnocase(what, name)) *slot = v;
        if (h.stressline == 0) h.stressline = lineno;
    }
}

// True when every value is finite also at single precision.
bool finite(std::initializer_list<double> values) {
    for (const double v : values)
        if (!std::isfinite(static_cast<float>(v))) return false;
    return true;
}

// Fills the medium, depth, friction and regional stress of the model.
void applyparameters(const HeadValues& h, InpModel& m, ReadReport& report) {
    if (h.pr1 || h.e1) {
        Medium medium;
        if (h.pr1 && *h.pr1 > -1 && *h.pr1 < 0.5)
            medium.poisson = static_cast<float>(*h.pr1);
        else if (h.pr1)
            report.note(0, "PR1= " + floattext(static_cast<float>(*h.pr1)) +
                               " outside -1..0.5: Poisson's ratio 0.25 used");
        if (h.e1 && *h.e1 > 0 && finite({*h.e1}))
            medium.young = static_cast<float>(*h.e1);
        else if (h.e1)
            report.note(0, "E1= " + floattext(static_cast<float>(*h.e1)) +
                               " unusable: Young's modulus 8e5 bar used");
        m.medium = medium;
    }
    if (h.depth && finite({*h.depth})) m.depth = static_cast<float>(*h.depth);
    if (h.fric && finite({*h.fric})) m.friction = static_cast<float>(*h.fric);
    int complete = 0, begun = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const AxisValues& a = h.axes[i];
        if (a.dr || a.dp || a.in || a.gd) ++begun;
        if (!(a.dr && a.dp && a.in && finite({*a.dr, *a.dp, *a.in, a.gd.value_or(0)}))) continue;
        ++complete;
        PrincipalStress& p = m.stress.axis[i];
        p.azimuth = static_cast<float>(*a.dr);
        p.plunge = static_cast<float>(*a.dp);
        p.surface = static_cast<float>(*a.in);
        p.gradient = static_cast<float>(a.gd.value_or(0));
    }
    m.stress.given = complete == 3;
    if (begun > 0 && complete < 3) {
        m.stress = RegionalStress{};
        report.note(h.stressline, "regional stress incomplete: S1, S2 and S3 are needed");
    } else if (const std::string why = m.stress.given ? regionalstressproblem(m.stress) : "";
               !why.empty()) {
        m.stress = RegionalStress{};
        report.note(h.stressline, why + ", not used");
    }
}

// One line of the element table, read.
struct Element {
    double xs, ys, xf, yf, kode, c1, c2, dip, top, bot;
    std::string_view label;
};

// Why the values of an element cannot be used, "" when they can.
std::string elementproblem(const Element& e) {
    if (!finite({e.xs, e.ys, e.xf, e.yf, e.c1, e.c2, e.dip, e.top, e.bot}))
        return "a value not finite";
    if (e.dip < 0 || e.dip > 90)
        return "dip " + floattext(static_cast<float>(e.dip)) + " outside 0..90";
    if (e.dip == 0) return "dip 0 gives no down-dip width";
    if (e.top < 0) return "top " + floattext(static_cast<float>(e.top)) + " above the surface";
    if (!(e.bot > e.top))
        return "bottom " + floattext(static_cast<float>(e.bot)) + " not below top " +
               floattext(static_cast<float>(e.top));
    if (e.xs == e.xf && e.ys == e.yf) return "start and finish at the same point";
    if (!finite({(e.bot - e.top) / std::sin(e.dip * kRad)})) return "width not finite";
    return {};
}

// The plane of an element: upper edge, depth, width and dip of a source
// patch or a receiver.
template <typename Plane>
void setplane(Plane& p, const Element& e) {
    p.x0 = static_cast<float>(e.xs);
    p.y0 = static_cast<float>(e.ys);
    p.x1 = static_cast<float>(e.xf);
    p.y1 = static_cast<float>(e.yf);
    p.top = static_cast<float>(e.top);
    p.width = static_cast<float>((e.bot - e.top) / std::sin(e.dip * kRad));
    p.dip = static_cast<float>(e.dip);
}

// Reads the fields of an element line. False with a reason when they are
// not eleven numbers.
bool readelement(std::string_view line, const Fields& f, Element& e, std::string& reason) {
    if (f.total < 11) {
        reason = std::to_string(f.total) + " values, 11 wanted";
        return false;
    }
    std::array<double, 11> v{};
    for (std::size_t i = 0; i < 11; ++i) {
        if (!fieldnumber(f[i], v[i])) {
            reason = quotedfield(f[i]) + " is not a number";
            return false;
        }
    }
    e = {v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], {}};
    const std::size_t end = static_cast<std::size_t>(f[10].data() - line.data()) + f[10].size();
    e.label = trimblank(line.substr(end));
    return true;
}

// A placeholder line under the column header: x's, dashes and blanks.
bool placeholderline(std::string_view line) {
    line = trimblank(line);
    if (line.empty()) return false;
    for (const char c : line)
        if (c != 'x' && c != 'X' && c != '-' && c != ' ' && c != '\t' && c != '#') return false;
    return true;
}

class InpReader {
public:
    explicit InpReader(InpRead& out) : m_(out.model), report_(out.report) {}

    void line(std::string_view text, std::size_t lineno) {
        switch (part_) {
            case Part::Head: head(text, lineno); break;
            case Part::Table: table(text, lineno); break;
            case Part::Blocks: blockline(text); break;
        }
    }

    void finish() {
        applyparameters(head_, m_, report_);
        finishblocks();
        if (!tableseen_) {
            report_.fail(0, "no element table (a line naming X-start and Kode)");
            return;
        }
        if (head_.fixed && std::isfinite(*head_.fixed) && *head_.fixed != elementlines_)
            report_.note(0, "#fixed= " + floattext(static_cast<float>(*head_.fixed)) + " but " +
                                std::to_string(elementlines_) + " element lines");
        if (m_.patches.empty() && m_.receivers.empty()) {
            std::string reason = "no usable element";
            if (m_.pointsources > 0) reason += ", " + pointsourcetext(m_.pointsources);
            if (report_.skipped() > 0) reason += ", " + report_.skippedtext();
            report_.fail(0, reason);
        }
    }

private:
    enum class Part { Head, Table, Blocks };

    void head(std::string_view text, std::size_t lineno) {
        // Two title lines, unless the parameters begin early.
        double pr1 = 0;
        if (lineno <= 2 && !containsnocase(text, "#reg1") && !keyvalue(text, "PR1", pr1)) {
            (lineno == 1 ? m_.title1 : m_.title2) = asutf8(trimblank(text));
            return;
        }
        if (containsnocase(text, "x-start") || containsnocase(text, "kode")) {
            tableseen_ = true;
            part_ = Part::Table;
            // "rake netslip": the value columns hold the rake and the net slip.
            Fields f;
            splitblank(text, f);
            for (std::size_t i = 0; i < f.count; ++i)
                rakenetslip_ =
                    rakenetslip_ || equalsnocase(f[i], "rake") || containsnocase(f[i], "netslip");
            return;
        }
        readparameters(text, lineno, head_);
    }

    void table(std::string_view text, std::size_t lineno) {
        Fields& f = fields_;
        splitblank(text, f);
        double first = 0;
        if (f.count == 0 || !fieldnumber(f[0], first)) {
            if (f.count == 0 || placeholderline(text)) {
                if (f.count == 0 && elementlines_ > 0) part_ = Part::Blocks;
                return;
            }
            if (elementlines_ > 0 || blockof(text) != Block::None) {
                part_ = Part::Blocks;
                blockline(text);
            }
            return;
        }
        ++elementlines_;
        Element e{};
        std::string reason;
        if (!readelement(text, f, e, reason)) {
            report_.skip(lineno, reason);
            return;
        }
        element(e, static_cast<uint32_t>(lineno));
    }

    void element(const Element& e, uint32_t lineno) {
        const double kode = e.kode;
        if (kode == 400 || kode == 500) {
            ++m_.pointsources;
            return;
        }
        if (kode != 100 && kode != 200 && kode != 300) {
            report_.skip(lineno, "Kode " + floattext(static_cast<float>(kode)) + " unknown");
            return;
        }
        const std::string problem = elementproblem(e);
        if (!problem.empty()) {
            report_.skip(lineno, problem);
            return;
        }
        if ((e.c1 == 0 && e.c2 == 0) || (rakenetslip_ && kode == 100 && e.c2 == 0)) {
            ReceiverFault r;
            setplane(r, e);
            r.rake = e.c1 == 0 ? std::numeric_limits<float>::quiet_NaN() : static_cast<float>(e.c1);
            r.name = asutf8(e.label);
            m_.receivers.push_back(std::move(r));
            m_.receiverlines.push_back(lineno);
            return;
        }
        SlipPatch p;
        setplane(p, e);
        if (rakenetslip_ && kode == 100) {
            p.rake = static_cast<float>(e.c1);
            p.slip = static_cast<float>(e.c2);
        } else {
            // Right-lateral, reverse and opening by Kode; left-lateral is
            // minus right-lateral (0.0 - 0.0 stays +0, so pure opening has
            // rake 0).
            const double right = kode == 300 ? 0.0 : e.c1;
            const double reverse = kode == 200 ? 0.0 : e.c2;
            const double left = 0.0 - right;
            p.slip = static_cast<float>(std::hypot(left, reverse));
            p.rake = static_cast<float>(std::atan2(reverse, left) / kRad);
            p.opening = static_cast<float>(kode == 200 ? e.c2 : kode == 300 ? e.c1 : 0.0);
        }
        m_.patches.push_back(p);
        m_.patchlines.push_back(lineno);
    }

    void blockline(std::string_view text) {
        const Block b = blockof(text);
        if (b != Block::None) {
            block_ = b;
            return;
        }
        std::string key;
        double value = 0;
        if (!blockentry(text, key, value)) return;
        switch (block_) {
            case Block::Grid: grid_.take(kGridKeys, key, value); break;
            case Block::Section: section_.take(kSectionKeys, key, value); break;
            case Block::Map: map_.take(kMapKeys, key, value); break;
            default: break;
        }
    }

    void finishblocks() {
        if (grid_.has({0, 1, 2, 3, 4, 5}))
            m_.grid = {true, grid_[0], grid_[1], grid_[2], grid_[3], grid_[4], grid_[5]};
        if (section_.has({0, 1, 2, 3, 4, 5, 6}))
            m_.section = {true,        section_[0], section_[1], section_[2],
                          section_[3], section_[4], section_[5], section_[6]};
        if (map_.has({0, 1, 3, 4})) {
            InpMapInfo& mi = m_.map;
            mi = {true, map_[0], map_[1], map_[2], map_[3], map_[4], map_[5]};
            if (!map_.has({2})) mi.zerolon = 0.5f * (mi.minlon + mi.maxlon);
            if (!map_.has({5})) mi.zerolat = 0.5f * (mi.minlat + mi.maxlat);
        }
    }

    InpModel& m_;
    Fields fields_;  // the fields of the line being read
    ReadReport& report_;
    Part part_ = Part::Head;
    HeadValues head_;
    bool tableseen_ = false;
    bool rakenetslip_ = false;
    std::size_t elementlines_ = 0;
    Block block_ = Block::None;
    BlockValues grid_, section_, map_;
};

}  // namespace

std::string pointsourcetext(std::size_t n) {
    return counted(n, "point source", "point sources") + " (Kode 400/500) left out";
}

InpRead readinp(std::string_view text, const std::string& name) {
    InpRead out{{}, ReadReport(name)};
    InpReader reader(out);
    eachline(text, [&reader](std::string_view line, std::size_t number) {
        reader.line(line, number);
        return true;
    });
    reader.finish();
    if (out.report.failed()) out.model = InpModel{};
    return out;
}

}  // namespace crustex
