#include "engine/patchplanes.h"

#include <algorithm>
#include <cmath>

#include "engine/rectconst.h"
#include "model/sourcemodel.h"

namespace crustex {

namespace {

// Corners closer than this times the size of their coordinates count as one.
constexpr double kShareScale = 0x1p-20;

// The sine and cosine of a dip, as the solutions clean them, kept for the
// next patch (the patches of a plane share their dip).
class DipSines {
public:
    void get(float dip, double& sd, double& cd) {
        if (!(dip == dip_)) {
            DipConst dc;
            setdipconst(dc, 0.5, dip);
            dip_ = dip;
            sd_ = dc.sd;
            cd_ = dc.cd;
        }
        sd = sd_;
        cd = cd_;
    }

private:
    float dip_ = NAN;
    double sd_ = 0, cd_ = 0;
};

// The geometry of a usable patch with slip or opening, in 64-bit.
struct Shape {
    const SlipPatch* patch;
    double x0, y0, x1, y1, top, width;
    double c, s;    // its own strike direction
    double length;  // of the upper edge
    double sd, cd;  // its own dip
    double size;    // the largest coordinate, at least 1 km
};

bool toshape(const SlipPatch& p, DipSines& dips, Shape& out) {
    if (!patchusable(p) || (p.slip == 0 && p.opening == 0)) return false;
    out.patch = &p;
    out.x0 = p.x0;
    out.y0 = p.y0;
    out.x1 = p.x1;
    out.y1 = p.y1;
    out.top = p.top;
    out.width = p.width;
    const PatchStrike strike = patchstrike(p);
    out.c = strike.c;
    out.s = strike.s;
    out.length = strike.length;
    dips.get(p.dip, out.sd, out.cd);
    out.size = std::max({1.0, std::fabs(out.x0), std::fabs(out.y0), std::fabs(out.x1),
                         std::fabs(out.y1), std::fabs(out.top) + out.width});
    return true;
}

PlaneFrame ownframe(const Shape& p) { return {p.x0, p.y0, p.top, p.c, p.s, p.sd, p.cd}; }

// A point (map X, Y, depth) in a plane's frame: along strike, down dip and
// off the plane (normal distance).
struct InPlane {
    double xi, w, n;
};

InPlane toplane(const PlaneFrame& f, double x, double y, double depth) {
    const double dx = x - f.ox, dy = y - f.oy, dd = depth - f.od;
    const double across = -dx * f.s + dy * f.c;  // horizontal, left of the strike
    return {dx * f.c + dy * f.s, -across * f.cd + dd * f.sd, across * f.sd + dd * f.cd};
}

// A patch's ranges along strike and down dip in a plane's frame.
struct Range {
    double xa, xb, wa, wb;
};

// The patch's ranges in frame f when its four corners lie within tol of a
// rectangle of the plane aligned with its strike, running the same way.
bool fit(const PlaneFrame& f, const Shape& p, double tol, Range& r) {
    // Down the dip: to the right of the strike and down.
    const double bx = p.width * p.cd * p.s, by = -p.width * p.cd * p.c, bd = p.width * p.sd;
    const InPlane t0 = toplane(f, p.x0, p.y0, p.top), t1 = toplane(f, p.x1, p.y1, p.top);
    const InPlane b0 = toplane(f, p.x0 + bx, p.y0 + by, p.top + bd);
    const InPlane b1 = toplane(f, p.x1 + bx, p.y1 + by, p.top + bd);
    r = {t0.xi, t1.xi, t0.w, b0.w};
    for (const InPlane& q : {t0, t1, b0, b1}) {
        if (!(std::fabs(q.n) <= tol)) return false;
    }
    return std::fabs(b0.xi - r.xa) <= tol && std::fabs(b1.xi - r.xb) <= tol &&
           std::fabs(t1.w - r.wa) <= tol && std::fabs(b1.w - r.wb) <= tol &&
           r.xb - r.xa > 2 * tol && r.wb - r.wa > 2 * tol;
}

// Sorts v and groups values lying within tol of their group's smallest one:
// leaves the groups' smallest values in v and their middles in mid.
void group(std::vector<double>& v, double tol, std::vector<double>& mid) {
    std::sort(v.begin(), v.end());
    mid.clear();
    std::size_t n = 0;
    for (std::size_t k = 0; k < v.size();) {
        const double lo = v[k];
        double hi = lo;
        for (; k < v.size() && v[k] - lo <= tol; ++k) hi = v[k];
        mid.push_back(lo + (hi - lo) / 2);
        v[n++] = lo;
    }
    v.resize(n);
}

// The group of value x among the smallest values `lows`.
uint32_t groupof(const std::vector<double>& lows, double x) {
    return static_cast<uint32_t>(std::upper_bound(lows.begin(), lows.end(), x) - lows.begin() - 1);
}

// Builds the planes of one chunk. Run once to count (out null) and once to
// store, so that the chunk's arrays are allocated at their final size.
class ChunkBuilder {
public:
    ChunkBuilder(const PatchList& list, std::size_t first, std::size_t count)
        : list_(list), first_(first), end_(first + count) {}

    void run(PatchChunk* out) {
        out_ = out;
        planes = edges = cells = members = 0;
        bool open = false;  // a plane is being gathered
        std::size_t from = 0;
        PlaneFrame frame{};
        double sx = 0, sy = 0, size = 0;
        for (std::size_t k = first_; k < end_; ++k) {
            Shape p;
            if (!shapeat(k, p)) continue;
            if (open) {
                PlaneFrame now = frame;
                const double len = std::hypot(sx, sy);
                now.c = sx / len;
                now.s = sy / len;
                Range r;
                if (fit(now, p, kShareScale * std::max(size, p.size), r)) {
                    sx += p.x1 - p.x0;
                    sy += p.y1 - p.y0;
                    size = std::max(size, p.size);
                    continue;
                }
                finish(from, k, frame, sx, sy, size);
            }
            open = true;
            from = k;
            frame = ownframe(p);
            sx = p.x1 - p.x0;
            sy = p.y1 - p.y0;
            size = p.size;
        }
        if (open) finish(from, end_, frame, sx, sy, size);
    }

    std::size_t planes = 0, edges = 0, cells = 0, members = 0;

private:
    bool shapeat(std::size_t k, Shape& p) {
        const std::size_t i = list_.index(k);
        return i < list_.patches.size() && toshape(list_.patches[i], dips_, p);
    }

    // The plane gathered from list entries from .. to - 1: its patches that
    // fit its final frame share a lattice, the others go alone.
    void finish(std::size_t from, std::size_t to, PlaneFrame frame, double sx, double sy,
                double size) {
        const double len = std::hypot(sx, sy);
        frame.c = sx / len;
        frame.s = sy / len;
        const double tol = kShareScale * size;
        xs_.clear();
        ws_.clear();
        std::size_t fitting = 0;
        for (std::size_t k = from; k < to; ++k) {
            Shape p;
            Range r;
            if (!shapeat(k, p) || !fit(frame, p, tol, r)) continue;
            xs_.insert(xs_.end(), {r.xa, r.xb});
            ws_.insert(ws_.end(), {r.wa, r.wb});
            ++fitting;
        }
        bool shared = fitting > 1;
        if (shared) {
            group(xs_, tol, xmid_);
            group(ws_, tol, wmid_);
            // A lattice much larger than its patches' corners saves nothing.
            shared = xs_.size() * ws_.size() <= 4 * fitting + 16;
        }
        if (shared) {
            addplane(frame, from, to, tol);
        }
        for (std::size_t k = from; k < to; ++k) {
            Shape p;
            Range r;
            if (!shapeat(k, p)) continue;
            if (shared && fit(frame, p, tol, r)) continue;
            addalone(k, p);
        }
    }

    // The plane of the fitting patches of from .. to - 1, its edges the
    // middles of their groups.
    void addplane(const PlaneFrame& frame, std::size_t from, std::size_t to, double tol) {
        const std::size_t nxi = xs_.size(), nw = ws_.size();
        PatchPlane* plane = begin(frame, nxi, nw);
        if (plane != nullptr) {
            double* e = out_->edges.data() + plane->firstedge;
            std::copy(xmid_.begin(), xmid_.end(), e);
            std::copy(wmid_.begin(), wmid_.end(), e + nxi);
        }
        for (std::size_t k = from; k < to; ++k) {
            Shape p;
            Range r;
            if (!shapeat(k, p) || !fit(frame, p, tol, r)) continue;
            ++members;
            if (plane == nullptr) continue;
            addcorners(*plane, *p.patch, groupof(xs_, r.xa), groupof(xs_, r.xb), groupof(ws_, r.wa),
                       groupof(ws_, r.wb));
            out_->members.push_back(static_cast<uint32_t>(list_.index(k)));
            ++plane->nmembers;
        }
    }

    // A patch in a plane of its own, in its own frame.
    void addalone(std::size_t k, const Shape& p) {
        PatchPlane* plane = begin(ownframe(p), 2, 2);
        ++members;
        if (plane == nullptr) return;
        double* e = out_->edges.data() + plane->firstedge;
        e[0] = 0;
        e[1] = p.length;
        e[2] = 0;
        e[3] = p.width;
        addcorners(*plane, *p.patch, 0, 1, 0, 1);
        out_->members.push_back(static_cast<uint32_t>(list_.index(k)));
        plane->nmembers = 1;
    }

    // Counts a plane, or appends it with zeroed edges and cells.
    PatchPlane* begin(const PlaneFrame& f, std::size_t nxi, std::size_t nw) {
        ++planes;
        edges += nxi + nw;
        cells += nxi * nw;
        if (out_ == nullptr) return nullptr;
        PatchPlane p;
        p.frame = f;
        p.firstedge = static_cast<uint32_t>(out_->edges.size());
        p.nxi = static_cast<uint32_t>(nxi);
        p.nw = static_cast<uint32_t>(nw);
        p.firstcell = static_cast<uint32_t>(out_->weights.size() / 3);
        p.firstmember = static_cast<uint32_t>(out_->members.size());
        out_->edges.resize(out_->edges.size() + nxi + nw, 0.0);
        out_->weights.resize(out_->weights.size() + 3 * nxi * nw, 0.0);
        out_->planes.push_back(p);
        return &out_->planes.back();
    }

    // The patch's four corners: (xa, wb) and (xb, wa) add its dislocations,
    // (xb, wb) and (xa, wa) subtract them.
    void addcorners(const PatchPlane& plane, const SlipPatch& patch, uint32_t ia, uint32_t ib,
                    uint32_t ja, uint32_t jb) {
        const PatchSlip slip = patchslip(patch);
        const double f[3] = {slip.strike / kTwoPi, slip.dip / kTwoPi, slip.tensile / kTwoPi};
        auto add = [&](uint32_t i, uint32_t j, double sign) {
            double* w = out_->weights.data() + 3 * (plane.firstcell + i * plane.nw + j);
            for (int t = 0; t < 3; ++t) w[t] += sign * f[t];
        };
        add(ia, jb, 1);
        add(ib, jb, -1);
        add(ia, ja, -1);
        add(ib, ja, 1);
    }

    const PatchList& list_;
    std::size_t first_, end_;
    PatchChunk* out_ = nullptr;
    // Edges of the plane being finished: their groups' smallest values and
    // middles.
    std::vector<double> xs_, ws_, xmid_, wmid_;
    DipSines dips_;
};

}  // namespace

bool patchusable(const SlipPatch& p) {
    for (float v : {p.x0, p.y0, p.x1, p.y1, p.top, p.width, p.dip, p.rake, p.slip, p.opening}) {
        if (!std::isfinite(v)) return false;
    }
    return p.width > 0 && p.dip >= 0 && p.dip <= 90 && sourceusable(patchrecord(p));
}

PatchSlip patchslip(const SlipPatch& p) {
    double cr, sr;
    const double quarter = p.rake / 90.0;
    if (quarter == std::floor(quarter)) {
        // Whole multiples of 90 degrees: exact components.
        const int q = static_cast<int>(std::fmod(quarter, 4.0) + 4) % 4;
        cr = q == 0 ? 1 : q == 2 ? -1 : 0;
        sr = q == 1 ? 1 : q == 3 ? -1 : 0;
    } else {
        const double rake = p.rake * kPi / 180;
        cr = std::cos(rake);
        sr = std::sin(rake);
    }
    const double slip = static_cast<double>(p.slip) * 1000;
    return {slip * cr, slip * sr, static_cast<double>(p.opening) * 1000};
}

faultrec patchrecord(const SlipPatch& p) {
    return {p.x0, p.y0, p.x1, p.y1, p.top, p.width, p.dip, 0, 0, 0, 0, 0, 0, 0, 0};
}

PatchStrike patchstrike(const SlipPatch& p) {
    const double dx = static_cast<double>(p.x1) - p.x0, dy = static_cast<double>(p.y1) - p.y0;
    const double length = std::sqrt(dx * dx + dy * dy);
    return {dx / length, dy / length, length};
}

std::size_t PatchChunk::bytes() const {
    return planes.capacity() * sizeof(PatchPlane) + edges.capacity() * sizeof(double) +
           weights.capacity() * sizeof(double) + members.capacity() * sizeof(uint32_t);
}

void preparepatchchunk(const PatchList& list, std::size_t first, std::size_t count,
                       PatchChunk& chunk) {
    first = std::min(first, list.size());
    count = std::min(count, list.size() - first);
    ChunkBuilder builder(list, first, count);
    builder.run(nullptr);
    chunk.planes.clear();
    chunk.edges.clear();
    chunk.weights.clear();
    chunk.members.clear();
    chunk.planes.reserve(builder.planes);
    chunk.edges.reserve(builder.edges);
    chunk.weights.reserve(3 * builder.cells);
    chunk.members.reserve(builder.members);
    builder.run(&chunk);
}

}  // namespace crustex
