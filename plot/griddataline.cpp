#include "plot/griddataline.h"

#include <initializer_list>

#include "model/numtext.h"

namespace crustex {

namespace {

bool hasvalue(const Grid2D& g, int i, int j) { return g.contains(i, j) && g(i, j) != kNoValue; }

// " <label1><v1><label2><v2>" when both values exist.
std::string pair(const char* l1, const Grid2D& g1, const char* l2, const Grid2D& g2, int i, int j) {
    if (!hasvalue(g1, i, j) || !hasvalue(g2, i, j)) return {};
    return std::string(l1) + valuetext(g1(i, j)) + l2 + valuetext(g2(i, j));
}

}  // namespace

const Grid2D* contourgridforkey(const ResultGrids& g, std::string_view key) {
    struct Entry {
        std::string_view key;
        const Grid2D* grid;
    };
    for (const Entry& e : std::initializer_list<Entry>{{"ux", &g.ux},
                                                       {"uy", &g.uy},
                                                       {"uz", &g.uz},
                                                       {"sxx", &g.duxdx},
                                                       {"syy", &g.duydy},
                                                       {"szz", &g.duzdz},
                                                       {"sxy", &g.exy},
                                                       {"syz", &g.eyz},
                                                       {"szx", &g.ezx},
                                                       {"cmpdispl", &g.composite},
                                                       {"cmpstrain", &g.composite},
                                                       {"arealstrain", &g.areal},
                                                       {"volstrain", &g.vol},
                                                       {"maxshear", &g.maxshear},
                                                       {"cffpara", &g.cff},
                                                       {"cffoop", &g.cffoop},
                                                       {"los", &g.los},
                                                       {"fringes", &g.los}})
        if (e.key == key) return e.grid;
    return nullptr;
}

std::string griddatatext(const WorkState& ws, int i, int j) {
    const ResultGrids& g = ws.grids;
    if (!hasvalue(g.ux, i, j)) return {};
    const std::string& key = ws.quantitykey;
    if (const Grid2D* grid = contourgridforkey(g, key)) {
        if (!hasvalue(*grid, i, j)) return {};
        // delta CFF as the picture shows it: in the work's stress unit.
        double v = (*grid)(i, j);
        if (grid == &g.cff) v *= stressfactor(ws.stressunit, ws.medium);
        std::string text(" ");
        text += valuetext(static_cast<float>(v));
        return text;
    }
    if (key == "displacement") return pair(" Ux=", g.ux, " Uy=", g.uy, i, j);
    if (key == "tilt1") return pair(" Uxz=", g.duxdz, " Uyz=", g.duydz, i, j);
    if (key == "tilt2") return pair(" Uzx=", g.duzdx, " Uzy=", g.duzdy, i, j);
    if (key == "principal") {
        if (!hasvalue(g.areal, i, j) || !hasvalue(g.maxshear, i, j)) return {};
        const float a = g.areal(i, j), m = g.maxshear(i, j);
        return " Max=" + valuetext((a + m) / 2) + " Min=" + valuetext((a - m) / 2);
    }
    return {};
}

}  // namespace crustex
