#include "plot/scalebar.h"

#include <cmath>

#include "model/numtext.h"
#include "plot/plotmath.h"
#include "plot/textplace.h"

namespace crustex {

bool scalebarfor(float width, ScaleBar& bar) {
    if (!std::isfinite(width) || !(width > 0)) return false;
    const float r = width * 3 / 20;
    if (!(r > 0) || !std::isfinite(r)) return false;
    int e = static_cast<int>(std::floor(getlog10(r)));
    float u = r / static_cast<float>(std::pow(10.0, e));
    // Keep 1 <= u < 10 where the logarithm rounded across a decade.
    if (u >= 10) {
        ++e;
        u = r / static_cast<float>(std::pow(10.0, e));
    } else if (u < 1) {
        --e;
        u = r / static_cast<float>(std::pow(10.0, e));
    }
    const int m = u < 2 ? 1 : (u < 5 ? 2 : 5);
    bar.km = static_cast<float>(m * std::pow(10.0, e));
    bar.length = 96.0f * static_cast<float>(m) / u;
    return std::isfinite(bar.km) && bar.km > 0;
}

void drawscalebar(PlotContext& pc, float width) {
    ScaleBar bar;
    if (!scalebarfor(width, bar)) return;
    Surface& s = pc.surface();
    s.ForeColor = kBlack;
    const float top = 440 - bar.length;
    s.Line(595, 440, 590, 440);
    s.LineTo(590, top);
    s.LineTo(595, top);
    printtextleft(pc, 596, 434, "0", 10);
    printtextleft(pc, 596, top - 6, generalform(bar.km) + "km", 10);
}

}  // namespace crustex
