#include "files/patchcsv.h"

#include <charconv>
#include <cmath>

#include "files/atomicfile.h"
#include "files/patchcolumns.h"
#include "files/slipplace.h"
#include "files/textscan.h"
#include "geo/projection.h"
#include "model/sourcemodel.h"

namespace crustex {

namespace {

// The columns every table needs, beside its position, and their names in
// the program's header.
struct Needed {
    PatchColumn column;
    const char* name;
};
constexpr Needed kNeeded[] = {
    {PatchColumn::Depth, "depth_km"},   {PatchColumn::Strike, "strike_deg"},
    {PatchColumn::Dip, "dip_deg"},      {PatchColumn::Rake, "rake_deg"},
    {PatchColumn::Length, "length_km"}, {PatchColumn::Width, "width_km"},
    {PatchColumn::Slip, "slip_m"},
};

// Degrees in 0..360.
double bearing(double radians) {
    double d = std::fmod(radians * 180 / kPi, 360.0);
    if (d < 0) d += 360;
    return d >= 360 ? 0.0 : d + 0.0;
}

void append(std::string& line, float v) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    if (!line.empty() && line.back() != '\n') line += ',';
    line.append(buf, ec == std::errc{} ? end : buf);
}

}  // namespace

PatchRead readpatchcsv(std::string_view text, const std::string& name) {
    PatchRead out{{true, {}}, ReadReport(name)};
    LineScanner lines(text);
    Fields f;
    if (!nextcsvrow(lines, f)) {
        out.report.fail(0, "no header line");
        return out;
    }
    const PatchColumns columns = findcolumns(f);
    out.table.geographic = columns.has(PatchColumn::Lon) && columns.has(PatchColumn::Lat);
    const bool km = columns.has(PatchColumn::X) && columns.has(PatchColumn::Y);
    if (!out.table.geographic && !km) {
        out.report.fail(lines.number(), "no columns lon_deg and lat_deg (or x_km and y_km)");
        return out;
    }
    for (const Needed& n : kNeeded) {
        if (!columns.has(n.column)) {
            out.report.fail(lines.number(), std::string("no column ") + n.name);
            return out;
        }
    }
    PatchColumns used = columns;
    const PatchColumn unused[] = {out.table.geographic ? PatchColumn::X : PatchColumn::Lon,
                                  out.table.geographic ? PatchColumn::Y : PatchColumn::Lat};
    for (const PatchColumn c : unused) used.index[static_cast<std::size_t>(c)] = -1;
    std::array<float, kPatchColumns> v{};
    std::string reason;
    while (nextcsvrow(lines, f)) {
        if (!readcolumns(f, used, v, reason)) {
            out.report.skip(lines.number(), reason);
            continue;
        }
        CentredPatch p = patchofcolumns(v, out.table.geographic);
        p.line = static_cast<uint32_t>(lines.number());
        addpatch(out, p);
    }
    finishpatchread(out, "patch");
    return out;
}

bool writepatchcsv(const SlipModel& model, const GeoFrame* geo,
                   const std::function<bool(std::string_view)>& out) {
    const GeoFrame* map = readymap(geo);
    const bool geographic = map && !model.geo.empty() && model.geo.size() == model.patches.size();
    std::string text = geographic ? kPatchCsvGeoHeader : kPatchCsvKmHeader;
    text += '\n';
    for (const SlipPatch& p : model.patches) {
        const PatchCentre c = centreofpatch(p);
        float east = static_cast<float>(c.x), north = static_cast<float>(c.y);
        double azimuth = c.azimuth;
        if (geographic) {
            kmtogeo(map->proj, map->frame, east, north, north, east);
            azimuth -= meridianangle(map->proj, east);
        }
        const float length = static_cast<float>(
            std::hypot(static_cast<double>(p.x1) - p.x0, static_cast<double>(p.y1) - p.y0));
        for (const float v :
             {east, north, static_cast<float>(c.depth), static_cast<float>(bearing(azimuth)), p.dip,
              p.rake, length, p.width, p.slip, p.opening})
            append(text, v);
        text += '\n';
        if (text.size() >= 1 << 16) {
            if (!out(text)) return false;
            text.clear();
        }
    }
    return out(text);
}

std::string patchcsvtext(const SlipModel& model, const GeoFrame* geo) {
    std::string text;
    writepatchcsv(model, geo, [&text](std::string_view piece) {
        text.append(piece);
        return true;
    });
    return text;
}

bool storepatchcsv(const std::string& path, const SlipModel& model, const GeoFrame* geo) {
    AtomicWriter w(path);
    if (!w.ok()) return false;
    return writepatchcsv(model, geo, [&w](std::string_view piece) { return w.write(piece); }) &&
           w.commit();
}

}  // namespace crustex
