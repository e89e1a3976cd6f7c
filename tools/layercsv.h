// Comma-separated tables as the event services and volcano lists export
// them: quoted fields (with "" for a quote inside, line ends allowed in
// them), CR LF or LF line ends, a byte-order mark before the header, columns
// found by their header names without regard to case. Rows are read one at a
// time from a stream, so a table of any size is read in little memory.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/linereader.h"

namespace crustex::tools {

using CsvRow = std::vector<std::string>;

// A row (a quoted field with its line ends included) is at most this long.
inline constexpr std::size_t kMaxCsvRow = std::size_t{1} << 20;

class CsvReader {
public:
    explicit CsvReader(std::istream& in) : lines_(in, kMaxCsvRow) {}

    // The next row that holds anything; false at the end of the table and,
    // for good, at a row that cannot be read: a quote that is not closed
    // before the end, or a row longer than kMaxCsvRow (error() names it).
    bool next(CsvRow& row);

    long line() const { return line_; }  // where the last row starts
    const std::string& error() const { return error_; }

private:
    bool fail(long line, const std::string& what);

    LineReader lines_;
    long line_ = 0;
    std::string error_;
};

// The index of the first field equal to one of the names (blanks around a
// field and letter case do not matter).
std::optional<std::size_t> findcolumn(const CsvRow& header,
                                      std::initializer_list<std::string_view> names);

// Reads rows up to the first that has all the names as fields (a title line
// may stand above the header); nothing when none of the first ten has, or a
// row cannot be read.
std::optional<CsvRow> findheader(CsvReader& rows, std::initializer_list<std::string_view> names);

// Reads a decimal number (blanks around it allowed); nothing for an empty
// or malformed field.
std::optional<double> csvnumber(std::string_view field);

}  // namespace crustex::tools
