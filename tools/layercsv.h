// Comma-separated tables as the event services and volcano lists export
// them: quoted fields (with "" for a quote inside), CR LF or LF line ends,
// columns found by their header names without regard to case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace crustex::tools {

using CsvRow = std::vector<std::string>;

// Every row of the text; a quoted field may span lines.
std::vector<CsvRow> parsecsv(std::string_view text);

// The index of the first field equal to one of the names (blanks around a
// field and letter case do not matter).
std::optional<std::size_t> findcolumn(const CsvRow& header,
                                      std::initializer_list<std::string_view> names);

// The index of the first row that has all the names as fields (a title line
// may stand above the header); nothing when no row of the first ten has.
std::optional<std::size_t> findheader(const std::vector<CsvRow>& rows,
                                      std::initializer_list<std::string_view> names);

// Reads a decimal number (blanks around it allowed); nothing for an empty
// or malformed field.
std::optional<double> csvnumber(std::string_view field);

}  // namespace crustex::tools
