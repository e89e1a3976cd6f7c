#include "files/recordio.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>
#include <utility>

namespace crustex {

namespace {

bool isblank(char c) { return c == ' ' || c == '\t'; }
bool islineend(char c) { return c == '\r' || c == '\n'; }
bool isdigit(char c) { return c >= '0' && c <= '9'; }

// Significant digits (first one non-zero) and decimal exponent of v: v = d.ddd * 10^e.
void decimaldigits(float v, std::string& digits, int& exponent) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    std::string s(buf, r.ptr);
    const std::size_t epos = s.find('e');
    std::string mant = s.substr(0, epos);
    std::erase(mant, '.');
    if (mant.size() > 7) {
        r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 6);
        s.assign(buf, r.ptr);
        mant = s.substr(0, s.find('e'));
        std::erase(mant, '.');
    }
    while (mant.size() > 1 && mant.back() == '0') mant.pop_back();
    digits = mant;
    exponent = std::atoi(s.c_str() + s.find('e') + 1);
}

}  // namespace

std::string recordfloat(float v) {
    if (std::isnan(v) || v == 0) return "0";
    if (std::isinf(v))
        v = v > 0 ? std::numeric_limits<float>::max() : -std::numeric_limits<float>::max();
    std::string out = v < 0 ? "-" : "";
    std::string d;
    int e = 0;
    decimaldigits(std::fabs(v), d, e);
    const int n = static_cast<int>(d.size());
    if (e >= 7 || e <= -5) {
        out += d[0];
        if (n > 1) {
            out += '.';
            out.append(d, 1, std::string::npos);
        }
        char ebuf[16];
        std::snprintf(ebuf, sizeof ebuf, "E%c%02d", e < 0 ? '-' : '+', e < 0 ? -e : e);
        out += ebuf;
    } else if (e < 0) {
        out += '.';
        out.append(static_cast<std::size_t>(-e - 1), '0');
        out += d;
    } else if (n <= e + 1) {
        out += d;
        out.append(static_cast<std::size_t>(e + 1 - n), '0');
    } else {
        out.append(d, 0, static_cast<std::size_t>(e + 1));
        out += '.';
        out.append(d, static_cast<std::size_t>(e + 1), std::string::npos);
    }
    return out;
}

std::string recorddate(const DateTime& d) {
    char buf[48];
    if (d.hour == 0 && d.minute == 0 && d.second == 0)
        std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d#", d.year, d.month, d.day);
    else
        std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d %02d:%02d:%02d#", d.year, d.month, d.day,
                      d.hour, d.minute, d.second);
    return buf;
}

// --- Writer ---

void RecordWriter::separate() {
    if (!linestart_) out_ += ',';
    linestart_ = false;
}

void RecordWriter::text(std::string_view s) {
    separate();
    out_ += '"';
    // A quote inside the text is doubled, so that the text reads back whole.
    for (char c : s) {
        if (c == '"') out_ += '"';
        out_ += c;
    }
    out_ += '"';
}

void RecordWriter::integer(int v) {
    separate();
    out_ += std::to_string(v);
}

void RecordWriter::number(float v) {
    separate();
    out_ += recordfloat(v);
}

void RecordWriter::boolean(bool v) {
    separate();
    out_ += v ? "#TRUE#" : "#FALSE#";
}

void RecordWriter::date(const DateTime& d) {
    separate();
    out_ += recorddate(d);
}

void RecordWriter::endline() {
    out_ += "\r\n";
    linestart_ = true;
}

void RecordWriter::plainline(std::string_view s) {
    if (!linestart_) endline();
    out_ += s;
    endline();
}

// --- Number text ---

bool parserecordfloat(std::string_view s, float& out) {
    if (s.empty()) return false;
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    const std::size_t start = s[0] == '+' ? 1 : 0;
    std::size_t mantdigits = 0;
    while (i < s.size() && isdigit(s[i])) ++i, ++mantdigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isdigit(s[i])) ++i, ++mantdigits;
    }
    if (mantdigits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expdigits = 0;
        while (i < s.size() && isdigit(s[i])) ++i, ++expdigits;
        if (expdigits == 0) return false;
    }
    if (i != s.size()) return false;
    double d = 0;
    const char* first = s.data() + start;
    const char* last = s.data() + s.size();
    // from_chars takes no leading '+': it was stepped over.
    const auto r = std::from_chars(first, last, d);
    if (r.ec != std::errc() || r.ptr != last) return false;
    if (!std::isfinite(d) || std::fabs(d) > std::numeric_limits<float>::max()) return false;
    const float f = static_cast<float>(d);
    if (!std::isfinite(f)) return false;
    out = f;
    return true;
}

// --- Reader ---

RecordReader::RecordReader(std::string content) : data_(std::move(content)) {
    // A byte-order mark that an editor put in front of the first keyword.
    if (data_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
}

bool RecordReader::fail() {
    if (!failed_) {
        failline_ = line_;
        failatend_ = pos_ >= data_.size();
    }
    failed_ = true;
    return false;
}

RecordRead RecordReader::refuse(std::string_view why) {
    if (problem_.empty()) problem_ = "line " + std::to_string(fieldline_) + ": " + std::string(why);
    return RecordRead::Refused;
}

RecordRead RecordReader::cut(std::string_view why) {
    refuse(why);
    return RecordRead::Cut;
}

std::string RecordReader::problem() const {
    if (!failed_) return problem_;
    if (failatend_) return "the file ends inside a record";
    return "line " + std::to_string(failline_) + " cannot be read";
}

void RecordReader::skiplineend() {
    // CR LF, a lone CR or a lone LF ends one line.
    if (data_[pos_] == '\r' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
}

bool RecordReader::atend() {
    while (pos_ < data_.size()) {
        if (isblank(data_[pos_]))
            ++pos_;
        else if (islineend(data_[pos_]))
            skiplineend();
        else
            break;
    }
    return pos_ >= data_.size();
}

bool RecordReader::nextfield(std::string& field, bool& quoted) {
    if (failed_ || atend()) return fail();
    fieldline_ = line_;
    const std::size_t n = data_.size();
    quoted = data_[pos_] == '"';
    std::size_t end = pos_;
    if (quoted) {
        // A doubled quote inside stands for one quote.
        field.clear();
        end = pos_ + 1;
        for (;;) {
            while (end < n && data_[end] != '"' && !islineend(data_[end])) field += data_[end++];
            if (end >= n || data_[end] != '"') return fail();
            if (field.size() > kMaxField) return fail();
            if (end + 1 < n && data_[end + 1] == '"') {
                field += '"';
                end += 2;
                continue;
            }
            break;
        }
        ++end;
        // Anything between the closing quote and the comma is ignored.
        std::size_t skipped = 0;
        while (end < n && data_[end] != ',' && !islineend(data_[end])) {
            ++end;
            if (++skipped > kMaxField) return fail();
        }
    } else {
        while (end < n && data_[end] != ',' && !islineend(data_[end])) {
            ++end;
            if (end - pos_ > kMaxField) return fail();
        }
        std::size_t last = end;
        while (last > pos_ && isblank(data_[last - 1])) --last;
        field.assign(data_, pos_, last - pos_);
    }
    // Consume the separator: a comma, or one line end (CR LF, CR or LF).
    pos_ = end;
    if (pos_ < n && data_[pos_] == ',')
        ++pos_;
    else if (pos_ < n && islineend(data_[pos_]))
        skiplineend();
    return true;
}

bool RecordReader::readtext(std::string& out) {
    std::string f;
    bool quoted = false;
    if (!nextfield(f, quoted)) return false;
    out = std::move(f);
    return true;
}

bool RecordReader::readfloat(float& out) {
    std::string f;
    bool quoted = false;
    if (!nextfield(f, quoted)) return false;
    float v = 0;
    if (!parserecordfloat(f, v)) return fail();
    out = v;
    return true;
}

bool readfloats(RecordReader& r, std::span<float> out) {
    for (float& v : out)
        if (!r.readfloat(v)) return false;
    return true;
}

bool RecordReader::readint(int16_t& out) {
    std::string f;
    bool quoted = false;
    if (!nextfield(f, quoted)) return false;
    float v = 0;
    if (!parserecordfloat(f, v)) return fail();
    // Halves go to the even neighbour, as integer fields always have.
    const double r = std::nearbyint(static_cast<double>(v));
    if (r < -32768.0 || r > 32767.0) return fail();
    out = static_cast<int16_t>(r);
    return true;
}

bool RecordReader::readbool(bool& out) {
    std::string f;
    bool quoted = false;
    if (!nextfield(f, quoted)) return false;
    std::string up;
    for (char c : f) up += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (up == "#TRUE#") {
        out = true;
        return true;
    }
    if (up == "#FALSE#") {
        out = false;
        return true;
    }
    // A number stands for a flag too: 0 is false, anything else true.
    float v = 0;
    if (!parserecordfloat(f, v)) return fail();
    out = v != 0;
    return true;
}

namespace {

// Reads exactly `count` digits at s[i..] into v.
bool takedigits(std::string_view s, std::size_t& i, int count, int& v) {
    v = 0;
    for (int k = 0; k < count; ++k, ++i) {
        if (i >= s.size() || !isdigit(s[i])) return false;
        v = v * 10 + (s[i] - '0');
    }
    return true;
}

// "yyyy-mm-dd", optionally followed by " hh:mm" or " hh:mm:ss".
bool parsedate(std::string_view s, DateTime& out) {
    std::size_t i = 0;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
    if (!takedigits(s, i, 4, y) || i >= s.size() || s[i++] != '-') return false;
    if (!takedigits(s, i, 2, mo) || i >= s.size() || s[i++] != '-') return false;
    if (!takedigits(s, i, 2, d)) return false;
    if (i < s.size()) {
        if (s[i++] != ' ') return false;
        if (!takedigits(s, i, 2, h) || i >= s.size() || s[i++] != ':') return false;
        if (!takedigits(s, i, 2, mi)) return false;
        if (i < s.size()) {
            if (s[i++] != ':' || !takedigits(s, i, 2, sec)) return false;
        }
        if (i != s.size()) return false;
    }
    DateTime t{static_cast<int16_t>(y), static_cast<int16_t>(mo), static_cast<int16_t>(d),
               static_cast<int16_t>(h), static_cast<int16_t>(mi), static_cast<int16_t>(sec)};
    if (!t.isValid()) return false;
    out = t;
    return true;
}

}  // namespace

bool RecordReader::readdate(DateTime& out) {
    std::string f;
    bool quoted = false;
    if (!nextfield(f, quoted)) return false;
    if (f.size() < 2 || f.front() != '#' || f.back() != '#') return fail();
    if (!parsedate(std::string_view(f).substr(1, f.size() - 2), out)) return fail();
    return true;
}

}  // namespace crustex
