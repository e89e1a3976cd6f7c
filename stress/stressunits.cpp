#include "stress/stressunits.h"

#include "model/fsutil.h"

namespace crustex {

float tostressunit(float rigidityvalue, double factor) {
    if (rigidityvalue == kNoValue) return kNoValue;
    return static_cast<float>(static_cast<double>(rigidityvalue) * factor);
}

void scalestressgrid(Grid2D& grid, double factor) {
    if (factor == 1 || grid.empty()) return;
    for (int i = 0; i <= grid.nx(); ++i)
        for (int j = 0; j <= grid.ny(); ++j) grid(i, j) = tostressunit(grid(i, j), factor);
}

std::string_view stressunitword(StressUnit unit) {
    switch (unit) {
        case StressUnit::Bar: return "bar";
        case StressUnit::MPa: return "MPa";
        case StressUnit::Rigidity: break;
    }
    return "10E-6";
}

std::optional<StressUnit> parsestressunit(std::string_view word) {
    const std::string lower = asciilower(std::string(word));
    if (lower == "bar") return StressUnit::Bar;
    if (lower == "mpa") return StressUnit::MPa;
    if (lower == "10e-6") return StressUnit::Rigidity;
    return std::nullopt;
}

std::string stressunitlegend(StressUnit unit) {
    std::string text(1, '(');
    text += stressunitword(unit);
    text += ')';
    return text;
}

std::string stressunitpubtext(StressUnit unit) {
    if (unit == StressUnit::Rigidity) return "delta CFF / rigidity (10^-6)";
    return stressunitlegend(unit);
}

std::string_view stressunitcolumn(StressUnit unit) {
    if (unit == StressUnit::Rigidity) return "1e-6";
    return stressunitword(unit);
}

}  // namespace crustex
