#include "plot/principalglyphs.h"

#include <algorithm>
#include <cmath>

#include "model/numtext.h"
#include "model/sourcemodel.h"
#include "plot/contourtrace.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

// Half-length of the bar of a strain equal to the scale.
constexpr float kHalfBar = 24.0f;

Rgb barcolor(const Palette& p, double strain) { return strain >= 0 ? p.positive : p.negative; }

// A bar of half-length h centred on (x, y) along the direction (c, s).
void drawbar(Surface& surface, float x, float y, double h, double c, double s, Rgb color) {
    const float x1 = static_cast<float>(x + h * c);
    const float y1 = static_cast<float>(y - h * s);
    const float x2 = static_cast<float>(x - h * c);
    const float y2 = static_cast<float>(y + h * s);
    if (std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))
        surface.Line(x1, y1, x2, y2, color);
}

}  // namespace

PrincipalStrain principalstrain(float exx, float exy, float eyy, float dilatant, float maxshear) {
    PrincipalStrain p;
    const float d = (exx - eyy) / 2;
    const float halfm = maxshear / 2;
    if (exy == 0)
        p.theta = halfm == d ? 0.0 : kPi / 2;
    else
        p.theta = std::atan((static_cast<double>(halfm) - d) / exy);
    p.e1 = (static_cast<double>(dilatant) + maxshear) / 2;
    p.e2 = (static_cast<double>(dilatant) - maxshear) / 2;
    return p;
}

int drawprincipal(PlotContext& pc, Host& host, const Grid2D& exx, const Grid2D& exy,
                  const Grid2D& eyy, const Grid2D& dilatant, const Grid2D& maxshear,
                  std::span<const float> nodex, std::span<const float> nodey, int firstx, int lastx,
                  int firsty, int lasty, float scale) {
    host.setBusy(true);
    host.setStatus(" Drawing Principal Strains");
    Surface& s = pc.surface();
    int drawn = 0;
    const Grid2D* grids[] = {&exx, &exy, &eyy, &dilatant, &maxshear};
    const NodeRange r = usablenodes({&exx, &exy, &eyy, &dilatant, &maxshear}, nodex, nodey,
                                    {firstx, lastx, firsty, lasty});
    if (std::isfinite(scale) && scale > 0) {
        const double k = kHalfBar / scale;
        for (int i = r.firstx; i <= r.lastx; ++i) {
            for (int j = r.firsty; j <= r.lasty; ++j) {
                bool usable = true;
                for (const Grid2D* g : grids) usable = usable && hasvalue((*g)(i, j));
                if (!usable) continue;
                const PrincipalStrain p = principalstrain(exx(i, j), exy(i, j), eyy(i, j),
                                                          dilatant(i, j), maxshear(i, j));
                const float x = nodex[static_cast<std::size_t>(i)];
                const float y = nodey[static_cast<std::size_t>(j)];
                const double c = std::cos(p.theta);
                const double sn = std::sin(p.theta);
                drawbar(s, x, y, k * p.e1, c, sn, barcolor(pc.palette, p.e1));
                drawbar(s, x, y, k * p.e2, -sn, c, barcolor(pc.palette, p.e2));
                ++drawn;
            }
        }
    }
    host.setBusy(false);
    host.setStatus("");
    return drawn;
}

void showprincipallegend(PlotContext& pc, float scale) {
    Surface& s = pc.surface();
    s.Line(590, 240, 590, 192, pc.palette.negative);
    s.Line(588, 216, 592, 216, pc.palette.positive);
    s.ForeColor = pc.palette.positive;
    printtextright(pc, 635, 257, "Expansion ", 10);
    s.ForeColor = pc.palette.negative;
    printtextright(pc, 635, 272, "Contraction", 10);
    s.ForeColor = kBlack;
    printtextright(pc, 635, 242, generalform(scale) + " micro str", 10);
}

}  // namespace crustex
