// The columns of a patch table found by their names, as the .fsp, .param and
// patch CSV files name them: "LAT", "Lat.", "lat_deg" and "latitude" all
// name the latitude. Names are compared without regard to case, with a
// trailing '.' and a unit in parentheses left off.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "files/centredpatch.h"
#include "files/textscan.h"

namespace crustex {

enum class PatchColumn {
    Lon,
    Lat,
    X,
    Y,
    Depth,
    Strike,
    Dip,
    Rake,
    Length,
    Width,
    Slip,
    Opening,
};
inline constexpr std::size_t kPatchColumns = 12;

struct PatchColumns {
    std::array<int, kPatchColumns> index{};  // field index, -1 when absent

    bool has(PatchColumn c) const { return index[static_cast<std::size_t>(c)] >= 0; }
    // The number of fields a row needs for every column found.
    std::size_t needed() const;
};

// The columns among the fields of a column line (the first of each name).
PatchColumns findcolumns(const Fields& names);

// The value of every column found in a row (the others stay 0). False with
// a reason when the row is too short or a field is not a number.
bool readcolumns(const Fields& row, const PatchColumns& columns,
                 std::array<float, kPatchColumns>& values, std::string& reason);

inline float columnvalue(const std::array<float, kPatchColumns>& values, PatchColumn c) {
    return values[static_cast<std::size_t>(c)];
}

// A patch of the values read: its position from the longitude and latitude
// columns, or from X and Y when `geographic` is false; the rest by name.
CentredPatch patchofcolumns(const std::array<float, kPatchColumns>& values, bool geographic);

// "\"abc\"": a field quoted for a message, cut to 24 characters.
std::string quotedfield(std::string_view field);

}  // namespace crustex
