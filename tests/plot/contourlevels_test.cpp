#include "plot/contourlevels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <random>
#include <vector>

namespace crustex {
namespace {

std::vector<float> semilog1(float lo, float hi, float minvalue) {
    LevelList l;
    semilog1levels(lo, hi, minvalue, l);
    return l.values;
}

std::vector<float> semilog2(float lo, float hi, float minvalue, int nsub) {
    LevelList l;
    semilog2levels(lo, hi, minvalue, nsub, l);
    return l.values;
}

void expectlevels(const std::vector<float>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t n = 0; n < want.size(); ++n)
        EXPECT_NEAR(got[n], want[n], std::fabs(want[n]) * 1e-3 + 1e-12) << "level " << n;
}

constexpr LevelKind Z = LevelKind::Zero, M = LevelKind::Main, P = LevelKind::PositiveSub,
                    N = LevelKind::NegativeSub;

// The linear kinds show in the contour map's colours; here the semi-log ones.
TEST(LevelKind, PowersOfTenAreMainLogLevels) {
    const struct {
        float v;
        LevelKind want;
    } log[] = {{0, Z},       {1, M}, {0.01f, M}, {1000, M},   {-10, M},
               {-0.001f, M}, {2, P}, {0.09f, P}, {-0.02f, N}, {2.154435f, P}};
    for (const auto& c : log) EXPECT_EQ(loglevelkind(c.v), c.want) << c.v;
    // The semi-log 2 decades come out as main lines too: 1, 10, 100, 1000.
    const auto l = semilog2(0.5f, 2000, 1, 2);
    EXPECT_EQ(std::count_if(l.begin(), l.end(), [](float v) { return loglevelkind(v) == M; }), 4);
}

// A mode sets every role whatever the palette held before (two palettes of
// different bytes come out the same), other words change nothing, and no
// mode touches the current contour colour.
TEST(Palette, ModesSetEveryRoleAndLevelsTakeTheirKindsColour) {
    const char* modes[] = {"map", "nomap", "bnw"};
    Palette fresh[3];
    for (int m = 0; m < 3; ++m) {
        Palette ones, twos;
        std::memset(static_cast<void*>(&ones), 1, sizeof ones);
        std::memset(static_cast<void*>(&twos), 2, sizeof twos);
        ASSERT_TRUE(setcolormode(ones, modes[m]) && setcolormode(twos, modes[m]));
        EXPECT_EQ(ones.contour, (Rgb{1, 1, 1}));
        twos.contour = ones.contour;
        EXPECT_TRUE(ones == twos) << modes[m];
        fresh[m] = ones;
    }
    EXPECT_FALSE(fresh[0] == fresh[1] || fresh[1] == fresh[2] || fresh[0] == fresh[2]);
    // The screen colours without a map are pinned by the recorded pictures;
    // those of the map and black-and-white modes here: zero, main, -sub,
    // +sub, -, +, frame, source, quake, mouse, area, coast, border, graticule.
    const Palette map{{63, 63, 63}, {127, 127, 127}, {63, 63, 159}, {255, 95, 0},  {63, 63, 159},
                      {255, 95, 0}, {191, 191, 191}, {95, 0, 0},    {0, 127, 0},   {0, 63, 0},
                      {0, 0, 0},    {0, 31, 63},     {255, 191, 0}, {255, 255, 0}, {1, 1, 1}};
    const Palette bnw{{0, 0, 0},       {0, 0, 0},       {63, 63, 63},    {223, 223, 223},
                      {191, 191, 191}, {127, 127, 127}, {191, 191, 191}, {0, 0, 0},
                      {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},
                      {127, 127, 127}, {127, 127, 127}, {1, 1, 1}};
    EXPECT_TRUE(fresh[0] == map);
    EXPECT_TRUE(fresh[2] == bnw);
    for (const char* word : {"", "Map", "NOMAP", "bw", "map ", "colour"}) {
        Palette p = fresh[0];
        EXPECT_FALSE(setcolormode(p, word)) << word;
        EXPECT_TRUE(p == fresh[0]) << word;
    }
    const Palette& p = fresh[2];
    EXPECT_EQ(levelcolor(p, Z), p.zerocontour);
    EXPECT_EQ(levelcolor(p, M), p.maincontour);
    EXPECT_EQ(levelcolor(p, P), p.possubcontour);
    EXPECT_EQ(levelcolor(p, N), p.negsubcontour);
}

TEST(LinearLevels, IntegersBetweenTheEndsAndTheThousandCap) {
    // Both ends exactly on levels are included; a range inside one interval
    // has none.
    const struct {
        float lo, hi;
        double first, step;
        int count;
        bool thinned;
    } cases[] = {{-2, 3, -2, 1, 6, false},      {-2.5f, 3.5f, -2, 1, 6, false},
                 {0.1f, 0.9f, 0, 1, 0, false},  {std::nanf(""), 1, 0, 1, 0, false},
                 {0, INFINITY, 0, 1, 0, false}, {0, 999, 0, 1, 1000, false},
                 {0, 1000, 0, 10, 101, true}};
    for (const auto& c : cases) {
        const LinearLevels l = linearlevels(c.lo, c.hi);
        EXPECT_EQ(l.count, c.count) << c.lo << " " << c.hi;
        EXPECT_EQ(l.thinned, c.thinned) << c.lo << " " << c.hi;
        if (c.count > 0) {
            EXPECT_EQ(std::pair(l.first, l.step), std::pair(c.first, c.step));
        }
    }
    // A tiny "Main Contour" against huge values: normalized values far past
    // any 16-bit range are thinned to nested powers of ten.
    for (float hi : {1e6f, 3.3e9f, 1e20f, 3e38f}) {
        const LinearLevels l = linearlevels(-hi, hi);
        EXPECT_TRUE(l.thinned);
        EXPECT_LE(l.count, kMaxContourLevels);
        EXPECT_GE(l.count, 2);
        const double p = std::log10(l.step);
        EXPECT_NEAR(p, std::round(p), 1e-9);
        EXPECT_GE(l.level(0), -hi * 1.0000001);
        EXPECT_LE(l.level(l.count - 1), hi * 1.0000001);
    }
}

TEST(SemiLog1, LevelListsOfOneSignificantDigit) {
    expectlevels(semilog1(-0.025f, 250, 0.01f),
                 {-0.02, -0.01, 0,   0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09, 0.1, 0.2,
                  0.3,   0.4,   0.5, 0.6,  0.7,  0.8,  0.9,  1,    2,    3,    4,    5,    6,   7,
                  8,     9,     10,  20,   30,   40,   50,   60,   70,   80,   90,   100,  200});
    expectlevels(semilog1(350, 3600, 0.01f), {400, 500, 600, 700, 800, 900, 1000, 2000, 3000});
    // All values inside (-min, min): zero alone when it lies between them.
    expectlevels(semilog1(-0.005f, 0.005f, 0.01f), {0});
    expectlevels(semilog1(0.001f, 0.005f, 0.01f), {});
    // Both ends negative; ends exactly on levels are included.
    expectlevels(semilog1(-35, -0.5f, 0.01f),
                 {-30, -20, -10, -9, -8, -7, -6, -5, -4, -3, -2, -1, -0.9, -0.8, -0.7, -0.6, -0.5});
    expectlevels(semilog1(-0.1f, -0.08f, 0.01f), {-0.1, -0.09, -0.08});
    expectlevels(semilog1(0.01f, 0.1f, 0.01f),
                 {0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09, 0.1});
    // No "Min. Value" to work with: no levels rather than a hang.
    expectlevels(semilog1(-1, 1, 0), {});
    expectlevels(semilog1(-1, 1, -5), {});
    // "Min. Value" 0.004 rounds to the decade 10^-2: -0.005 counts as zero.
    expectlevels(semilog1(-0.005f, 0.02f, 0.004f), {0, 0.01, 0.02});
}

TEST(SemiLog2, EqualStepsInTheLogarithm) {
    expectlevels(semilog2(0.5f, 150, 1, 2), {1, 2.154435, 4.641589, 10, 21.54435, 46.41589, 100});
    // Both ends negative: from the most negative upwards.
    expectlevels(semilog2(-150, -1.5f, 1, 2),
                 {-100, -46.41589, -21.54435, -10, -4.641589, -2.154435});
    // Across zero: down to the smallest magnitude, 0, then up again.
    expectlevels(semilog2(-25, 12, 1, 0), {-10, -1, 0, 1, 10});
    expectlevels(semilog2(-0.5f, 0.5f, 1, 3), {0});
    expectlevels(semilog2(2.2f, 4.5f, 1, 2), {});
}

// A level list of one cell is ascending and holds exactly the levels of the
// whole map that lie between its ends (a semi-log 2 list may add a 0 outside
// them, which draws nothing), so lines join from cell to cell; also when
// "Min. Value" is not itself a level (3 with 1 and 2.15 below it, 0.004 and
// 0.03 rounding to 0.01), with any number of sub-contours.
TEST(SemiLog, EveryCellDrawsTheLevelsOfTheWholeMapInOrder) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> mag(-4, 4);
    std::uniform_int_distribution<int> sign(-1, 1);
    auto value = [&] { return static_cast<float>(sign(rng)) * std::pow(10.0f, mag(rng)); };
    auto inside = [](const std::vector<float>& l, float a, float b) {
        std::vector<float> out;
        std::copy_if(l.begin(), l.end(), std::back_inserter(out),
                     [&](float v) { return v >= a && v <= b; });
        return out;
    };
    for (const float minvalue : {3.0f, 0.004f, 0.03f, 1.0f, 0.001f}) {
        for (int nsub = -1; nsub <= 4; ++nsub) {  // -1: semi-log 1
            const auto levels = [&](float lo, float hi) {
                return nsub < 0 ? semilog1(lo, hi, minvalue) : semilog2(lo, hi, minvalue, nsub);
            };
            const std::vector<float> all = levels(-20000, 20000);
            for (int n = 0; n < 1000; ++n) {
                float a = value(), b = value();
                if (a > b) std::swap(a, b);
                const std::vector<float> cell = levels(a, b);
                EXPECT_TRUE(std::is_sorted(cell.begin(), cell.end())) << a << " " << b;
                EXPECT_TRUE(nsub >= 0 || cell.empty() || (cell.front() >= a && cell.back() <= b));
                EXPECT_EQ(inside(cell, a, b), inside(all, a, b))
                    << nsub << " " << minvalue << ": " << a << " " << b;
            }
        }
    }
}

TEST(SemiLog, HugeRangesAreCappedAndKeepDecades) {
    const struct {
        int scale;
        float lo, hi, minvalue;
        int nsub;
    } cases[] = {
        {1, -1e30f, 1e30f, 1e-30f, 0},       {1, -3e38f, 3e38f, 1e-38f, 0},
        {2, -1e20f, 1e20f, 1e-20f, 99},      {2, 1e-20f, 1e20f, 1e-20f, 99},
        {2, -1e30f, -1e-30f, 1e-30f, 32767},
    };
    for (const auto& c : cases) {
        LevelList l;
        if (c.scale == 1)
            semilog1levels(c.lo, c.hi, c.minvalue, l);
        else
            semilog2levels(c.lo, c.hi, c.minvalue, c.nsub, l);
        EXPECT_TRUE(l.thinned) << c.lo << " " << c.hi;
        EXPECT_LE(static_cast<int>(l.values.size()), kMaxContourLevels);
        EXPECT_GT(l.values.size(), 10u);
        EXPECT_TRUE(std::is_sorted(l.values.begin(), l.values.end()));
        for (float v : l.values) EXPECT_TRUE(loglevelkind(v) == M || loglevelkind(v) == Z) << v;
    }
}

TEST(ContourLabels, EdgeAndPeakTexts) {
    std::string got;
    for (auto [k, sub] : {std::pair{0.0, 2.0f}, {10.0, 2.0f}, {1.0, 0.5f}, {-3.0, 1.0f}})
        got += linearedgelabel(k, sub) + " ";
    got += "|";
    for (float v : {0.0f, 1.0f, 0.1f, 0.01f, -0.01f, 10.0f, 100.0f, 0.2f, 1e-8f, 2e-11f, 1e9f})
        got += logedgelabel(v) + " ";
    got += "|";
    for (float v : {0.0f, 10.0f, 9.99f, 1000.0f, -250.0f, 0.5f}) got += peaklabel(v) + " ";
    EXPECT_EQ(got,
              "$-0 $-2e1 $-5e-1 $--3e0 |"
              "$-0 $-1E0 $-1E-1 $-1E-2 $--1E-2    $-1E-8  $-1E9 |"
              "$-0 $-10. $-9.99 $-1.E3 $--250 $-5.E-1 ");
}

}  // namespace
}  // namespace crustex
