#include "files/paramfile.h"

#include <cmath>
#include <optional>

#include "files/patchcolumns.h"
#include "files/textscan.h"

namespace crustex {

namespace {

constexpr PatchColumn kNeeded[] = {PatchColumn::Lat,  PatchColumn::Lon,  PatchColumn::Depth,
                                   PatchColumn::Slip, PatchColumn::Rake, PatchColumn::Strike,
                                   PatchColumn::Dip};
constexpr const char* kNeededNames[] = {"lat", "lon", "depth", "slip", "rake", "strike", "dip"};

class ParamReader {
public:
    explicit ParamReader(PatchRead& out) : out_(out) {}

    // False once the file is refused.
    bool line(std::string_view text, std::size_t lineno) {
        std::string_view t = trimblank(text);
        while (!t.empty() && t.front() == '#') t.remove_prefix(1);
        if (blankline(t)) return true;
        Fields& f = fields_;
        splitblank(t, f);
        double first = 0;
        if (fieldnumber(f[0], first)) return row(f, lineno);
        if (containsnocase(t, "boundary")) return true;
        if (containsnocase(t, "fault_segment")) {
            segment(t);
            return true;
        }
        const PatchColumns c = findcolumns(f);
        if (c.has(PatchColumn::Lat) && c.has(PatchColumn::Lon)) {
            // The subfault columns name the slip; the outline's do not.
            rows_ = c.has(PatchColumn::Slip);
            if (rows_) columns_ = c;
        }
        return true;
    }

    void finish() {
        if (!out_.report.failed() && !columns_)
            out_.report.fail(0, "no subfault column line (#Lat. Lon. depth slip rake strike dip)");
    }

private:
    // A segment line gives the size of the subfaults that follow.
    void segment(std::string_view t) {
        double dx = 0, dy = 0;
        rows_ = false;
        dx_.reset();
        dy_.reset();
        if (keyvalue(t, "Dx", dx) && keyvalue(t, "Dy", dy)) {
            dx_ = dx;
            dy_ = dy;
        }
    }

    bool row(const Fields& f, std::size_t lineno) {
        if (!rows_) return true;  // the outline's points
        for (std::size_t i = 0; i < std::size(kNeeded); ++i) {
            if (!columns_->has(kNeeded[i])) {
                out_.report.fail(lineno, std::string("the column line has no ") + kNeededNames[i]);
                return false;
            }
        }
        if (!dx_ || !dy_) {
            out_.report.skip(lineno, "no subfault size (Dx and Dy of its Fault_segment line)");
            return true;
        }
        std::array<float, kPatchColumns> v{};
        std::string reason;
        if (!readcolumns(f, *columns_, v, reason)) {
            out_.report.skip(lineno, reason);
            return true;
        }
        CentredPatch p = patchofcolumns(v, true);
        p.length = static_cast<float>(*dx_);
        p.width = static_cast<float>(*dy_);
        p.slip = static_cast<float>(p.slip / 100.0);  // cm to m
        p.opening = 0;
        p.line = static_cast<uint32_t>(lineno);
        addpatch(out_, p);
        return true;
    }

    PatchRead& out_;
    Fields fields_;  // the fields of the line being read
    std::optional<PatchColumns> columns_;
    std::optional<double> dx_, dy_;
    bool rows_ = false;  // rows are subfaults (not outline points)
};

}  // namespace

PatchRead readparam(std::string_view text, const std::string& name) {
    PatchRead out{{true, {}}, ReadReport(name)};
    ParamReader reader(out);
    eachline(text, [&reader](std::string_view line, std::size_t number) {
        return reader.line(line, number);
    });
    reader.finish();
    finishpatchread(out, "subfault");
    return out;
}

}  // namespace crustex
