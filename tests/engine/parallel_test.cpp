#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/fieldgrid.h"
#include "engine/parallelcolumns.h"
#include "gridfixture.h"

namespace crustex {
namespace {

using namespace test;

TEST(ParallelGrid, EveryThreadCountGivesTheSequentialBits) {
    const std::vector<faultrec> mixes[] = {
        {defaultSource()},
        // Singular nodes on the trace field: the trace and a point source's centre.
        {fault(85, 100, 105, 100, 0, 10, 45, 1, 90), fault(82, 60, 102, 75, 2, 8, 60, 3, 30, 0.4f),
         point(95, 60, 0, 10), point(90, 120, 5, -50), fault(100, 150, 90, 40, 5, 20, 90, 2, 180)},
        {point(95, 60, 2, 5), point(95, 60, 6, 5)},
    };
    const std::pair<int, int> sizes[] = {{1, 1}, {7, 3}, {60, 41}, {6, 16}};
    for (const auto& sources : mixes) {
        for (auto [nx, ny] : sizes) {
            WorkState flat = nx == 6 ? tracework() : defaultwork();
            flat.xgrid = static_cast<int16_t>(nx);
            flat.ygrid = static_cast<int16_t>(ny);
            setsources(flat, sources);
            WorkState inclined = flat;
            inclined.inclined = true;
            inclined.obsincs = 30;
            for (const WorkState* base : {&flat, &inclined}) {
                WorkState one = *base;
                ASSERT_TRUE(evaluate(one, 1));
                for (int threads : {2, 3, 0}) {
                    WorkState many = *base;
                    ASSERT_TRUE(evaluate(many, threads));
                    EXPECT_TRUE(samegrids(one.grids, many.grids))
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
                [&](int i, StopToken) {
                    std::this_thread::sleep_for(std::chrono::microseconds(100 * (n - i)));
                    runs[static_cast<std::size_t>(i)].fetch_add(1);
                },
                [&] {
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
        [&] { return ++yields > 0; }, std::chrono::milliseconds(10));
    EXPECT_GE(yields, 5);  // heartbeats while the two columns run
}

}  // namespace
}  // namespace crustex
