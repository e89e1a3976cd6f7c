#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "engine/dislocation.h"
#include "engine/rectconst.h"
#include "engine/rectsource.h"

namespace crustex {
namespace {

using Out12 = std::array<float, 12>;

Out12 values(const DislocationResult& r) {
    return {r.ux, r.uy, r.uz, r.uxx, r.uyx, r.uzx, r.uxy, r.uyy, r.uzy, r.uxz, r.uyz, r.uzz};
}

struct RectArgs {
    float x, y, z, depth, dip, al1, al2, aw1, aw2, d1, d2, d3;
};

int16_t rect(const RectArgs& a, Out12& v) {
    DislocationResult r;
    const int16_t iret = calcrectsource(kAlpha, a.x, a.y, a.z, a.depth, a.dip, a.al1, a.al2, a.aw1,
                                        a.aw2, a.d1, a.d2, a.d3, r);
    v = values(r);
    return iret;
}

// A published four-digit value: zero means below 5e-7 in size, anything
// else must round to the same four significant digits.
void expectFourDigits(double published, double got, const std::string& what) {
    if (published == 0) {
        EXPECT_LT(std::fabs(got), 5e-7) << what;
        return;
    }
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(published))) - 3);
    EXPECT_NEAR(got, published, 0.5001 * unit) << what;
}

// Okada (1985), Table 2, surface points; published column order
// UX UY UZ UXX UXY UYX UYY UZX UZY.
struct Table2Row {
    const char* name;
    RectArgs args;
    double uxyz[3];
    double uxx, uxy, uyx, uyy, uzx, uzy;
};

const Table2Row kTable2[] = {
    {"dipping strike-slip",
     {2, 3, 0, 4, 70, 0, 3, 0, 2, 1, 0, 0},
     {-8.689e-03, -4.298e-03, -2.747e-03},
     -1.220e-03,
     2.470e-04,
     -8.191e-03,
     -5.814e-04,
     -5.175e-03,
     2.945e-04},
    {"dipping dip-slip",
     {2, 3, 0, 4, 70, 0, 3, 0, 2, 0, 1, 0},
     {-4.682e-03, -3.527e-02, -3.564e-02},
     -8.867e-03,
     -1.519e-04,
     4.057e-03,
     -1.035e-02,
     4.088e-03,
     2.626e-03},
    {"dipping tensile",
     {2, 3, 0, 4, 70, 0, 3, 0, 2, 0, 0, 1},
     {-2.660e-04, 1.056e-02, 3.214e-03},
     -5.655e-04,
     1.993e-03,
     -1.066e-03,
     1.230e-02,
     -3.730e-04,
     1.040e-02},
    {"vertical strike-slip",
     {0, 0, 0, 4, 90, 0, 3, 0, 2, 1, 0, 0},
     {0, 5.253e-03, 0},
     0,
     -1.864e-02,
     -2.325e-03,
     0,
     0,
     2.289e-02},
    {"vertical dip-slip",
     {0, 0, 0, 4, 90, 0, 3, 0, 2, 0, 1, 0},
     {0, 0, 0},
     0,
     2.748e-02,
     0,
     0,
     0,
     -7.166e-02},
    {"vertical tensile",
     {0, 0, 0, 4, 90, 0, 3, 0, 2, 0, 0, 1},
     {1.223e-02, 0, -1.606e-02},
     -4.182e-03,
     0,
     0,
     -2.325e-03,
     -9.146e-03,
     0},
    {"overturned strike-slip",
     {0, 0, 0, 4, -90, 0, 3, 0, 2, 1, 0, 0},
     {0, -1.303e-03, 0},
     0,
     2.726e-03,
     7.345e-04,
     0,
     0,
     -4.422e-03},
    {"overturned dip-slip",
     {0, 0, 0, 4, -90, 0, 3, 0, 2, 0, 1, 0},
     {0, 0, 0},
     0,
     5.157e-03,
     0,
     0,
     0,
     -1.901e-02},
    {"overturned tensile",
     {0, 0, 0, 4, -90, 0, 3, 0, 2, 0, 0, 1},
     {3.507e-03, 0, -7.740e-03},
     -1.770e-03,
     0,
     0,
     -7.345e-04,
     -1.843e-03,
     0},
};

TEST(RectDislocation, ReproducesThePublishedSurfaceCheckList) {
    for (const Table2Row& row : kTable2) {
        DislocationResult r;
        const RectArgs& a = row.args;
        ASSERT_EQ(calcrectsource(0.666666687f, a.x, a.y, a.z, a.depth, a.dip, a.al1, a.al2, a.aw1,
                                 a.aw2, a.d1, a.d2, a.d3, r),
                  0)
            << row.name;
        const std::string n = row.name;
        expectFourDigits(row.uxyz[0], r.ux, n + " ux");
        expectFourDigits(row.uxyz[1], r.uy, n + " uy");
        expectFourDigits(row.uxyz[2], r.uz, n + " uz");
        expectFourDigits(row.uxx, r.uxx, n + " uxx");
        expectFourDigits(row.uxy, r.uxy, n + " uxy");
        expectFourDigits(row.uyx, r.uyx, n + " uyx");
        expectFourDigits(row.uyy, r.uyy, n + " uyy");
        expectFourDigits(row.uzx, r.uzx, n + " uzx");
        expectFourDigits(row.uzy, r.uzy, n + " uzy");
    }
}

// The program's fault: top edge at `depth`, length l along strike, width w
// down-dip (the reference edge is the top edge).
RectArgs programFault(float x, float y, float z, float depth, float dip, float l, float w, float d1,
                      float d2, float d3) {
    return {x, y, z, depth, dip, 0, l, w, 0, d1, d2, d3};
}

double largest(const Out12& v, int first, int count) {
    double m = 0;
    for (int i = first; i < first + count; ++i) m = std::max(m, double(std::fabs(v[i])));
    return m;
}

TEST(RectDislocation, DipConstantsCleanAVerticalCosine) {
    struct Row {
        float dip;
        bool vertical;
        double sd;  // expected exactly when vertical
    };
    const Row rows[] = {
        {90, true, 1},   {-90, true, -1},      {90.00004f, true, 1}, {89.99996f, true, 1},
        {270, true, -1}, {90.0002f, false, 0}, {89.9998f, false, 0}, {45, false, 0},
    };
    for (const Row& row : rows) {
        DipConst dc;
        setdipconst(dc, kAlpha, row.dip);
        if (row.vertical) {
            EXPECT_EQ(dc.cd, 0.0) << row.dip;
            EXPECT_EQ(dc.sd, row.sd) << row.dip;
            EXPECT_EQ(dc.sdcd, 0.0) << row.dip;
            EXPECT_EQ(dc.c2d, -1.0) << row.dip;
        } else {
            EXPECT_NE(dc.cd, 0.0) << row.dip;
            EXPECT_NEAR(dc.sd * dc.sd + dc.cd * dc.cd, 1.0, 1e-15) << row.dip;
        }
    }
    // A reversed dip keeps its tiny sine: it is not cleaned.
    DipConst flat;
    setdipconst(flat, kAlpha, 180);
    EXPECT_EQ(flat.cd, -1.0);
    EXPECT_NE(flat.sd, 0.0);
    EXPECT_LT(std::fabs(flat.sd), 1e-14);
}

TEST(RectDislocation, ANearlyVerticalDipGivesExactlyTheVerticalResult) {
    const RectArgs points[] = {
        programFault(3, 2, 0, 1, 90, 8, 5, 1, 1, 1),
        programFault(-2, -4, -3, 1, 90, 8, 5, 1, -2, 0.5f),
        programFault(4, 0.5f, -7, 2, 90, 8, 5, 0, 1, 1),
    };
    for (const RectArgs& base : points) {
        Out12 vertical;
        ASSERT_EQ(rect(base, vertical), 0);
        for (float dip : {90.00004f, 89.99996f}) {
            RectArgs a = base;
            a.dip = dip;
            Out12 v;
            ASSERT_EQ(rect(a, v), 0);
            EXPECT_EQ(v, vertical) << dip;
        }
        RectArgs a = base;
        a.dip = 90.001f;  // outside the clean-up: the non-vertical expressions
        Out12 v;
        ASSERT_EQ(rect(a, v), 0);
        EXPECT_NE(v, vertical);
        for (int i = 0; i < 12; ++i) {
            EXPECT_NEAR(v[i], vertical[i], 1e-3 * largest(vertical, i < 3 ? 0 : 3, i < 3 ? 3 : 9))
                << i;
        }
    }
}

TEST(RectDislocation, PointsOnAFaultEdgeAreSingular) {
    struct Row {
        const char* name;
        RectArgs args;
        int16_t iret;
    };
    const float justPast3 = std::nextafter(3.0f, 4.0f);
    const float justAbove1 = std::nextafter(std::nextafter(-1.0f, 0.0f), 0.0f);
    const Row rows[] = {
        {"surface trace, middle", programFault(4, 0, 0, 0, 60, 8, 5, 1, 1, 1), 1},
        {"surface trace, end", programFault(8, 0, 0, 0, 60, 8, 5, 1, 1, 1), 1},
        {"surface trace, start, dip-slip only", programFault(0, 0, 0, 0, 30, 8, 5, 0, 1, 0), 1},
        {"vertical fault, bottom edge", programFault(5, 0, -6, 1, 90, 8, 5, 1, 0, 0), 1},
        {"vertical fault, top edge", programFault(5, 0, -1, 1, 90, 8, 5, 0, 0, 1), 1},
        {"vertical fault, side edge", programFault(8, 0, -3, 1, 90, 8, 5, 1, 1, 1), 1},
        {"flat fault, far edge", programFault(2, 5, -2, 2, 180, 8, 5, 1, 1, 0), 1},
        {"flat fault, side edge", programFault(0, -1, -2, 2, 0, 8, 5, 1, 1, 0), 1},
        // A corner closer than the clean-up distance, outside both edge ranges.
        {"beyond a corner", {justPast3, 0, justAbove1, 2, 90, 0, 3, 0, 1, 1, 1, 1}, 1},
        // A point above the surface on the image of a corner.
        {"image corner", {0, 0, 2, 2, 90, 0, 3, 0, 1, 1, 1, 1}, 1},
        {"beyond the trace", programFault(-1, 0, 0, 0, 60, 8, 5, 1, 1, 1), 0},
        {"beside the trace", programFault(4, 0.01f, 0, 0, 60, 8, 5, 1, 1, 1), 0},
        {"above the surface", programFault(4, 3, 0.5f, 3, 60, 8, 5, 1, 1, 1), 0},
        {"below the bottom edge", programFault(5, 0, -6.5f, 1, 90, 8, 5, 1, 0, 0), 0},
    };
    for (const Row& row : rows) {
        Out12 v;
        EXPECT_EQ(rect(row.args, v), row.iret) << row.name;
        for (int i = 0; i < 12; ++i) {
            EXPECT_TRUE(std::isfinite(v[i])) << row.name << " " << i;
            if (row.iret == 1) {
                EXPECT_EQ(v[i], 0.0f) << row.name << " " << i;
            }
        }
        if (row.iret == 0) {
            EXPECT_GT(largest(v, 0, 12), 0.0) << row.name;
        }
    }
}

TEST(RectDislocation, NoDislocationGivesZeros) {
    const RectArgs rows[] = {
        programFault(3, 2, 0, 1, 70, 8, 5, 0, 0, 0),
        programFault(-4, 7, -9, 3, 90, 8, 5, 0, 0, 0),
        programFault(4, 0.01f, 0, 0, 120, 8, 5, 0, 0, 0),
        programFault(1, 1, -2, 2, 180, 8, 5, 0, 0, 0),
    };
    for (const RectArgs& a : rows) {
        Out12 v;
        EXPECT_EQ(rect(a, v), 0);
        for (float f : v) EXPECT_EQ(f, 0.0f);
    }
}

// At the free surface the tractions vanish; with lambda = mu this ties the
// z-derivatives to the horizontal ones.
TEST(RectDislocation, SurfaceIsFreeOfTraction) {
    for (float dip : {20.0f, 70.0f, 90.0f, 135.0f}) {
        for (int type = 0; type < 3; ++type) {
            const float d1 = type == 0, d2 = type == 1, d3 = type == 2;
            for (auto [x, y] : {std::pair{3.0f, 2.0f}, {-2.0f, -6.0f}, {11.0f, 4.5f}}) {
                Out12 v;
                ASSERT_EQ(rect(programFault(x, y, 0, 1.5f, dip, 8, 5, d1, d2, d3), v), 0);
                const double tol = 2e-6 * largest(v, 3, 9);
                const std::string at = std::to_string(dip) + " type " + std::to_string(type);
                EXPECT_NEAR(v[9], -v[5], tol) << at;                  // uxz = -uzx
                EXPECT_NEAR(v[10], -v[8], tol) << at;                 // uyz = -uzy
                EXPECT_NEAR(v[11], -(v[3] + v[7]) / 3.0, tol) << at;  // uzz
            }
        }
    }
}

// Close to the extension of an edge line beyond the fault (R + xi or R + eta
// cancelling) the field stays close to its value on the line.
TEST(RectDislocation, FieldIsContinuousNearTheExtensionOfAnEdge) {
    struct Row {
        const char* name;
        RectArgs online;  // a point on the extension
        int axis;         // direction of the offsets
    };
    const Row rows[] = {
        {"beyond the start of a surface trace", programFault(-3, 0, 0, 0, 60, 8, 5, 1e3f, 1e3f, 0),
         1},
        {"far beyond the start of a surface trace",
         programFault(-30, 0, 0, 0, 60, 8, 5, 1e3f, -1e3f, 5e2f), 1},
        {"below the bottom of a vertical fault, under its side edge",
         programFault(0, 0, -11, 1, 90, 8, 5, 1, 1, 1), 0},
        {"deep below a vertical fault, under its side edge",
         programFault(8, 0, -101, 1, 90, 8, 5, 1, 1, 1), 0},
    };
    for (const Row& row : rows) {
        Out12 base;
        ASSERT_EQ(rect(row.online, base), 0) << row.name;
        for (float offset : {2e-6f, 5e-6f, 2e-5f, 1e-4f}) {
            RectArgs a = row.online;
            (row.axis == 0 ? a.x : a.y) += offset;
            Out12 v;
            ASSERT_EQ(rect(a, v), 0) << row.name;
            for (int i = 0; i < 12; ++i) {
                const double g = i < 3 ? largest(base, 0, 3) : largest(base, 3, 9);
                EXPECT_NEAR(v[i], base[i], 1e-3 * g)
                    << row.name << " offset " << offset << " " << i;
            }
        }
    }
}

// The derivatives agree with fourth-order central differences of the
// displacements (a step of 1/128 km keeps every offset point exact in float).
TEST(RectDislocation, DerivativesMatchDifferencesOfDisplacements) {
    struct Point {
        float x, y, z;
    };
    const Point points[] = {{3, 4, -1}, {-2, -5, -6}, {12, 1, -3}, {5, -3, -0.5f}, {4, 6, -9}};
    const float h = 1.0f / 128;
    for (float dip : {30.0f, 70.0f, 90.0f, 120.0f, 180.0f}) {
        for (int type = 0; type < 3; ++type) {
            const float d1 = type == 0, d2 = type == 1, d3 = type == 2;
            auto at = [&](float x, float y, float z) {
                Out12 v;
                EXPECT_EQ(rect(programFault(x, y, z, 2, dip, 10, 6, d1, d2, d3), v), 0);
                return v;
            };
            for (const Point& p : points) {
                const Out12 v = at(p.x, p.y, p.z);
                const double tol = 1e-5 * largest(v, 3, 9) + 1e-5 * largest(v, 0, 3);
                for (int axis = 0; axis < 3; ++axis) {
                    Out12 u[4];
                    const int steps[4] = {-2, -1, 1, 2};
                    for (int k = 0; k < 4; ++k) {
                        float c[3] = {p.x, p.y, p.z};
                        c[axis] += steps[k] * h;
                        u[k] = at(c[0], c[1], c[2]);
                    }
                    for (int comp = 0; comp < 3; ++comp) {
                        const double fd = (double(u[0][comp]) - 8.0 * u[1][comp] +
                                           8.0 * u[2][comp] - u[3][comp]) /
                                          (12.0 * h);
                        EXPECT_NEAR(v[3 + 3 * axis + comp], fd, tol)
                            << "dip " << dip << " type " << type << " point " << p.x << "," << p.y
                            << "," << p.z << " axis " << axis << " comp " << comp;
                    }
                }
            }
        }
    }
}

// Across the fault plane the displacement jumps by the dislocation: the
// hanging wall moves by (strike, up-dip, opening) relative to the foot wall.
TEST(RectDislocation, DisplacementJumpsByTheDislocationAcrossTheFault) {
    const float d1 = 1.5f, d2 = -0.7f, d3 = 0.4f;
    for (float dip : {25.0f, 60.0f, 90.0f, 110.0f}) {
        const double delta = dip * 3.14159265358979 / 180, sd = std::sin(delta),
                     cd = std::cos(delta);
        for (double down : {1.0, 3.0, 5.0}) {  // distance down-dip from the top edge
            const double x = 4, y = -down * cd, z = -2 - down * sd, e = 1e-3;
            Out12 hanging, foot;
            // The foot wall lies on the side of (0, sin, -cos).
            ASSERT_EQ(
                rect(programFault(x, y - e * sd, z + e * cd, 2, dip, 8, 6, d1, d2, d3), hanging),
                0);
            ASSERT_EQ(rect(programFault(x, y + e * sd, z - e * cd, 2, dip, 8, 6, d1, d2, d3), foot),
                      0);
            const double jump[3] = {d1, d2 * cd - d3 * sd, d2 * sd + d3 * cd};
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(hanging[i] - foot[i], jump[i], 5e-3) << dip << " " << down << " " << i;
            }
        }
    }
}

// The grid evaluation calls the solution from several threads at once.
TEST(RectDislocation, ConcurrentCallsGiveTheSequentialResults) {
    std::vector<RectArgs> points;
    for (int i = 0; i < 400; ++i) {
        points.push_back(programFault(-10 + 0.37f * i, 12 - 0.21f * i, -0.05f * (i % 60), 2,
                                      float(15 + (i * 7) % 160), 20, 9, 800, -600,
                                      i % 3 ? 0 : 300));
    }
    std::vector<Out12> sequential(points.size());
    for (size_t i = 0; i < points.size(); ++i) rect(points[i], sequential[i]);
    std::vector<Out12> parallel[3];
    std::vector<std::thread> threads;
    for (auto& results : parallel) {
        threads.emplace_back([&points, &results] {
            results.resize(points.size());
            for (int pass = 0; pass < 25; ++pass) {
                for (size_t i = 0; i < points.size(); ++i) rect(points[i], results[i]);
            }
        });
    }
    for (std::thread& t : threads) t.join();
    for (const auto& results : parallel) EXPECT_EQ(results, sequential);
}

// Exact float bit patterns of results of the term-by-term evaluation. Any
// rearrangement of the arithmetic for speed must reproduce them.
TEST(RectDislocation, ResultsArePinnedToExactBitPatterns) {
    struct Row {
        RectArgs args;
        int16_t iret;
        uint32_t bits[12];
    };
    const Row rows[] = {
        {{3, 4, -1, 2, 60, 0, 30, 15, 0, 1200, -800, 300},
         0,
         {0xC2E42338, 0x4361D2F6, 0x42B41E1A, 0xC0612076, 0x4037F4DF, 0x4090DDA2, 0xC13E141D,
          0x40E2F451, 0x3FDECC52, 0x40FA8CF5, 0xC20BBBB9, 0x3F9264AF}},
        {{-7.5, -3.25, -9, 2, 60, 0, 30, 15, 0, 1200, -800, 300},
         0,
         {0x41B7DA36, 0x426FA06E, 0xC189261D, 0xBF847C2D, 0x40D5F9D2, 0xC09CF996, 0xC1A6C2B4,
          0x408D98EF, 0x40056765, 0x414AFC92, 0x3EBDB18E, 0xC01185B5}},
        {{12, 6, 0, 2, 35, 0, 30, 15, 0, 1200, -800, 300},
         0,
         {0xC2757BD0, 0x42A9EE2F, 0x40566474, 0xBF9AB5BC, 0xBFDDF350, 0x3FCCE4AF, 0xC034C654,
          0x414DE6BC, 0x406424F7, 0xBFCCE4AF, 0xC06424F7, 0xC078C008}},
        {{15, -2, -4, 1, 90, 0, 30, 15, 0, 500, 700, -250},
         0,
         {0x43434785, 0xC1478393, 0x4370CCC5, 0x3FC2A8C6, 0xC0219076, 0x3E76D936, 0x41BAA947,
          0x40A9D1B0, 0x42103DA7, 0xC0CB3F07, 0xC1BD66C5, 0xC08E4901}},
        {{5, 1, -3, 1, 120, 0, 30, 15, 0, -300, 400, 900},
         0,
         {0xC2A0570D, 0xC3DEDC8C, 0xBEA8AD35, 0xC1062774, 0x4097097D, 0x407541A9, 0xC1AFAF88,
          0xC1F8BE2D, 0x4265EBB1, 0xC16D1019, 0xC17D429B, 0xC0D408F6}},
        {{2, 3, -0.5, 4, 70, 0, 3, 0, 2, 1, 1, 1},
         0,
         {0xBC71F27B, 0xBCDCC17E, 0xBD1225C3, 0xBC00A2F1, 0xBBDC60B7, 0xBAD931C9, 0x3B1A6BAB,
          0x3C1A3AA6, 0x3C7BD804, 0x3B556DB8, 0x3AF1DCF0, 0xBAC01759}},
        {{4, -6, -7, 3, 180, 0, 10, 6, 0, 100, 200, 300},
         0,
         {0xBE93638F, 0xBFD7C9FB, 0xC01188C1, 0x3DE56C4A, 0xBE97D130, 0xBEBD5609, 0x3CBDA0E2,
          0xBF9656F1, 0xBF5E9436, 0x3C42C32F, 0x3FC7D441, 0x3F7B17BA}},
        {{-3, 2, -2, 3, -90, 1, 5, 2, 2, 10, -20, 5},
         0,
         {0x3ED7EF64, 0x3D45081A, 0x3F23F47E, 0x3DE6ACA5, 0x3E0501DF, 0x3EC5DBA8, 0xBDF0738D,
          0x3D835623, 0x3D775AF5, 0xBE9339B8, 0x3E38E303, 0xBD05ADA4}},
        {{8, 0.001, -2.5, 0, 45, 0, 20, 10, 0, 1000, 1000, 0},
         0,
         {0xC37181DE, 0xC3901973, 0xC2D095E5, 0x3E0575FC, 0xC0E608C2, 0x4012B18F, 0x4229B045,
          0x41BD213D, 0x41E7BB8C, 0xC18CA754, 0xC225DC26, 0xC1079C0B}},
        {{-1, 0, 0, 0, 60, 0, 8, 5, 0, 1, 1, 1},
         0,
         {0x3CF2A875, 0x3D89CF9D, 0xBC87532E, 0x3C6810EC, 0x3CF46C96, 0xBC7DE2A9, 0xBDC8C636,
          0xBC0F306C, 0xBD2D3BD6, 0x3C7DE2A9, 0x3D2D3BD6, 0xBAED0159}},
        {{33, 21, -12, 5, 89.9, 0, 40, 20, 0, 2000, 0, 0},
         0,
         {0xC3110D4F, 0xC2CAB54B, 0xC13D2255, 0x3F9AFE73, 0xC0CC35DF, 0xBF2DEBF4, 0x410B1FDD,
          0x408BDD51, 0x3FACE9A4, 0xBF3074B9, 0xBEE19AD6, 0xC02C1617}},
        {{10, -10, -1, 2, 60, 0, 30, 15, 0, 0, 0, 500},
         0,
         {0xC165BEA6, 0xC34A6F9D, 0x433707B6, 0x405C5209, 0xC035347E, 0x401B40F4, 0x3FC2C78F,
          0xBFC057EE, 0x4151A84D, 0xC022E325, 0xC0F997BB, 0xBF08B026}},
    };
    for (int lanes : {2, 4}) {
        for (const Row& row : rows) {
            const auto& a = row.args;
            DislocationResult r;
            EXPECT_EQ(calcrectsourcelanes(lanes, kAlpha, a.x, a.y, a.z, a.depth, a.dip, a.al1,
                                          a.al2, a.aw1, a.aw2, a.d1, a.d2, a.d3, r),
                      row.iret);
            const Out12 v = values(r);
            for (int i = 0; i < 12; ++i) {
                uint32_t bits;
                std::memcpy(&bits, &v[i], sizeof bits);
                EXPECT_EQ(bits, row.bits[i])
                    << lanes << " lanes, row " << (&row - rows) << " output " << i;
            }
        }
    }
}

// Two and four corners per vector give the same bits everywhere, also on
// edges, on the surface, above it and for near-vertical dips.
TEST(RectDislocation, BothVectorWidthsGiveTheSameBits) {
    if (!rectquadlanes()) GTEST_SKIP() << "no AVX2 on this processor";
    uint32_t state = 12345;
    auto next = [&state](float lo, float hi) {
        state = state * 1664525u + 1013904223u;
        return lo + (hi - lo) * float(state >> 8) / float(1u << 24);
    };
    const float dips[] = {0, 30, 89.99f, 90, 90.00004f, 135, 180, -90};
    for (int n = 0; n < 20000; ++n) {
        RectArgs a = programFault(next(-30, 50), next(-30, 30), next(-15, 1), next(0, 8),
                                  dips[n % 8], next(1, 30), next(1, 15), next(-1e3f, 1e3f),
                                  next(-1e3f, 1e3f), next(-1e3f, 1e3f));
        if (n % 5 == 0) {  // whole numbers hit edges, corners and the surface
            a.x = std::round(a.x);
            a.y = std::round(a.y);
            a.z = std::round(a.z);
            a.depth = std::round(a.depth);
            a.al2 = std::round(a.al2);
            a.aw1 = std::round(a.aw1);
        }
        if (n % 7 == 0) a.d3 = 0;
        DislocationResult r2, r4;
        const int16_t i2 = calcrectsourcelanes(2, kAlpha, a.x, a.y, a.z, a.depth, a.dip, a.al1,
                                               a.al2, a.aw1, a.aw2, a.d1, a.d2, a.d3, r2);
        const int16_t i4 = calcrectsourcelanes(4, kAlpha, a.x, a.y, a.z, a.depth, a.dip, a.al1,
                                               a.al2, a.aw1, a.aw2, a.d1, a.d2, a.d3, r4);
        ASSERT_EQ(i2, i4) << n;
        ASSERT_EQ(std::memcmp(&r2, &r4, sizeof r2), 0) << n;
    }
}

}  // namespace
}  // namespace crustex
