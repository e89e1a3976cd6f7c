// The custom composition dialog ("Customize Composition"): box texts and the
// check-and-store step of the nine weights.
#pragma once

#include <string>
#include <string_view>

#include "model/formcheck.h"
#include "model/workstate.h"

namespace crustex {

struct CustomFormText {
    std::string fx, fy, fz;
    std::string fxx, fyy, fzz, fxy, fyz, fzx;

    const std::string* box(std::string_view field) const;
};

// Each weight formatted "0.#####".
CustomFormText entryform(const WorkState& ws);

// Checks fx, fy, fz, fxx, fyy, fzz, fxy, fyz, fzx in that order (each must be
// a number); on success stores all nine.
FormCheck fixparam(WorkState& ws, const CustomFormText& text);

}  // namespace crustex
