// Places labels so that none overlaps another: each label is offered at
// its wanted place and at a few places near it, and takes the first one
// that is free; a label with no free place is left out. Whatever else must
// stay readable (titles, scale labels) is entered as taken first.
//
// Boxes are kept in a grid of bins over the frame, so a test costs only the
// boxes near it, however many labels a picture offers.
#pragma once

#include <span>
#include <vector>

#include "plot/surface.h"

namespace crustex {

// An axis-parallel box in frame units (left < right, top < bottom).
struct LabelBox {
    float left = 0, top = 0, right = 0, bottom = 0;

    bool overlaps(const LabelBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    LabelBox moved(float dx, float dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    LabelBox grown(float by) const { return {left - by, top - by, right + by, bottom + by}; }
    bool inside(const LabelBox& o) const {
        return left >= o.left && right <= o.right && top >= o.top && bottom <= o.bottom;
    }
};

class LabelPlacer {
public:
    LabelPlacer();

    // True when the box overlaps nothing taken.
    bool isfree(const LabelBox& box) const;
    // Takes the box whether it is free or not.
    void take(const LabelBox& box);
    // Takes and returns the first of the offered boxes that is free and
    // lies inside `within`; -1 (nothing taken) when none is.
    int place(std::span<const LabelBox> offers, const LabelBox& within);

    const std::vector<LabelBox>& taken() const { return boxes_; }

private:
    // Bins of kBin frame units over x -100..760, y -120..620; boxes beyond
    // fall into the outermost bins.
    static constexpr float kBin = 32;
    static constexpr float kLeft = -100, kTop = -120;
    static constexpr int kColumns = 27, kRows = 24;
    int column(float x) const;
    int row(float y) const;

    std::vector<LabelBox> boxes_;
    std::vector<std::vector<int>> bins_;
};

}  // namespace crustex
