// The check every numeric dialog box goes through when its dialog is
// accepted: the text must be a number that fits a 32-bit float and lies
// within the box's bounds.
//
// Number texts are read with '.' as the decimal point whatever the process
// locale says: the same texts are written to and read from files, so they
// must not change meaning with the user's language settings.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/formcheck.h"

namespace crustex {

// How a box's value is bounded.
struct InputRule {
    enum class Kind : std::uint8_t {
        Any,        // any number
        Closed,     // lower <= v <= upper
        Positive,   // v > 0
        Negative,   // v < 0
        LowerOpen,  // lower < v <= upper
    };
    Kind kind = Kind::Any;
    float lower = 0;
    float upper = 0;
    // The value is kept in a 16-bit integer (grid counts, margins, ...): it
    // is rounded like every store into an integer (halves to even), and the
    // rounded value must fit 16 bits and obey the bounds as well, so "0.3"
    // is no grid count.
    bool whole16 = false;

    // The dialogs' classic (lower, upper) pair: (1, 1) greater than 0,
    // (-1, -1) less than 0, lower < upper the closed range, anything else
    // (for example (0, 0)) any number.
    static constexpr InputRule bounds(float lower, float upper) {
        if (lower == 1 && upper == 1) return positive();
        if (lower == -1 && upper == -1) return negative();
        if (lower < upper) return range(lower, upper);
        return any();
    }
    static constexpr InputRule any() { return {}; }
    static constexpr InputRule range(float lower, float upper) {
        return {Kind::Closed, lower, upper, false};
    }
    static constexpr InputRule positive() { return {Kind::Positive, 0, 0, false}; }
    static constexpr InputRule negative() { return {Kind::Negative, 0, 0, false}; }
    // Greater than lower, not above upper.
    static constexpr InputRule aboveupto(float lower, float upper) {
        return {Kind::LowerOpen, lower, upper, false};
    }
    // The same rule for a box whose value is stored in a 16-bit integer.
    constexpr InputRule whole() const {
        InputRule r = *this;
        r.whole16 = true;
        return r;
    }

    // True when v obeys the bounds (and, for a whole-number box, its rounded
    // value fits 16 bits and obeys them too). NaN is never accepted.
    bool accepts(float v) const;

    bool operator==(const InputRule&) const = default;
};

// Reads a number text: blanks around it are ignored; then an optional sign,
// digits with at most one '.', at least one digit, and an optional exponent
// ('e' or 'E', optional sign, digits). False for an empty text, anything else
// ("abc", "12abc", "1..2", "nan", "inf"), or a magnitude beyond the 32-bit
// float range ("1e40"); a magnitude too small for a float reads as 0.
bool parsenumber(std::string_view text, float& value);

// A float stored into a 16-bit integer: rounded to the nearest integer,
// halves to even. Only meaningful for values that InputRule::whole() accepts.
std::int16_t roundtoint16(float v);

// The dialogs' check of one box. Returns true when the text is REJECTED (not
// a number, or outside the bounds); false when accepted, with the value in
// `value`. The bounds follow InputRule::bounds.
bool checkinput(std::string_view text, float lower, float upper, float& value);
bool checkinput(std::string_view text, float lower, float upper);
bool checkinput(std::string_view text, const InputRule& rule, float& value);

// Values of accepted boxes, by field name, in checking order.
class FieldValues {
public:
    void set(std::string_view field, float value);
    bool has(std::string_view field) const;
    // The value of a checked field; throws std::out_of_range for a field that
    // was not checked (a programming error).
    float get(std::string_view field) const;
    // The value as a 16-bit integer (roundtoint16).
    std::int16_t getint16(std::string_view field) const;
    std::size_t size() const { return items_.size(); }
    const std::vector<std::pair<std::string, float>>& items() const { return items_; }

private:
    std::vector<std::pair<std::string, float>> items_;
};

// One box to check: its work-state field name, its text and its rule.
struct FieldInput {
    std::string_view field;
    std::string_view text;
    InputRule rule;
};

// Checks the boxes in the given order and stops at the first rejected one:
// returns FormCheck::rejected(its field). When every box is accepted, their
// values are put into `values` (which is left untouched on a rejection) and
// FormCheck::accepted() is returned.
FormCheck checkfields(std::span<const FieldInput> inputs, FieldValues& values);

}  // namespace crustex
