#include "sites/siteglyphs.h"

#include <gtest/gtest.h>

#include "plot/recordingsurface.h"
#include "sites/sitereadout.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

// Three sites on the standard plot frame of a 240 km wide window.
struct SiteGlyphs : ::testing::Test {
    WorkState ws;
    SiteResults res;
    RecordingSurface s, graph;
    PlotContext pc;
    test::ScriptedHost host;
    void SetUp() override {
        pc.screen = pc.target = &s;
        ASSERT_TRUE(setplotframe(pc.frame, 240));
        ws.nsite = 3;
        const float xy[][2] = {{50, 60}, {120, 60}, {50, 60}};
        for (std::size_t i = 1; i <= 3; ++i) {
            ws.site[i].name = std::string("S").append(std::to_string(i));
            ws.site[i].x = xy[i - 1][0];
            ws.site[i].y = xy[i - 1][1];
        }
    }
    float fx(int i) const { return toframex(pc.frame, ws.site[static_cast<std::size_t>(i)].x); }
    float fy(int i) const { return toframey(pc.frame, ws.site[static_cast<std::size_t>(i)].y); }
};

TEST_F(SiteGlyphs, VectorsAtTheSitesWithObservedBeside) {
    ws.rdispl = 2;
    res.ux[1] = 1;
    res.uy[1] = 0.5f;
    res.ux[2] = -1;
    res.uy[2] = 0;
    res.ux[3] = kNoValue;
    ws.obskind = "displacement3";
    ws.site[1].obsdx = 0;
    ws.site[1].obsdy = 2;
    ws.site[2].obsdx = ws.site[2].obsdy = kNoValue;
    ws.site[3].obsdx = ws.site[3].obsdy = kNoValue;
    SiteGraphView view{&graph, 100, 100};
    drawsitevectors(ws, pc, host, &res, &view, "displacement");
    EXPECT_EQ(graph.ops().at(0).kind, OpKind::Cls);
    // 48 frame units per 2 mm, y up on the plot.
    const auto blue = s.linesofcolor(kComputedSiteColor);
    ASSERT_EQ(blue.size(), 2u);
    EXPECT_FLOAT_EQ(blue[0].x2, fx(1) + 24);
    EXPECT_FLOAT_EQ(blue[0].y2, fy(1) - 12);
    const auto red = s.linesofcolor(kObservedSiteColor);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_FLOAT_EQ(red[0].y2, fy(1) - 48);
    EXPECT_EQ(s.count(OpKind::Circle), 6u);  // every site, each pass
    // Names away from the arrow: right-aligned for an eastward one.
    EXPECT_LT(s.findtext("S1")->x1 + s.findtext("S1")->x2, fx(1));
    EXPECT_GT(s.findtext("S2")->x1, fx(2));
    EXPECT_NE(s.findtext("Sites: observed"), nullptr);
    EXPECT_EQ(host.statuses.front(), kSiteVectorStatus);

    s.clearlog();
    ws.obskind = "uz";
    drawsitevectors(ws, pc, host, &res, &view, "tilt1");
    EXPECT_TRUE(s.linesofcolor(kObservedSiteColor).empty());
    EXPECT_EQ(s.findtext("Sites: observed"), nullptr);
}

TEST_F(SiteGlyphs, NearestSiteAndReadOut) {
    // Sites 1 and 3 share a place: the lower number wins.
    EXPECT_EQ(nearestobs(ws, pc.frame, fx(1) + 1, fy(1)).index, 1);
    EXPECT_EQ(nearestobs(ws, pc.frame, fx(2) - 3, fy(2) + 4).index, 2);
    EXPECT_FLOAT_EQ(nearestobs(ws, pc.frame, fx(2) - 3, fy(2) + 4).distance2, 25);

    res.ux[2] = 1.5f;
    res.uy[2] = -20;
    res.uz[2] = 0.25f;
    res.areal[2] = 3;
    res.maxshear[2] = 1;
    res.ux[1] = kNoValue;
    ws.fx = 2;
    ws.fz = 4;
    const std::pair<const char*, const char*> cases[] = {{"displacement", " Ux=1.5 Uy=-20."},
                                                         {"uz", " 2.5E-1"},
                                                         {"principal", " Max=2. Min=1."},
                                                         {"cmpdispl", " 4."},
                                                         {"tilt2", " Uzx=0 Uzy=0"}};
    for (const auto& [key, text] : cases) {
        ws.quantitykey = key;
        EXPECT_EQ(showobsdata(ws, res, 2), text) << key;
        EXPECT_EQ(showobsdata(ws, res, 1), "") << key;
    }
}

}  // namespace
}  // namespace crustex
