#include "plot/contourcell.h"

#include "plot/plotmath.h"

namespace crustex {

FramePoint ContourCell::corner(int k) const {
    switch (k) {
        case 0: return {xw, ys};
        case 1: return {xw, yn};
        case 2: return {xe, yn};
        default: return {xe, ys};
    }
}

float ContourCell::lowest() const { return getmin(getmin(c[0], c[1]), getmin(c[2], c[3])); }
float ContourCell::highest() const { return getmax(getmax(c[0], c[1]), getmax(c[2], c[3])); }

bool loadcontourcell(const ContourGrid& g, int i, int j, float divisor, ContourCell& cell) {
    const float raw[4] = {g.values(i, j), g.values(i, j + 1), g.values(i + 1, j + 1),
                          g.values(i + 1, j)};
    for (int k = 0; k < 4; ++k) {
        if (!hasvalue(raw[k])) return false;
        const float v = divisor == 1.0f ? raw[k] : raw[k] / divisor;
        if (!std::isfinite(v)) return false;
        cell.c[static_cast<std::size_t>(k)] = v;
    }
    cell.xw = g.nodex[static_cast<std::size_t>(i)];
    cell.xe = g.nodex[static_cast<std::size_t>(i + 1)];
    cell.ys = g.nodey[static_cast<std::size_t>(j)];
    cell.yn = g.nodey[static_cast<std::size_t>(j + 1)];
    return true;
}

FramePoint sidecrossing(const ContourCell& cell, int side, float t) {
    const auto& c = cell.c;
    switch (side) {
        case 0: return {cell.xw, interpolate(c[0], c[1], cell.ys, cell.yn, t)};
        case 1: return {interpolate(c[1], c[2], cell.xw, cell.xe, t), cell.yn};
        case 2: return {cell.xe, interpolate(c[2], c[3], cell.yn, cell.ys, t)};
        default: return {interpolate(c[3], c[0], cell.xe, cell.xw, t), cell.ys};
    }
}

int levelsegments(const ContourCell& cell, float t, std::array<LevelSegment, 2>& out) {
    const auto& c = cell.c;
    std::array<bool, 4> marked{};
    for (int e = 0; e < 4; ++e) {
        const float a = c[static_cast<std::size_t>(e)];
        const float b = c[static_cast<std::size_t>((e + 1) % 4)];
        if (getmin(a, b) < t && t < getmax(a, b)) marked[static_cast<std::size_t>(e)] = true;
    }
    for (int k = 0; k < 4; ++k) {
        const float before = c[static_cast<std::size_t>(k)];
        const float corner = c[static_cast<std::size_t>((k + 1) % 4)];
        const float after = c[static_cast<std::size_t>((k + 2) % 4)];
        if (corner != t) continue;
        marked[static_cast<std::size_t>(k)] = true;
        if ((corner - after) * (before - corner) <= 0)
            marked[static_cast<std::size_t>((k + 1) % 4)] = true;
    }
    if (marked[0] && marked[1] && marked[2] && marked[3]) {
        out[0] = {0, 1, sidecrossing(cell, 0, t), sidecrossing(cell, 1, t)};
        out[1] = {2, 3, sidecrossing(cell, 2, t), sidecrossing(cell, 3, t)};
        return 2;
    }
    int found = 0;
    int sides[2] = {0, 0};
    for (int e = 0; e < 4 && found < 2; ++e)
        if (marked[static_cast<std::size_t>(e)]) sides[found++] = e;
    if (found < 2) return 0;
    out[0] = {sides[0], sides[1], sidecrossing(cell, sides[0], t), sidecrossing(cell, sides[1], t)};
    return 1;
}

}  // namespace crustex
