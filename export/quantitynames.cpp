#include "export/quantitynames.h"

#include <algorithm>
#include <array>

#include "model/fsutil.h"
#include "stress/stressunits.h"

namespace crustex {

namespace {

using G = ResultGrids;
using X = ExtraEvaluation;

constexpr std::string_view kMicro = "1e-6";
constexpr std::string_view kMicroRad = "1e-6 rad";

const std::array<GridVariable, 21> kVariables = {{
    {"ux", "Displacement X (east)", "mm", "mm", &G::ux, X::None},
    {"uy", "Displacement Y (north)", "mm", "mm", &G::uy, X::None},
    {"uz", "Displacement Z (up)", "mm", "mm", &G::uz, X::None},
    {"sxx", "Strain XX", kMicro, "microstrain", &G::duxdx, X::None},
    {"syy", "Strain YY", kMicro, "microstrain", &G::duydy, X::None},
    {"szz", "Strain ZZ", kMicro, "microstrain", &G::duzdz, X::None},
    {"sxy", "Strain XY", kMicro, "microstrain", &G::exy, X::None},
    {"syz", "Strain YZ", kMicro, "microstrain", &G::eyz, X::None},
    {"szx", "Strain ZX", kMicro, "microstrain", &G::ezx, X::None},
    {"cmpdispl", "Composite Displacement", "mm", "mm", &G::composite, X::CompositeDisplacement},
    {"cmpstrain", "Composite Strain", kMicro, "microstrain", &G::composite, X::CompositeStrain},
    {"arealstrain", "Dilatant Strain (XX + YY)", kMicro, "microstrain", &G::areal, X::None},
    {"volstrain", "Volumetric Strain (XX + YY + ZZ)", kMicro, "microstrain", &G::vol, X::None},
    {"maxshear", "Maximum Shear Strain", kMicro, "microstrain", &G::maxshear, X::None},
    {"cffpara", "delta CFF / rigidity", kMicro, "1e-6", &G::cff, X::Cff},
    {"cffoop", "delta CFF on optimally oriented planes / rigidity", kMicro, "1e-6", &G::cffoop,
     X::OptimalCff},
    {"tilt1x", "Tilt du/dz", kMicroRad, "microradian", &G::duxdz, X::None},
    {"tilt1y", "Tilt dv/dz", kMicroRad, "microradian", &G::duydz, X::None},
    {"tilt2x", "Tilt dw/dx", kMicroRad, "microradian", &G::duzdx, X::None},
    {"tilt2y", "Tilt dw/dy", kMicroRad, "microradian", &G::duzdy, X::None},
    {"los", "LOS Displacement (toward the satellite)", "mm", "mm", &G::los, X::Los},
}};

// delta CFF in bar and in MPa.
const std::array<GridVariable, 2> kStressVariables = {{
    {"cffpara", "delta CFF", "bar", "bar", &G::cff, X::Cff, true},
    {"cffpara", "delta CFF", "MPa", "MPa", &G::cff, X::Cff, true},
}};

const GridVariable* var(std::string_view name) {
    for (const auto& v : kVariables)
        if (v.name == name) return &v;
    return nullptr;
}

std::vector<QuantityName> maketable() {
    auto contour = [](std::string_view caption, std::string_view key) {
        return QuantityName{caption, key, {var(key)}, true};
    };
    return {
        contour("delta CFF", "cffpara"),
        contour("delta CFF (optimal planes)", "cffoop"),
        contour("Displacement X", "ux"),
        contour("Displacement Y", "uy"),
        contour("Displacement Z", "uz"),
        contour("Composite Displacement", "cmpdispl"),
        contour("Dilatant Strain", "arealstrain"),
        contour("Vol. Strain", "volstrain"),
        contour("Maximum Shear", "maxshear"),
        contour("Strain XX", "sxx"),
        contour("Strain YY", "syy"),
        contour("Strain ZZ", "szz"),
        contour("Strain XY", "sxy"),
        contour("Strain YZ", "syz"),
        contour("Strain ZX", "szx"),
        contour("Composite Strain", "cmpstrain"),
        {"Horizontal Displacement", "displacement", {var("ux"), var("uy")}, false},
        {"Tilt (du/dz, dv/dz)", "tilt1", {var("tilt1x"), var("tilt1y")}, false},
        {"Tilt (dw/dx, dw/dy)", "tilt2", {var("tilt2x"), var("tilt2y")}, false},
        {"Principal Strains", "principal", {var("sxx"), var("syy"), var("sxy")}, false},
    };
}

// The line-of-sight items, whose place in the Execute menu comes with
// their dialog. Wrapped Fringes exports nothing: its values are los.
std::vector<QuantityName> makelostable() {
    return {{"LOS Displacement", "los", {var("los")}, true},
            {"Wrapped Fringes", "fringes", {}, false}};
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// delta CFF on optimal planes in bar and in MPa.
const std::array<GridVariable, 2> kOptimalInUnits = {{
    {"cffoop", "delta CFF on optimally oriented planes", "bar", "bar", &G::cffoop, X::OptimalCff,
     true},
    {"cffoop", "delta CFF on optimally oriented planes", "MPa", "MPa", &G::cffoop, X::OptimalCff,
     true},
}};

}  // namespace

std::span<const QuantityName> quantitynames() {
    static const std::vector<QuantityName> table = maketable();
    return table;
}

std::span<const QuantityName> losquantitynames() {
    static const std::vector<QuantityName> table = makelostable();
    return table;
}

const QuantityName* findquantityname(std::string_view name) {
    const std::string wanted = asciilower(std::string(trimmed(name)));
    for (const auto table : {quantitynames(), losquantitynames()})
        for (const QuantityName& q : table)
            if (asciilower(std::string(q.caption)) == wanted || q.key == wanted) return &q;
    return nullptr;
}

std::vector<std::string> splitnamelist(std::string_view list) {
    std::vector<std::string> names;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        const char c = i < list.size() ? list[i] : ',';
        if (c == '(') ++depth;
        if (c == ')' && depth > 0) --depth;
        if (c != ',' || (depth > 0 && i < list.size())) continue;
        names.emplace_back(trimmed(list.substr(start, i - start)));
        start = i + 1;
    }
    return names;
}

const GridVariable* inunit(const GridVariable* v, StressUnit unit) {
    if (v == nullptr || unit == StressUnit::Rigidity) return v;
    const std::size_t k = unit == StressUnit::Bar ? 0 : 1;
    if (v->extra == X::OptimalCff) return &kOptimalInUnits[k];
    if (v->extra != X::Cff) return v;
    return &kStressVariables[k];
}

void toexportunit(const GridVariable& v, const WorkState& ws, Grid2D& values) {
    // delta CFF on optimal planes is evaluated in the unit already.
    if (v.stressunit && v.extra == X::Cff)
        scalestressgrid(values, stressfactor(ws.stressunit, ws.medium));
}

std::string variablename(const GridVariable& v) {
    std::string name(v.name);
    if (v.stressunit) {
        name += '_';
        name += v.csvunit;
    }
    return name;
}

std::vector<const GridVariable*> gridvariables(std::span<const QuantityName* const> quantities) {
    std::vector<const GridVariable*> out;
    for (const QuantityName* q : quantities)
        for (const GridVariable* v : q->variables)
            if (std::find(out.begin(), out.end(), v) == out.end()) out.push_back(v);
    return out;
}

std::vector<const QuantityName*> defaultgridquantities() {
    std::vector<const QuantityName*> out;
    for (std::string_view key : {"ux", "uy", "uz", "sxx", "syy", "szz", "sxy", "syz", "szx",
                                 "arealstrain", "volstrain", "maxshear", "cffpara"})
        out.push_back(findquantityname(key));
    return out;
}

}  // namespace crustex
