#include "tools/layercsv.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace crustex::tools {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool samenocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) !=
            std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

}  // namespace

bool CsvReader::fail(long line, const std::string& what) {
    error_ = "line " + std::to_string(line) + ": " + what;
    return false;
}

bool CsvReader::next(CsvRow& row) {
    if (!error_.empty()) return false;
    std::string_view text;
    for (;;) {
        row.clear();
        if (!lines_.next(text)) return false;
        line_ = lines_.number();
        std::string field;
        bool quoted = false, anything = false;
        long quoteline = 0;  // where the open quote stands
        std::size_t size = 0;
        for (;;) {
            size += text.size() + 1;
            if (lines_.cut() || size > kMaxCsvRow)
                return fail(line_,
                            "a row of more than " + std::to_string(kMaxCsvRow) + " characters");
            for (std::size_t k = 0; k < text.size(); ++k) {
                const char c = text[k];
                if (quoted) {
                    if (c == '"' && k + 1 < text.size() && text[k + 1] == '"') {
                        field += '"';
                        ++k;
                    } else if (c == '"') {
                        quoted = false;
                    } else {
                        field += c;
                    }
                } else if (c == '"') {
                    quoted = anything = true;
                    quoteline = lines_.number();
                } else if (c == ',') {
                    row.push_back(std::move(field));
                    field.clear();
                    anything = true;
                } else if (c != '\r') {
                    field += c;
                    anything = true;
                }
            }
            if (!quoted) break;
            field += '\n';
            if (!lines_.next(text)) return fail(quoteline, "a quote that is not closed");
        }
        row.push_back(std::move(field));
        if (anything) return true;
    }
}

std::optional<std::size_t> findcolumn(const CsvRow& header,
                                      std::initializer_list<std::string_view> names) {
    for (std::string_view name : names)
        for (std::size_t k = 0; k < header.size(); ++k)
            if (samenocase(trim(header[k]), name)) return k;
    return std::nullopt;
}

std::optional<CsvRow> findheader(CsvReader& rows, std::initializer_list<std::string_view> names) {
    CsvRow row;
    for (int r = 0; r < 10 && rows.next(row); ++r) {
        bool all = true;
        for (std::string_view name : names) all = all && findcolumn(row, {name}).has_value();
        if (all) return row;
    }
    return std::nullopt;
}

std::optional<double> csvnumber(std::string_view field) {
    field = trim(field);
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size() ||
        !std::isfinite(v))
        return std::nullopt;
    return v;
}

}  // namespace crustex::tools
