#include "plot/drawsymbol.h"

namespace crustex {

bool drawsymbol(PlotContext& pc, float x, float y, std::string_view name, float size) {
    Surface& s = pc.surface();
    if (name == "crs") {
        const float d = 0.707f * size;
        s.Line(x - d, y - d, x + d, y + d);
        s.Line(x - d, y + d, x + d, y - d);
        return true;
    }
    if (name == "rca" || name == "rrc") {
        // Apex, then each side relative to the end of the previous one.
        const float dir = name == "rca" ? 1.0f : -1.0f;
        s.Line(x, y, x, y - dir * size);
        s.LineTo(x - 0.866f * size, y + dir * 0.5f * size);
        s.LineTo(x + 0.866f * size, y + dir * 0.5f * size);
        s.LineTo(x, y - dir * size);
        return true;
    }
    if (name == "sqr") {
        s.Box(x - size, y - size, x + size, y + size);
        return true;
    }
    if (name == "pls") {
        s.Line(x - size, y, x + size, y);
        s.Line(x, y - size, x, y + size);
        return true;
    }
    return false;
}

}  // namespace crustex
