#include "plot/edgelabels.h"

#include "plot/contourlevels.h"
#include "plot/plotmath.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

void printall(PlotContext& pc, const ContourGrid& g, const std::vector<EdgeLabel>& labels,
              float fontsize) {
    const float x = g.nodex[static_cast<std::size_t>(g.lastx)] + 5;
    for (const EdgeLabel& l : labels) printtextleft(pc, x, l.y, l.text, fontsize);
}

}  // namespace

bool linearedgelabels(const ContourGrid& g, float subinterval, std::vector<EdgeLabel>& out) {
    out.clear();
    if (g.lastx < g.firstx) return false;
    bool thinned = false;
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
            out.push_back(
                {static_cast<float>(k * subinterval), y, linearedgelabel(k, subinterval)});
        }
    }
    return thinned;
}

bool logedgelabels(const ContourGrid& g, float minvalue, std::vector<EdgeLabel>& out) {
    out.clear();
    if (g.lastx < g.firstx) return false;
    bool thinned = false;
    LevelList list;
    for (int j = g.firsty; j < g.lasty; ++j) {
        const float a = g.values(g.lastx, j);
        const float b = g.values(g.lastx, j + 1);
        if (!hasvalue(a) || !hasvalue(b)) continue;
        semilog1levels(getmin(a, b), getmax(a, b), minvalue, list);
        thinned = thinned || list.thinned;
        const float ya = g.nodey[static_cast<std::size_t>(j)];
        const float yb = g.nodey[static_cast<std::size_t>(j + 1)];
        for (float level : list.values) {
            std::string text = logedgelabel(level);
            if (text.empty()) continue;
            out.push_back({level, interpolate(a, b, ya, yb, level), std::move(text)});
        }
    }
    return thinned;
}

bool drawlinearedgelabels(PlotContext& pc, const ContourGrid& g, float subinterval,
                          float fontsize) {
    std::vector<EdgeLabel> labels;
    const bool thinned = linearedgelabels(g, subinterval, labels);
    if (!labels.empty()) printall(pc, g, labels, fontsize);
    return thinned;
}

bool drawlogedgelabels(PlotContext& pc, const ContourGrid& g, float minvalue, float fontsize) {
    std::vector<EdgeLabel> labels;
    const bool thinned = logedgelabels(g, minvalue, labels);
    if (!labels.empty()) printall(pc, g, labels, fontsize);
    return thinned;
}

}  // namespace crustex
