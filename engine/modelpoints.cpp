#include "engine/modelpoints.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/fieldgrid.h"
#include "engine/maprotation.h"
#include "engine/parallelcolumns.h"
#include "engine/patchevaluator.h"
#include "engine/solutionsums.h"
#include "engine/sourcenodes.h"

namespace crustex {

namespace {

// The points in pieces of work handed to the threads: small ones, or larger
// ones where each piece prepares the patches' set-up chunk by chunk anew.
class PointChunks {
public:
    PointChunks(const ModelPoints& pts, const PatchEvaluator& patches)
        : pts_(pts), size_(patches.shared() ? 256 : 2048) {}

    int count() const { return static_cast<int>((pts_.n + size_ - 1) / size_); }

    // Piece c, and the index of its first point.
    ModelPoints at(int c, std::size_t& first) const {
        first = static_cast<std::size_t>(c) * size_;
        const std::size_t n = std::min(size_, pts_.n - first);
        return {pts_.x + first, pts_.y + first, pts_.z + first, n};
    }

    // Runs work over the pieces with the run's threads and progress.
    bool run(const PointsRun& run, const ColumnWork& work) const {
        const int n = count();
        const ColumnYield yield = [&](int done) { return !run.progress || run.progress(done, n); };
        return runcolumns(n, run.threads, work, yield);
    }

private:
    ModelPoints pts_;
    std::size_t size_;
};

}  // namespace

float halfspacealpha(const Medium& m) {
    const double nu = m.poisson;
    if (!std::isfinite(nu) || nu <= -1 || nu > 0.5) return std::nanf("");
    return static_cast<float>(mediumalpha(m));
}

int16_t patchatpoint(const SlipPatch& p, float alpha, float x, float y, float z, Vec12& sum) {
    sum = Vec12{};
    if (!patchusable(p)) return 0;
    // The point in the patch's own frame, origin at its first end.
    const PatchStrike g = patchstrike(p);
    const double dx = static_cast<double>(x) - p.x0, dy = static_cast<double>(y) - p.y0;
    const double along = dx * g.c + dy * g.s, across = dy * g.c - dx * g.s;
    const PatchSlip slip = patchslip(p);
    const double disl[3] = {slip.strike, slip.dip, slip.tensile};
    RectArgs64 a{alpha, p.top, p.dip, 0, g.length, p.width, 0, 0, 0, 0};
    double* unit[3] = {&a.disl1, &a.disl2, &a.disl3};
    double r[12] = {};
    for (int t = 0; t < 3; ++t) {
        if (disl[t] == 0) continue;
        *unit[t] = 1;
        Vec12 u;
        if (rectsourcesums64(a, along, across, z, u) != 0) return 1;
        *unit[t] = 0;
        for (int i = 0; i < 12; ++i) r[i] += disl[t] * u[static_cast<std::size_t>(i)];
    }
    double t[12];
    tomapaxes(r, g.c, g.s, t);
    std::copy(t, t + 12, sum.begin());
    return 0;
}

bool addpatchsums(const PatchList& list, float alpha, const ModelPoints& pts,
                  std::span<PatchPointSums> out, const PointsRun& run) {
    if (std::isnan(alpha) || out.size() < pts.n) return false;
    const PatchEvaluator patches(list, alpha);
    if (patches.empty()) return true;
    const PointChunks chunks(pts, patches);
    return chunks.run(run, [&](int c, ColumnControl& control) {
        std::size_t first;
        const ModelPoints part = chunks.at(c, first);
        patches.add(part, out.data() + first, &control);
    });
}

bool workpointvalues(const WorkState& ws, const ModelPoints& pts, std::span<PointValues> out,
                     const PointsRun& run) {
    if (out.size() < pts.n) return false;
    const float alpha = halfspacealpha(ws.medium);
    if (std::isnan(alpha)) {
        for (std::size_t k = 0; k < pts.n; ++k) out[k].fill(kNoValue);
        return true;
    }
    const std::vector<SourceTerms> sources = preparesources(ws);
    const PatchEvaluator patches(PatchList{ws.slipmodel.patches, {}}, alpha);
    const PointChunks chunks(pts, patches);
    return chunks.run(run, [&](int c, ColumnControl& control) {
        std::size_t first;
        const ModelPoints part = chunks.at(c, first);
        std::vector<float> sums(12 * part.n, 0.0f);
        NodeRun nodes;
        nodes.xs = part.x;
        nodes.y = part.y;
        nodes.z = part.z;
        nodes.n = static_cast<int>(part.n);
        for (std::size_t k = 0; k < 12; ++k) nodes.values[k] = sums.data() + k * part.n;
        for (const SourceTerms& src : sources) {
            if (control.stopped()) return;
            addsourcenodes(src, nodes);
        }
        if (!patches.empty() && !addpatchnodes(patches, nodes, &control)) return;
        for (std::size_t j = 0; j < part.n; ++j) {
            PointValues& v = out[first + j];
            for (std::size_t k = 0; k < 12; ++k) v[k] = nodes.values[k][j];
            if (v[0] == kNoValue) {
                v.fill(kNoValue);
            } else {
                derivestrains(v);
            }
        }
    });
}

}  // namespace crustex
