#include "plot/labelplacer.h"

#include <algorithm>
#include <cmath>

namespace crustex {

LabelPlacer::LabelPlacer() : bins_(static_cast<std::size_t>(kColumns * kRows)) {}

int LabelPlacer::column(float x) const {
    const float c = std::floor((x - kLeft) / kBin);
    if (!(c > 0)) return 0;
    return c >= kColumns - 1 ? kColumns - 1 : static_cast<int>(c);
}

int LabelPlacer::row(float y) const {
    const float r = std::floor((y - kTop) / kBin);
    if (!(r > 0)) return 0;
    return r >= kRows - 1 ? kRows - 1 : static_cast<int>(r);
}

bool LabelPlacer::isfree(const LabelBox& b) const {
    for (int c = column(b.left); c <= column(b.right); ++c)
        for (int r = row(b.top); r <= row(b.bottom); ++r)
            for (int k : bins_[static_cast<std::size_t>(r * kColumns + c)])
                if (boxes_[static_cast<std::size_t>(k)].overlaps(b)) return false;
    return true;
}

void LabelPlacer::take(const LabelBox& b) {
    const int index = static_cast<int>(boxes_.size());
    boxes_.push_back(b);
    for (int c = column(b.left); c <= column(b.right); ++c)
        for (int r = row(b.top); r <= row(b.bottom); ++r)
            bins_[static_cast<std::size_t>(r * kColumns + c)].push_back(index);
}

int LabelPlacer::place(std::span<const LabelBox> offers, const LabelBox& within) {
    for (std::size_t k = 0; k < offers.size(); ++k) {
        const LabelBox& b = offers[k];
        if (!std::isfinite(b.left) || !std::isfinite(b.top) || !std::isfinite(b.right) ||
            !std::isfinite(b.bottom))
            continue;
        if (b.inside(within) && isfree(b)) {
            take(b);
            return static_cast<int>(k);
        }
    }
    return -1;
}

}  // namespace crustex
