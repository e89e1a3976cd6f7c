#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/dislocation.h"

namespace crustex {
namespace {

using Out12 = std::array<float, 12>;
using Potency = std::array<float, 4>;

Out12 values(const DislocationResult& r) {
    return {r.ux, r.uy, r.uz, r.uxx, r.uyx, r.uzx, r.uxy, r.uyy, r.uzy, r.uxz, r.uyz, r.uzz};
}

int16_t point(float x, float y, float z, float depth, float dip, const Potency& pot, Out12& v) {
    DislocationResult r;
    const int16_t iret =
        calcpointsource(kAlpha, x, y, z, depth, dip, pot[0], pot[1], pot[2], pot[3], r);
    v = values(r);
    return iret;
}

double largest(const Out12& v, int first, int count) {
    double m = 0;
    for (int i = first; i < first + count; ++i) m = std::max(m, double(std::fabs(v[i])));
    return m;
}

const Potency kUnit[4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

void expectFourDigits(double published, double got, const std::string& what) {
    if (published == 0) {
        EXPECT_LT(std::fabs(got), 5e-7) << what;
        return;
    }
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(published))) - 3);
    EXPECT_NEAR(got, published, 0.5001 * unit) << what;
}

// Okada (1985), Table 2, case 1: unit potency at depth 4, dip 70, surface
// point (2, 3). Published column order UX UY UZ UXX UXY UYX UYY UZX UZY.
struct Table2Row {
    const char* name;
    Potency pot;
    double uxyz[3];
    double uxx, uxy, uyx, uyy, uzx, uzy;
};

const Table2Row kTable2[] = {
    {"strike-slip",
     {1, 0, 0, 0},
     {-9.447e-04, -1.023e-03, -7.420e-04},
     -2.286e-04,
     -1.425e-04,
     -2.051e-04,
     -3.007e-04,
     -6.259e-05,
     -1.693e-04},
    {"dip-slip",
     {0, 1, 0, 0},
     {-1.172e-03, -2.082e-03, -2.532e-03},
     -1.526e-04,
     -3.544e-04,
     6.983e-04,
     -1.154e-03,
     8.707e-04,
     -6.345e-04},
    {"tensile",
     {0, 0, 1, 0},
     {-3.572e-04, 3.531e-04, -2.007e-04},
     -1.360e-04,
     5.073e-04,
     -6.773e-05,
     6.811e-04,
     7.541e-05,
     8.104e-04},
};

TEST(PointDislocation, ReproducesThePublishedSurfaceCheckList) {
    for (const Table2Row& row : kTable2) {
        DislocationResult r;
        ASSERT_EQ(calcpointsource(0.666666687f, 2, 3, 0, 4, 70, row.pot[0], row.pot[1], row.pot[2],
                                  row.pot[3], r),
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

// An inflation potency P is a volume change P/3 when lambda = mu; at the
// surface the field is Mogi's: u = P/(4 pi) (x, y, d) / R^3.
TEST(PointDislocation, InflationAtTheSurfaceIsTheMogiField) {
    struct Row {
        float x, y, depth, pot;
    };
    const Row rows[] = {{2, 3, 4, 1000}, {-7, 1, 5, 250}, {0, -12, 10, -4000}, {0.5f, 0, 1, 1}};
    for (const Row& row : rows) {
        Out12 v;
        ASSERT_EQ(point(row.x, row.y, 0, row.depth, 0, {0, 0, 0, row.pot}, v), 0);
        const double x = row.x, y = row.y, d = row.depth, c = row.pot / (4 * 3.14159265358979);
        const double r2 = x * x + y * y + d * d, r3 = r2 * std::sqrt(r2), r5 = r3 * r2;
        const double uxx = c * (1 / r3 - 3 * x * x / r5), uyy = c * (1 / r3 - 3 * y * y / r5);
        const double uxy = -3 * c * x * y / r5;
        const double uzx = -3 * c * d * x / r5, uzy = -3 * c * d * y / r5;
        const double expected[12] = {c * x / r3, c * y / r3, c * d / r3, uxx,
                                     uxy,        uzx,        uxy,        uyy,
                                     uzy,        -uzx,       -uzy,       -(uxx + uyy) / 3};
        for (int i = 0; i < 12; ++i) {
            const double scale = i < 3 ? largest(v, 0, 3) : largest(v, 3, 9);
            EXPECT_NEAR(v[i], expected[i], 1e-6 * scale) << row.x << "," << row.y << " " << i;
        }
    }
}

TEST(PointDislocation, SingularOnlyAtTheSource) {
    struct Row {
        const char* name;
        float x, y, z, depth;
        int16_t iret;
    };
    const Row rows[] = {
        {"at the source", 0, 0, -6, 6, 1},
        {"within the clean-up distance", 5e-7f, -5e-7f, -6, 6, 1},
        {"source on the surface", 0, 0, 0, 0, 1},
        {"image of the source above the surface", 0, 0, 6, 6, 1},
        {"just below the source", 0, 0, -6.001f, 6, 0},
        {"beside the source", 0.001f, 0, -6, 6, 0},
        {"above the source on the surface", 0, 0, 0, 6, 0},
    };
    for (const Row& row : rows) {
        for (const Potency& pot : {kUnit[3], Potency{1, 2, 3, 4}}) {
            Out12 v;
            EXPECT_EQ(point(row.x, row.y, row.z, row.depth, 70, pot, v), row.iret) << row.name;
            for (float f : v) {
                EXPECT_TRUE(std::isfinite(f)) << row.name;
                if (row.iret == 1) {
                    EXPECT_EQ(f, 0.0f) << row.name;
                }
            }
            if (row.iret == 0) {
            EXPECT_GT(largest(v, 0, 12), 0.0) << row.name;
        }
        }
    }
}

// Deflation is inflation with the sign turned: exactly, in every component.
TEST(PointDislocation, OppositePotencyGivesExactlyTheOppositeSign) {
    struct Row {
        float x, y, z, depth, dip;
        Potency pot;
    };
    const Row rows[] = {
        {3, 4, 0, 5, 0, {0, 0, 0, 1234.5f}},      {-2, 7, -3, 5, 0, {0, 0, 0, 20}},
        {0, 0, -2, 5, 0, {0, 0, 0, 0.001f}},      {0.25f, -9, -12, 5, 0, {0, 0, 0, 7e5f}},
        {3, 4, -1, 2, 70, {0.5f, -1.5f, 2, 300}}, {-6, 1, 0, 3, 90, {1, 1, 1, 1}},
    };
    for (const Row& row : rows) {
        const Potency neg = {-row.pot[0], -row.pot[1], -row.pot[2], -row.pot[3]};
        Out12 plus, minus;
        ASSERT_EQ(point(row.x, row.y, row.z, row.depth, row.dip, row.pot, plus), 0);
        ASSERT_EQ(point(row.x, row.y, row.z, row.depth, row.dip, neg, minus), 0);
        EXPECT_GT(largest(plus, 0, 12), 0.0);
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(minus[i], -plus[i]) << row.x << "," << row.y << "," << row.z << " " << i;
        }
    }
}

TEST(PointDislocation, NoPotencyGivesZeros) {
    for (float x : {-8.0f, 0.0f, 3.5f}) {
        for (float y : {-2.0f, 0.0f, 11.0f}) {
            for (float z : {0.0f, -1.0f, -4.0f}) {
                Out12 v;
                const int16_t iret = point(x, y, z, 4, 0, {0, 0, 0, 0}, v);
                EXPECT_EQ(iret, x == 0 && y == 0 && z == -4 ? 1 : 0) << x << "," << y << "," << z;
                for (float f : v) EXPECT_EQ(f, 0.0f);
            }
        }
    }
}

// At the free surface the tractions vanish; with lambda = mu this ties the
// z-derivatives to the horizontal ones.
TEST(PointDislocation, SurfaceIsFreeOfTraction) {
    for (float dip : {0.0f, 35.0f, 90.0f, 150.0f}) {
        for (const Potency& pot : kUnit) {
            for (auto [x, y] : {std::pair{3.0f, 2.0f}, {-2.0f, -6.0f}, {0.0f, 4.5f}}) {
                Out12 v;
                ASSERT_EQ(point(x, y, 0, 3, dip, pot, v), 0);
                const double tol = 2e-7 * largest(v, 3, 9);
                EXPECT_NEAR(v[9], -v[5], tol) << dip;                  // uxz = -uzx
                EXPECT_NEAR(v[10], -v[8], tol) << dip;                 // uyz = -uzy
                EXPECT_NEAR(v[11], -(v[3] + v[7]) / 3.0, tol) << dip;  // uzz
            }
        }
    }
}

// The derivatives agree with fourth-order central differences of the
// displacements (a step of 1/128 km keeps every offset point exact in float).
TEST(PointDislocation, DerivativesMatchDifferencesOfDisplacements) {
    struct Point {
        float x, y, z;
    };
    const Point points[] = {{3, 4, -1}, {-2, -5, -6}, {1, 0.5f, -3}, {0, 0, -0.5f}, {4, -6, -9}};
    const float h = 1.0f / 128;
    for (float dip : {0.0f, 70.0f, 90.0f, 130.0f}) {
        for (const Potency& pot : kUnit) {
            auto at = [&](float x, float y, float z) {
                Out12 v;
                EXPECT_EQ(point(x, y, z, 4, dip, pot, v), 0);
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
                            << "dip " << dip << " point " << p.x << "," << p.y << "," << p.z
                            << " axis " << axis << " comp " << comp;
                    }
                }
            }
        }
    }
}

// Exact float bit patterns of results of the term-by-term evaluation. Any
// rearrangement of the arithmetic for speed must reproduce them.
TEST(PointDislocation, ResultsArePinnedToExactBitPatterns) {
    struct Row {
        std::array<float, 9> args;
        int16_t iret;
        uint32_t bits[12];
    };
    const Row rows[] = {
        {{3, 4, -1, 8, 0, 0, 0, 0, 1000},
         0,
         {0x3E6F4E6C, 0x3E9F899D, 0x3F4AC1E7, 0x3D639D1A, 0xBCF3E5AA, 0xBDAC92EF, 0xBCF3E5AA,
          0x3D1C7A1E, 0xBDE6193E, 0x3CDE9E8A, 0x3D1469B1, 0xBCFD7E21}},
        {{-12.5, 7, 0, 8, 0, 0, 0, 0, 2500},
         0,
         {0xBF10181E, 0x3EA162B1, 0x3EB870CA, 0xBD08A924, 0x3D33D115, 0x3D4D813C, 0x3D33D115,
          0x3CA77C87, 0xBCE62A58, 0xBD4D813C, 0x3CE62A58, 0x3B8D1D03}},
        {{0, 0, -3, 8, 0, 0, 0, 0, -750},
         0,
         {0x00000000, 0x00000000, 0xBFA6E880, 0xBE288A54, 0x00000000, 0x00000000, 0x00000000,
          0xBE288A54, 0x00000000, 0x00000000, 0x00000000, 0x3E89EDD5}},
        {{3, 4, -1, 6, 70, 0.5, -0.3, 0.2, 1000},
         0,
         {0x3ECED8A8, 0x3F09FA16, 0x3F853AB3, 0x3DA01035, 0xBD9AA551, 0xBE25DCFF, 0xBD9A5A05,
          0x3D0C6AF0, 0xBE5CF170, 0x3D50D6B7, 0x3D8B0537, 0xBCF73E68}},
        {{-5, 2, -9, 6, 90, 1, 2, 3, 4},
         0,
         {0xBB68DBA1, 0x3B6EC7A3, 0xB88EA5BE, 0xBABD2627, 0x3ADBC48B, 0xBAA18F6D, 0xBAA854A5,
          0x3AC59399, 0xBA81CF84, 0xBA86990C, 0x3A4AC880, 0x39165A0F}},
        {{7, -1, 0, 3, 135, 10, 0, -5, 0},
         0,
         {0xBC509E6F, 0xBB0B97DD, 0xBC07947A, 0x3B83DC17, 0xB9B63684, 0x3B4B2594, 0xBC03AEB1,
          0xBAC0E0A7, 0xBB247457, 0xBB4B2594, 0x3B247457, 0xBA5F0A7A}},
    };
    for (const Row& row : rows) {
        const auto& a = row.args;
        DislocationResult r;
        EXPECT_EQ(calcpointsource(kAlpha, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], r),
                  row.iret);
        const Out12 v = values(r);
        for (int i = 0; i < 12; ++i) {
            uint32_t bits;
            std::memcpy(&bits, &v[i], sizeof bits);
            EXPECT_EQ(bits, row.bits[i]) << "row " << (&row - rows) << " output " << i;
        }
    }
}

}  // namespace
}  // namespace crustex
