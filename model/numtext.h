// Number to text: the pattern language ("0", "#", ".", "E+", "E-") and the
// three shared number texts built on it.
#pragma once

#include <string>
#include <string_view>

namespace crustex {

// Formats v with a pattern such as "0.##", "#", "0.##E-#", "0.###E+00".
// The float is first taken to its 7-significant-digit decimal, then rounded
// to the pattern's digits with halves away from zero.
std::string formatnumber(float v, std::string_view pattern);

// The general form: the shortest text that shows v at single precision (at
// most 7 significant digits), in exponent form for very large or very small
// magnitudes: fixed notation while the 7-digit decimal's exponent lies in
// -7..6 ("0.0000001" .. "9999999"), else "1.234568E+07" / "1E-08". The
// decimal point is always '.' ("0.5", "-2.5"), whatever the locale.
std::string generalform(float v);

// Exactly 11 characters: "0.###E+00" right-justified, "  9.999E+99" for the
// no-value marker.
std::string expfield(float v);

// Graph axis label: "#E-#" below 0.1 or from 1000 on, else the general form.
std::string axistext(float v);

// Contour label, legend entry or table cell.
std::string valuetext(float v);

}  // namespace crustex
