// The bounds that each dialog applies to its numeric boxes, kept as data:
// one ordered list per dialog, in the order the dialog checks its boxes.
// Every dialog and core validator takes its rules from here.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "model/formcheck.h"
#include "model/inputcheck.h"

namespace crustex {

enum class DialogKind {
    SourceEditor,         // fx0 .. piso
    Field,                // rwidth, the four corners, grid counts, depth, inclined field
    Visualization,        // cminval, cline, nsubline, fsize, rdispl, rtilt, rstrain
    Cff,                  // cffstrike, cffdip, cffrake, friction
    Custom,               // fx, fy, fz, fxx, fyy, fzz, fxy, fyz, fzx
    PrinterSetting,       // ymargin, xmargin
    EarthquakeSelection,  // dep0, dep1, mag0, mag1
    Map,                  // dlat, nstep, flat1, flat2, flon1, flon2
    LocationAssistant,    // latitude, longitude, strike, length
    Section,              // the line (km or degrees), depth range, spacing, event distance
    Medium,               // young, poisson (the option dialog's moduli)
    Receivers,            // receiverrake, receiveralong, receiverdown
    RegionalStress,       // s1azimuth .. s3gradient
};

// One box of a dialog: the work-state field it fills (the location
// assistants name their own boxes) and its rule.
struct FieldBound {
    std::string_view field;
    InputRule rule;
};

// The dialog's boxes in checking order.
std::span<const FieldBound> dialogbounds(DialogKind dialog);

// The entry of a field, or nullptr when the dialog has no such box.
const FieldBound* findbound(DialogKind dialog, std::string_view field);

// The rule of a field; throws std::invalid_argument when the dialog has no
// such box (a programming error).
const InputRule& rulefor(DialogKind dialog, std::string_view field);

// Why a value read from a file is one the dialog's box would refuse, in
// words for the user ("obsdepth -5 is not within 0..1000"); "" when the
// box's rule accepts it. Readers apply the dialogs' bounds this way.
std::string outofbounds(DialogKind dialog, std::string_view field, float value);

// The first of several (field, value) pairs that the dialog refuses, as
// outofbounds words; "" when it accepts them all.
using FieldValue = std::pair<std::string_view, float>;
std::string outofbounds(DialogKind dialog, std::initializer_list<FieldValue> values);

// The text of a box, or nullopt for a box the dialog does not check this
// time (a disabled box, or the boxes an assistant does not have).
using BoxText = std::function<std::optional<std::string>(std::string_view field)>;

// Checks the dialog's boxes in the table's order with checkfields: the first
// rejected box is returned; on success every checked box's value is in
// `values`.
FormCheck checkdialog(DialogKind dialog, const BoxText& text, FieldValues& values);

// checkdialog over a form's texts, where form.box(field) gives a pointer to
// the box's text, or nullptr for a box the form does not offer.
template <class Form>
FormCheck checkform(DialogKind dialog, const Form& form, FieldValues& values) {
    const BoxText text = [&form](std::string_view field) -> std::optional<std::string> {
        const std::string* s = form.box(field);
        if (s == nullptr) return std::nullopt;
        return *s;
    };
    return checkdialog(dialog, text, values);
}

}  // namespace crustex
