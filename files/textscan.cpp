#include "files/textscan.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace crustex {

namespace {

bool isblankchar(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

bool iswordchar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

char lowerchar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool matchesat(std::string_view text, std::size_t pos, std::string_view word) {
    if (text.size() - pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lowerchar(text[pos + i]) != lowerchar(word[i])) return false;
    return true;
}

void keep(Fields& out, std::string_view field) {
    if (out.count < kMaxFields) out.at[out.count++] = field;
    ++out.total;
}

}  // namespace

LineScanner::LineScanner(std::string_view text) : text_(text) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

bool LineScanner::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
    } else {
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    }
    ++number_;
    return true;
}

void eachline(std::string_view text,
              const std::function<bool(std::string_view line, std::size_t number)>& line) {
    LineScanner lines(text);
    std::string_view l;
    while (lines.next(l))
        if (!line(l, lines.number())) return;
}

void splitblank(std::string_view line, Fields& out) {
    out.count = out.total = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isblankchar(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !isblankchar(line[i])) ++i;
        if (i > start) keep(out, line.substr(start, i - start));
    }
}

void splitcomma(std::string_view line, Fields& out) {
    out.count = out.total = 0;
    if (blankline(line)) return;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        std::string_view field = trimblank(line.substr(start, comma - start));
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
            field = trimblank(field.substr(1, field.size() - 2));
        keep(out, field);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
}

bool nextcsvrow(LineScanner& lines, Fields& out) {
    std::string_view line;
    while (lines.next(line)) {
        const std::string_view t = trimblank(line);
        if (t.empty() || t.front() == '#') continue;
        splitcomma(line, out);
        return true;
    }
    return false;
}

std::string_view trimblank(std::string_view s) {
    while (!s.empty() && isblankchar(s.front())) s.remove_prefix(1);
    while (!s.empty() && isblankchar(s.back())) s.remove_suffix(1);
    return s;
}

bool blankline(std::string_view line) { return trimblank(line).empty(); }

bool containsnocase(std::string_view text, std::string_view word) {
    if (word.empty()) return true;
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i)
        if (matchesat(text, i, word)) return true;
    return false;
}

bool equalsnocase(std::string_view text, std::string_view word) {
    return text.size() == word.size() && matchesat(text, 0, word);
}

namespace {

// The number at the start of text; the end of its digits, or nullptr.
const char* scannumber(std::string_view text, double& v) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) return nullptr;
    }
    if (text.empty()) return nullptr;
    double d = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
    if (end == text.data()) return nullptr;
    if (ec == std::errc::result_out_of_range) {
        // Beyond a double: an infinity, or zero for a tiny magnitude.
        const std::string_view matched(text.data(), static_cast<std::size_t>(end - text.data()));
        const std::size_t e = matched.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && e + 1 < matched.size() && matched[e + 1] == '-';
        d = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        if (matched.front() == '-') d = -d;
    } else if (ec != std::errc{}) {
        return nullptr;
    }
    v = d;
    return end;
}

}  // namespace

bool leadingnumber(std::string_view text, double& v) { return scannumber(text, v) != nullptr; }

bool fieldnumber(std::string_view text, double& v) {
    double d = 0;
    if (scannumber(text, d) != text.data() + text.size() || text.empty()) return false;
    v = d;
    return true;
}

bool fieldnumber(std::string_view text, float& v) {
    double d = 0;
    if (!fieldnumber(text, d)) return false;
    v = static_cast<float>(d);
    return true;
}

bool nextkeyvalue(std::string_view line, std::size_t& pos, std::string_view& key, double& v) {
    while (pos < line.size()) {
        const std::size_t eq = line.find('=', pos);
        if (eq == std::string_view::npos) break;
        pos = eq + 1;
        if (pos < line.size() && line[pos] == '=') {
            while (pos < line.size() && line[pos] == '=') ++pos;
            continue;
        }
        std::size_t end = eq;
        while (end > 0 && isblankchar(line[end - 1])) --end;
        std::size_t start = end;
        while (start > 0 && iswordchar(line[start - 1])) --start;
        std::size_t from = pos;
        while (from < line.size() && isblankchar(line[from])) ++from;
        if (start < end && leadingnumber(line.substr(from), v)) {
            key = line.substr(start, end - start);
            return true;
        }
    }
    pos = line.size();
    return false;
}

bool keyvalue(std::string_view line, std::string_view key, double& v) {
    std::size_t pos = 0;
    std::string_view k;
    double value = 0;
    while (nextkeyvalue(line, pos, k, value)) {
        if (equalsnocase(k, key)) {
            v = value;
            return true;
        }
    }
    return false;
}

std::string asutf8(std::string_view s) {
    bool valid = true;
    for (std::size_t i = 0; i < s.size() && valid;) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80         ? 1
                              : (c >> 5) == 6  ? 2
                              : (c >> 4) == 14 ? 3
                              : (c >> 3) == 30 ? 4
                                               : 0;
        valid = n > 0 && i + n <= s.size();
        for (std::size_t k = 1; valid && k < n; ++k)
            valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        i += n;
    }
    if (valid) return std::string(s);
    std::string out;
    out.reserve(s.size() * 2);
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string floattext(float v) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc{} ? std::string(buf, end) : std::string("?");
}

std::string groupedcount(std::size_t n) {
    std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace crustex
