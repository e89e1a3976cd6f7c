// Which values get a contour line, the colour of each line and the texts of
// contour, edge and peak labels.
//
// Three level rules:
//   linear      levels are the integers k of the normalized values
//               (value / sub-interval); every ("No. of Sub-Contour" + 1)-th is
//               a main line;
//   semi-log 1  levels m x 10^e with one significant digit m = 1..9, their
//               negatives and 0, down to the magnitude of "Min. Value";
//   semi-log 2  levels +-10^(n / q), q = "No. of Sub-Contour" + 1 per decade,
//               and 0.
// Values of smaller magnitude than the smallest level of either semi-log rule
// count as zero, whatever "Min. Value" is exactly: every cell then draws the
// same levels, and the lines join from cell to cell.
// One cell (or one right-edge segment) never gets more than
// kMaxContourLevels levels: a wider range is thinned to a nested subset
// (multiples of a power of ten for the linear rule, powers of ten and zero
// for the semi-log rules), so lines still join between neighbouring cells.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plot/palette.h"

namespace crustex {

inline constexpr int kMaxContourLevels = 1000;

// The "Linear" / "Semi-Log 1" / "Semi-Log 2" scale codes.
enum ContourScale : int16_t { kScaleLinear = 0, kScaleSemiLog1 = 1, kScaleSemiLog2 = 2 };

enum class LevelKind { Zero, Main, PositiveSub, NegativeSub };

// Kind of linear level k: 0 zero, a non-zero multiple of nsubline + 1 main,
// else positive or negative sub-contour.
LevelKind linearlevelkind(double k, int nsubline);
// Kind of a semi-logarithmic level: 0 zero, a power of ten (tested in single
// precision) main, else positive or negative sub-contour.
LevelKind loglevelkind(float v);
// The palette colour of a level kind.
Rgb levelcolor(const Palette& p, LevelKind kind);

// The integer levels first, first + step, ... (count of them) between two
// normalized values. step is 1 unless more than kMaxContourLevels integers
// lie in the range; then it is the smallest power of ten that brings the
// count within the cap, and thinned is set. Non-finite ends give no levels.
struct LinearLevels {
    double first = 0;
    double step = 1;
    int count = 0;
    bool thinned = false;

    double level(int n) const { return first + step * n; }
};
LinearLevels linearlevels(float lo, float hi);

// A semi-logarithmic level list in ascending order. The storage is reused
// from call to call, so one list serves a whole contour map.
struct LevelList {
    std::vector<float> values;
    bool thinned = false;
};

// Fills `out` with the "Semi-Log 1" levels from lo to hi for "Min. Value"
// minvalue (which must be positive; otherwise the list is empty).
void semilog1levels(float lo, float hi, float minvalue, LevelList& out);
// Fills `out` with the "Semi-Log 2" levels from lo to hi; nsubline is the
// number of extra levels per decade.
void semilog2levels(float lo, float hi, float minvalue, int nsubline, LevelList& out);

// Right-edge label of linear level k: "$-0" for the zero line, else "$-"
// and k x sub-interval with one significant digit and an exponent ("2e1").
std::string linearedgelabel(double k, float subinterval);
// Right-edge label of a semi-logarithmic level: "$-0" for 0; a level whose
// general number text ends in "1" (1, 0.1, 10^-2...) gets "$-" and the value
// as "1E-1"; any other level gets no label (empty text).
std::string logedgelabel(float level);
// Peak value label: "$-" and the value text ("0", "0.##", "0.#", "0",
// "0.##E-#" by magnitude).
std::string peaklabel(float v);

}  // namespace crustex
