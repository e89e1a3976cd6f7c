#include "geo/projection.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geo/mapmath.h"
#include "model/workstate.h"

namespace crustex {
namespace {

Projection setUp(int16_t kind, float lat1, float lon1, float lat2, float lon2) {
    Projection p;
    EXPECT_TRUE(setupprojection(p, kind, lat1, lon1, lat2, lon2));
    return p;
}

class EveryKind : public ::testing::TestWithParam<int16_t> {};

TEST_P(EveryKind, InverseUndoesForwardAndKilometresConvertBothWays) {
    const Projection p = setUp(GetParam(), 34, 134, 36, 137);
    const float points[][2] = {
        {34, 134}, {35, 135.5f}, {36, 137}, {33.2f, 138.9f}, {37.5f, 132.25f}};
    for (const auto& pt : points) {
        float x = 0, y = 0, lat = 0, lon = 0;
        projectgeo(p, GetParam(), pt[0], pt[1], x, y);
        ASSERT_NE(x, kOffMap);
        unprojectxy(p, x, y, lat, lon);
        EXPECT_NEAR(lat, pt[0], 2e-5) << pt[0] << "," << pt[1];
        EXPECT_NEAR(lon, pt[1], 2e-5) << pt[0] << "," << pt[1];
    }
    PlotFrame f;
    ASSERT_TRUE(setplotframe(f, 240));
    for (float xkm : {10.0f, 85.0f, 200.0f}) {
        for (float ykm : {5.0f, 100.0f, 180.0f}) {
            float lat = 0, lon = 0, x = 0, y = 0;
            kmtogeo(p, f, xkm, ykm, lat, lon);
            geotokm(p, f, lat, lon, x, y);
            EXPECT_NEAR(x, xkm, 2e-3);
            EXPECT_NEAR(y, ykm, 2e-3);
        }
    }
}

// A range about twice as wide as high at 35 degrees north is limited by its
// width: it touches the right edge (527) and, with room to spare below, sits
// 20 units under the top edge (12).
TEST_P(EveryKind, FitTouchesRightEdgeAndShiftsDown) {
    Projection p = setUp(GetParam(), 34, 133, 36, 137);
    float minx = 1e9f, maxx = -1e9f, miny = 1e9f, maxy = -1e9f;
    for (float lat = 34; lat <= 36.0001f; lat += 0.25f) {
        for (float lon = 133; lon <= 137.0001f; lon += 0.5f) {
            float x = 0, y = 0;
            projectgeo(p, GetParam(), lat, lon, x, y);
            minx = std::min(minx, x);
            maxx = std::max(maxx, x);
            miny = std::min(miny, y);
            maxy = std::max(maxy, y);
        }
    }
    EXPECT_NEAR(maxx, 527, 0.05);
    EXPECT_NEAR(miny, 12 + 20, 0.05);
    EXPECT_LT(maxy - miny, 455);
    EXPECT_NEAR(p.right, 527, 1e-4);
    EXPECT_NEAR(p.top, 32, 1e-4);
    EXPECT_NEAR(p.bottom - p.top, maxy - miny, 0.05);
    EXPECT_NEAR(p.right - p.left, 505, 0.01);
    // Equal latitudes have no scale: refused, and the old state is kept.
    const Projection before = p;
    float east = 137;
    EXPECT_FALSE(setupprojection(p, GetParam(), 35, 134, 35, east));
    EXPECT_EQ(p.s, before.s);
    EXPECT_EQ(p.Xc, before.Xc);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryKind, ::testing::Values(kMercator, kMillur, kConic));

TEST(Projection, LongitudeRangeAcrossTheDateLineIsWrapped) {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.projection = kMercator;
    ws.flat1 = -10;
    ws.flon1 = 170;
    ws.flat2 = 10;
    ws.flon2 = -170;
    Projection p;
    ASSERT_TRUE(setprojection(p, ws));
    EXPECT_EQ(ws.flon2, 190);
    EXPECT_EQ(p.lam0, 180);
    float xw = 0, yw = 0, xe = 0, ye = 0;
    projectgeo(p, kMercator, 0, 170, xw, yw);
    projectgeo(p, kMercator, 0, 190, xe, ye);
    EXPECT_NEAR((xw + xe) / 2, p.Xc, 1e-3);
    EXPECT_NEAR(xe, 527, 0.05);
    // An absurd east limit must not hang the wrapping.
    float east = 0;
    setupprojection(p, kMercator, 34, 1e30f, 36, east);
}

TEST(Projection, ConicWithNorthPoleIsAPolarCap) {
    const Projection p = setUp(kConic, 60, 120, 90, 160);
    EXPECT_EQ(p.phi0, 90);
    float px = 0, py = 0;
    projectgeo(p, kConic, 90, 140, px, py);
    ASSERT_NE(px, kOffMap);
    // Every meridian meets at the pole; a parallel is a circle around it.
    float radius = -1;
    for (float lon : {120.0f, 130.0f, 140.0f, 160.0f}) {
        float x = 0, y = 0, qx = 0, qy = 0;
        projectgeo(p, kConic, 90, lon, qx, qy);
        EXPECT_NEAR(qx, px, 1e-3);
        EXPECT_NEAR(qy, py, 1e-3);
        projectgeo(p, kConic, 60, lon, x, y);
        const float r = std::hypot(x - px, y - py);
        if (radius < 0) radius = r;
        EXPECT_NEAR(r, radius, 1e-3);
    }
    EXPECT_GT(radius, 10);
}

TEST(Projection, PointsThatCannotBeMappedLandOffTheMap) {
    const std::pair<int16_t, float> cases[] = {
        {kConic, -60}, {kMercator, 90}, {kMercator, -90}, {kMillur, 120}};
    for (const auto& [kind, lat] : cases) {
        const Projection p = setUp(kind, 34, 134, 36, 137);
        float x = 0, y = 0;
        projectgeo(p, kind, lat, 135, x, y);
        EXPECT_EQ(x, kOffMap) << kind << " " << lat;
        EXPECT_EQ(y, kOffMap) << kind << " " << lat;
    }
}

// y of the cylindrical kinds goes with ln tan(pi/4 + c * lat): c = 1/2 for
// Mercator (and any unknown kind), 2/5 for Miller.
TEST(Projection, CylindricalParallelSpacing) {
    const std::pair<int16_t, double> cases[] = {{kMercator, 0.5}, {kMillur, 0.4}, {7, 0.5}};
    for (const auto& [kind, c] : cases) {
        const Projection p = setUp(kind, 34, 134, 36, 137);
        float y[3], x = 0;
        double l[3];
        for (int k = 0; k < 3; ++k) {
            const float lat = 10.0f + 30.0f * float(k);
            projectgeo(p, kind, lat, 135, x, y[k]);
            l[k] = std::log(std::tan(kQuarterPi + c * lat * kDegToRad));
        }
        EXPECT_NEAR((y[2] - y[1]) / (y[1] - y[0]), (l[2] - l[1]) / (l[1] - l[0]), 1e-4) << kind;
    }
}

TEST(Projection, MeridianAngle) {
    EXPECT_NEAR(meridianangle(setUp(kMercator, 34, 134, 36, 137), 136.5f), 0, 1e-6);
    const Projection c = setUp(kConic, 34, 134, 36, 137);
    // East of the central meridian true north leans to the left of "up".
    for (float lon : {c.lam0, 134.0f, 137.0f, 140.0f}) {
        EXPECT_NEAR(meridianangle(c, lon), -c.n * kDegToRad * (lon - c.lam0), 1e-5) << lon;
    }
}

TEST(CalcAngle, Quadrants) {
    const double pi = 3.14159265358979;
    const std::array<double, 3> cases[] = {
        {0, 0, pi / 2},   {1, 0, pi / 2},       {-1, 0, -pi / 2},    {0, -1, pi},
        {0, 1, 0},        {1, 1, pi / 4},       {1, -1, 3 * pi / 4}, {-1, -1, -3 * pi / 4},
        {-1, 1, -pi / 4}, {2, 1.6e-15, pi / 2},
    };
    for (const auto& [y, x, expected] : cases) {
        EXPECT_NEAR(calcangle(float(y), float(x)), expected, 1e-6) << y << "," << x;
    }
}

// Both operands are rounded halves to even, the quotient truncated to zero.
TEST(MapMath, TileDivisionRoundsOperandsFirst) {
    const struct {
        double a, b, q;
    } rows[] = {{14, 2, 7},  {7, 2.5, 3}, {7, 3.5, 1}, {-7, 2, -3},
                {2.5, 1, 2}, {3.5, 1, 4}, {13, 10, 1}, {130, 10, 13}};
    for (const auto& r : rows) EXPECT_EQ(integerdiv(r.a, r.b), r.q) << r.a << " div " << r.b;
}

}  // namespace
}  // namespace crustex
