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

std::vector<CsvRow> parsecsv(std::string_view text) {
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoted = false, anything = false;
    auto endfield = [&] {
        row.push_back(std::move(field));
        field.clear();
    };
    auto endrow = [&] {
        endfield();
        if (anything) rows.push_back(std::move(row));
        row.clear();
        anything = false;
    };
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
            continue;
        }
        if (c == '"') {
            quoted = anything = true;
        } else if (c == ',') {
            endfield();
            anything = true;
        } else if (c == '\n') {
            endrow();
        } else if (c != '\r') {
            field += c;
            anything = true;
        }
    }
    if (anything || !field.empty()) endrow();
    return rows;
}

std::optional<std::size_t> findcolumn(const CsvRow& header,
                                      std::initializer_list<std::string_view> names) {
    for (std::string_view name : names)
        for (std::size_t k = 0; k < header.size(); ++k)
            if (samenocase(trim(header[k]), name)) return k;
    return std::nullopt;
}

std::optional<std::size_t> findheader(const std::vector<CsvRow>& rows,
                                      std::initializer_list<std::string_view> names) {
    for (std::size_t r = 0; r < rows.size() && r < 10; ++r) {
        bool all = true;
        for (std::string_view name : names) all = all && findcolumn(rows[r], {name}).has_value();
        if (all) return r;
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
