#include "files/patchcolumns.h"

#include <initializer_list>
#include <string_view>

namespace crustex {

namespace {

struct ColumnNames {
    PatchColumn column;
    std::initializer_list<std::string_view> names;
};

const ColumnNames kNames[] = {
    {PatchColumn::Lon, {"lon", "lon_deg", "longitude"}},
    {PatchColumn::Lat, {"lat", "lat_deg", "latitude"}},
    {PatchColumn::X, {"x", "x_km"}},
    {PatchColumn::Y, {"y", "y_km"}},
    {PatchColumn::Depth, {"depth", "depth_km", "z"}},
    {PatchColumn::Strike, {"strike", "strike_deg", "strk"}},
    {PatchColumn::Dip, {"dip", "dip_deg"}},
    {PatchColumn::Rake, {"rake", "rake_deg"}},
    {PatchColumn::Length, {"length", "length_km"}},
    {PatchColumn::Width, {"width", "width_km"}},
    {PatchColumn::Slip, {"slip", "slip_m"}},
    {PatchColumn::Opening, {"opening", "opening_m"}},
};

// "Lat." gives "Lat", "Z(km)" gives "Z".
std::string_view basename(std::string_view name) {
    const std::size_t paren = name.find('(');
    if (paren != std::string_view::npos && paren > 0) name = name.substr(0, paren);
    while (!name.empty() && name.back() == '.') name.remove_suffix(1);
    return name;
}

}  // namespace

std::size_t PatchColumns::needed() const {
    int most = -1;
    for (const int i : index) most = i > most ? i : most;
    return static_cast<std::size_t>(most + 1);
}

PatchColumns findcolumns(const Fields& names) {
    PatchColumns found;
    found.index.fill(-1);
    for (std::size_t i = 0; i < names.count; ++i) {
        const std::string_view name = basename(names[i]);
        for (const ColumnNames& c : kNames) {
            int& slot = found.index[static_cast<std::size_t>(c.column)];
            for (const std::string_view n : c.names)
                if (slot < 0 && equalsnocase(name, n)) slot = static_cast<int>(i);
        }
    }
    return found;
}

bool readcolumns(const Fields& row, const PatchColumns& columns,
                 std::array<float, kPatchColumns>& values, std::string& reason) {
    values.fill(0);
    if (row.count < columns.needed()) {
        reason =
            std::to_string(row.total) + " values, " + std::to_string(columns.needed()) + " wanted";
        return false;
    }
    for (std::size_t c = 0; c < kPatchColumns; ++c) {
        const int i = columns.index[c];
        if (i < 0) continue;
        const std::string_view field = row[static_cast<std::size_t>(i)];
        if (!fieldnumber(field, values[c])) {
            reason = quotedfield(field) + " is not a number";
            return false;
        }
    }
    return true;
}

CentredPatch patchofcolumns(const std::array<float, kPatchColumns>& v, bool geographic) {
    CentredPatch p;
    p.east = columnvalue(v, geographic ? PatchColumn::Lon : PatchColumn::X);
    p.north = columnvalue(v, geographic ? PatchColumn::Lat : PatchColumn::Y);
    p.depth = columnvalue(v, PatchColumn::Depth);
    p.strike = columnvalue(v, PatchColumn::Strike);
    p.dip = columnvalue(v, PatchColumn::Dip);
    p.rake = columnvalue(v, PatchColumn::Rake);
    p.length = columnvalue(v, PatchColumn::Length);
    p.width = columnvalue(v, PatchColumn::Width);
    p.slip = columnvalue(v, PatchColumn::Slip);
    p.opening = columnvalue(v, PatchColumn::Opening);
    return p;
}

std::string quotedfield(std::string_view field) {
    std::string q(1, '"');
    for (const char c : asutf8(field.substr(0, 24)))
        q += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    q += field.size() > 24 ? "...\"" : "\"";
    return q;
}

}  // namespace crustex
