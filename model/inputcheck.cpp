#include "model/inputcheck.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace crustex {
namespace {

bool isblank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }
bool isdigit(char ch) { return ch >= '0' && ch <= '9'; }

// Scans "[sign] digits [. digits] [(e|E) [sign] digits]" with at least one
// mantissa digit. On success `scale` tells roughly where the first
// significant digit stands (positive: a magnitude of at least 10^(scale-1)),
// used to tell an overflow from an underflow.
bool scannumber(std::string_view t, long& scale) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    bool anydigit = false, significant = false;
    long intdigits = 0, leadingfraczeros = 0;
    while (i < t.size() && isdigit(t[i])) {
        anydigit = true;
        if (t[i] != '0') significant = true;
        if (significant) ++intdigits;
        ++i;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isdigit(t[i])) {
            anydigit = true;
            if (t[i] != '0') significant = true;
            if (!significant) ++leadingfraczeros;
            ++i;
        }
    }
    if (!anydigit) return false;
    long exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
        if (i >= t.size() || !isdigit(t[i])) return false;
        while (i < t.size() && isdigit(t[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (t[i] - '0');
            ++i;
        }
        if (negative) exponent = -exponent;
    }
    if (i != t.size()) return false;
    scale = (intdigits > 0 ? intdigits : -leadingfraczeros) + exponent;
    return true;
}

bool inbounds(const InputRule& r, float v) {
    switch (r.kind) {
        case InputRule::Kind::Any: return true;
        case InputRule::Kind::Closed: return r.lower <= v && v <= r.upper;
        case InputRule::Kind::Positive: return v > 0;
        case InputRule::Kind::Negative: return v < 0;
        case InputRule::Kind::LowerOpen: return r.lower < v && v <= r.upper;
    }
    return false;
}

// Nearest integer, halves to even, without depending on the rounding mode.
double roundhalfeven(double v) {
    double r = std::floor(v);
    double diff = v - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0)) r += 1;
    return r;
}

}  // namespace

bool InputRule::accepts(float v) const {
    if (!std::isfinite(v) || !inbounds(*this, v)) return false;
    if (!whole16) return true;
    double r = roundhalfeven(v);
    if (r < -32768 || r > 32767) return false;
    return inbounds(*this, static_cast<float>(r));
}

bool parsenumber(std::string_view text, float& value) {
    while (!text.empty() && isblank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isblank(text.back())) text.remove_suffix(1);
    long scale = 0;
    if (!scannumber(text, scale)) return false;
    bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
    float v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        if (scale > 0) return false;  // beyond the float range
        v = 0;                        // too small for a float
    } else if (res.ec != std::errc() || res.ptr != text.data() + text.size()) {
        return false;
    }
    if (!std::isfinite(v)) return false;
    value = negative ? -v : v;
    return true;
}

std::int16_t roundtoint16(float v) {
    if (std::isnan(v)) return 0;
    double r = roundhalfeven(v);
    if (r < -32768) r = -32768;
    if (r > 32767) r = 32767;
    return static_cast<std::int16_t>(r);
}

bool checkinput(std::string_view text, const InputRule& rule, float& value) {
    float v = 0;
    if (!parsenumber(text, v) || !rule.accepts(v)) return true;
    value = v;
    return false;
}

bool checkinput(std::string_view text, float lower, float upper, float& value) {
    return checkinput(text, InputRule::bounds(lower, upper), value);
}

bool checkinput(std::string_view text, float lower, float upper) {
    float v = 0;
    return checkinput(text, lower, upper, v);
}

void FieldValues::set(std::string_view field, float value) {
    for (auto& item : items_) {
        if (item.first == field) {
            item.second = value;
            return;
        }
    }
    items_.emplace_back(std::string(field), value);
}

bool FieldValues::has(std::string_view field) const {
    for (const auto& item : items_)
        if (item.first == field) return true;
    return false;
}

float FieldValues::get(std::string_view field) const {
    for (const auto& item : items_)
        if (item.first == field) return item.second;
    throw std::out_of_range("no checked value for field " + std::string(field));
}

std::int16_t FieldValues::getint16(std::string_view field) const {
    return roundtoint16(get(field));
}

FormCheck checkfields(std::span<const FieldInput> inputs, FieldValues& values) {
    std::vector<float> accepted;
    accepted.reserve(inputs.size());
    for (const FieldInput& in : inputs) {
        float v = 0;
        if (checkinput(in.text, in.rule, v)) return FormCheck::rejected(std::string(in.field));
        accepted.push_back(v);
    }
    for (std::size_t k = 0; k < inputs.size(); ++k) values.set(inputs[k].field, accepted[k]);
    return FormCheck::accepted();
}

}  // namespace crustex
