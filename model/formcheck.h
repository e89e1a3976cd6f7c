// The result of checking a dialog's text boxes.
//
// Core validation routines check the boxes in the dialog's order and stop at
// the first rejected one; they name it by its work-state field name (for
// example "xview0"). The window then focuses that box, selects its text and
// shows "Input Error". Nothing is stored when a box is rejected.
#pragma once

#include <string>

namespace crustex {

struct FormCheck {
    std::string badfield;  // empty when every box was accepted and stored
    // Why, when the box's own value is within its bounds and only its
    // combination with others is refused ("" otherwise).
    std::string reason;

    bool ok() const { return badfield.empty(); }
    static FormCheck accepted() { return {}; }
    static FormCheck rejected(std::string field, std::string why = {}) {
        return {std::move(field), std::move(why)};
    }
};

}  // namespace crustex
