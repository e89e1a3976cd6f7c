#include "engine/nodeblocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "engine/dislocation.h"
#include "engine/fieldgrid.h"
#include "engine/gridderive.h"
#include "engine/parallelcolumns.h"
#include "engine/sourcenodes.h"
#include "gridfixture.h"

namespace crustex {
namespace {

int ulps(float a, float b) {
    int32_t ia, ib;
    std::memcpy(&ia, &a, 4);
    std::memcpy(&ib, &b, 4);
    if ((ia < 0) != (ib < 0)) return a == b ? 0 : 1 << 30;  // only +0 and -0 may differ in sign
    return std::abs(ia - ib);
}

struct Source {
    RectBlockSource rect;
    InflationBlockSource inflation;
    bool point = false;
    int16_t reference(float x, float y, float z, Vec12& sum) const {
        return point ? inflationsums(inflation.args, x, y, z, sum)
                     : rectsourcesums(rect.args, x, y, z, sum);
    }
    void block(int n, const float* x, const float* y, const float* z, BlockPoint* out) const {
        if (point) {
            inflationblock(inflation, n, x, y, z, out);
        } else {
            rectblock(rect, n, x, y, z, out);
        }
    }
};

Source fault(float depth, float dip, float d1, float d2, float d3) {
    return {rectblocksource({kAlpha, depth, dip, 0, 20, 10, 0, d1, d2, d3}), {}, false};
}
Source inflation(float depth, float potency) {
    return {{}, inflationblocksource({kAlpha, depth, potency}), true};
}

// The block evaluation of columns of points (y varying) against the per-point
// routine: singular points alike, floats at most one unit in the last place
// apart, 64-bit sums within 1e-13 of each term's largest size on the grid. A
// column of 17 points ends in a block shorter than the vector; nothing is
// written past it.
void expectclosetoreference(const Source& src, const std::vector<float>& xs,
                            const std::vector<float>& ys, float z, int minsingular) {
    const int n = static_cast<int>(ys.size());
    std::vector<Vec12> ref(xs.size() * ys.size());
    std::vector<int16_t> iret(ref.size());
    std::vector<BlockPoint> got(ref.size());
    double largest[12] = {};
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const std::vector<float> x(ys.size(), xs[i]), zs(ys.size(), z);
        std::vector<BlockPoint> column(ys.size() + 8);
        for (BlockPoint& p : column) p.iret = -7;
        src.block(n, x.data(), ys.data(), zs.data(), column.data());
        for (std::size_t j = ys.size(); j < column.size(); ++j) ASSERT_EQ(column[j].iret, -7);
        for (std::size_t j = 0; j < ys.size(); ++j) {
            const std::size_t k = i * ys.size() + j;
            got[k] = column[j];
            iret[k] = src.reference(xs[i], ys[j], z, ref[k]);
            if (iret[k] != 0) continue;
            for (int c = 0; c < 12; ++c) largest[c] = std::max(largest[c], std::fabs(ref[k][c]));
        }
    }
    int singular = 0, fellback = 0;
    for (std::size_t k = 0; k < ref.size(); ++k) {
        const std::string at = "x " + std::to_string(xs[k / ys.size()]) + " y " +
                               std::to_string(ys[k % ys.size()]) + " z " + std::to_string(z);
        ASSERT_EQ(got[k].iret, iret[k]) << at;
        fellback += got[k].fellback;
        if (iret[k] != 0) {
            ++singular;
            EXPECT_TRUE(got[k].fellback) << at;
            continue;
        }
        for (int c = 0; c < 12; ++c) {
            const double a = got[k].sum[c], b = ref[k][c];
            EXPECT_LE(std::fabs(a - b), 1e-13 * largest[c]) << at << " term " << c;
            EXPECT_LE(ulps(static_cast<float>(a), static_cast<float>(b)), 1) << at << " term " << c;
        }
    }
    EXPECT_GE(singular, minsingular);
    EXPECT_LT(fellback, static_cast<int>(ref.size()) / 8);  // the block does the work
}

std::vector<float> steps(float from, float to, float step) {
    std::vector<float> v;
    for (float t = from; t <= to; t += step) v.push_back(t);
    return v;
}

TEST(NodeBlocks, AgreeWithThePerPointRoutineOnEveryInstructionSet) {
    // Along strike through both ends (x = 0, 20) and beyond; across strike
    // through the trace or top edge (y = 0) in 17 points.
    const std::vector<float> xs = steps(-5, 26, 1.25f), ys = steps(-10, 10, 1.25f);
    test::oneverytarget([&] {
        // A fault breaking the surface, at the surface (its trace singular)
        // and below.
        expectclosetoreference(fault(0, 60, 1200, -800, 300), xs, ys, 0, 17);
        expectclosetoreference(fault(0, 60, 0, 700, 0), xs, ys, -3, 0);
        // A vertical fault whose top edge is at 2 km: the edge and its
        // extensions at 2 km depth, the plane above it at the surface.
        expectclosetoreference(fault(2, 90, -500, 0, 0), xs, ys, -2, 17);
        expectclosetoreference(fault(2, 90, 400, 300, 0), xs, ys, 0, 0);
        // An inflation point under (0, 0): at the surface and at its depth.
        const std::vector<float> around = steps(-6, 6, 0.75f);
        expectclosetoreference(inflation(4, 1000), around, ys, 0, 0);
        expectclosetoreference(inflation(4, -250), around, around, -4, 1);
    });
}

// A singular point in any lane is handed to the per-point routine alone: the
// other lanes keep the values they have without it.
TEST(NodeBlocks, ASingularPointInAnyLaneFallsBackAlone) {
    test::oneverytarget([] {
        const int lanes = blocklanes();
        // On the top edge of a fault 2 km down, and at an inflation point.
        for (const Source& src : {fault(2, 90, 300, 0, 100), inflation(3, 500)}) {
            const float edgez = src.point ? -3.0f : -2.0f;
            std::vector<float> x, y, z;
            for (int l = 0; l < lanes; ++l) {
                x.push_back(3.5f + 1.5f * static_cast<float>(l));
                y.push_back(-1.0f - 0.5f * static_cast<float>(l));
                z.push_back(-0.5f * static_cast<float>(l % 3));
            }
            std::vector<BlockPoint> alone(static_cast<std::size_t>(lanes));
            src.block(lanes, x.data(), y.data(), z.data(), alone.data());
            for (int pos = 0; pos < lanes; ++pos) {
                std::vector<float> xs = x, ys = y, zs = z;
                xs[static_cast<std::size_t>(pos)] = src.point ? 0.0f : 12.0f;
                ys[static_cast<std::size_t>(pos)] = 0;
                zs[static_cast<std::size_t>(pos)] = edgez;
                std::vector<BlockPoint> got(static_cast<std::size_t>(lanes));
                src.block(lanes, xs.data(), ys.data(), zs.data(), got.data());
                for (int l = 0; l < lanes; ++l) {
                    const BlockPoint& p = got[static_cast<std::size_t>(l)];
                    const BlockPoint& q = alone[static_cast<std::size_t>(l)];
                    EXPECT_EQ(p.iret, l == pos) << "lane " << l << " of " << lanes;
                    EXPECT_EQ(p.fellback, l == pos) << "lane " << l;
                    if (l == pos) continue;
                    EXPECT_FALSE(q.fellback) << "lane " << l;
                    EXPECT_EQ(std::memcmp(p.sum.data(), q.sum.data(), sizeof p.sum), 0) << l;
                }
            }
        }
    });
}

// A run of nodes ending in a block shorter than the vector, its last node at
// the point source: every node gets the values of the per-point path
// (addsource, derivestrains), the last one the marker, and nothing past the
// run is touched.
TEST(NodeBlocks, ARunEndingInAShortBlockTouchesNothingPastIt) {
    WorkState ws = test::defaultwork();
    test::setsources(
        ws, {test::fault(85, 100, 105, 100, 1, 10, 45, 1, 60, 0.2f), test::point(96, 93, 3, 40)});
    const std::vector<SourceTerms> sources = preparesources(ws);
    test::oneverytarget([&] {
        const int n = 2 * blocklanes() - 1, room = n + blocklanes();
        std::vector<float> y, z, values[18];
        for (int j = 0; j < room; ++j) {
            y.push_back(j == n - 1 ? 93.0f : 80.0f + 3.1f * static_cast<float>(j));
            z.push_back(j == n - 1 ? -3.0f : -0.3f * static_cast<float>(j));
            for (int k = 0; k < 18; ++k) values[k].push_back(0.25f * static_cast<float>(k) - j);
        }
        NodeRun run;
        run.x = 96;
        run.y = y.data();
        run.z = z.data();
        run.n = n;
        for (int k = 0; k < 18; ++k) run.values[k] = values[k].data();
        std::vector<PointValues> want(static_cast<std::size_t>(room));
        for (int j = 0; j < room; ++j) {
            PointSums s;
            for (int k = 0; k < 12; ++k) s[k] = values[k][j];
            bool singular = false;
            for (const SourceTerms& src : sources)
                singular = singular || !addsource(src, 96, y[j], z[j], s);
            PointValues& v = want[static_cast<std::size_t>(j)];
            for (int k = 0; k < 18; ++k) v[k] = k < 12 ? s[k] : values[k][j];
            if (singular) v.fill(kNoValue);
            if (j < n) derivestrains(v);
        }
        for (const SourceTerms& src : sources) addsourcenodes(src, run);
        derivenodes(run);
        for (int j = 0; j < room; ++j) {
            for (int k = 0; k < 18; ++k) {
                const float expected = j < n ? want[j][k] : 0.25f * static_cast<float>(k) - j;
                EXPECT_EQ(std::memcmp(&values[k][j], &expected, 4), 0)
                    << "node " << j << " of " << n << ", value " << k;
            }
        }
        EXPECT_EQ(values[0][n - 1], kNoValue);
    });
}

TEST(ParallelGrid, EveryThreadCountGivesTheSequentialBits) {
    const std::vector<faultrec> mixes[] = {
        {defaultSource()},
        // Singular nodes on the trace field: the trace and a point source's centre.
        {test::fault(85, 100, 105, 100, 0, 10, 45, 1, 90),
         test::fault(82, 60, 102, 75, 2, 8, 60, 3, 30, 0.4f), test::point(95, 60, 0, 10),
         test::point(90, 120, 5, -50), test::fault(100, 150, 90, 40, 5, 20, 90, 2, 180)},
        {test::point(95, 60, 2, 5), test::point(95, 60, 6, 5)},
    };
    const std::pair<int, int> sizes[] = {{1, 1}, {7, 3}, {60, 41}, {6, 16}};
    for (const auto& sources : mixes) {
        for (auto [nx, ny] : sizes) {
            WorkState flat = nx == 6 ? test::tracework() : test::defaultwork();
            flat.xgrid = static_cast<int16_t>(nx);
            flat.ygrid = static_cast<int16_t>(ny);
            test::setsources(flat, sources);
            WorkState inclined = flat;
            inclined.inclined = true;
            inclined.obsincs = 30;
            for (const WorkState* base : {&flat, &inclined}) {
                WorkState one = *base;
                ASSERT_TRUE(test::evaluate(one, 1));
                for (int threads : {2, 3, 0}) {
                    WorkState many = *base;
                    ASSERT_TRUE(test::evaluate(many, threads));
                    EXPECT_TRUE(test::samegrids(one.grids, many.grids))
                        << sources.size() << " sources, " << nx << "x" << ny << ", threads "
                        << threads << (base->inclined ? ", inclined" : "");
                }
            }
        }
    }
}

// Later columns are quicker, so workers finish them out of order; every
// column still runs once, the window gets a turn at least once per column,
// and the last turn comes after the last column.
TEST(ColumnPool, EveryColumnRunsOnceAndTheLastYieldSeesAllDone) {
    for (int threads : {1, 3, 8, 0}) {
        for (int n : {0, 1, 24}) {
            std::vector<std::atomic<int>> runs(static_cast<std::size_t>(n));
            std::vector<int> seen;  // columns done in a row from the first, at each yield
            const bool done = runcolumns(
                n, threads,
                [&](int i, ColumnControl&) {
                    std::this_thread::sleep_for(std::chrono::microseconds(100 * (n - i)));
                    runs[static_cast<std::size_t>(i)].fetch_add(1);
                },
                [&](int) {
                    int k = 0;
                    while (k < n && runs[static_cast<std::size_t>(k)].load() > 0) ++k;
                    seen.push_back(k);
                    return true;
                });
            EXPECT_TRUE(done);
            for (auto& r : runs) EXPECT_EQ(r.load(), 1) << threads << " " << n;
            EXPECT_GE(static_cast<int>(seen.size()), n);
            EXPECT_EQ(seen.empty() ? 0 : seen.back(), n) << threads;
        }
    }
}

TEST(ColumnPool, StoppingEndsTheWorkersPromptly) {
    for (int threads : {1, 2}) {
        const int n = 400;
        std::atomic<int> started{0};
        int yields = 0;
        const bool done = runcolumns(
            n, threads,
            [&](int, ColumnControl& control) {
                started.fetch_add(1);
                for (int step = 0; step < 20 && !control.stopped(); ++step) {
                    std::this_thread::sleep_for(std::chrono::microseconds(100));
                }
            },
            [&](int) { return ++yields < 3; });
        EXPECT_FALSE(done);
        EXPECT_LT(started.load(), n / 4) << threads;
        if (threads == 1) {
            EXPECT_EQ(started.load(), 3);
        }
    }
}

// While a column is slow the window still gets its turns: from the calling
// thread between workers' columns, and from inside a column on the calling
// thread when the column asks whether to stop.
TEST(ColumnPool, SlowColumnsStillLetTheWindowRun) {
    for (int threads : {1, 2}) {
        int yields = 0;
        runcolumns(
            2, threads,
            [](int, ColumnControl& control) {
                for (int step = 0; step < 12 && !control.stopped(); ++step) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
            },
            [&](int) { return ++yields > 0; }, std::chrono::milliseconds(10));
        EXPECT_GE(yields, 5) << threads;  // heartbeats while the two columns run
    }
}

}  // namespace
}  // namespace crustex
