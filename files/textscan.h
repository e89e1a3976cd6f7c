// Scanning the plain-text model files that come from outside (slip models in
// their various formats): lines ended by LF, CR LF or a bare CR, fields split
// at blanks or commas without allocating, numbers in any ordinary decimal or
// exponent form (".250", "0.8E+06", "8.000e+005"), and "key = value" pairs
// found by name. Nothing here trusts the text: every routine is linear in
// the length of what it is given and never reads outside it.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace crustex {

// The lines of a text in order. A line ends at LF, CR LF or a bare CR (one
// file may mix them); a UTF-8 byte-order mark at the start is passed over.
class LineScanner {
public:
    explicit LineScanner(std::string_view text);
    // The next line without its end; false after the last line.
    bool next(std::string_view& line);
    // The number of the line last returned (1 for the first).
    std::size_t number() const { return number_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t number_ = 0;
};

// Hands each line of a text and its number to `line` until it returns false.
void eachline(std::string_view text,
              const std::function<bool(std::string_view line, std::size_t number)>& line);

// The fields of one line. Fields after the first kMaxFields are counted but
// not kept.
inline constexpr std::size_t kMaxFields = 48;
struct Fields {
    std::array<std::string_view, kMaxFields> at{};
    std::size_t count = 0;  // fields kept
    std::size_t total = 0;  // fields on the line
    std::string_view operator[](std::size_t i) const { return at[i]; }
};

// Fields separated by runs of blanks and tabs.
void splitblank(std::string_view line, Fields& out);
// Fields separated by commas, each without the blanks and the double quotes
// around it (an empty line has no field).
void splitcomma(std::string_view line, Fields& out);

// The next row of a CSV table: the next line that is neither blank nor a
// comment starting with '#', split at commas; false after the last line.
bool nextcsvrow(LineScanner& lines, Fields& out);

std::string_view trimblank(std::string_view s);
bool blankline(std::string_view line);
// True when the text holds word, letter case aside.
bool containsnocase(std::string_view text, std::string_view word);
// True when text equals word, letter case aside.
bool equalsnocase(std::string_view text, std::string_view word);

// The whole text as a number; a leading '+' is allowed. "nan" and "inf" are
// numbers here (their use is checked later), and a number beyond the range
// of a double gives an infinity.
bool fieldnumber(std::string_view text, double& v);
bool fieldnumber(std::string_view text, float& v);
// The number at the start of the text, whatever follows ("15.00km" is 15).
bool leadingnumber(std::string_view text, double& v);

// The "key = number" pairs of a line, one per call from position pos on:
// the key is the word (letters, digits, '_') just before the "=", blanks
// allowed around it; pairs whose "=" has no word before it or no number
// after it are passed over, and so is "==" ("X==EW" names a column). False
// when no pair is left. Linear in the length of the line over all calls.
bool nextkeyvalue(std::string_view line, std::size_t& pos, std::string_view& key, double& v);

// The number of the first pair whose key is `key` (letter case aside).
bool keyvalue(std::string_view line, std::string_view key, double& v);

// The text as UTF-8: kept when it is valid UTF-8, else read as Latin-1
// (old files hold degree signs and accents in that code).
std::string asutf8(std::string_view s);

// Shortest text that reads back as the same float ("95", "-2.5", "1e+40",
// "nan").
std::string floattext(float v);

// A count with thousands grouped: "1,024".
std::string groupedcount(std::size_t n);

}  // namespace crustex
