// The named map ranges of the map dialog, kept in "fixarea.lst" in the area
// directory: up to 50 entries, each a name, a range and a "Skip Data" step.
//
// The file is text with CR LF lines, read field by field so that line breaks
// only separate fields: the count; then per entry the name (plain text), a
// line with flat1 and flat2, a line with flon1 and flon2 and a line with
// nstep. Numbers are in the print form, the second of a line in the next
// 14-column print zone. A name holding a comma is written in double quotes.
//
// The file comes from outside: a byte-order mark in front is passed over, the
// count is limited to 50, fields are never read past their end, and reading
// stops at the first field that is not what the layout wants, keeping the
// entries read whole before it. Such a list was not read whole; the next
// save keeps the old file as "fixarea.lst.bak" so that the rest of it is
// not lost.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace crustex {

inline constexpr const char* kAreaListFileName = "fixarea.lst";
inline constexpr int kMaxNamedAreas = 50;

struct NamedArea {
    std::string name;
    float flat1 = 0, flat2 = 0, flon1 = 0, flon2 = 0;  // degrees
    int16_t nstep = 1;

    bool operator==(const NamedArea&) const = default;
};

// The entries of a list file's text (at most 50). *whole, when given, tells
// whether the text was taken whole: every entry the count promises read, the
// count at most 50, nothing but blanks after the last entry.
std::vector<NamedArea> parsearealist(std::string_view text, bool* whole = nullptr);

// The file's text for the entries (the count, then each entry).
std::string arealisttext(const std::vector<NamedArea>& list);

// Reads "fixarea.lst" from the area directory (its name matched without
// regard to letter case); a missing or unreadable file gives no entries.
std::vector<NamedArea> readarealist(const std::string& areapath);

// Writes the list to "fixarea.lst" in the area directory through a
// temporary file and a rename, creating the directory when it is missing.
// An old file that a reading would not take whole (see parsearealist) or
// cannot read is first moved to "fixarea.lst.bak" (the file a link leads to
// moves, beside itself). False when it cannot be written (the old file is
// then untouched, or kept as the .bak).
bool savearealist(const std::string& areapath, const std::vector<NamedArea>& list);

// A typed name as the list keeps it: blanks around it removed, double quotes
// and control characters dropped (the file cannot hold them).
std::string arealistname(std::string_view typed);

enum class AreaAdd { Added, NoName, Exists, Full };

// Appends an entry under its cleaned name unless the name is empty, already
// in the list, or the list holds 50 entries.
AreaAdd addarea(std::vector<NamedArea>& list, NamedArea area);

}  // namespace crustex
