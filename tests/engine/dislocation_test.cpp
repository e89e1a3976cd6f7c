// Both half-space solutions: the published check list, singular points, the
// laws the fields obey, and results pinned to their exact bits.
#include "engine/dislocation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/rectsource.h"

namespace crustex {
namespace {

using Out12 = std::array<float, 12>;

enum Kind { kRect, kPoint };

// One evaluation. s holds al1 al2 aw1 aw2 d1 d2 d3 for a rectangle and the
// four potencies for a point source.
struct Args {
    float x, y, z, depth, dip;
    std::array<float, 7> s;
};

int16_t solve(Kind kind, const Args& a, Out12& v, int lanes = 4) {
    DislocationResult r;
    const auto& s = a.s;
    const int16_t iret =
        kind == kPoint
            ? calcpointsource(kAlpha, a.x, a.y, a.z, a.depth, a.dip, s[0], s[1], s[2], s[3], r)
            : calcrectsourcelanes(lanes, kAlpha, a.x, a.y, a.z, a.depth, a.dip, s[0], s[1], s[2],
                                  s[3], s[4], s[5], s[6], r);
    v = {r.ux, r.uy, r.uz, r.uxx, r.uyx, r.uzx, r.uxy, r.uyy, r.uzy, r.uxz, r.uyz, r.uzz};
    return iret;
}

Out12 solved(Kind kind, Args a, float x, float y, float z) {
    a.x = x;
    a.y = y;
    a.z = z;
    Out12 v;
    EXPECT_EQ(solve(kind, a, v), 0) << x << "," << y << "," << z;
    return v;
}

// The program's rectangle: top edge at `depth`, length l along strike, width
// w down-dip.
Args fault(float x, float y, float z, float depth, float dip, float l, float w, float d1, float d2,
           float d3) {
    return {x, y, z, depth, dip, {0, l, w, 0, d1, d2, d3}};
}

double largest(const Out12& v, int first, int count) {
    double m = 0;
    for (int i = first; i < first + count; ++i) m = std::max(m, double(std::fabs(v[i])));
    return m;
}

// rel times the largest displacement (i < 3) or the largest derivative.
double scale(const Out12& v, int i, double rel) {
    return rel * (i < 3 ? largest(v, 0, 3) : largest(v, 3, 9));
}

// Okada (1985), Table 2, surface points; published columns UX UY UZ UXX UXY
// UYX UYY UZX UZY, given to four digits (0: below 5e-7).
struct Table2Row {
    Kind kind;
    Args args;
    double published[9];
};

const Table2Row kTable2[] = {
    // Point source at depth 4, dip 70: strike-slip, dip-slip, tensile.
    {kPoint,
     {2, 3, 0, 4, 70, {1, 0, 0, 0}},
     {-9.447e-04, -1.023e-03, -7.420e-04, -2.286e-04, -1.425e-04, -2.051e-04, -3.007e-04,
      -6.259e-05, -1.693e-04}},
    {kPoint,
     {2, 3, 0, 4, 70, {0, 1, 0, 0}},
     {-1.172e-03, -2.082e-03, -2.532e-03, -1.526e-04, -3.544e-04, 6.983e-04, -1.154e-03, 8.707e-04,
      -6.345e-04}},
    {kPoint,
     {2, 3, 0, 4, 70, {0, 0, 1, 0}},
     {-3.572e-04, 3.531e-04, -2.007e-04, -1.360e-04, 5.073e-04, -6.773e-05, 6.811e-04, 7.541e-05,
      8.104e-04}},
    // Rectangle 3 x 2 at depth 4: dip 70, vertical, overturned.
    {kRect,
     {2, 3, 0, 4, 70, {0, 3, 0, 2, 1, 0, 0}},
     {-8.689e-03, -4.298e-03, -2.747e-03, -1.220e-03, 2.470e-04, -8.191e-03, -5.814e-04, -5.175e-03,
      2.945e-04}},
    {kRect,
     {2, 3, 0, 4, 70, {0, 3, 0, 2, 0, 1, 0}},
     {-4.682e-03, -3.527e-02, -3.564e-02, -8.867e-03, -1.519e-04, 4.057e-03, -1.035e-02, 4.088e-03,
      2.626e-03}},
    {kRect,
     {2, 3, 0, 4, 70, {0, 3, 0, 2, 0, 0, 1}},
     {-2.660e-04, 1.056e-02, 3.214e-03, -5.655e-04, 1.993e-03, -1.066e-03, 1.230e-02, -3.730e-04,
      1.040e-02}},
    {kRect,
     {0, 0, 0, 4, 90, {0, 3, 0, 2, 1, 0, 0}},
     {0, 5.253e-03, 0, 0, -1.864e-02, -2.325e-03, 0, 0, 2.289e-02}},
    {kRect, {0, 0, 0, 4, 90, {0, 3, 0, 2, 0, 1, 0}}, {0, 0, 0, 0, 2.748e-02, 0, 0, 0, -7.166e-02}},
    {kRect,
     {0, 0, 0, 4, 90, {0, 3, 0, 2, 0, 0, 1}},
     {1.223e-02, 0, -1.606e-02, -4.182e-03, 0, 0, -2.325e-03, -9.146e-03, 0}},
    {kRect,
     {0, 0, 0, 4, -90, {0, 3, 0, 2, 1, 0, 0}},
     {0, -1.303e-03, 0, 0, 2.726e-03, 7.345e-04, 0, 0, -4.422e-03}},
    {kRect, {0, 0, 0, 4, -90, {0, 3, 0, 2, 0, 1, 0}}, {0, 0, 0, 0, 5.157e-03, 0, 0, 0, -1.901e-02}},
    {kRect,
     {0, 0, 0, 4, -90, {0, 3, 0, 2, 0, 0, 1}},
     {3.507e-03, 0, -7.740e-03, -1.770e-03, 0, 0, -7.345e-04, -1.843e-03, 0}},
};

TEST(Dislocation, ReproducesThePublishedSurfaceCheckList) {
    const int column[9] = {0, 1, 2, 3, 6, 4, 7, 5, 8};  // published column -> output
    for (const Table2Row& row : kTable2) {
        const int n = int(&row - kTable2);
        Out12 v;
        ASSERT_EQ(solve(row.kind, row.args, v), 0) << n;
        for (int c = 0; c < 9; ++c) {
            const double want = row.published[c], got = v[column[c]];
            if (want == 0) {
                EXPECT_LT(std::fabs(got), 5e-7) << "row " << n << " column " << c;
            } else {
                const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(want))) - 3);
                EXPECT_NEAR(got, want, 0.5001 * unit) << "row " << n << " column " << c;
            }
        }
    }
}

// A singular point, and any point of a source without dislocation, gets zeros.
TEST(Dislocation, SingularOnEdgesAndAtThePointSourceOnlyAndNoDislocationGivesZeros) {
    struct Row {
        const char* name;
        Kind kind;
        Args args;
        int16_t iret;
    };
    const float justPast3 = std::nextafter(3.0f, 4.0f);
    const float justAbove1 = std::nextafter(std::nextafter(-1.0f, 0.0f), 0.0f);
    const std::array<float, 7> pot = {1, 2, 3, 4};
    const Row rows[] = {
        {"trace, middle", kRect, fault(4, 0, 0, 0, 60, 8, 5, 1, 1, 1), 1},
        {"trace, end", kRect, fault(8, 0, 0, 0, 60, 8, 5, 1, 1, 1), 1},
        {"trace, start, dip-slip only", kRect, fault(0, 0, 0, 0, 30, 8, 5, 0, 1, 0), 1},
        {"vertical, bottom edge", kRect, fault(5, 0, -6, 1, 90, 8, 5, 1, 0, 0), 1},
        {"vertical, top edge", kRect, fault(5, 0, -1, 1, 90, 8, 5, 0, 0, 1), 1},
        {"vertical, side edge", kRect, fault(8, 0, -3, 1, 90, 8, 5, 1, 1, 1), 1},
        {"dip 180, far edge", kRect, fault(2, 5, -2, 2, 180, 8, 5, 1, 1, 0), 1},
        {"flat, side edge", kRect, fault(0, -1, -2, 2, 0, 8, 5, 1, 1, 0), 1},
        // A corner closer than the clean-up distance, outside both edge ranges.
        {"beyond a corner", kRect, {justPast3, 0, justAbove1, 2, 90, {0, 3, 0, 1, 1, 1, 1}}, 1},
        {"image corner above the surface", kRect, {0, 0, 2, 2, 90, {0, 3, 0, 1, 1, 1, 1}}, 1},
        {"beyond the trace", kRect, fault(-1, 0, 0, 0, 60, 8, 5, 1, 1, 1), 0},
        {"beside the trace", kRect, fault(4, 0.01f, 0, 0, 60, 8, 5, 1, 1, 1), 0},
        {"above the surface", kRect, fault(4, 3, 0.5f, 3, 60, 8, 5, 1, 1, 1), 0},
        {"below the bottom edge", kRect, fault(5, 0, -6.5f, 1, 90, 8, 5, 1, 0, 0), 0},
        {"at the source", kPoint, {0, 0, -6, 6, 70, pot}, 1},
        {"within the clean-up distance", kPoint, {5e-7f, -5e-7f, -6, 6, 70, pot}, 1},
        {"source on the surface", kPoint, {0, 0, 0, 0, 70, pot}, 1},
        {"image of the source", kPoint, {0, 0, 6, 6, 70, pot}, 1},
        {"just below the source", kPoint, {0, 0, -6.001f, 6, 70, pot}, 0},
        {"beside the source", kPoint, {0.001f, 0, -6, 6, 70, pot}, 0},
        {"above the source", kPoint, {0, 0, 0, 6, 70, pot}, 0},
        {"no dislocation", kRect, fault(3, 2, 0, 1, 70, 8, 5, 0, 0, 0), 0},
        {"no dislocation, vertical", kRect, fault(-4, 7, -9, 3, 90, 8, 5, 0, 0, 0), 0},
        {"no dislocation, beside a trace", kRect, fault(4, 0.01f, 0, 0, 120, 8, 5, 0, 0, 0), 0},
        {"no dislocation, dip 180", kRect, fault(1, 1, -2, 2, 180, 8, 5, 0, 0, 0), 0},
        {"no potency, surface", kPoint, {-8, 11, 0, 4, 0, {}}, 0},
        {"no potency, above the source", kPoint, {0, 0, -1, 4, 0, {}}, 0},
        {"no potency, at its depth", kPoint, {3.5f, -2, -4, 4, 90, {}}, 0},
    };
    for (const Row& row : rows) {
        Out12 v;
        EXPECT_EQ(solve(row.kind, row.args, v), row.iret) << row.name;
        for (float f : v) EXPECT_TRUE(std::isfinite(f)) << row.name;
        const auto& d = row.args.s;
        const bool none = row.kind == kRect ? d[4] == 0 && d[5] == 0 && d[6] == 0
                                            : d[0] == 0 && d[1] == 0 && d[2] == 0 && d[3] == 0;
        EXPECT_EQ(largest(v, 0, 12) > 0, row.iret == 0 && !none) << row.name;
    }
}

// Unit sources: each dislocation of a 10 x 6 km rectangle with its top edge at
// depth 2, or each potency of a point source at depth 4, over several dips.
std::vector<Args> unitsources(Kind kind) {
    const std::vector<float> dips = kind == kRect ? std::vector<float>{20, 70, 90, 120, 180}
                                                  : std::vector<float>{0, 35, 90, 130};
    std::vector<Args> out;
    for (float dip : dips) {
        for (int t = 0; t < (kind == kRect ? 3 : 4); ++t) {
            Args a =
                kind == kRect ? fault(0, 0, 0, 2, dip, 10, 6, 0, 0, 0) : Args{0, 0, 0, 4, dip, {}};
            a.s[std::size_t(kind == kRect ? 4 + t : t)] = 1;
            out.push_back(a);
        }
    }
    return out;
}

// At the free surface the tractions vanish; with lambda = mu this ties the
// z-derivatives to the horizontal ones.
TEST(Dislocation, SurfaceIsFreeOfTraction) {
    for (Kind kind : {kRect, kPoint}) {
        const double rel = kind == kRect ? 2e-6 : 2e-7;
        for (const Args& a : unitsources(kind)) {
            for (auto [x, y] :
                 {std::pair{3.0f, 2.0f}, {-2.0f, -6.0f}, {0.0f, 4.5f}, {11.0f, 4.5f}}) {
                const Out12 v = solved(kind, a, x, y, 0);
                const double tol = scale(v, 3, rel);
                const std::string at = std::to_string(kind) + " dip " + std::to_string(a.dip);
                EXPECT_NEAR(v[9], -v[5], tol) << at;                  // uxz = -uzx
                EXPECT_NEAR(v[10], -v[8], tol) << at;                 // uyz = -uzy
                EXPECT_NEAR(v[11], -(v[3] + v[7]) / 3.0, tol) << at;  // uzz
            }
        }
    }
}

// The derivatives agree with fourth-order central differences of the
// displacements (a step of 1/128 km keeps every offset point exact in float).
TEST(Dislocation, DerivativesMatchDifferencesOfDisplacements) {
    const float h = 1.0f / 128;
    for (Kind kind : {kRect, kPoint}) {
        using P3 = std::array<float, 3>;
        const std::vector<P3> points =
            kind == kRect ? std::vector<P3>{{3, 4, -1}, {-2, -5, -6}, {12, 1, -3}, {5, -3, -0.5f}}
                          : std::vector<P3>{{3, 4, -1}, {-2, -5, -6}, {1, 0.5f, -3}, {0, 0, -0.5f}};
        for (const Args& a : unitsources(kind)) {
            for (const auto& p : points) {
                const Out12 v = solved(kind, a, p[0], p[1], p[2]);
                const double tol = scale(v, 3, 1e-5) + scale(v, 0, 1e-5);
                for (int axis = 0; axis < 3; ++axis) {
                    Out12 u[4];
                    const int steps[4] = {-2, -1, 1, 2};
                    for (int k = 0; k < 4; ++k) {
                        std::array<float, 3> c = p;
                        c[std::size_t(axis)] += steps[k] * h;
                        u[k] = solved(kind, a, c[0], c[1], c[2]);
                    }
                    for (int comp = 0; comp < 3; ++comp) {
                        const double fd = (double(u[0][comp]) - 8.0 * u[1][comp] +
                                           8.0 * u[2][comp] - u[3][comp]) /
                                          (12.0 * h);
                        EXPECT_NEAR(v[3 + 3 * axis + comp], fd, tol)
                            << "kind " << kind << " dip " << a.dip << " point " << p[0] << ","
                            << p[1] << "," << p[2] << " axis " << axis << " comp " << comp;
                    }
                }
            }
        }
    }
}

TEST(Dislocation, ANearlyVerticalDipGivesExactlyTheVerticalResult) {
    const Args points[] = {
        fault(3, 2, 0, 1, 90, 8, 5, 1, 1, 1),
        fault(-2, -4, -3, 1, 90, 8, 5, 1, -2, 0.5f),
        fault(4, 0.5f, -7, 2, 90, 8, 5, 0, 1, 1),
    };
    for (const Args& base : points) {
        Out12 vertical, v;
        ASSERT_EQ(solve(kRect, base, vertical), 0);
        for (float dip : {90.00004f, 89.99996f, 90.001f}) {
            Args a = base;
            a.dip = dip;
            ASSERT_EQ(solve(kRect, a, v), 0);
            if (dip == 90.001f) {  // outside the clean-up: the non-vertical expressions
                EXPECT_NE(v, vertical);
                for (int i = 0; i < 12; ++i)
                    EXPECT_NEAR(v[i], vertical[i], scale(vertical, i, 1e-3));
            } else {
                EXPECT_EQ(v, vertical) << dip;
            }
        }
    }
}

// Close to the extension of an edge line beyond the fault (R + xi or R + eta
// cancelling) the field stays close to its value on the line.
TEST(Dislocation, FieldIsContinuousNearTheExtensionOfAnEdge) {
    struct Row {
        const char* name;
        Args online;  // a point on the extension
        int axis;     // direction of the offsets: 0 x, 1 y
    };
    const Row rows[] = {
        {"beyond the start of a trace", fault(-3, 0, 0, 0, 60, 8, 5, 1e3f, 1e3f, 0), 1},
        {"far beyond the start of a trace", fault(-30, 0, 0, 0, 60, 8, 5, 1e3f, -1e3f, 5e2f), 1},
        {"below a vertical fault, under its side edge", fault(0, 0, -11, 1, 90, 8, 5, 1, 1, 1), 0},
        {"deep below a vertical fault", fault(8, 0, -101, 1, 90, 8, 5, 1, 1, 1), 0},
    };
    for (const Row& row : rows) {
        Out12 base, v;
        ASSERT_EQ(solve(kRect, row.online, base), 0) << row.name;
        for (float offset : {2e-6f, 5e-6f, 2e-5f, 1e-4f}) {
            Args a = row.online;
            (row.axis == 0 ? a.x : a.y) += offset;
            ASSERT_EQ(solve(kRect, a, v), 0) << row.name;
            for (int i = 0; i < 12; ++i) {
                EXPECT_NEAR(v[i], base[i], scale(base, i, 1e-3)) << row.name << " " << offset;
            }
        }
    }
}

// Across the fault plane the displacement jumps by the dislocation: the
// hanging wall moves by (strike, up-dip, opening) relative to the foot wall.
TEST(Dislocation, DisplacementJumpsByTheDislocationAcrossTheFault) {
    const float d1 = 1.5f, d2 = -0.7f, d3 = 0.4f;
    for (float dip : {25.0f, 60.0f, 90.0f, 110.0f}) {
        const double rad = dip * 3.14159265358979 / 180, sd = std::sin(rad), cd = std::cos(rad);
        for (double down : {1.0, 3.0, 5.0}) {  // distance down-dip from the top edge
            const double y = -down * cd, z = -2 - down * sd, e = 1e-3;
            // The foot wall lies on the side of (0, sin, -cos).
            const Args a = fault(0, 0, 0, 2, dip, 8, 6, d1, d2, d3);
            const Out12 hanging = solved(kRect, a, 4, float(y - e * sd), float(z + e * cd));
            const Out12 foot = solved(kRect, a, 4, float(y + e * sd), float(z - e * cd));
            const double jump[3] = {d1, d2 * cd - d3 * sd, d2 * sd + d3 * cd};
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(hanging[i] - foot[i], jump[i], 5e-3) << dip << " " << down << " " << i;
            }
        }
    }
}

// An inflation potency P is a volume change P/3 when lambda = mu; at the
// surface the field is Mogi's: u = P/(4 pi) (x, y, d) / R^3.
TEST(Dislocation, PointInflationAtTheSurfaceIsTheMogiField) {
    const std::array<float, 4> rows[] = {
        {2, 3, 4, 1000}, {-7, 1, 5, 250}, {0, -12, 10, -4000}, {0.5f, 0, 1, 1}};
    for (const auto& [px, py, pd, pot] : rows) {
        const Out12 v = solved(kPoint, {0, 0, 0, pd, 0, {0, 0, 0, pot}}, px, py, 0);
        const double x = px, y = py, d = pd, c = pot / (4 * 3.14159265358979);
        const double r2 = x * x + y * y + d * d, r3 = r2 * std::sqrt(r2), r5 = r3 * r2;
        const double uxx = c * (1 / r3 - 3 * x * x / r5), uyy = c * (1 / r3 - 3 * y * y / r5);
        const double uxy = -3 * c * x * y / r5, uzx = -3 * c * d * x / r5,
                     uzy = -3 * c * d * y / r5;
        const double want[12] = {c * x / r3, c * y / r3, c * d / r3, uxx,  uxy,  uzx,
                                 uxy,        uyy,        uzy,        -uzx, -uzy, -(uxx + uyy) / 3};
        for (int i = 0; i < 12; ++i) EXPECT_NEAR(v[i], want[i], scale(v, i, 1e-6)) << x << " " << i;
    }
}

// Deflation is inflation with the sign turned: exactly, in every component.
TEST(Dislocation, OppositePotencyGivesExactlyTheOppositeSign) {
    const Args rows[] = {
        {3, 4, 0, 5, 0, {0, 0, 0, 1234.5f}},      {-2, 7, -3, 5, 0, {0, 0, 0, 20}},
        {0, 0, -2, 5, 0, {0, 0, 0, 0.001f}},      {0.25f, -9, -12, 5, 0, {0, 0, 0, 7e5f}},
        {3, 4, -1, 2, 70, {0.5f, -1.5f, 2, 300}}, {-6, 1, 0, 3, 90, {1, 1, 1, 1}},
    };
    for (const Args& a : rows) {
        Args neg = a;
        for (float& s : neg.s) s = -s;
        Out12 plus, minus;
        ASSERT_EQ(solve(kPoint, a, plus), 0);
        ASSERT_EQ(solve(kPoint, neg, minus), 0);
        EXPECT_GT(largest(plus, 0, 12), 0.0);
        for (int i = 0; i < 12; ++i) EXPECT_EQ(minus[i], -plus[i]) << a.x << "," << a.y << " " << i;
    }
}

// Exact float bit patterns of results of the term-by-term evaluation. Any
// rearrangement of the arithmetic for speed must reproduce them, with two or
// four rectangle corners per vector.
TEST(Dislocation, ResultsArePinnedToExactBitPatterns) {
    struct Row {
        Kind kind;
        Args args;
        uint32_t bits[12];
    };
    const Row rows[] = {
        {kRect,
         {3, 4, -1, 2, 60, {0, 30, 15, 0, 1200, -800, 300}},
         {0xC2E42338, 0x4361D2F6, 0x42B41E1A, 0xC0612076, 0x4037F4DF, 0x4090DDA2, 0xC13E141D,
          0x40E2F451, 0x3FDECC52, 0x40FA8CF5, 0xC20BBBB9, 0x3F9264AF}},
        {kRect,
         {-7.5, -3.25, -9, 2, 60, {0, 30, 15, 0, 1200, -800, 300}},
         {0x41B7DA36, 0x426FA06E, 0xC189261D, 0xBF847C2D, 0x40D5F9D2, 0xC09CF996, 0xC1A6C2B4,
          0x408D98EF, 0x40056765, 0x414AFC92, 0x3EBDB18E, 0xC01185B5}},
        {kRect,
         {12, 6, 0, 2, 35, {0, 30, 15, 0, 1200, -800, 300}},
         {0xC2757BD0, 0x42A9EE2F, 0x40566474, 0xBF9AB5BC, 0xBFDDF350, 0x3FCCE4AF, 0xC034C654,
          0x414DE6BC, 0x406424F7, 0xBFCCE4AF, 0xC06424F7, 0xC078C008}},
        {kRect,
         {15, -2, -4, 1, 90, {0, 30, 15, 0, 500, 700, -250}},
         {0x43434785, 0xC1478393, 0x4370CCC5, 0x3FC2A8C6, 0xC0219076, 0x3E76D936, 0x41BAA947,
          0x40A9D1B0, 0x42103DA7, 0xC0CB3F07, 0xC1BD66C5, 0xC08E4901}},
        {kRect,
         {5, 1, -3, 1, 120, {0, 30, 15, 0, -300, 400, 900}},
         {0xC2A0570D, 0xC3DEDC8C, 0xBEA8AD35, 0xC1062774, 0x4097097D, 0x407541A9, 0xC1AFAF88,
          0xC1F8BE2D, 0x4265EBB1, 0xC16D1019, 0xC17D429B, 0xC0D408F6}},
        {kRect,
         {2, 3, -0.5, 4, 70, {0, 3, 0, 2, 1, 1, 1}},
         {0xBC71F27B, 0xBCDCC17E, 0xBD1225C3, 0xBC00A2F1, 0xBBDC60B7, 0xBAD931C9, 0x3B1A6BAB,
          0x3C1A3AA6, 0x3C7BD804, 0x3B556DB8, 0x3AF1DCF0, 0xBAC01759}},
        {kRect,
         {4, -6, -7, 3, 180, {0, 10, 6, 0, 100, 200, 300}},
         {0xBE93638F, 0xBFD7C9FB, 0xC01188C1, 0x3DE56C4A, 0xBE97D130, 0xBEBD5609, 0x3CBDA0E2,
          0xBF9656F1, 0xBF5E9436, 0x3C42C32F, 0x3FC7D441, 0x3F7B17BA}},
        {kRect,
         {-3, 2, -2, 3, -90, {1, 5, 2, 2, 10, -20, 5}},
         {0x3ED7EF64, 0x3D45081A, 0x3F23F47E, 0x3DE6ACA5, 0x3E0501DF, 0x3EC5DBA8, 0xBDF0738D,
          0x3D835623, 0x3D775AF5, 0xBE9339B8, 0x3E38E303, 0xBD05ADA4}},
        {kRect,
         {8, 0.001, -2.5, 0, 45, {0, 20, 10, 0, 1000, 1000, 0}},
         {0xC37181DE, 0xC3901973, 0xC2D095E5, 0x3E0575FC, 0xC0E608C2, 0x4012B18F, 0x4229B045,
          0x41BD213D, 0x41E7BB8C, 0xC18CA754, 0xC225DC26, 0xC1079C0B}},
        {kRect,
         {-1, 0, 0, 0, 60, {0, 8, 5, 0, 1, 1, 1}},
         {0x3CF2A875, 0x3D89CF9D, 0xBC87532E, 0x3C6810EC, 0x3CF46C96, 0xBC7DE2A9, 0xBDC8C636,
          0xBC0F306C, 0xBD2D3BD6, 0x3C7DE2A9, 0x3D2D3BD6, 0xBAED0159}},
        {kRect,
         {33, 21, -12, 5, 89.9, {0, 40, 20, 0, 2000, 0, 0}},
         {0xC3110D4F, 0xC2CAB54B, 0xC13D2255, 0x3F9AFE73, 0xC0CC35DF, 0xBF2DEBF4, 0x410B1FDD,
          0x408BDD51, 0x3FACE9A4, 0xBF3074B9, 0xBEE19AD6, 0xC02C1617}},
        {kRect,
         {10, -10, -1, 2, 60, {0, 30, 15, 0, 0, 0, 500}},
         {0xC165BEA6, 0xC34A6F9D, 0x433707B6, 0x405C5209, 0xC035347E, 0x401B40F4, 0x3FC2C78F,
          0xBFC057EE, 0x4151A84D, 0xC022E325, 0xC0F997BB, 0xBF08B026}},
        {kPoint,
         {3, 4, -1, 8, 0, {0, 0, 0, 1000}},
         {0x3E6F4E6C, 0x3E9F899D, 0x3F4AC1E7, 0x3D639D1A, 0xBCF3E5AA, 0xBDAC92EF, 0xBCF3E5AA,
          0x3D1C7A1E, 0xBDE6193E, 0x3CDE9E8A, 0x3D1469B1, 0xBCFD7E21}},
        {kPoint,
         {-12.5, 7, 0, 8, 0, {0, 0, 0, 2500}},
         {0xBF10181E, 0x3EA162B1, 0x3EB870CA, 0xBD08A924, 0x3D33D115, 0x3D4D813C, 0x3D33D115,
          0x3CA77C87, 0xBCE62A58, 0xBD4D813C, 0x3CE62A58, 0x3B8D1D03}},
        {kPoint,
         {0, 0, -3, 8, 0, {0, 0, 0, -750}},
         {0x00000000, 0x00000000, 0xBFA6E880, 0xBE288A54, 0x00000000, 0x00000000, 0x00000000,
          0xBE288A54, 0x00000000, 0x00000000, 0x00000000, 0x3E89EDD5}},
        {kPoint,
         {3, 4, -1, 6, 70, {0.5, -0.3, 0.2, 1000}},
         {0x3ECED8A8, 0x3F09FA16, 0x3F853AB3, 0x3DA01035, 0xBD9AA551, 0xBE25DCFF, 0xBD9A5A05,
          0x3D0C6AF0, 0xBE5CF170, 0x3D50D6B7, 0x3D8B0537, 0xBCF73E68}},
        {kPoint,
         {-5, 2, -9, 6, 90, {1, 2, 3, 4}},
         {0xBB68DBA1, 0x3B6EC7A3, 0xB88EA5BE, 0xBABD2627, 0x3ADBC48B, 0xBAA18F6D, 0xBAA854A5,
          0x3AC59399, 0xBA81CF84, 0xBA86990C, 0x3A4AC880, 0x39165A0F}},
        {kPoint,
         {7, -1, 0, 3, 135, {10, 0, -5, 0}},
         {0xBC509E6F, 0xBB0B97DD, 0xBC07947A, 0x3B83DC17, 0xB9B63684, 0x3B4B2594, 0xBC03AEB1,
          0xBAC0E0A7, 0xBB247457, 0xBB4B2594, 0x3B247457, 0xBA5F0A7A}},
    };
    for (int lanes : {2, 4}) {
        for (const Row& row : rows) {
            Out12 v;
            EXPECT_EQ(solve(row.kind, row.args, v, lanes), 0);
            uint32_t bits[12];
            std::memcpy(bits, v.data(), sizeof bits);
            for (int i = 0; i < 12; ++i) {
                EXPECT_EQ(bits[i], row.bits[i])
                    << lanes << " lanes, row " << (&row - rows) << " output " << i;
            }
        }
    }
}

// Two and four corners per vector give the same bits everywhere, also on
// edges, on the surface, above it and for near-vertical dips.
TEST(Dislocation, BothVectorWidthsGiveTheSameBits) {
    uint32_t state = 12345;
    auto next = [&state](float lo, float hi) {
        state = state * 1664525u + 1013904223u;
        return lo + (hi - lo) * float(state >> 8) / float(1u << 24);
    };
    const float dips[] = {0, 30, 89.99f, 90, 90.00004f, 135, 180, -90};
    for (int n = 0; n < 20000; ++n) {
        Args a =
            fault(next(-30, 50), next(-30, 30), next(-15, 1), next(0, 8), dips[n % 8], next(1, 30),
                  next(1, 15), next(-1e3f, 1e3f), next(-1e3f, 1e3f), next(-1e3f, 1e3f));
        if (n % 5 == 0) {  // whole numbers hit edges, corners and the surface
            for (float* f : {&a.x, &a.y, &a.z, &a.depth, &a.s[1], &a.s[2]}) *f = std::round(*f);
        }
        if (n % 7 == 0) a.s[6] = 0;
        Out12 v2, v4;
        ASSERT_EQ(solve(kRect, a, v2, 2), solve(kRect, a, v4, 4)) << n;
        ASSERT_EQ(std::memcmp(v2.data(), v4.data(), sizeof v2), 0) << n;
    }
}

}  // namespace
}  // namespace crustex
