// Vertical sections: their points, their values against the field grid's,
// the traces of the sources and the earthquakes near the line.
#include "stress/section.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "engine/cff.h"
#include "engine/gridfixture.h"
#include "stress/optimalplanes.h"
#include "stress/sectiontraces.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

// The default fault (upper edge Y = 100, X 85..105, dipping 45 degrees to
// the south) and a patch of a slip model; the field every 5 km.
WorkState sectionwork() {
    WorkState ws = test::defaultwork();
    ws.xgrid = ws.ygrid = 30;
    ws.obsdepth = 4;
    ws.slipmodel.patches.push_back({60, 40, 80, 45, 2, 8, 60, 30, 1.5f, 0.2f});
    ws.regionalstress.given = true;
    ws.regionalstress.axis = {{{20, 0, 100, 8}, {0, 90, 60, 0}, {110, 0, 20, 2}}};
    return ws;
}

TEST(Section, ValuesEqualTheFieldGridsAtTheSamePoints) {
    WorkState ws = sectionwork();
    ws.medium.poisson = 0.3f;  // lambda / mu 1.5 in delta CFF
    test::ScriptedHost host;
    setfielddepth(ws);
    ASSERT_TRUE(calcgridstrain(ws, host, 1));
    calcgridcff(ws, host);
    calcgridoptimalcff(ws, {});
    // Along the grid line Y = 95 (j = 15) at every node, depth 4 in row 2.
    const SectionSpec spec{20, 95, 170, 95, 0, 8, 5, 2};
    Section s;
    ASSERT_TRUE(evaluatesection(ws, spec, {}, s, {2, {}}));
    ASSERT_EQ(s.grids.ux.nx(), 30);
    ASSERT_EQ(s.grids.ux.ny(), 4);
    ASSERT_EQ(s.nodes.depth[2], 4);
    int compared = 0;
    for (int n = 2; n <= ResultGrids::kCount; ++n) {
        if (n == 21 || n == 22) continue;  // the composite and LOS are filled on demand
        for (int i = 0; i <= 30; ++i) {
            ASSERT_EQ((*s.grids.byNumber(n))(i, 2), (*ws.grids.byNumber(n))(i, 15))
                << "grid " << n << " node " << i;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 20 * 31);
    EXPECT_NE(s.grids.cffoop(13, 2), kNoValue);
}

TEST(Section, PointsEveryStepUpToTheLengthAndDepth) {
    const SectionSpec spec{0, 0, 6, 8, 2, 7, 3, 2};
    const SectionNodes n = sectionnodes(spec);
    EXPECT_EQ(n.distance, (std::vector<float>{0, 3, 6, 9}));
    EXPECT_EQ(n.x, (std::vector<float>{0, 1.8f, 3.6f, 5.4f}));
    EXPECT_EQ(n.depth, (std::vector<float>{2, 4, 6}));
    // A length of a whole number of steps keeps its end.
    EXPECT_EQ(sectionnodes({0, 0, 6, 8, 0, 0.3f, 2.5f, 0.1f}).distance.back(), 10);
    EXPECT_EQ(sectionnodes({0, 0, 6, 8, 0, 0.3f, 2.5f, 0.1f}).depth.size(), 4u);

    const std::pair<SectionSpec, const char*> bad[] = {
        {{1, 1, 1, 1, 0, 5, 1, 1}, "the section's line has no length"},
        {{0, 0, 9, 0, 5, 2, 1, 1}, "the section's depth range is upside down"},
        {{0, 0, 9, 0, -1, 2, 1, 1}, "the section starts above the surface"},
        {{0, 0, 9, 0, 0, 2, 0, 1}, "the section's step must be positive"},
        {{0, 0, 1e4f, 0, 0, 1e3f, 0.1f, 0.1f},
         "the section would have 1000110001 points, more than 1000000"},
    };
    for (const auto& [s, why] : bad) {
        EXPECT_EQ(sectionproblem(s), why);
        Section out;
        EXPECT_FALSE(evaluatesection(test::defaultwork(), s, {}, out));
    }
}

TEST(Section, TracesWhereTheSourcesCutThePlane) {
    WorkState ws = sectionwork();
    ws.slipmodel.patches.clear();
    // A vertical fault across the line at X = 50, from 1 to 10 km deep, and
    // one that does not reach it.
    test::setsources(ws, {defaultSource(), test::fault(50, 80, 50, 110, 1, 9, 90, 1, 0),
                          test::fault(20, 150, 60, 150, 0, 10, 30, 1, 90)});
    const std::vector<SectionTrace> traces = sectiontraces(ws, {20, 95, 170, 95, 0, 20, 1, 1});
    ASSERT_EQ(traces.size(), 2u);
    auto near = [](SectionPoint p, float d, float z) {
        return std::fabs(p.distance - d) < 1e-4f && std::fabs(p.depth - z) < 1e-4f;
    };
    // The default fault is 5 km deep where it passes under Y = 95.
    const SectionTrace& t = traces[0];
    EXPECT_TRUE((near(t.a, 65, 5) && near(t.b, 85, 5)) || (near(t.a, 85, 5) && near(t.b, 65, 5)));
    const SectionTrace& v = traces[1];
    EXPECT_TRUE((near(v.a, 30, 1) && near(v.b, 30, 10)) || (near(v.a, 30, 10) && near(v.b, 30, 1)));
    EXPECT_FALSE(v.patch);
}

TEST(Section, EarthquakesNearTheLineBetweenItsEnds) {
    Projection p;
    float lon2 = 137;
    ASSERT_TRUE(setupprojection(p, kMercator, 34, 134, 36, lon2));
    PlotFrame f;
    ASSERT_TRUE(setplotframe(f, 240));
    EventTable table;
    for (const auto& [x, y, mag] : {std::tuple{100.0f, 96.0f, 45}, std::tuple{100.0f, 110.0f, 50},
                                    std::tuple{180.0f, 95.0f, 60}, std::tuple{40.0f, 91.0f, 30}}) {
        EventRecord e;
        kmtogeo(p, f, x, y, e.lat, e.lon);
        e.depth = 123;
        e.mag = static_cast<int16_t>(mag);
        table.events.push_back(e);
    }
    const std::vector<SectionEvent> near =
        sectionevents(table, {20, 95, 170, 95, 0, 20, 1, 1}, 5, p, f);
    ASSERT_EQ(near.size(), 2u);
    EXPECT_NEAR(near[0].at.distance, 80, 0.01);
    EXPECT_NEAR(near[0].offset, -1, 0.01);  // left of the line
    EXPECT_FLOAT_EQ(near[0].at.depth, 12.3f);
    EXPECT_EQ(near[0].mag, 45);
    EXPECT_NEAR(near[1].at.distance, 20, 0.01);
    EXPECT_NEAR(near[1].offset, 4, 0.01);
}

}  // namespace
}  // namespace crustex
