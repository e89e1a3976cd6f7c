#include "sites/sitegraphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/recordingsurface.h"
#include "sites/siteglyphs.h"
#include "sites/sitereadout.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

TEST(GraphRange, RoundsOutToWholeStepsAndTakesInZeroOnRequest) {
    struct Case {
        float lo, hi;
        bool zeroline;
        GraphRange want;
    };
    const Case cases[] = {
        {2, 7, false, {2, 7, 5}},         {2, 7, true, {0, 7, 7}},
        {-7, -2, true, {-7, 0, 7}},       {0, 0, false, {-1, 1, 2}},
        {5, 5, false, {4, 6, 2}},         {-0.35f, 0.35f, false, {-0.4, 0.4, 8}},
        {120, 4700, false, {0, 5000, 5}},
    };
    for (const Case& c : cases) {
        const GraphRange r = graphrange(c.lo, c.hi, c.zeroline);
        EXPECT_NEAR(r.min, c.want.min, 1e-9) << c.lo << ".." << c.hi;
        EXPECT_NEAR(r.max, c.want.max, 1e-9) << c.lo << ".." << c.hi;
        EXPECT_EQ(r.divisions, c.want.divisions) << c.lo << ".." << c.hi;
    }
    // 0.3f and 0.7f are a hair off their decimals: no extra step for that.
    EXPECT_EQ(graphrange(0.3f, 0.7f, false).divisions, 4);
}

// Sites with "uz" values on a 600 x 400 graph: the frame spans x 50..585
// and y 385..15.
struct Graph : ::testing::Test {
    WorkState ws;
    SiteResults res;
    RecordingSurface s;
    SiteGraphView view{&s, 600, 400};
    void SetUp() override { ws.quantitykey = "uz"; }
    void sites(std::vector<float> uz) {
        ws.nsite = static_cast<int16_t>(uz.size());
        for (std::size_t i = 1; i <= uz.size(); ++i) {
            ws.site[i].name = std::string("S").append(std::to_string(i));
            res.uz[i] = uz[i - 1];
        }
    }
    void draw() {
        s.clearlog();
        drawsubg(ws, res, view);
    }
    // Ticks left of the frame, one per division.
    std::size_t valueticks() const {
        const auto lines = s.lines();
        return std::count_if(lines.begin(), lines.end(),
                             [](const RecordedOp& l) { return l.x1 == 45 && l.x2 == 50; });
    }
    std::vector<RecordedOp> inblue() const { return s.linesofcolor(kComputedSiteColor); }
};

TEST_F(Graph, RangeLabelsAndZeroLine) {
    sites({2, 5, 7});
    draw();
    EXPECT_EQ(s.ops().front().kind, OpKind::Cls);
    EXPECT_EQ(valueticks(), 5u);
    EXPECT_NE(s.findtext("2"), nullptr);
    EXPECT_NE(s.findtext("7"), nullptr);
    EXPECT_EQ(s.findtext("0"), nullptr);
    EXPECT_NE(s.findtext("Displacement-Z"), nullptr);
    EXPECT_NE(s.findtext("(mm)"), nullptr);
    // 0 is below the range: the bars stand on the frame's bottom edge.
    ASSERT_EQ(inblue().size(), 3u);
    EXPECT_FLOAT_EQ(inblue()[0].y1, 385);
    EXPECT_FLOAT_EQ(inblue()[0].y2, 385);

    view.zeroline = true;
    draw();
    EXPECT_EQ(valueticks(), 7u);
    EXPECT_NE(s.findtext("0"), nullptr);
    EXPECT_FLOAT_EQ(inblue()[2].y1, 385);
    EXPECT_FLOAT_EQ(inblue()[2].y2, 15);

    sites({0, 0, 0});
    view.zeroline = false;
    draw();
    EXPECT_EQ(valueticks(), 2u);
    EXPECT_NE(s.findtext("-1"), nullptr);
    EXPECT_NE(s.findtext("1"), nullptr);
    const auto lines = s.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const RecordedOp& l) {
        return l.x1 == 50 && l.x2 == 585 && l.y1 == 200 && l.y2 == 200;
    }));
}

TEST_F(Graph, OneSiteIsABarAndAMissingValueBreaksTheLine) {
    view.bargraph = false;
    sites({3});
    draw();
    ASSERT_EQ(inblue().size(), 1u);
    EXPECT_FLOAT_EQ(inblue()[0].x1, 50);  // site 1 of the window 1..2
    EXPECT_FLOAT_EQ(inblue()[0].x2, 50);

    sites({1, 2, kNoValue, 4, 5});
    draw();
    ASSERT_EQ(inblue().size(), 2u);  // 1-2 and 4-5
    EXPECT_FLOAT_EQ(inblue()[0].x1, 50);
    EXPECT_FLOAT_EQ(inblue()[1].x2, 585);
}

// Observed beside computed for a displacement file; on a black-and-white
// print black and grey.
TEST_F(Graph, ObservedBesideComputed) {
    sites({1, -2});
    ws.obskind = "displacement3";
    ws.site[1].obsdz = 1.5f;
    ws.site[2].obsdz = kNoValue;
    draw();
    EXPECT_EQ(inblue().size(), 2u);
    ASSERT_EQ(s.linesofcolor(kObservedSiteColor).size(), 1u);
    EXPECT_GT(s.linesofcolor(kObservedSiteColor)[0].x1, inblue()[0].x1);

    ws.obskind = "displacement";  // no vertical observations
    draw();
    EXPECT_TRUE(s.linesofcolor(kObservedSiteColor).empty());

    ws.obskind = "uz";
    ws.bnwmode = true;
    view.printer = true;
    draw();
    EXPECT_NE(s.ops().front().kind, OpKind::Cls);
    EXPECT_EQ(s.linesofcolor(kObservedSiteGrey).size(), 1u);
    EXPECT_EQ(s.linesofcolor(kBlack).size() > 2, true);
    EXPECT_TRUE(inblue().empty());
}

TEST(SiteGraphPage, FillsThePageInsideTheMarginsAt64To51) {
    // A4 portrait with 10 mm margins: the width limits.
    const auto p = sitegraphpage(210, 297, 10, 10);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->left, -10 * 72 / 25.4, 1e-3);
    EXPECT_NEAR(p->width, 190 * 72 / 25.4, 1e-3);
    EXPECT_NEAR(p->height, p->width * 51 / 64, 1e-3);
    EXPECT_FALSE(sitegraphpage(150, 200, 80, 10));
}

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
    EXPECT_EQ(s.count(OpKind::FillPolygon), 0u);

    // The publication style: the same arrows with heads at their tips.
    s.clearlog();
    ws.publicationstyle = true;
    drawsitevectors(ws, pc, host, &res, &view, "displacement");
    const auto heads = s.ofkind(OpKind::FillPolygon);
    ASSERT_EQ(heads.size(), 3u);
    EXPECT_EQ(heads[0].color, kObservedSiteColor);  // observed first
    EXPECT_EQ(heads[1].points.at(0), (FramePoint{fx(1) + 24, fy(1) - 12}));
    EXPECT_EQ(heads[1].color, kComputedSiteColor);
    ws.publicationstyle = false;

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
