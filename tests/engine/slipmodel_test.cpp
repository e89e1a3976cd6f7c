// A slip model in every result: patches against the per-point routine one by
// one, shared corners, singular nodes, the medium, the points API, threads
// and chunks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/dislocation.h"
#include "engine/modelpoints.h"
#include "engine/siteeval.h"
#include "gridfixture.h"

namespace crustex {
namespace {

using namespace test;

SlipPatch patch(float x0, float y0, float x1, float y1, float top, float width, float dip,
                float rake, float slip, float opening = 0) {
    return {x0, y0, x1, y1, top, width, dip, rake, slip, opening};
}

// Four patches with their own strikes, dips and rakes, one opening, one
// breaking the surface along Y = 95 (nodes at X 65..72.5 on its trace).
std::vector<SlipPatch> scattered() {
    return {patch(65, 95, 72.5f, 95, 0, 4, 60, 20, 1.5f),
            patch(81.3f, 60.7f, 92.1f, 75.2f, 2, 6, 35, 90, 0.8f),
            patch(120.4f, 130.2f, 112.9f, 141.6f, 4, 5, 90, -150, 2.2f, 0.4f),
            patch(60.2f, 140.3f, 64.1f, 128.9f, 7, 3, 12, 37, 1.1f)};
}

// Patches that meet exactly: 3 x 2 on a vertical plane striking north whose
// top breaks the surface at X = 95 (nodes at Y 110..125 on its trace), and
// 2 x 2 horizontal ones 6 km down.
std::vector<SlipPatch> exactlattice() {
    std::vector<SlipPatch> p;
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 3; ++i) {
            const float y = 110 + 5.0f * i, slip = 1 + 0.4f * i - 0.3f * j;
            p.push_back(patch(95, y, 95, y + 5, 3.0f * j, 3, 90, 10.0f * i - 25, slip));
        }
    }
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            const float x = 40 + 4.0f * i, y = 60 - 3.0f * j;
            p.push_back(
                patch(x, y, x + 4, y, 6, 3, 0, 45 + 30.0f * j, 0.5f + i, j == 1 ? 0.2f : 0));
        }
    }
    return p;
}

// 4 x 3 patches on a plane dipping 35 degrees, placed in 64-bit and rounded
// to floats, so that neighbours meet only to a few units in the last place.
std::vector<SlipPatch> roundedlattice() {
    const double a = 0.61, dip = 35 * kPi / 180, w = 3;
    std::vector<SlipPatch> p;
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 4; ++i) {
            const double x = 100.3 + 4 * i * std::sin(a) + j * w * std::cos(dip) * std::cos(a);
            const double y = 40.7 + 4 * i * std::cos(a) - j * w * std::cos(dip) * std::sin(a);
            p.push_back(patch(float(x), float(y), float(x + 4 * std::sin(a)),
                              float(y + 4 * std::cos(a)), float(1.5 + j * w * std::sin(dip)),
                              float(w), 35, float(70 + 9 * i - 4 * j), float(1 + 0.3 * i * j)));
        }
    }
    return p;
}

// The sums of every patch at (x, y, z) one by one; false when one is
// singular there.
bool onebyone(const std::vector<SlipPatch>& patches, float alpha, float x, float y, float z,
              Vec12& sum) {
    sum = Vec12{};
    for (const SlipPatch& p : patches) {
        Vec12 one;
        if (patchatpoint(p, alpha, x, y, z, one) != 0) return false;
        for (int i = 0; i < 12; ++i) sum[i] += one[i];
    }
    return true;
}

WorkState modelwork(const std::vector<SlipPatch>& patches, float depth, float poisson = 0.25f) {
    WorkState ws = defaultwork();
    ws.nfault = 0;
    ws.slipmodel.patches = patches;
    ws.medium.poisson = poisson;
    ws.xgrid = 40;
    ws.ygrid = 40;  // nodes every 3.75 km from 20
    ws.obsdepth = depth;
    return ws;
}

// Grid nodes and sites against the patches one by one: the same singular
// points; values within a few float units of the largest value of their
// grid, or within `rel` of it where the patches meet to a few units only.
TEST(SlipModel, GridAndSitesAddUpThePatchesOneByOne) {
    struct Case {
        std::vector<SlipPatch> patches;
        float depth, poisson;
        double rel;
        int singular;  // nodes on a patch edge
    } cases[] = {
        {scattered(), 0, 0.25f, 0x1p-21, 3},    {scattered(), 2.5f, 0.35f, 0x1p-21, 0},
        {exactlattice(), 0, 0.25f, 0x1p-21, 5}, {exactlattice(), 6, 0.25f, 0x1p-21, 5},
        {roundedlattice(), 0, 0.2f, 1e-5, 0},   {roundedlattice(), 4, 0.25f, 1e-5, 0},
    };
    for (const Case& c : cases) {
        WorkState ws = modelwork(c.patches, c.depth, c.poisson);
        ASSERT_TRUE(evaluate(ws, 2));
        const float alpha = halfspacealpha(ws.medium);
        // Sites off the nodes, evaluated with the same tolerance.
        std::vector<std::array<float, 3>> points;
        for (int i = 0; i <= 40; ++i) {
            for (int j = 0; j <= 40; ++j) {
                points.push_back({gridnodex(ws, i), gridnodey(ws, j), ws.grids.nodez(i, j)});
            }
        }
        for (int k = 0; k < 60; ++k) points.push_back({61.3f + 1.7f * k, 118.9f - 1.3f * k, -0.4f});
        std::vector<Vec12> want(points.size());
        std::vector<bool> singular(points.size());
        double largest[12] = {};
        for (std::size_t k = 0; k < points.size(); ++k) {
            const auto [x, y, z] = points[k];
            singular[k] = !onebyone(c.patches, alpha, x, y, z, want[k]);
            for (int i = 0; singular[k] == false && i < 12; ++i)
                largest[i] = std::max(largest[i], std::fabs(want[k][i]));
        }
        int nsingular = 0;
        for (std::size_t k = 0; k < points.size(); ++k) {
            const auto [x, y, z] = points[k];
            const PointValues got = k < 41 * 41 ? PointValues{} : calcsitestrain(ws, x, y, z);
            for (int i = 0; i < 12; ++i) {
                const float v = k < 41 * 41 ? (*ws.grids.byNumber(i + 2))(int(k / 41), int(k % 41))
                                            : got[static_cast<std::size_t>(i)];
                if (singular[k]) {
                    EXPECT_EQ(v, kNoValue) << x << "," << y;
                    continue;
                }
                EXPECT_NEAR(v, want[k][i], c.rel * largest[i]) << x << "," << y << " " << i;
            }
            nsingular += singular[k];
        }
        EXPECT_EQ(nsingular, c.singular);
    }
}

// One patch gives what the same fault as a source gives (slip in mm),
// within the rounding of the source's results to floats.
TEST(SlipModel, APatchIsTheSourceOfTheSameFault) {
    for (const SlipPatch& p : scattered()) {
        WorkState model = modelwork({p}, 1.5f), source = modelwork({}, 1.5f);
        faultrec f = patchrecord(p);
        f.slip = p.slip * 1000;
        f.rakeangle = p.rake;
        f.tensile = p.opening * 1000;
        setsources(source, {f});
        ASSERT_TRUE(evaluate(model) && evaluate(source));
        for (int n = 2; n <= 19; ++n) {
            const auto& a = model.grids.byNumber(n)->values();
            const auto& b = source.grids.byNumber(n)->values();
            float big = 0;
            for (float v : b) big = std::max(big, std::fabs(v));
            for (std::size_t k = 0; k < a.size(); ++k) EXPECT_NEAR(a[k], b[k], 1e-5f * big) << n;
        }
    }
}

// Sources and patches together: the points API gives the grid's bits at the
// nodes in any order, a site alone too, and one thread gives the bits of two.
TEST(SlipModel, PointsAndThreadsGiveTheGridsBits) {
    WorkState ws = modelwork(roundedlattice(), 1.2f), one;
    ws.inclined = true;
    ws.obsincx = 100;
    ws.obsincy = 50;
    setsources(ws, {fault(82, 60, 102, 75, 2, 8, 60, 3, 30), point(60, 60, 3, 20)});
    one = ws;
    ASSERT_TRUE(evaluate(ws, 2) && evaluate(one, 1));
    EXPECT_TRUE(samegrids(ws.grids, one.grids));
    std::vector<float> x, y, z;
    for (int i = 40; i >= 0; --i) {
        for (int j = 0; j <= 40; ++j) {
            x.push_back(gridnodex(ws, i));
            y.push_back(gridnodey(ws, j));
            z.push_back(ws.grids.nodez(i, j));
        }
    }
    std::vector<PointValues> v(x.size());
    ASSERT_TRUE(workpointvalues(ws, {x.data(), y.data(), z.data(), x.size()}, v));
    for (std::size_t k = 0; k < v.size(); ++k) {
        const int i = 40 - int(k / 41), j = int(k % 41);
        for (int n = 0; n < 18; ++n) {
            const float node = (*ws.grids.byNumber(n + 2))(i, j);
            ASSERT_EQ(std::memcmp(&v[k][n], &node, 4), 0) << i << "," << j << " grid " << n + 2;
        }
    }
    for (const std::size_t k : {0u, 700u, 41u * 41 - 1}) {
        const PointValues site = calcsitestrain(ws, x[k], y[k], z[k]);
        EXPECT_EQ(std::memcmp(site.data(), v[k].data(), sizeof site), 0) << k;
    }
}

// A subset of the patches, spread over several chunks of set-up, adds up the
// patches it lists, on every instruction set; unusable patches and entries
// outside the model add nothing.
TEST(SlipModel, SubsetsAndChunksAddUpTheirPatches) {
    std::vector<SlipPatch> patches(2 * kPatchesPerChunk + 3, patch(50, 50, 51, 50, 1, 1, 40, 0, 0));
    const std::vector<SlipPatch> some = scattered();
    patches[1] = some[1];
    patches[kPatchesPerChunk + 5] = some[2];
    patches.back() = some[3];
    patches[7] = patch(50, 50, 50, 50, 1, 1, 40, 0, 1);     // no length
    patches[8] = patch(50, 50, 51, 50, 1, 0, 40, 0, 1);     // no width
    patches[9] = patch(50, 50, 51, 50, 1, 1, 95, 0, 1);     // dip beyond 90
    patches[10] = patch(50, 50, 51, 50, NAN, 1, 40, 0, 1);  // not a number
    const std::vector<uint32_t> subset = {uint32_t(patches.size()) - 1,  1, 7, 9, 4000000,
                                          uint32_t(kPatchesPerChunk) + 5};
    std::vector<float> x, y, z;
    for (int k = 0; k < 11; ++k) {  // a block and a short one on every instruction set
        x.push_back(63 + 5.3f * k);
        y.push_back(131 - 6.1f * k);
        z.push_back(-0.7f * (k % 3));
    }
    const float alpha = halfspacealpha(Medium{});
    oneverytarget([&] {
        for (bool all : {true, false}) {
            std::vector<PatchPointSums> got(x.size());
            const PatchList list{patches, all ? std::span<const uint32_t>{} : subset};
            ASSERT_TRUE(addpatchsums(list, alpha, {x.data(), y.data(), z.data(), x.size()}, got));
            for (std::size_t k = 0; k < x.size(); ++k) {
                Vec12 want;
                ASSERT_TRUE(onebyone({some[1], some[2], some[3]}, alpha, x[k], y[k], z[k], want));
                EXPECT_FALSE(got[k].singular);
                double big = 0;
                for (double w : want) big = std::max(big, std::fabs(w));
                for (int i = 0; i < 12; ++i) EXPECT_NEAR(got[k].sums[i], want[i], 1e-12 * big) << k;
            }
        }
    });
}

// Poisson's ratio reaches sources and patches: the surface field of an
// inflation point is Mogi's, u = (1 - 2 nu) P / (2 pi) (x, y, d) / R^3 for
// potency P (with the volume change V = P (1 - 2 nu) / (2 (1 - nu)), the
// familiar (1 - nu) V / pi). A ratio outside -1..0.5 leaves no value.
TEST(SlipModel, PoissonsRatioSetsTheHalfSpaceConstant) {
    EXPECT_EQ(halfspacealpha(Medium{}), kAlpha);
    for (float nu : {0.1f, 0.3f, 0.45f}) {
        WorkState ws = modelwork({}, 0, nu);
        setsources(ws, {point(95, 95, 6, 20)});
        ASSERT_TRUE(evaluate(ws));
        const double c = (1 - 2.0 * double(nu)) * 20000 / (2 * kPi);
        for (auto [i, j] : {std::pair{21, 19}, {25, 30}, {3, 38}}) {
            const double x = gridnodex(ws, i) - 95.0, y = gridnodey(ws, j) - 95.0, d = 6;
            const double r3 = std::pow(x * x + y * y + d * d, 1.5);
            EXPECT_NEAR(ws.grids.ux(i, j), c * x / r3, 2e-6 * c / (d * d)) << nu;
            EXPECT_NEAR(ws.grids.uz(i, j), c * d / r3, 2e-6 * c / (d * d)) << nu;
        }
    }
    for (float nu : {0.7f, -1.0f, NAN}) {
        WorkState ws = modelwork(scattered(), 0, nu);
        EXPECT_FALSE(evaluate(ws));
        EXPECT_EQ(ws.grids.vol(7, 9), kNoValue);
        EXPECT_EQ(calcsitestrain(ws, 50, 50, 0)[0], kNoValue);
    }
}

}  // namespace
}  // namespace crustex
