// delta CFF on optimally oriented planes: the regional stress at depth, the
// planes of the total stress and the change resolved on them.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/gridfixture.h"
#include "stress/optimalplanes.h"

namespace crustex {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180;

RegionalStress triaxial(float azimuth, float s1, float s2, float s3, float gradient = 0) {
    RegionalStress r;
    r.given = true;
    r.axis = {{{azimuth, 0, s1, gradient}, {0, 90, s2, 0}, {azimuth + 90, 0, s3, 0}}};
    return r;
}

// One node whose grids hold the given strains at depth 5 km.
ResultGrids onenode(double exx, double eyy, double ezz, double exy) {
    ResultGrids g;
    for (int n = 1; n <= ResultGrids::kCount; ++n) g.byNumber(n)->resize(0, 0);
    g.nodez(0, 0) = -5;
    g.duxdx(0, 0) = static_cast<float>(exx);
    g.duydy(0, 0) = static_cast<float>(eyy);
    g.duzdz(0, 0) = static_cast<float>(ezz);
    g.exy(0, 0) = static_cast<float>(exy);
    g.vol(0, 0) = static_cast<float>(exx + eyy + ezz);
    return g;
}

OptimalSetup setup(const RegionalStress& r, float friction,
                   StressUnit unit = StressUnit::Rigidity) {
    WorkState ws = test::defaultwork();
    ws.regionalstress = r;
    ws.friction = friction;
    ws.stressunit = unit;
    return optimalsetup(ws, {});
}

TEST(OptimalPlanes, RegionalStressAtDepthTurnedToTheMapsNorth) {
    const RegionalStress r = triaxial(0, 100, 50, 10, 10);
    // S1 along Y grows to 150 bar at 5 km; compression comes back negative.
    const SymTensor t = regionalstressat(r, 5, 0);
    EXPECT_NEAR(t.yy, -150, 1e-9);
    EXPECT_NEAR(t.zz, -50, 1e-9);
    EXPECT_NEAR(t.xx, -10, 1e-9);
    // North a quarter turn clockwise from Y: S1 lies along X.
    const SymTensor turned = regionalstressat(r, 5, 90 * kRad);
    EXPECT_NEAR(turned.xx, -150, 1e-9);
    EXPECT_NEAR(turned.yy, -10, 1e-9);
    EXPECT_NEAR(turned.xy, 0, 1e-9);
}

TEST(OptimalPlanes, UniaxialStressWithoutChangeGivesThePlaneAtPsiFromSigma1) {
    RegionalStress r;
    r.given = true;
    r.axis = {{{30, 20, 100, 0}, {120, 0, 0, 0}, {210, 70, 0, 0}}};
    ASSERT_EQ(regionalstressproblem(r), "");
    for (const float friction : {0.0f, 0.4f, 0.75f}) {
        const OptimalPoint p = optimalatnode(setup(r, friction), onenode(0, 0, 0, 0), 0, 0, 0, 0);
        ASSERT_TRUE(p.has);
        EXPECT_EQ(p.value, 0);
        // The normal at 90 - psi from sigma1: the plane at psi from it.
        const double psi = std::atan(1 / static_cast<double>(friction)) / 2;
        const Vec3 s1 = axisdirection(r.axis[0], 0);
        EXPECT_NEAR(std::fabs(dot(p.plane.normal, s1)), std::sin(psi), 1e-12) << friction;
        EXPECT_NEAR(dot(p.plane.normal, p.plane.slip), 0, 1e-12);
    }
    // An even expansion e unclamps every plane by friction x (3 lambda +
    // 2 mu) e / mu = friction x 5e, shown in 10^-6, bar or MPa.
    const struct {
        StressUnit unit;
        double factor;
    } units[] = {{StressUnit::Rigidity, 1}, {StressUnit::Bar, 0.32}, {StressUnit::MPa, 0.032}};
    for (const auto& u : units) {
        const OptimalPoint p =
            optimalatnode(setup(r, 0.6f, u.unit), onenode(2, 2, 2, 0), 0, 0, 0, 0);
        EXPECT_NEAR(p.value, 0.6 * 10 * u.factor, 1e-5 * u.factor);
    }
}

TEST(OptimalPlanes, SmallChangeResolvedOnTheConjugatePlanesByHand) {
    // sigma1 30 degrees east of north, sigma2 vertical: vertical planes
    // striking 30 +- psi. The change: a small extension e along sigma3,
    // stress / mu = e (lambda = mu) + 2e along sigma3.
    const float azimuth = 30, friction = 0.6f;
    const double e = 0.5;
    const double a3 = (azimuth + 90) * kRad;
    const double ux = std::sin(a3), uy = std::cos(a3);
    const OptimalPoint p =
        optimalatnode(setup(triaxial(azimuth, 100, 50, 10), friction),
                      onenode(e * ux * ux, e * uy * uy, 0, e * ux * uy), 0, 0, 0, 0);
    ASSERT_TRUE(p.has);
    const double psi = std::atan(1 / static_cast<double>(friction)) / 2;
    const double d11 = e, d33 = 3 * e;
    const double want =
        std::sin(2 * psi) / 2 * (d33 - d11) +
        friction * (std::sin(psi) * std::sin(psi) * d11 + std::cos(psi) * std::cos(psi) * d33);
    EXPECT_NEAR(p.value, want, 1e-5);
    const PlaneAttitude a = planeattitude(p.plane.normal);
    EXPECT_NEAR(a.dip, 90, 1e-3);
    const double strike = std::fmod(a.strike, 180.0);
    const double psideg = psi / kRad;
    EXPECT_TRUE(std::fabs(strike - (azimuth + psideg)) < 1e-3 ||
                std::fabs(strike - (azimuth - psideg)) < 1e-3)
        << strike;
}

TEST(OptimalPlanes, TheLargerPlaneWinsAndATieStaysWithTheFirst) {
    const struct {
        double first, second;
        int want;
    } cases[] = {{1, 2, 1}, {2, 1, 0}, {-3, -1, 1}, {1, 1 + 1e-13, 0}, {0, 0, 0}};
    for (const auto& c : cases) {
        std::array<OptimalPlane, 2> planes;
        planes[0].value = c.first;
        planes[1].value = c.second;
        EXPECT_EQ(largerplane(planes), c.want) << c.first << " " << c.second;
    }
}

TEST(OptimalPlanes, UnusableRegionalStressIsRefusedWithItsReason) {
    RegionalStress skew = triaxial(0, 100, 50, 10);
    skew.axis[2].azimuth = 80;
    RegionalStress steep = triaxial(0, 100, 50, 10);
    steep.axis[1].plunge = 95;
    const std::pair<RegionalStress, const char*> cases[] = {
        {RegionalStress{}, "no regional stress is given"},
        {skew, "regional stress: S1 and S3 are 80 degrees apart, not perpendicular"},
        {steep, "regional stress S2: plunge 95 is beyond 90 degrees"},
    };
    for (const auto& [r, why] : cases) {
        EXPECT_EQ(regionalstressproblem(r), why);
        const OptimalPoint p = optimalatnode(setup(r, 0.4f), onenode(1, 0, 0, 0), 0, 0, 0, 0);
        EXPECT_FALSE(p.has);
    }
}

}  // namespace
}  // namespace crustex
