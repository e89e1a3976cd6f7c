// The picture of a vertical section: the quantity, the traces of the
// sources and the earthquakes at their places on the section.
#include "compose/sectionpicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "compose/optimalticks.h"
#include "engine/gridfixture.h"
#include "plot/contourtrace.h"
#include "plot/plottestutil.h"
#include "stress/optimalplanes.h"

namespace crustex {
namespace {

TEST(SectionPicture, TracesEventsAndTheQuantityAtTheirPlaces) {
    test::Canvas c;
    WorkState ws = test::defaultwork();
    ws.quantitykey = "uz";
    // Southwards along X = 95 across the default fault, which dips 45
    // degrees to the south from Y = 100.
    const SectionSpec spec{95, 120, 95, 75, 0, 20, 1, 1};
    Section s;
    ASSERT_TRUE(evaluatesection(ws, spec, {}, s));
    SectionPictureInputs in;
    in.section = &s;
    in.traces = sectiontraces(ws, spec);
    in.events = {{{10, 5}, 1, 40}, {{60, 5}, 0, 40}};  // the second beyond the line's end
    ASSERT_EQ(drawsectionpicture(ws, c.pc, c.host, in), SectionOutcome::Drawn);
    EXPECT_FALSE(c.surface.hasnonfinite());
    const PlotFrame& f = sectionlayout(spec).frame;
    const float d = 20 + 5 * std::sqrt(2.0f);
    const auto source = c.surface.linesofcolor(c.pc.palette.source);
    EXPECT_TRUE(std::any_of(source.begin(), source.end(), [&](const RecordedOp& l) {
        return test::joins(l, toframex(f, 20), toframey(f, 0), toframex(f, d), toframey(f, -d + 20),
                           1e-2f);
    }));
    const auto circles = c.surface.ofkind(OpKind::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_TRUE(test::samepoint(circles[0].x1, circles[0].y1, toframex(f, 10), toframey(f, -5)));
    EXPECT_FLOAT_EQ(circles[0].radius, 2);
    EXPECT_NE(c.surface.findtext("Displacement-Z(UD)"), nullptr);
    EXPECT_NE(c.surface.findtext("Distance (km)"), nullptr);
    EXPECT_NE(c.surface.findtext("Depth (km)"), nullptr);
    // Glyph quantities and one the work cannot give draw nothing.
    for (const char* key : {"displacement", "cffoop"}) {
        ws.quantitykey = key;
        EXPECT_EQ(drawsectionpicture(ws, c.pc, c.host, in), SectionOutcome::NotContoured) << key;
    }
}

// Far from the source the planes are those of the regional stress: sigma1
// N20E, sigma2 vertical, so vertical planes striking psi either side of it.
TEST(OptimalTicks, StrikesOfTheChosenPlaneThinnedToTheirSpacing) {
    test::Canvas c;
    WorkState ws = test::defaultwork();
    // Nodes every 2.5 km, 6.9 frame units: every third gets a tick.
    ws.xgrid = ws.ygrid = 60;
    ws.regionalstress.given = true;
    ws.regionalstress.axis = {{{20, 0, 100, 0}, {0, 90, 50, 0}, {110, 0, 10, 0}}};
    ASSERT_TRUE(setplotframe(c.pc.frame, ws.rwidth));
    ASSERT_TRUE(test::evaluate(ws));
    setnodeframes(c.pc.frame, ws.xview0, ws.yview0, ws.xview1, ws.yview1, ws.grids.nodex,
                  ws.grids.nodey, ws.xgrid, ws.ygrid);
    EXPECT_EQ(drawoptimalticks(ws, c.pc, {}), 21 * 21);
    const double psi = optimalangle(ws.friction);
    const RecordedOp corner = c.surface.lines().front();  // node (0, 0)
    const double dx = corner.x2 - corner.x1, dy = corner.y2 - corner.y1;
    EXPECT_NEAR(std::hypot(dx, dy), kTickLength, 1e-3);
    // Clockwise from north (up the frame), within a half turn.
    double a = std::atan2(dx, -dy);
    if (a > kPi / 2) a -= kPi;
    if (a <= -kPi / 2) a += kPi;
    const double s1 = 20 * kPi / 180;
    EXPECT_TRUE(std::fabs(a - (s1 + psi)) < 1e-3 || std::fabs(a - (s1 - psi)) < 1e-3) << a;
}

}  // namespace
}  // namespace crustex
