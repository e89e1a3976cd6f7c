#include "plot/contourbands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "plot/colormaps.h"
#include "plot/plottestutil.h"

namespace crustex {
namespace {

// A grid over the frame box (10, 20)-(10 + 8 nx, 20 + 6 ny), north up.
struct Field : test::GridCanvas {
    Field(int nx, int ny, const std::function<float(float, float)>& f)
        : GridCanvas(nx, ny, 10, 8, 20 + 6.0f * ny, 6,
                     [&f](int i, int j) { return f(float(i), float(j)); }) {}
    float area() const { return (nodex.back() - nodex.front()) * (nodey.front() - nodey.back()); }
};

double polygonarea(const std::vector<FramePoint>& p) {
    double a = 0;
    for (std::size_t k = 0; k < p.size(); ++k) {
        const FramePoint& u = p[k];
        const FramePoint& v = p[(k + 1) % p.size()];
        a += static_cast<double>(u.x) * v.y - static_cast<double>(v.x) * u.y;
    }
    return a / 2;
}

// Crossing-number test; points on an edge count either way, so samples
// are kept off the grid lines.
bool inside(const std::vector<FramePoint>& p, float x, float y) {
    bool in = false;
    for (std::size_t k = 0, l = p.size() - 1; k < p.size(); l = k++) {
        if ((p[k].y > y) != (p[l].y > y) &&
            x < (p[l].x - p[k].x) * (y - p[k].y) / (p[l].y - p[k].y) + p[k].x)
            in = !in;
    }
    return in;
}

// True when a-b is a side of the polygon (either way round), to the last
// bits of the coordinates.
bool hasside(const std::vector<FramePoint>& p, FramePoint a, FramePoint b) {
    auto same = [](FramePoint u, FramePoint v) {
        return test::samepoint(u.x, u.y, v.x, v.y, 1e-4f);
    };
    for (std::size_t k = 0; k < p.size(); ++k) {
        const FramePoint& u = p[k];
        const FramePoint& v = p[(k + 1) % p.size()];
        if ((same(u, a) && same(v, b)) || (same(u, b) && same(v, a))) return true;
    }
    return false;
}

// The band polygons cover the grid's box once: their areas add up to the
// box, and jittered sample points each lie in exactly one of them. Every
// contour line piece is a side of a band polygon, so fill and lines meet
// exactly. On a plane (exactly linear inside every cell) a sample away from
// every level lies in a polygon of its own band's colour.
TEST(ContourBands, TileTheAreaOnceInEveryScale) {
    const auto plane = [](float i, float j) { return 0.013f * i - 0.0071f * j + 0.0004f; };
    const auto saddles = [](float i, float j) {
        return 0.05f * std::sin(0.7f * i + 0.3f) * std::cos(0.55f * j - 0.2f);
    };
    const struct {
        const char* name;
        std::function<float(float, float)> f;
        ContourRule rule;
    } cases[] = {
        {"plane linear", plane, {kScaleLinear, 0.01f, 1, 4}},
        {"plane semi-log 1", plane, {kScaleSemiLog1, 1, 1e-3f, 0}},
        {"saddles linear", saddles, {kScaleLinear, 0.004f, 1, 4}},
        {"saddles semi-log 1", saddles, {kScaleSemiLog1, 1, 1e-4f, 0}},
        {"saddles semi-log 2", saddles, {kScaleSemiLog2, 1, 1e-4f, 3}},
    };
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> jitter(0.1f, 0.9f);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Field m(16, 12, c.f);
        const BandScale scale = bandscalefor(m.grid(), c.rule, true);
        ASSERT_EQ(scale.status, BandStatus::Ready);
        const BandOutcome out = drawbands(m.pc, m.host, m.abortflag, m.grid(), scale);
        const auto polys = m.surface.ofkind(OpKind::FillPolygon);
        ASSERT_EQ(static_cast<int>(polys.size()), out.polygons);
        double total = 0;
        for (const auto& p : polys) total += std::fabs(polygonarea(p.points));
        EXPECT_NEAR(total, m.area(), 0.005 * m.area());
        EXPECT_FALSE(m.surface.hasnonfinite());
        drawcontourlines(m.pc, m.host, m.abortflag, m.grid(), c.rule.subinterval, c.rule.minvalue,
                         c.rule.nsubline, c.rule.scale);
        int pieces = 0;
        for (const auto& l : m.surface.lines()) {
            const FramePoint a{l.x1, l.y1}, b{l.x2, l.y2};
            if (a == b) continue;
            ++pieces;
            EXPECT_TRUE(std::any_of(polys.begin(), polys.end(),
                                    [&](const RecordedOp& p) { return hasside(p.points, a, b); }))
                << a.x << "," << a.y << " - " << b.x << "," << b.y;
        }
        EXPECT_GT(pieces, 20);

        for (int i = 0; i < 16; ++i) {
            for (int j = 0; j < 12; ++j) {
                const float x = m.nodex[i] + 8 * jitter(rng);
                const float y = m.nodey[j] - 6 * jitter(rng);
                int hits = 0;
                const RecordedOp* hit = nullptr;
                for (const auto& p : polys)
                    if (inside(p.points, x, y)) ++hits, hit = &p;
                ASSERT_EQ(hits, 1) << x << ", " << y;
                if (c.rule.scale != kScaleLinear || c.name[0] != 'p') continue;
                // The plane's value at the sample, in level units.
                const float v = c.f((x - 10) / 8, (20 + 6 * 12 - y) / 6) / c.rule.subinterval;
                if (std::fabs(v - std::round(v)) < 0.05f) continue;
                EXPECT_EQ(hit->color, bandcolor(scale, bandrank(scale, v))) << v;
            }
        }
    }
}

TEST(ContourBands, ZeroIsTheNeutralColourAndSignsMirror) {
    const Rgb zero = divergingcolor(0);
    EXPECT_EQ(zero, neutralcolor());
    EXPECT_EQ(zero, kVikTable[kColorMapSize / 2]);
    // Light and nearly grey.
    EXPECT_GT(std::min({zero.r, zero.g, zero.b}), 215);
    EXPECT_LT(std::max({zero.r, zero.g, zero.b}) - std::min({zero.r, zero.g, zero.b}), 15);
    auto luma = [](Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; };
    double lastneg = luma(zero), lastpos = luma(zero), lastseq = 1e9;
    for (int n = 1; n <= 20; ++n) {
        const float t = n / 20.0f;
        const Rgb neg = divergingcolor(-t), pos = divergingcolor(t);
        EXPECT_GT(neg.b, neg.r) << t;  // blue below zero
        EXPECT_GT(pos.r, pos.b) << t;  // red above
        // Darker the farther from zero on both sides (order kept in grey).
        EXPECT_LT(luma(neg), lastneg) << t;
        EXPECT_LT(luma(pos), lastpos) << t;
        lastneg = luma(neg);
        lastpos = luma(pos);
        EXPECT_LT(luma(sequentialcolor(t)), lastseq) << t;
        lastseq = luma(sequentialcolor(t));
    }
    // The bands next to zero lie symmetrically about the light centre.
    Field m(4, 4, [](float i, float j) { return 0.02f * (i - 1.5f) + 0.001f * j; });
    const BandScale s = bandscalefor(m.grid(), {kScaleLinear, 0.01f, 1, 0}, true);
    ASSERT_EQ(s.status, BandStatus::Ready);
    EXPECT_EQ(s.lowrank, -3);
    EXPECT_EQ(s.highrank, 6);
    EXPECT_EQ(bandcolor(s, 1), divergingcolor(0.5f / 6));
    EXPECT_EQ(bandcolor(s, -1), divergingcolor(-0.5f / 6));
    EXPECT_EQ(bandrank(s, 0.0f), 1);  // on a level: the band above
    EXPECT_EQ(bandrank(s, -0.2f), -1);
    EXPECT_FLOAT_EQ(bandfloor(s, -1), -0.01f);
    EXPECT_FLOAT_EQ(bandfloor(s, 2), 0.01f);
    // A magnitude spreads its bands over the sequential map, lightest first.
    const BandScale q = bandscalefor(m.grid(), {kScaleLinear, 0.01f, 1, 0}, false);
    EXPECT_GT(luma(bandcolor(q, q.lowrank)), luma(bandcolor(q, q.highrank)));
}

TEST(ContourBands, GridsThatCannotBeColouredAreRefused) {
    const float nan = std::nanf("");
    const struct {
        const char* name;
        std::function<float(float, float)> f;
        ContourRule rule;
        BandStatus want;
    } cases[] = {
        {"no values",
         [](float, float) { return kNoValue; },
         {kScaleSemiLog1, 1, 1e-4f, 9},
         BandStatus::NoValues},
        {"NaN",
         [nan](float, float) { return nan; },
         {kScaleLinear, 0.1f, 1, 0},
         BandStatus::NoValues},
        {"constant",
         [](float, float) { return 0.25f; },
         {kScaleLinear, 0.1f, 1, 0},
         BandStatus::Flat},
        {"between two levels",
         [](float i, float) { return 0.21f + 0.001f * i; },
         {kScaleLinear, 0.1f, 1, 0},
         BandStatus::Flat},
        {"20 decades, semi-log",
         [](float i, float j) { return std::pow(10.0f, 2.5f * (i - j)); },
         {kScaleSemiLog1, 1, 1e-4f, 9},
         BandStatus::TooWide},
        {"20 decades, linear",
         [](float i, float j) { return std::pow(10.0f, 2.5f * (i - j)); },
         {kScaleLinear, 0.01f, 1, 9},
         BandStatus::TooWide},
        {"zero interval",
         [](float i, float) { return i; },
         {kScaleLinear, 0, 1, 0},
         BandStatus::BadRule},
        {"one no-value node",
         [](float i, float j) { return i == 2 && j == 2 ? kNoValue : i - j; },
         {kScaleLinear, 0.5f, 1, 0},
         BandStatus::Ready},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Field m(4, 4, c.f);
        const BandScale s = bandscalefor(m.grid(), c.rule, true);
        EXPECT_EQ(s.status, c.want);
        EXPECT_EQ(bandstatusnote(s).empty(), c.want == BandStatus::Ready);
        drawbands(m.pc, m.host, m.abortflag, m.grid(), s);
        EXPECT_EQ(m.surface.count(OpKind::FillPolygon) > 0, c.want == BandStatus::Ready);
        EXPECT_FALSE(m.surface.hasnonfinite());
    }
}

}  // namespace
}  // namespace crustex
