#include "files/slipfile.h"

#include <algorithm>
#include <utility>

#include "files/fspfile.h"
#include "files/paramfile.h"
#include "files/patchcolumns.h"
#include "files/patchcsv.h"
#include "files/textscan.h"
#include "model/fsutil.h"

namespace crustex {

namespace {

bool endswith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// The format told by the first lines of a text.
SlipFormat formatoftext(std::string_view text) {
    constexpr std::size_t kLinesLooked = 400;
    bool param = false, inp = false, fsp = false, csv = false, first = true;
    LineScanner lines(text);
    std::string_view line;
    while (lines.next(line) && lines.number() <= kLinesLooked) {
        const std::string_view t = trimblank(line);
        if (t.empty()) continue;
        param = param || containsnocase(t, "fault_segment");
        inp = inp || containsnocase(t, "#fixed") ||
              (containsnocase(t, "x-start") && containsnocase(t, "kode"));
        if (t.front() == '%') {
            Fields f;
            splitblank(t.substr(1), f);
            const PatchColumns c = findcolumns(f);
            fsp = fsp || (c.has(PatchColumn::Lat) && c.has(PatchColumn::Lon)) ||
                  containsnocase(t, "mech") || containsnocase(t, "segment");
        }
        if (first && t.front() != '#') {
            Fields f;
            splitcomma(t, f);
            csv = f.count > 1 && findcolumns(f).has(PatchColumn::Slip);
            first = false;
        }
    }
    return param ? SlipFormat::Param
           : inp ? SlipFormat::Inp
           : fsp ? SlipFormat::Fsp
           : csv ? SlipFormat::Csv
                 : SlipFormat::Unknown;
}

}  // namespace

SlipFormat slipformatof(std::string_view name, std::string_view text) {
    const std::string lower = asciilower(std::string(name));
    if (endswith(lower, ".inp")) return SlipFormat::Inp;
    if (endswith(lower, ".fsp")) return SlipFormat::Fsp;
    if (endswith(lower, ".param")) return SlipFormat::Param;
    if (endswith(lower, ".csv")) return SlipFormat::Csv;
    return formatoftext(text);
}

SlipFileRead readslipbuffer(std::string_view text, const std::string& name) {
    SlipFileRead read;
    read.format = slipformatof(name, text);
    PatchRead patches{{}, ReadReport(name)};
    switch (read.format) {
        case SlipFormat::Inp: {
            InpRead r = readinp(text, name);
            if (!r.report.failed()) read.inp = std::move(r.model);
            read.report = std::move(r.report);
            return read;
        }
        case SlipFormat::Fsp: patches = readfsp(text, name); break;
        case SlipFormat::Param: patches = readparam(text, name); break;
        case SlipFormat::Csv: patches = readpatchcsv(text, name); break;
        case SlipFormat::Unknown:
            patches.report.fail(0, "not a slip model file (.inp, .fsp, .param or .csv)");
            break;
    }
    read.table = std::move(patches.table);
    read.report = std::move(patches.report);
    return read;
}

SlipFileRead readslipfile(const std::string& path) {
    std::string text, why;
    if (!readwholefile(path, text, kMaxSlipFileBytes, &why)) {
        SlipFileRead read;
        read.report = ReadReport(path);
        read.report.fail(0, why);
        return read;
    }
    return readslipbuffer(text, path);
}

std::optional<GeoBox> slipgeobox(const SlipFileRead& read) {
    if (read.inp) {
        const InpMapInfo& m = read.inp->map;
        if (!m.given) return std::nullopt;
        return GeoBox{std::min(m.minlat, m.maxlat), std::min(m.minlon, m.maxlon),
                      std::max(m.minlat, m.maxlat), std::max(m.minlon, m.maxlon)};
    }
    if (!read.table.geographic || read.table.patches.empty()) return std::nullopt;
    // Longitudes as given, and turned into 0..360 for a model across 180
    // degrees: the narrower of the two boxes.
    GeoBox box{90, 1e9f, -90, -1e9f}, wrapped = box;
    for (const CentredPatch& p : read.table.patches) {
        for (GeoBox* b : {&box, &wrapped}) {
            const float lon = b == &wrapped && p.east < 0 ? p.east + 360 : p.east;
            b->lat1 = std::min(b->lat1, p.north);
            b->lat2 = std::max(b->lat2, p.north);
            b->lon1 = std::min(b->lon1, lon);
            b->lon2 = std::max(b->lon2, lon);
        }
    }
    return wrapped.lon2 - wrapped.lon1 < box.lon2 - box.lon1 ? wrapped : box;
}

bool placeslipfile(SlipFileRead& read, const GeoFrame* geo, PlacedModel& out) {
    if (read.report.failed()) return false;
    if (read.inp) return placeinp(*read.inp, geo, out, read.report);
    return placepatchtable(read.table, geo, out.model, read.report);
}

std::string slipsummary(const SlipFileRead& read, const PlacedModel& placed) {
    if (read.report.failed()) return read.report.summary({});
    std::vector<std::string> found = {counted(placed.model.size(), "patch", "patches")};
    if (!placed.receivers.empty())
        found.push_back(counted(placed.receivers.size(), "receiver", "receivers"));
    if (read.inp && read.inp->pointsources > 0)
        found.push_back(pointsourcetext(read.inp->pointsources));
    return read.report.summary(found);
}

void installslipmodel(WorkState& ws, const SlipFileRead& read, PlacedModel&& placed,
                      const std::string& file) {
    ws.slipmodel = std::move(placed.model);
    ws.slipmodel.file = file;
    if (read.inp) {
        if (read.inp->medium) ws.medium = *read.inp->medium;
        ws.regionalstress = read.inp->stress;
        ws.receivers = std::move(placed.receivers);
        ws.sectiondefault = placed.section;
    }
    ws.gridstale = true;
    ws.cffstale = true;
}

bool loadslipfile(WorkState& ws, const GeoFrame* geo, const std::string& path,
                  std::string& summary) {
    SlipFileRead read = readslipfile(path);
    return loadslipread(ws, geo, read, path, summary);
}

bool loadslipread(WorkState& ws, const GeoFrame* geo, SlipFileRead& read, const std::string& path,
                  std::string& summary) {
    PlacedModel placed;
    const bool ok = placeslipfile(read, geo, placed);
    summary = slipsummary(read, placed);
    if (ok) installslipmodel(ws, read, std::move(placed), path);
    return ok;
}

}  // namespace crustex
