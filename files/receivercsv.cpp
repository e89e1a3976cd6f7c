#include "files/receivercsv.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "files/patchcolumns.h"
#include "files/slipfile.h"
#include "files/slipplace.h"
#include "files/textscan.h"
#include "geo/projection.h"
#include "model/fsutil.h"

namespace crustex {

namespace {

enum Column { X0, Y0, X1, Y1, Lon0, Lat0, Lon1, Lat1, Dip, Top, Bottom, Rake, Name, kColumns };

struct ColumnNames {
    Column column;
    std::initializer_list<std::string_view> names;
};
const ColumnNames kNames[] = {
    {X0, {"x0_km", "x0"}},
    {Y0, {"y0_km", "y0"}},
    {X1, {"x1_km", "x1"}},
    {Y1, {"y1_km", "y1"}},
    {Lon0, {"lon0_deg", "lon0"}},
    {Lat0, {"lat0_deg", "lat0"}},
    {Lon1, {"lon1_deg", "lon1"}},
    {Lat1, {"lat1_deg", "lat1"}},
    {Dip, {"dip_deg", "dip"}},
    {Top, {"top_km", "top"}},
    {Bottom, {"bottom_km", "bottom"}},
    {Rake, {"rake_deg", "rake"}},
    {Name, {"name"}},
};

using Columns = std::array<int, kColumns>;  // field index, -1 when absent

Columns findnames(const Fields& f) {
    Columns c;
    c.fill(-1);
    for (std::size_t i = 0; i < f.count; ++i)
        for (const ColumnNames& n : kNames)
            for (const std::string_view name : n.names)
                if (c[n.column] < 0 && equalsnocase(f[i], name)) c[n.column] = static_cast<int>(i);
    return c;
}

// Great-circle length (km) between two points in degrees.
double arclength(const GeoEdge& e) {
    const double p0 = e.lat0 * kDegToRad, p1 = e.lat1 * kDegToRad;
    const double dp = p1 - p0, dl = (static_cast<double>(e.lon1) - e.lon0) * kDegToRad;
    const double h = std::sin(dp / 2) * std::sin(dp / 2) +
                     std::cos(p0) * std::cos(p1) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2 * static_cast<double>(kMeanRadius) * std::asin(std::sqrt(std::min(1.0, h)));
}

// One row into a receiver; the reason when it cannot be used.
class RowReader {
public:
    RowReader(const Columns& c, bool geographic) : c_(c), geographic_(geographic) {
        for (const int i : c)
            if (i >= 0) wanted_ = std::max(wanted_, static_cast<std::size_t>(i) + 1);
    }

    std::optional<ReceiverFault> read(const Fields& f, std::string& why) const {
        const Column ends[4] = {geographic_ ? Lon0 : X0, geographic_ ? Lat0 : Y0,
                                geographic_ ? Lon1 : X1, geographic_ ? Lat1 : Y1};
        float e[4], dip = 0, top = 0, bottom = 0;
        for (int k = 0; k < 4; ++k)
            if (!number(f, ends[k], e[k], why)) return std::nullopt;
        if (!number(f, Dip, dip, why) || !number(f, Top, top, why) ||
            !number(f, Bottom, bottom, why))
            return std::nullopt;
        ReceiverFault r;
        r.rake = std::nanf("");
        if (c_[Rake] >= 0 && static_cast<std::size_t>(c_[Rake]) < f.count &&
            !f[static_cast<std::size_t>(c_[Rake])].empty() && !number(f, Rake, r.rake, why))
            return std::nullopt;
        if (c_[Name] >= 0 && static_cast<std::size_t>(c_[Name]) < f.count)
            r.name = asutf8(f[static_cast<std::size_t>(c_[Name])]);
        // A rake of "nan" is no rake: the user's holds.
        for (const float v : {e[0], e[1], e[2], e[3], dip, top, bottom})
            if (!std::isfinite(v)) return fail(why, "a value is not finite");
        if (std::isinf(r.rake)) return fail(why, "the rake is not finite");
        if (!(dip > 0 && dip <= 90)) return fail(why, "dip " + floattext(dip) + " outside 0..90");
        if (top < 0) return fail(why, "top " + floattext(top) + " above the surface");
        if (!(bottom > top)) return fail(why, "bottom not below top");
        if (e[0] == e[2] && e[1] == e[3]) return fail(why, "zero length: both ends in one place");
        if (geographic_ && (std::fabs(e[1]) > 90 || std::fabs(e[3]) > 90))
            return fail(why, "latitude beyond the poles");
        r.top = top;
        r.dip = dip;
        r.width = static_cast<float>((static_cast<double>(bottom) - top) /
                                     std::sin(static_cast<double>(dip) * kDegToRad));
        if (geographic_) {
            r.geo = GeoEdge{e[1], e[0], e[3], e[2]};
        } else {
            r.x0 = e[0];
            r.y0 = e[1];
            r.x1 = e[2];
            r.y1 = e[3];
        }
        return r;
    }

private:
    static std::optional<ReceiverFault> fail(std::string& why, std::string reason) {
        why = std::move(reason);
        return std::nullopt;
    }

    bool number(const Fields& f, Column c, float& v, std::string& why) const {
        const std::size_t i = static_cast<std::size_t>(c_[c]);
        if (i >= f.count) {
            why = std::to_string(f.total) + " values, " + std::to_string(wanted_) + " wanted";
            return false;
        }
        if (fieldnumber(f[i], v)) return true;
        why = quotedfield(f[i]) + " is not a number";
        return false;
    }

    const Columns& c_;
    bool geographic_;
    std::size_t wanted_ = 0;  // fields a row needs for every column found
};

}  // namespace

ReceiverFileRead readreceivercsv(std::string_view text, const std::string& name) {
    ReceiverFileRead out;
    out.report = ReadReport(name);
    LineScanner lines(text);
    Fields f;
    if (!nextcsvrow(lines, f)) {
        out.report.fail(0, "no header line");
        return out;
    }
    const Columns c = findnames(f);
    out.geographic = c[Lon0] >= 0 && c[Lat0] >= 0 && c[Lon1] >= 0 && c[Lat1] >= 0;
    if (!out.geographic && (c[X0] < 0 || c[Y0] < 0 || c[X1] < 0 || c[Y1] < 0)) {
        out.report.fail(lines.number(),
                        "no columns x0_km,y0_km,x1_km,y1_km (or lon0_deg,lat0_deg,lon1_deg,"
                        "lat1_deg)");
        return out;
    }
    for (const auto& [column, word] :
         {std::pair{Dip, "dip_deg"}, std::pair{Top, "top_km"}, std::pair{Bottom, "bottom_km"}}) {
        if (c[column] < 0) {
            out.report.fail(lines.number(), std::string("no column ") + word);
            return out;
        }
    }
    const RowReader rows(c, out.geographic);
    std::string why;
    while (nextcsvrow(lines, f)) {
        std::optional<ReceiverFault> r = rows.read(f, why);
        if (!r) {
            out.report.skip(lines.number(), why);
            continue;
        }
        out.receivers.push_back(std::move(*r));
        out.lines.push_back(static_cast<uint32_t>(lines.number()));
    }
    if (out.receivers.empty())
        out.report.fail(
            0, "no usable receiver" +
                   (out.report.skipped() > 0 ? ", " + out.report.skippedtext() : std::string()));
    return out;
}

ReceiverFileRead readreceiverfile(const std::string& path) {
    std::string text, why;
    if (!readwholefile(path, text, kMaxSlipFileBytes, &why)) {
        ReceiverFileRead read;
        read.report = ReadReport(path);
        read.report.fail(0, why);
        return read;
    }
    return readreceivercsv(text, path);
}

bool placereceivercsv(ReceiverFileRead& read, const GeoFrame* geo) {
    if (read.report.failed()) return false;
    if (!read.geographic) return true;
    const GeoFrame* map = readymap(geo);
    if (!map) {
        read.report.fail(0, "no map is set up to place latitudes and longitudes on");
        read.receivers.clear();
        return false;
    }
    std::vector<ReceiverFault> placed;
    std::vector<uint32_t> lines;
    for (std::size_t i = 0; i < read.receivers.size(); ++i) {
        ReceiverFault& r = read.receivers[i];
        if (placegeoreceiver(r, arclength(*r.geo), *map)) {
            placed.push_back(std::move(r));
            lines.push_back(read.lines[i]);
        } else {
            read.report.skip(read.lines[i], "outside the map projection");
        }
    }
    read.receivers = std::move(placed);
    read.lines = std::move(lines);
    if (read.receivers.empty()) {
        read.report.fail(0, "no receiver could be placed, " + read.report.skippedtext());
        return false;
    }
    return true;
}

std::string receiverfilesummary(const ReceiverFileRead& read) {
    return read.report.summary({counted(read.receivers.size(), "receiver", "receivers")});
}

bool loadreceiverfile(WorkState& ws, const GeoFrame* geo, const std::string& path,
                      std::string& summary) {
    ReceiverFileRead read = readreceiverfile(path);
    const bool ok = placereceivercsv(read, geo);
    summary = receiverfilesummary(read);
    if (ok) ws.receivers = std::move(read.receivers);
    return ok;
}

}  // namespace crustex
