#include "geo/projection.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/workstate.h"

namespace crustex {
namespace {

struct Range {
    int16_t kind;
    float lat1, lon1, lat2, lon2;
};

WorkState stateWith(const Range& r) {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.projection = r.kind;
    ws.flat1 = r.lat1;
    ws.flon1 = r.lon1;
    ws.flat2 = r.lat2;
    ws.flon2 = r.lon2;
    return ws;
}

Projection setUp(const Range& r) {
    WorkState ws = stateWith(r);
    Projection p;
    EXPECT_TRUE(setprojection(p, ws));
    return p;
}

class EveryKind : public ::testing::TestWithParam<int16_t> {};

TEST_P(EveryKind, InverseUndoesForwardWithinSinglePrecision) {
    const Projection p = setUp({GetParam(), 34, 134, 36, 137});
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
}

TEST_P(EveryKind, KilometresAndDegreesConvertBothWays) {
    const Projection p = setUp({GetParam(), 34, 134, 36, 137});
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
// width: it touches the right edge and, with room to spare below, sits 20
// units under the top edge.
TEST_P(EveryKind, FitTouchesRightEdgeAndShiftsDown) {
    const Range r{GetParam(), 34, 133, 36, 137};
    const Projection p = setUp(r);
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
    EXPECT_NEAR(miny, 32, 0.05);
    EXPECT_LT(maxy - miny, 455);
    EXPECT_NEAR(p.right, 527, 1e-4);
    EXPECT_NEAR(p.top, 32, 1e-4);
    EXPECT_NEAR(p.bottom - p.top, maxy - miny, 0.05);
    EXPECT_NEAR(p.right - p.left, 505, 0.01);
}

TEST_P(EveryKind, EqualLatitudesAreRefusedAndKeepTheOldState) {
    Projection p = setUp({GetParam(), 34, 134, 36, 137});
    const Projection before = p;
    WorkState ws = stateWith({GetParam(), 35, 134, 35, 137});
    EXPECT_FALSE(setprojection(p, ws));
    EXPECT_EQ(p.s, before.s);
    EXPECT_EQ(p.Xc, before.Xc);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryKind, ::testing::Values(kMercator, kMillur, kConic));

TEST(Projection, LongitudeRangeAcrossTheDateLineIsWrapped) {
    WorkState ws = stateWith({kMercator, -10, 170, 10, -170});
    Projection p;
    ASSERT_TRUE(setprojection(p, ws));
    EXPECT_EQ(ws.flon2, 190);
    EXPECT_EQ(p.lam0, 180);
    float xw = 0, yw = 0, xe = 0, ye = 0;
    projectgeo(p, kMercator, 0, 170, xw, yw);
    projectgeo(p, kMercator, 0, 190, xe, ye);
    EXPECT_NEAR((xw + xe) / 2, p.Xc, 1e-3);
    EXPECT_NEAR(xe, 527, 0.05);
}

TEST(Projection, AbsurdEastLimitDoesNotHang) {
    WorkState ws = stateWith({kMercator, 34, 1e30f, 36, 0});
    Projection p;
    setprojection(p, ws);  // must return; the result does not matter
    SUCCEED();
}

TEST(Projection, ConicWithNorthPoleIsAPolarCap) {
    const Projection p = setUp({kConic, 60, 120, 90, 160});
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

TEST(Projection, ConicOffMapBeyondAQuarterTurn) {
    const Projection p = setUp({kConic, 34, 134, 36, 137});
    float x = 0, y = 0;
    projectgeo(p, kConic, -60, 135, x, y);
    EXPECT_EQ(x, kOffMap);
    EXPECT_EQ(y, kOffMap);
}

TEST(Projection, CylindricalOffMapAtThePoles) {
    const Projection p = setUp({kMercator, 34, 134, 36, 137});
    for (float lat : {90.0f, -90.0f, 120.0f}) {
        float x = 0, y = 0;
        projectgeo(p, kMercator, lat, 135, x, y);
        EXPECT_EQ(x, kOffMap) << lat;
        EXPECT_EQ(y, kOffMap) << lat;
    }
}

TEST(Projection, MillerUsesFourTenthsOfTheLatitude) {
    const Projection p = setUp({kMillur, 34, 134, 36, 137});
    EXPECT_DOUBLE_EQ(p.k, kDegToRad / 2.5);
    EXPECT_DOUBLE_EQ(p.yfac, 1.25 * kMeanRadius / p.s);
    const double t = kQuarterPi + 0.4 * (p.phi0 * kDegToRad);
    EXPECT_NEAR(p.y0, p.yfac * std::log(std::tan(t)), 1e-9 * std::abs(p.y0));
    const Projection m = setUp({kMercator, 34, 134, 36, 137});
    EXPECT_DOUBLE_EQ(m.k, kDegToRad / 2);
}

TEST(Projection, UnknownKindBehavesAsMercator) {
    const Projection m = setUp({kMercator, 34, 134, 36, 137});
    const Projection u = setUp({7, 34, 134, 36, 137});
    float xm = 0, ym = 0, xu = 0, yu = 0;
    projectgeo(m, kMercator, 35.3f, 135.1f, xm, ym);
    projectgeo(u, 7, 35.3f, 135.1f, xu, yu);
    EXPECT_EQ(xm, xu);
    EXPECT_EQ(ym, yu);
}

TEST(Projection, MeridianAngle) {
    const Projection m = setUp({kMercator, 34, 134, 36, 137});
    EXPECT_NEAR(meridianangle(m, 136.5f), 0, 1e-6);
    const Projection c = setUp({kConic, 34, 134, 36, 137});
    EXPECT_NEAR(meridianangle(c, c.lam0), 0, 1e-6);
    // East of the central meridian true north leans to the left of "up".
    for (float lon : {134.0f, 137.0f, 140.0f}) {
        const double expected = -c.n * kDegToRad * (lon - c.lam0);
        EXPECT_NEAR(meridianangle(c, lon), expected, 1e-5) << lon;
    }
}

TEST(CalcAngle, Quadrants) {
    const double pi = 3.14159265358979;
    struct Case {
        float y, x;
        double expected;
    } cases[] = {
        {0, 0, pi / 2},   {1, 0, pi / 2},        {-1, 0, -pi / 2},    {0, -1, pi},
        {0, 1, 0},        {1, 1, pi / 4},        {1, -1, 3 * pi / 4}, {-1, -1, -3 * pi / 4},
        {-1, 1, -pi / 4}, {2, 1.6e-15f, pi / 2},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(calcangle(c.y, c.x), c.expected, 1e-6) << c.y << "," << c.x;
    }
}

}  // namespace
}  // namespace crustex
