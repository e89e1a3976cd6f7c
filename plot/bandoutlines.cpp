#include "plot/bandoutlines.h"

#include <algorithm>
#include <bit>

namespace crustex {

namespace {

uint64_t placekey(FramePoint p) {
    return (static_cast<uint64_t>(std::bit_cast<uint32_t>(p.x)) << 32) |
           std::bit_cast<uint32_t>(p.y);
}

std::size_t slotfor(uint64_t key, std::size_t size) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & (size - 1);
}

}  // namespace

BandOutlines::BandOutlines(int bands) : bands_(static_cast<std::size_t>(std::max(bands, 0))) {}

void BandOutlines::add(int band, std::span<const FramePoint> ring) {
    if (ring.size() < 3 || bands_.empty()) return;
    const int last = static_cast<int>(bands_.size()) - 1;
    Band& b = bands_[static_cast<std::size_t>(std::clamp(band, 0, last))];
    b.starts.push_back(static_cast<uint32_t>(b.points.size()));
    b.points.insert(b.points.end(), ring.begin(), ring.end());
}

int BandOutlines::draw(Surface& s, std::span<const Rgb> colors) {
    int drawn = 0;
    for (std::size_t k = 0; k < bands_.size(); ++k) {
        if (k < colors.size()) drawn += chain(bands_[k], s, colors[k]);
        bands_[k] = Band{};
    }
    return drawn;
}

uint32_t BandOutlines::firstat(FramePoint p) const {
    const uint64_t key = placekey(p);
    const std::size_t size = slots_.size();
    std::size_t at = slotfor(key, size);
    while (slots_[at].head != kNone && slots_[at].key != key) at = (at + 1) & (size - 1);
    return slots_[at].head;
}

int BandOutlines::chain(const Band& band, Surface& s, Rgb color) {
    const std::size_t n = band.points.size();
    if (n == 0) return 0;
    const std::size_t rings = band.starts.size();
    auto ringend = [&](std::size_t r) { return r + 1 < rings ? band.starts[r + 1] : n; };
    ringof_.resize(n);
    for (std::size_t r = 0; r < rings; ++r)
        for (std::size_t k = band.starts[r]; k < ringend(r); ++k)
            ringof_[k] = static_cast<uint32_t>(r);
    std::size_t size = 16;
    while (size < 2 * n) size *= 2;
    slots_.assign(size, Slot{0, kNone});
    sameplace_.assign(n, kNone);
    for (std::size_t k = 0; k < n; ++k) {
        const uint64_t key = placekey(band.points[k]);
        std::size_t at = slotfor(key, size);
        while (slots_[at].head != kNone && slots_[at].key != key) at = (at + 1) & (size - 1);
        sameplace_[k] = slots_[at].head;
        slots_[at] = {key, static_cast<uint32_t>(k)};
    }

    done_.assign(rings, false);
    scanned_.assign(n, false);
    int outlines = 0;
    for (uint32_t root = 0; root < rings; ++root) {
        if (done_[root]) continue;
        done_[root] = true;
        path_.clear();
        stack_.clear();
        stack_.push_back({root, 0, 0, kNone});
        while (!stack_.empty()) {
            Step& f = stack_.back();
            const auto count = static_cast<uint32_t>(ringend(f.ring) - band.starts[f.ring]);
            if (f.other != kNone) {
                // A ring that touches this place: walk it and come back.
                const uint32_t o = f.other;
                f.other = sameplace_[o];
                const uint32_t q = ringof_[o];
                if (done_[q]) continue;
                done_[q] = true;
                stack_.push_back({q, o - band.starts[q], 1, kNone});
            } else if (f.k < count) {
                const uint32_t at = band.starts[f.ring] + (f.start + f.k) % count;
                path_.push_back(band.points[at]);
                ++f.k;
                // The first visit of a place walks every ring there; later
                // visits find them all done.
                const uint32_t head = firstat(band.points[at]);
                f.other = scanned_[head] ? kNone : head;
                scanned_[head] = true;
            } else {
                path_.push_back(band.points[band.starts[f.ring] + f.start]);
                stack_.pop_back();
            }
        }
        if (path_.size() >= 3) {
            s.FillPolygon(path_, color);
            ++outlines;
        }
    }
    return outlines;
}

}  // namespace crustex
