#include "engine/customform.h"

#include <array>

#include "model/dialogbounds.h"
#include "model/numtext.h"

namespace crustex {

namespace {

struct WeightSlot {
    std::string_view field;
    std::string CustomFormText::*text;
    float WorkState::*value;
};

constexpr std::array<WeightSlot, 9> kWeights = {{
    {"fx", &CustomFormText::fx, &WorkState::fx},
    {"fy", &CustomFormText::fy, &WorkState::fy},
    {"fz", &CustomFormText::fz, &WorkState::fz},
    {"fxx", &CustomFormText::fxx, &WorkState::fxx},
    {"fyy", &CustomFormText::fyy, &WorkState::fyy},
    {"fzz", &CustomFormText::fzz, &WorkState::fzz},
    {"fxy", &CustomFormText::fxy, &WorkState::fxy},
    {"fyz", &CustomFormText::fyz, &WorkState::fyz},
    {"fzx", &CustomFormText::fzx, &WorkState::fzx},
}};

}  // namespace

const std::string* CustomFormText::box(std::string_view field) const {
    for (const WeightSlot& w : kWeights) {
        if (w.field == field) return &(this->*w.text);
    }
    return nullptr;
}

CustomFormText entryform(const WorkState& ws) {
    CustomFormText t;
    for (const WeightSlot& w : kWeights) t.*w.text = formatnumber(ws.*w.value, "0.#####");
    return t;
}

FormCheck fixparam(WorkState& ws, const CustomFormText& text) {
    FieldValues v;
    if (FormCheck r = checkform(DialogKind::Custom, text, v); !r.ok()) return r;
    for (const WeightSlot& w : kWeights) ws.*w.value = v.get(w.field);
    return FormCheck::accepted();
}

}  // namespace crustex
