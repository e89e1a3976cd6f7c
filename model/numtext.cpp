// Number to text.
//
// Every text is built from the float's 7-significant-digit decimal (what a
// single-precision display shows), never from its exact binary value: the
// decimal is then rounded to the pattern's digits with halves away from zero.
// The decimal point is always '.', whatever the process locale: record files
// and exports are read back by this program and by others, and a comma would
// change their meaning. std::to_chars is used because it ignores the locale.
#include "model/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace crustex {
namespace {

// |value| = d0.d1d2...dn x 10^exp; digits never start with '0' unless the
// value is zero (digits "0", exp 0).
struct Decimal {
    bool negative = false;
    bool zero = true;
    std::string digits = "0";
    int exp = 0;
};

// The float's 7-significant-digit decimal, trailing zeros dropped.
Decimal sevendigits(float v) {
    Decimal d;
    d.negative = std::signbit(v) && v != 0;
    if (v == 0) return d;
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(static_cast<double>(v)),
                             std::chars_format::scientific, 6);
    // buf holds "d.dddddde[+-]xx".
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    std::size_t epos = text.find('e');
    d.digits.assign(1, text[0]);
    d.digits.append(text.substr(2, epos - 2));
    std::string_view e = text.substr(epos + 1);
    if (!e.empty() && e.front() == '+') e.remove_prefix(1);
    std::from_chars(e.data(), e.data() + e.size(), d.exp);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    d.zero = false;
    return d;
}

// Keeps n >= 1 significant digits, rounding halves away from zero; a carry
// out of the first digit moves the exponent up (9.9996 -> 10.00).
void roundsignificant(Decimal& d, int n) {
    if (d.zero || static_cast<int>(d.digits.size()) <= n) return;
    bool up = d.digits[static_cast<std::size_t>(n)] >= '5';
    d.digits.resize(static_cast<std::size_t>(n));
    if (up) {
        int i = n - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.exp;
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
}

// Rounds to `decimals` places after the point (halves away from zero).
void rounddecimals(Decimal& d, int decimals) {
    if (d.zero) return;
    int keep = d.exp + decimals + 1;  // digits whose place is >= 10^-decimals
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep > 0) {
        roundsignificant(d, keep);
        return;
    }
    if (keep == 0 && d.digits[0] >= '5') {
        d.digits.assign(1, '1');
        d.exp = -decimals;
        return;
    }
    bool negative = d.negative;
    d = Decimal{};
    d.negative = negative;
}

// The digit of place 10^place, '0' outside the stored digits.
char digitat(const Decimal& d, int place) {
    int i = d.exp - place;
    if (d.zero || i < 0 || i >= static_cast<int>(d.digits.size())) return '0';
    return d.digits[static_cast<std::size_t>(i)];
}

struct Pattern {
    std::string intplaces;   // '0' / '#' before the point
    std::string fracplaces;  // '0' / '#' after the point
    bool point = false;
    bool exponent = false;
    char expletter = 'E';
    char expsign = '-';  // '+' always prints the sign, '-' only a minus
    int expmindigits = 1;
};

// Reads a pattern made of "0", "#", ".", and "E+"/"E-" (or "e+"/"e-")
// followed by exponent digits. Other characters are ignored.
Pattern parsepattern(std::string_view p) {
    Pattern pat;
    int zeros = 0;
    bool expdigits = false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        char ch = p[i];
        if (expdigits) {
            if (ch == '0') ++zeros;
            continue;
        }
        if ((ch == 'E' || ch == 'e') && i + 1 < p.size() && (p[i + 1] == '+' || p[i + 1] == '-')) {
            pat.exponent = true;
            pat.expletter = ch;
            pat.expsign = p[i + 1];
            expdigits = true;
            ++i;
        } else if (ch == '.') {
            pat.point = true;
        } else if (ch == '0' || ch == '#') {
            (pat.point ? pat.fracplaces : pat.intplaces) += ch;
        }
    }
    pat.expmindigits = zeros > 0 ? zeros : 1;
    return pat;
}

// Writes the fraction digits for the places 10^-1 .. 10^-n, dropping
// trailing zeros that stand on '#' places.
std::string fractiondigits(const Decimal& d, const std::string& places, int lowestplace) {
    std::string out;
    for (std::size_t j = 0; j < places.size(); ++j)
        out += digitat(d, lowestplace - static_cast<int>(j) - 1);
    std::size_t n = out.size();
    while (n > 0 && places[n - 1] == '#' && out[n - 1] == '0') --n;
    out.resize(n);
    return out;
}

std::string nonfinite(float v) {
    if (std::isnan(v)) return "NaN";
    return v < 0 ? "-Inf" : "Inf";
}

std::string fixedform(Decimal d, const Pattern& pat) {
    const int decimals = static_cast<int>(pat.fracplaces.size());
    rounddecimals(d, decimals);
    std::string out;
    if (d.negative) out += '-';
    std::string intdigits;
    for (int place = d.zero ? -1 : d.exp; place >= 0; --place) intdigits += digitat(d, place);
    std::size_t minint =
        static_cast<std::size_t>(std::count(pat.intplaces.begin(), pat.intplaces.end(), '0'));
    if (intdigits.size() < minint) intdigits.insert(0, minint - intdigits.size(), '0');
    out += intdigits;
    if (pat.point) out += '.';
    out += fractiondigits(d, pat.fracplaces, 0);
    return out;
}

std::string exponentform(Decimal d, const Pattern& pat) {
    const int intcount = pat.intplaces.empty() ? 1 : static_cast<int>(pat.intplaces.size());
    roundsignificant(d, intcount + static_cast<int>(pat.fracplaces.size()));
    // The mantissa keeps intcount digits before the point.
    const int expvalue = d.zero ? 0 : d.exp - (intcount - 1);
    std::string out;
    if (d.negative) out += '-';
    for (int k = 0; k < intcount; ++k) out += digitat(d, d.exp - k);
    if (pat.point) out += '.';
    out += fractiondigits(d, pat.fracplaces, d.exp - (intcount - 1));
    out += pat.expletter;
    if (expvalue < 0)
        out += '-';
    else if (pat.expsign == '+')
        out += '+';
    std::string expdigits = std::to_string(std::abs(expvalue));
    if (static_cast<int>(expdigits.size()) < pat.expmindigits)
        expdigits.insert(0, static_cast<std::size_t>(pat.expmindigits) - expdigits.size(), '0');
    out += expdigits;
    return out;
}

}  // namespace

std::string formatnumber(float v, std::string_view pattern) {
    if (!std::isfinite(v)) return nonfinite(v);
    if (pattern.empty()) return generalform(v);
    Pattern pat = parsepattern(pattern);
    Decimal d = sevendigits(v);
    return pat.exponent ? exponentform(d, pat) : fixedform(d, pat);
}

// The general form shows the 7-digit decimal without trailing zeros, in
// fixed notation from 1E-7 up to 9999999.5 and in exponent notation outside
// ("1.234568E+07", "1E-08": sign always, at least two exponent digits), as a
// single-precision display does. Small fractions keep their leading zero
// ("0.5").
std::string generalform(float v) {
    if (!std::isfinite(v)) return nonfinite(v);
    Decimal d = sevendigits(v);
    if (d.zero) return "0";
    std::string out = d.negative ? "-" : "";
    const std::string rest = d.digits.substr(1);
    if (d.exp >= 7 || d.exp < -7) {
        out += d.digits[0];
        if (!rest.empty()) out += "." + rest;
        out += d.exp < 0 ? "E-" : "E+";
        std::string e = std::to_string(std::abs(d.exp));
        if (e.size() < 2) e.insert(e.begin(), '0');
        return out + e;
    }
    if (d.exp < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.exp - 1), '0');
        return out + d.digits;
    }
    std::string intpart, fracpart;
    for (int place = d.exp; place >= 0; --place) intpart += digitat(d, place);
    for (int place = -1; place > d.exp - static_cast<int>(d.digits.size()); --place)
        fracpart += digitat(d, place);
    out += intpart;
    if (!fracpart.empty()) out += "." + fracpart;
    return out;
}

std::string expfield(float v) {
    if (v == 1e30f) return "  9.999E+99";
    std::string t = formatnumber(v, "0.###E+00");
    if (t.size() < 11) t.insert(0, 11 - t.size(), ' ');
    return t;
}

std::string axistext(float v) {
    const double m = std::fabs(static_cast<double>(v));
    if (v != 0 && (m < 0.1 || m >= 1000)) return formatnumber(v, "#E-#");
    return generalform(v);
}

std::string valuetext(float v) {
    if (v == 0) return "0";
    const double m = std::fabs(static_cast<double>(v));
    if (m >= 1 && m < 10) return formatnumber(v, "0.##");
    if (m >= 10 && m < 100) return formatnumber(v, "0.#");
    if (m >= 100 && m < 1000) return formatnumber(v, "0");
    return formatnumber(v, "0.##E-#");
}

}  // namespace crustex
