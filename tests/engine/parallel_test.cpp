#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/fieldgrid.h"
#include "engine/parallelcolumns.h"
#include "gridfixture.h"

namespace crustex {
namespace {

using test::defaultwork;
using test::evaluate;
using test::fault;
using test::point;
using test::samegrids;
using test::setfield;
using test::setsources;

struct Mix {
    const char* name;
    void (*sources)(WorkState&);
};

// A field over X 80..110 by 5 and Y 20..180 by 10 keeps nodes on the trace of
// the surface fault and at the centre of the point source (singular nodes).
const Mix kMixes[] = {
    {"default fault", [](WorkState& ws) { setsources(ws, {defaultSource()}); }},
    {"faults, points and singular nodes",
     [](WorkState& ws) {
         setsources(ws, {fault(85, 100, 105, 100, 0, 10, 45, 1, 90),
                         fault(82, 60, 102, 75, 2, 8, 60, 3, 30, 0.4f), point(95, 60, 0, 10),
                         point(90, 120, 5, -50), fault(100, 150, 90, 40, 5, 20, 90, 2, 180)});
     }},
    {"points only",
     [](WorkState& ws) {
         setsources(ws, {point(95, 60, 2, 5), point(95, 60, 6, 5)});
     }},
};

struct Size {
    int nx, ny;
};
const Size kSizes[] = {{1, 1}, {7, 3}, {60, 41}, {6, 16}};

TEST(ParallelGrid, EveryThreadCountGivesTheSequentialBits) {
    for (const Mix& mix : kMixes) {
        for (const Size& size : kSizes) {
            WorkState seq = defaultwork();
            mix.sources(seq);
            if (size.nx == 6) {
                setfield(seq, 80, 20, 110, 180, size.nx, size.ny);
            } else {
                setfield(seq, 20, 20, 170, 170, size.nx, size.ny);
            }
            WorkState inclined = seq;
            inclined.inclined = true;
            inclined.obsincs = 30;
            for (WorkState* base : {&seq, &inclined}) {
                WorkState one = *base;
                ASSERT_TRUE(evaluate(one, 1));
                for (int threads : {2, 3, 0}) {
                    WorkState many = *base;
                    ASSERT_TRUE(evaluate(many, threads));
                    EXPECT_TRUE(samegrids(one.grids, many.grids))
                        << mix.name << " " << size.nx << "x" << size.ny << " threads " << threads
                        << (base->inclined ? " inclined" : "");
                }
            }
        }
    }
}

TEST(ColumnPool, EveryColumnRunsExactlyOnceWhateverTheWorkers) {
    for (int threads : {1, 2, 3, 8, 0}) {
        for (int ncolumns : {0, 1, 5, 200}) {
            std::vector<std::atomic<int>> runs(static_cast<std::size_t>(ncolumns));
            int yields = 0;
            const bool done = runcolumns(
                ncolumns, threads,
                [&](int i, StopToken) { runs[static_cast<std::size_t>(i)].fetch_add(1); },
                [&] {
                    ++yields;
                    return true;
                });
            EXPECT_TRUE(done);
            for (auto& r : runs) EXPECT_EQ(r.load(), 1) << threads << " " << ncolumns;
            EXPECT_GE(yields, ncolumns);  // at least once per column
        }
    }
}

TEST(ColumnPool, YieldSeesColumnsCompleteInOrder) {
    // Later columns are quicker, so workers finish them out of order; yield
    // must still be offered only once every earlier column is done.
    const int n = 24;
    std::vector<std::atomic<bool>> done(n);
    std::vector<int> seen;
    runcolumns(
        n, 3,
        [&](int i, StopToken) {
            std::this_thread::sleep_for(std::chrono::microseconds(200 * (n - i)));
            done[static_cast<std::size_t>(i)] = true;
        },
        [&] {
            int k = 0;
            while (k < n && done[static_cast<std::size_t>(k)]) ++k;
            seen.push_back(k);
            return true;
        });
    for (std::size_t q = 1; q < seen.size(); ++q) EXPECT_LE(seen[q - 1], seen[q]);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), n);
}

TEST(ColumnPool, StoppingEndsTheWorkersPromptly) {
    for (int threads : {1, 2}) {
        const int n = 400;
        std::atomic<int> started{0};
        int yields = 0;
        const bool done = runcolumns(
            n, threads,
            [&](int, StopToken stop) {
                started.fetch_add(1);
                for (int step = 0; step < 20 && !stop.load(); ++step) {
                    std::this_thread::sleep_for(std::chrono::microseconds(100));
                }
            },
            [&] { return ++yields < 3; });
        EXPECT_FALSE(done);
        EXPECT_LT(started.load(), n / 4) << threads;
        if (threads == 1) {
            EXPECT_EQ(started.load(), 3);
        }
    }
}

TEST(ColumnPool, SlowColumnsStillLetTheWindowRun) {
    int yields = 0;
    runcolumns(
        2, 2, [](int, StopToken) { std::this_thread::sleep_for(std::chrono::milliseconds(120)); },
        [&] {
            ++yields;
            return true;
        },
        std::chrono::milliseconds(10));
    EXPECT_GE(yields, 5);  // heartbeats while the two columns run
}

}  // namespace
}  // namespace crustex
