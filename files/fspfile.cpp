#include "files/fspfile.h"

#include <cmath>
#include <optional>

#include "files/patchcolumns.h"
#include "files/textscan.h"

namespace crustex {

namespace {

struct Orientation {
    std::optional<double> strike, dip, rake;
};

// The values a header line may give.
struct HeaderValues {
    Orientation orientation;
    std::optional<double> dx, dz, len, wid, nx, nz;
};

HeaderValues headervalues(std::string_view line) {
    HeaderValues h;
    std::size_t pos = 0;
    std::string_view key;
    double v = 0;
    while (nextkeyvalue(line, pos, key, v)) {
        if (!std::isfinite(v)) continue;
        for (const auto& [name, slot] : {std::pair{"STRK", &h.orientation.strike},
                                         {"STRIKE", &h.orientation.strike},
                                         {"DIP", &h.orientation.dip},
                                         {"RAKE", &h.orientation.rake},
                                         {"Dx", &h.dx},
                                         {"Dz", &h.dz},
                                         {"LEN", &h.len},
                                         {"WID", &h.wid},
                                         {"Nx", &h.nx},
                                         {"Nz", &h.nz}})
            if (equalsnocase(key, name) && !*slot) *slot = v;
    }
    return h;
}

// Replaces `to` with `from` when `from` holds a value.
void update(std::optional<double>& to, const std::optional<double>& from) {
    if (from) to = from;
}

class FspReader {
public:
    explicit FspReader(PatchRead& out) : out_(out) {}

    // False once the file is refused.
    bool line(std::string_view text, std::size_t lineno) {
        const std::string_view t = trimblank(text);
        if (t.empty()) return true;
        if (t.front() == '%') {
            header(t);
            return true;
        }
        return row(t, lineno);
    }

private:
    void header(std::string_view t) {
        while (!t.empty() && t.front() == '%') t.remove_prefix(1);
        // The column line names LAT, LON and SLIP as words of their own.
        Fields& f = fields_;
        splitblank(t, f);
        const PatchColumns c = findcolumns(f);
        if (c.has(PatchColumn::Lat) && c.has(PatchColumn::Lon) && c.has(PatchColumn::Slip)) {
            columns_ = c;
            return;
        }
        if (containsnocase(t, "coordinates") &&
            (containsnocase(t, "subfault") || containsnocase(t, "each"))) {
            if (containsnocase(t, "top-cent") || containsnocase(t, "top cent"))
                topcentre_ = true;
            else if (containsnocase(t, "cent"))
                topcentre_ = false;
        }
        const HeaderValues h = headervalues(t);
        const Orientation& o = h.orientation;
        if (containsnocase(t, "segment") && (o.strike || o.dip)) {
            segment_ = o;
        } else if (containsnocase(t, "mech")) {
            update(mech_.strike, o.strike);
            update(mech_.dip, o.dip);
            update(mech_.rake, o.rake);
        }
        update(dx_, h.dx);
        update(dz_, h.dz);
        update(len_, h.len);
        update(wid_, h.wid);
        update(nx_, h.nx);
        update(nz_, h.nz);
    }

    // The subfault size: Dx and Dz, else the fault's size over the counts.
    bool size(double& length, double& width) const {
        if (dx_ && dz_) {
            length = *dx_;
            width = *dz_;
            return true;
        }
        if (len_ && wid_ && nx_ && nz_ && *nx_ >= 1 && *nz_ >= 1) {
            length = *len_ / *nx_;
            width = *wid_ / *nz_;
            return true;
        }
        return false;
    }

    // One value of the orientation: its column, the segment's, or Mech's.
    std::optional<double> pick(PatchColumn column, const std::array<float, kPatchColumns>& values,
                               std::optional<double> Orientation::*which) const {
        if (columns_->has(column)) return columnvalue(values, column);
        if (segment_.*which) return segment_.*which;
        return mech_.*which;
    }

    bool row(std::string_view t, std::size_t lineno) {
        Fields& f = fields_;
        splitblank(t, f);
        double first = 0;
        if (!columns_ && !fieldnumber(f[0], first)) return true;  // a stray line of text
        if (!columns_) {
            out_.report.fail(lineno,
                             "no column line (% LAT LON ... SLIP) before the first subfault");
            return false;
        }
        if (!columns_->has(PatchColumn::Depth)) {
            out_.report.fail(lineno, "the column line has no Z (depth)");
            return false;
        }
        double length = 0, width = 0;
        if (!size(length, width)) {
            out_.report.fail(lineno, "no subfault size (Dx and Dz) before the first subfault");
            return false;
        }
        std::array<float, kPatchColumns> v{};
        std::string reason;
        if (!readcolumns(f, *columns_, v, reason)) {
            out_.report.skip(lineno, reason);
            return true;
        }
        const auto strike = pick(PatchColumn::Strike, v, &Orientation::strike);
        const auto dip = pick(PatchColumn::Dip, v, &Orientation::dip);
        const auto rake = pick(PatchColumn::Rake, v, &Orientation::rake);
        if (!strike || !dip || !rake) {
            out_.report.fail(lineno, "no strike, dip and rake (Mech or SEGMENT line, or columns)");
            return false;
        }
        CentredPatch p = patchofcolumns(v, true);
        p.strike = static_cast<float>(*strike);
        p.dip = static_cast<float>(*dip);
        p.rake = static_cast<float>(*rake);
        p.length = static_cast<float>(length);
        p.width = static_cast<float>(width);
        p.line = static_cast<uint32_t>(lineno);
        p.topcentre = topcentre_;
        addpatch(out_, p);
        return true;
    }

    PatchRead& out_;
    Fields fields_;  // the fields of the line being read
    std::optional<PatchColumns> columns_;
    Orientation mech_, segment_;
    std::optional<double> dx_, dz_, len_, wid_, nx_, nz_;
    bool topcentre_ = false;
};

}  // namespace

PatchRead readfsp(std::string_view text, const std::string& name) {
    PatchRead out{{true, {}}, ReadReport(name)};
    FspReader reader(out);
    eachline(text, [&reader](std::string_view line, std::size_t number) {
        return reader.line(line, number);
    });
    finishpatchread(out, "subfault");
    return out;
}

}  // namespace crustex
