// The record-line syntax shared by every text file the program writes and
// reads back (settings, work, last-work and source files): fields separated
// by commas, texts in double quotes (a quote inside doubled), 16-bit integers, floats in a short
// single-precision form, #TRUE#/#FALSE#, date-times in hash marks, CR LF line
// ends.
//
// The reader takes fields one at a time in stream order, whatever the line
// breaks; a UTF-8 byte-order mark at the start is passed over. It never trusts the input: a bad
// number, a missing quote, an overlong field or binary junk puts it into a failed state (every
// later read fails too) instead of producing a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/datetime.h"

namespace crustex {

// The float text of the record files: the shortest decimal that gives the
// value back at single precision, at most 7 significant digits, no 0 before
// the point below 1 (".5", "-.25"), exponent form from 1E+07 up and below
// 1E-04 ("1E+07", "1.5E-05"). Infinities are written as the largest float
// and NaN as 0, so that a written file can always be read back.
std::string recordfloat(float v);

// "#1995-01-01#", or "#1995-12-31 23:59:00#" when the time is not midnight.
std::string recorddate(const DateTime& d);

class RecordWriter {
public:
    // In double quotes; a quote inside the text is written doubled, so that
    // every text reads back as it was.
    void text(std::string_view s);
    void integer(int v);
    void number(float v);
    void boolean(bool v);
    void date(const DateTime& d);
    // Ends the current line with CR LF.
    void endline();
    // A whole line written as is (header lines), ended with CR LF.
    void plainline(std::string_view s);

    const std::string& str() const { return out_; }

private:
    void separate();
    std::string out_;
    bool linestart_ = true;
};

// How the values of one keyword record were taken.
enum class RecordRead {
    Applied,  // read whole and stored
    // Read whole, but a value is one the program cannot work with: nothing
    // of the record is stored and reading goes on with the next keyword.
    Refused,
    // A list whose count promised more records than the file holds: the
    // records read are stored, and the damage is reported like a refusal.
    Cut,
    Broken,  // a field could not be read: the reader has failed
};

// Applied when the fields were read and their values are acceptable.
inline RecordRead recordread(bool fieldsread, bool acceptable) {
    if (!fieldsread) return RecordRead::Broken;
    return acceptable ? RecordRead::Applied : RecordRead::Refused;
}

class RecordReader {
public:
    // Longest field accepted; anything longer is an input error.
    static constexpr std::size_t kMaxField = 32768;

    explicit RecordReader(std::string content);

    // True when nothing but blanks and line ends is left.
    bool atend();
    bool failed() const { return failed_; }

    // Each read returns false (and leaves `out` alone) when the next field is
    // missing or not of the wanted type; the reader then stays failed.
    // A quoted text takes a doubled quote inside it as one quote.
    bool readtext(std::string& out);
    bool readfloat(float& out);
    bool readint(int16_t& out);
    bool readbool(bool& out);
    bool readdate(DateTime& out);

    // A record read whole whose values are refused: keeps the first reason,
    // with the line of the last field read, for problem(). Returns Refused.
    RecordRead refuse(std::string_view why);
    // The same for a list cut short by the end of the file; returns Cut.
    RecordRead cut(std::string_view why);
    // What went wrong, in words for the user: where the reader failed ("line
    // 12 cannot be read", "the file ends inside a record"), else the first
    // refusal ("line 9: ..."), else "".
    std::string problem() const;

private:
    bool nextfield(std::string& field, bool& quoted);
    bool fail();
    void skiplineend();

    std::string data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
    int line_ = 1;       // line of pos_
    int fieldline_ = 1;  // line of the last field read
    int failline_ = 0;
    bool failatend_ = false;
    std::string problem_;
};

// Reads out.size() floats in order; false at the first that cannot be read
// (the ones before it are then filled).
bool readfloats(RecordReader& r, std::span<float> out);

// Parses a whole number text of the record syntax into a finite float
// ("12", "-.25", "1E+07", "3.5e-2"); false for anything else, including
// values beyond the float range.
bool parserecordfloat(std::string_view s, float& out);

}  // namespace crustex
