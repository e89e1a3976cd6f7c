// The outlines of filled bands: the rings (closed pieces) of each band,
// gathered over a whole picture, chained into outlines and filled.
//
// Rings of a band that touch (share a corner point, to the last bit) are
// chained into one outline that walks round each ring once, turning into a
// touching ring where it meets it and coming back; the even-odd rule then
// fills exactly their union, since every side two rings share is walked
// twice. Neighbouring pieces of a band thus belong to one polygon and
// share their sides exactly, so no seam shows between them where a
// renderer smooths polygon edges (a PDF viewer), and no edge of an outline
// runs outside its band (as a bridge between rings would).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "plot/surface.h"

namespace crustex {

class BandOutlines {
public:
    // Room for `bands` bands, numbered 0..bands - 1.
    explicit BandOutlines(int bands);

    // Adds a ring to a band (out-of-range numbers go to the nearest band).
    // All rings must turn the same way. Fewer than three points add nothing.
    void add(int band, std::span<const FramePoint> ring);

    // Fills every band's outlines in colors[band], from band 0 up, and
    // forgets the rings. Returns the number of polygons drawn.
    int draw(Surface& s, std::span<const Rgb> colors);

private:
    struct Band {
        std::vector<FramePoint> points;  // the rings one after the other
        std::vector<uint32_t> starts;    // where each ring begins
    };
    struct Step {
        uint32_t ring, start, k, other;
    };
    static constexpr uint32_t kNone = 0xFFFFFFFFu;
    struct Slot {
        uint64_t key;   // the place's coordinates, bit for bit
        uint32_t head;  // the last point added there, kNone for a free slot
    };

    // The outlines of one band, one per group of touching rings.
    int chain(const Band& band, Surface& s, Rgb color);
    // The last point added at the place of p (the head of its chain).
    uint32_t firstat(FramePoint p) const;

    std::vector<Band> bands_;
    // Scratch of chain(): each point's ring, a hash of the places with
    // chains of the points at the same place, the rings done, the places
    // whose rings were walked, the walk.
    std::vector<uint32_t> ringof_, sameplace_;
    std::vector<Slot> slots_;
    std::vector<bool> done_, scanned_;
    std::vector<Step> stack_;
    std::vector<FramePoint> path_;
};

}  // namespace crustex
