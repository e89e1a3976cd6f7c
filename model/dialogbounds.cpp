#include "model/dialogbounds.h"

#include <array>
#include <stdexcept>
#include <vector>

#include "model/numtext.h"

namespace crustex {
namespace {

using R = InputRule;

constexpr std::array kSourceEditor{
    FieldBound{"fx0", R::range(0, 10000)},
    FieldBound{"fx1", R::range(0, 10000)},
    FieldBound{"fy0", R::range(0, 10000)},
    FieldBound{"fy1", R::range(0, 10000)},
    FieldBound{"fdipangle", R::range(0, 180)},
    FieldBound{"fwidth", R::positive()},
    FieldBound{"fdepth", R::range(0, 1000)},
    FieldBound{"slip", R::range(0, 100000)},
    FieldBound{"rakeangle", R::range(-180, 180)},
    FieldBound{"tensile", R::any()},
    FieldBound{"px", R::range(0, 10000)},
    FieldBound{"py", R::range(0, 10000)},
    FieldBound{"pdepth", R::range(0, 1000)},
    // Any number, but a number: nothing that is not one is ever stored.
    FieldBound{"piso", R::any()},
};

constexpr std::array kField{
    // A width of 0 would leave the plot frame without a scale.
    FieldBound{"rwidth", R::aboveupto(0, 10000)}, FieldBound{"yview1", R::range(0, 10000)},
    FieldBound{"xview1", R::range(0, 10000)},     FieldBound{"yview0", R::range(0, 10000)},
    FieldBound{"xview0", R::range(0, 10000)},     FieldBound{"xgrid", R::positive().whole()},
    FieldBound{"ygrid", R::positive().whole()},   FieldBound{"obsdepth", R::range(0, 1000)},
    FieldBound{"obsincx", R::range(0, 10000)},    FieldBound{"obsincy", R::range(0, 10000)},
    FieldBound{"obsincdpt", R::range(0, 100)},    FieldBound{"obsincs", R::range(-180, 360)},
    FieldBound{"obsincdip", R::range(0, 45)},
};

constexpr std::array kVisualization{
    FieldBound{"cminval", R::positive()},
    FieldBound{"cline", R::positive()},
    FieldBound{"nsubline", R::range(0, 99).whole()},
    FieldBound{"fsize", R::positive()},
    FieldBound{"rdispl", R::positive()},
    FieldBound{"rtilt", R::positive()},
    FieldBound{"rstrain", R::positive()},
};

constexpr std::array kCff{
    FieldBound{"cffstrike", R::range(-180, 360)},
    FieldBound{"cffdip", R::range(0, 90)},
    FieldBound{"cffrake", R::range(-180, 180)},
    FieldBound{"friction", R::range(0, 1)},
};

constexpr std::array kCustom{
    FieldBound{"fx", R::any()},  FieldBound{"fy", R::any()},  FieldBound{"fz", R::any()},
    FieldBound{"fxx", R::any()}, FieldBound{"fyy", R::any()}, FieldBound{"fzz", R::any()},
    FieldBound{"fxy", R::any()}, FieldBound{"fyz", R::any()}, FieldBound{"fzx", R::any()},
};

constexpr std::array kPrinterSetting{
    FieldBound{"ymargin", R::range(0, 100).whole()},
    FieldBound{"xmargin", R::range(0, 100).whole()},
};

constexpr std::array kEarthquakeSelection{
    FieldBound{"dep0", R::range(0, 1000)},
    FieldBound{"dep1", R::range(0, 1000)},
    FieldBound{"mag0", R::range(-5, 10)},
    FieldBound{"mag1", R::range(-5, 10)},
};

constexpr std::array kMap{
    FieldBound{"dlat", R::range(0, 360)},     FieldBound{"nstep", R::range(1, 10).whole()},
    FieldBound{"flat1", R::range(-90, 90)},   FieldBound{"flat2", R::range(-90, 90)},
    FieldBound{"flon1", R::range(-180, 180)}, FieldBound{"flon2", R::range(-180, 180)},
};

constexpr std::array kLocationAssistant{
    FieldBound{"latitude", R::range(-90, 90)},
    FieldBound{"longitude", R::range(-180, 180)},
    FieldBound{"strike", R::range(-180, 360)},
    FieldBound{"length", R::positive()},
};

// The line's points in km or, while a map is on, in degrees (a dialog has
// one pair of the two); the depths as the field's observation depth.
constexpr std::array kSection{
    FieldBound{"x0", R::range(-10000, 20000)}, FieldBound{"y0", R::range(-10000, 20000)},
    FieldBound{"lat0", R::range(-90, 90)},     FieldBound{"lon0", R::range(-180, 180)},
    FieldBound{"x1", R::range(-10000, 20000)}, FieldBound{"y1", R::range(-10000, 20000)},
    FieldBound{"lat1", R::range(-90, 90)},     FieldBound{"lon1", R::range(-180, 180)},
    FieldBound{"top", R::range(0, 1000)},      FieldBound{"bottom", R::range(0, 1000)},
    FieldBound{"step", R::positive()},         FieldBound{"within", R::range(0, 1000)},
};

// Poisson's ratio lies in -1 < nu < 0.5: 0.49999997 is the largest float
// below 0.5.
constexpr std::array kMedium{
    FieldBound{"young", R::positive()},
    FieldBound{"poisson", R::aboveupto(-1, 0.49999997f)},
};

// A receiver is split into at most 100 x 100 patches.
constexpr std::array kReceivers{
    FieldBound{"receiverrake", R::range(-180, 180)},
    FieldBound{"receiveralong", R::range(1, 100).whole()},
    FieldBound{"receiverdown", R::range(1, 100).whole()},
};

// Azimuth, plunge, magnitude at the surface (bar) and its gradient (bar/km)
// of sigma1, sigma2 and sigma3.
constexpr std::array kRegionalStress{
    FieldBound{"s1azimuth", R::range(-360, 360)},
    FieldBound{"s1plunge", R::range(-90, 90)},
    FieldBound{"s1surface", R::any()},
    FieldBound{"s1gradient", R::any()},
    FieldBound{"s2azimuth", R::range(-360, 360)},
    FieldBound{"s2plunge", R::range(-90, 90)},
    FieldBound{"s2surface", R::any()},
    FieldBound{"s2gradient", R::any()},
    FieldBound{"s3azimuth", R::range(-360, 360)},
    FieldBound{"s3plunge", R::range(-90, 90)},
    FieldBound{"s3surface", R::any()},
    FieldBound{"s3gradient", R::any()},
};

}  // namespace

std::span<const FieldBound> dialogbounds(DialogKind dialog) {
    switch (dialog) {
        case DialogKind::SourceEditor: return kSourceEditor;
        case DialogKind::Field: return kField;
        case DialogKind::Visualization: return kVisualization;
        case DialogKind::Cff: return kCff;
        case DialogKind::Custom: return kCustom;
        case DialogKind::PrinterSetting: return kPrinterSetting;
        case DialogKind::EarthquakeSelection: return kEarthquakeSelection;
        case DialogKind::Map: return kMap;
        case DialogKind::LocationAssistant: return kLocationAssistant;
        case DialogKind::Section: return kSection;
        case DialogKind::Medium: return kMedium;
        case DialogKind::Receivers: return kReceivers;
        case DialogKind::RegionalStress: return kRegionalStress;
    }
    return {};
}

const FieldBound* findbound(DialogKind dialog, std::string_view field) {
    for (const FieldBound& b : dialogbounds(dialog))
        if (b.field == field) return &b;
    return nullptr;
}

const InputRule& rulefor(DialogKind dialog, std::string_view field) {
    const FieldBound* b = findbound(dialog, field);
    if (!b) throw std::invalid_argument("dialog has no box for field " + std::string(field));
    return b->rule;
}

namespace {

std::string ruletext(const InputRule& rule) {
    using K = InputRule::Kind;
    const std::string lo = generalform(rule.lower), hi = generalform(rule.upper);
    switch (rule.kind) {
        case K::Closed: return "within " + lo + ".." + hi;
        case K::Positive: return "above 0";
        case K::Negative: return "below 0";
        case K::LowerOpen: return "above " + lo + " up to " + hi;
        case K::Any: break;
    }
    return "a number";
}

}  // namespace

std::string outofbounds(DialogKind dialog, std::string_view field, float value) {
    const InputRule& rule = rulefor(dialog, field);
    if (rule.accepts(value)) return "";
    return std::string(field) + " " + generalform(value) + " is not " +
           (rule.whole16 ? "a whole number " : "") + ruletext(rule);
}

std::string outofbounds(DialogKind dialog, std::initializer_list<FieldValue> values) {
    for (const auto& [field, value] : values)
        if (std::string why = outofbounds(dialog, field, value); !why.empty()) return why;
    return "";
}

FormCheck checkdialog(DialogKind dialog, const BoxText& text, FieldValues& values) {
    // The texts must outlive the FieldInput views until the check is done.
    std::vector<std::string> texts;
    std::vector<const FieldBound*> boxes;
    for (const FieldBound& b : dialogbounds(dialog)) {
        std::optional<std::string> t = text(b.field);
        if (!t) continue;
        texts.push_back(std::move(*t));
        boxes.push_back(&b);
    }
    std::vector<FieldInput> inputs;
    inputs.reserve(boxes.size());
    for (std::size_t k = 0; k < boxes.size(); ++k)
        inputs.push_back({boxes[k]->field, texts[k], boxes[k]->rule});
    return checkfields(inputs, values);
}

}  // namespace crustex
