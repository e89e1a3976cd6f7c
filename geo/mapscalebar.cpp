#include "geo/mapscalebar.h"

#include <cmath>

#include "model/numtext.h"
#include "plot/textplace.h"

namespace crustex {

bool mapscalebarfor(float scale, MapScaleBar& bar) {
    const float w = 50 * scale;
    if (!(w > 0) || !std::isfinite(w)) return false;
    // e = number of digits of trunc(W) minus 1.
    int e = 0;
    for (double t = std::trunc(w); t >= 10; t /= 10) ++e;
    const double unit = std::pow(10.0, e);
    bar.km = static_cast<float>(unit * std::trunc(w / unit));
    bar.length = bar.km * 50 / w;
    return true;
}

void drawmapscalebar(Surface& s, float scale, float y, float x) {
    MapScaleBar bar;
    if (!mapscalebarfor(scale, bar)) return;
    const float bottom = y - 9;
    const float top = bottom - bar.length;
    const float middle = bottom - bar.length / 2;
    s.Line(x, bottom, x, top, kBlack);
    s.Line(x, bottom, x + 8, bottom, kBlack);
    s.Line(x, top, x + 8, top, kBlack);
    s.Line(x, middle, x + 4, middle, kBlack);

    std::string number = bar.km < 0 ? "" : " ";
    number.append(generalform(bar.km));
    const float size = s.FontSize();
    const float right = x + 15 + s.TextWidth(number);
    printtextright(s, right, top - 8, "0", size);
    printtextright(s, right, bottom - 8, number, size);
    printtextright(s, right, bottom + 8, "km", size);
}

}  // namespace crustex
