#include "plot/edgelabels.h"

#include "plot/contourlevels.h"
#include "plot/plotmath.h"
#include "plot/textplace.h"

namespace crustex {

bool drawlinearedgelabels(PlotContext& pc, const ContourGrid& g, float subinterval,
                          float fontsize) {
    if (g.lastx < g.firstx) return false;
    bool thinned = false;
    const float x = g.nodex[static_cast<std::size_t>(g.lastx)] + 5;
    for (int j = g.firsty; j < g.lasty; ++j) {
        const float a = g.values(g.lastx, j);
        const float b = g.values(g.lastx, j + 1);
        if (!hasvalue(a) || !hasvalue(b)) continue;
        const float an = a / subinterval;
        const float bn = b / subinterval;
        const LinearLevels levels = linearlevels(getmin(an, bn), getmax(an, bn));
        thinned = thinned || levels.thinned;
        const float ya = g.nodey[static_cast<std::size_t>(j)];
        const float yb = g.nodey[static_cast<std::size_t>(j + 1)];
        for (int n = 0; n < levels.count; ++n) {
            const double k = levels.level(n);
            const float y = interpolate(an, bn, ya, yb, static_cast<float>(k));
            printtextleft(pc, x, y, linearedgelabel(k, subinterval), fontsize);
        }
    }
    return thinned;
}

bool drawlogedgelabels(PlotContext& pc, const ContourGrid& g, float minvalue, float fontsize) {
    if (g.lastx < g.firstx) return false;
    bool thinned = false;
    LevelList list;
    const float x = g.nodex[static_cast<std::size_t>(g.lastx)] + 5;
    for (int j = g.firsty; j < g.lasty; ++j) {
        const float a = g.values(g.lastx, j);
        const float b = g.values(g.lastx, j + 1);
        if (!hasvalue(a) || !hasvalue(b)) continue;
        semilog1levels(getmin(a, b), getmax(a, b), minvalue, list);
        thinned = thinned || list.thinned;
        const float ya = g.nodey[static_cast<std::size_t>(j)];
        const float yb = g.nodey[static_cast<std::size_t>(j + 1)];
        for (float level : list.values) {
            const std::string text = logedgelabel(level);
            if (text.empty()) continue;
            printtextleft(pc, x, interpolate(a, b, ya, yb, level), text, fontsize);
        }
    }
    return thinned;
}

}  // namespace crustex
