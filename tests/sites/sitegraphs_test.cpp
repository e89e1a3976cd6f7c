#include "sites/sitegraphs.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    const Case cases[] = {{-7, -2, true, {-7, 0, 7}},
                          {5, 5, false, {4, 6, 2}},
                          {-0.35f, 0.35f, false, {-0.4, 0.4, 8}},
                          {120, 4700, false, {0, 5000, 5}}};
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
// and y 380..15, a row of names under it; the sites stand half a step in.
struct Graph : ::testing::Test {
    WorkState ws;
    SiteResults res;
    RecordingSurface s;
    SiteGraphView view{&s, 600, 400};
    void SetUp() override { ws.quantitykey = "uz"; }
    void sites(std::vector<float> uz, const std::string& prefix = "S") {
        ws.nsite = static_cast<int16_t>(uz.size());
        for (std::size_t i = 1; i <= uz.size(); ++i) {
            const std::string number = std::to_string(i);
            ws.site[i].name = prefix + std::string(uz.size() > 9 && i < 10, '0') +
                              std::string(uz.size() > 99 && i < 100, '0') + number;
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
    EXPECT_FLOAT_EQ(inblue()[0].y1, 380);
    EXPECT_FLOAT_EQ(inblue()[0].y2, 380);

    view.zeroline = true;
    draw();
    EXPECT_EQ(valueticks(), 7u);
    EXPECT_NE(s.findtext("0"), nullptr);
    EXPECT_FLOAT_EQ(inblue()[2].y1, 380);
    EXPECT_FLOAT_EQ(inblue()[2].y2, 15);

    sites({0, 0, 0});
    view.zeroline = false;
    draw();
    EXPECT_EQ(valueticks(), 2u);
    EXPECT_NE(s.findtext("-1"), nullptr);
    EXPECT_NE(s.findtext("1"), nullptr);
    const auto lines = s.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const RecordedOp& l) {
        return l.x1 == 50 && l.x2 == 585 && l.y1 == 197.5f && l.y2 == 197.5f;
    }));
}

TEST_F(Graph, OneSiteIsABarAndAMissingValueBreaksTheLine) {
    view.bargraph = false;
    sites({3});
    draw();
    ASSERT_EQ(inblue().size(), 1u);
    EXPECT_FLOAT_EQ(inblue()[0].x1, 317.5f);  // the middle of the window 0.5..1.5
    EXPECT_FLOAT_EQ(inblue()[0].x2, 317.5f);

    sites({1, 2, kNoValue, 4, 5});
    draw();
    ASSERT_EQ(inblue().size(), 2u);           // 1-2 and 4-5
    EXPECT_FLOAT_EQ(inblue()[0].x1, 103.5f);  // half of a 107 step in
    EXPECT_FLOAT_EQ(inblue()[1].x2, 531.5f);
}

// Every text inside the graph's area (the window's misfit line follows
// below it) and none over another; each site's name centred under its tick,
// in one row, in two when crowded, thinned when two rows are too.
TEST_F(Graph, NamesUnderTheBarsAndNoTextOverAnother) {
    struct Case {
        int n;
        const char* prefix;
        float height;
        std::size_t named;
    };
    const Case cases[] = {{30, "S", 400, 30},       // 12 units wide, 17.8 apart: one row
                          {30, "Site-", 400, 30},   // 28 wide: two rows
                          {100, "Site-", 400, 25},  // 32 wide, 5.35 apart: every 4th
                          {10, "S", 120, 10}};      // 0 is a step above -1: no "0" label
    for (const Case& c : cases) {
        std::vector<float> uz(static_cast<std::size_t>(c.n));
        for (std::size_t i = 0; i < uz.size(); ++i) uz[i] = float(i % 10) - 0.5f;
        sites(uz, c.prefix);
        view.height = c.height;
        draw();
        const auto texts = s.texts();
        for (const RecordedOp& t : texts) {
            EXPECT_TRUE(t.x1 >= 0 && t.x1 + t.x2 <= view.width && t.y1 >= 0 &&
                        t.y1 + t.y2 <= view.height)
                << c.n << " " << t.text;
            for (const RecordedOp& u : texts)
                EXPECT_TRUE(&t == &u || t.x1 + t.x2 <= u.x1 || u.x1 + u.x2 <= t.x1 ||
                            t.y1 + t.y2 <= u.y1 || u.y1 + u.y2 <= t.y1)
                    << c.n << " " << t.text << " over " << u.text;
        }
        const float bottom = s.ofkind(OpKind::Box).at(0).y1;
        std::vector<float> ticks;
        for (const RecordedOp& l : s.lines())
            if (l.y1 == bottom && l.y2 == bottom - 5) ticks.push_back(l.x1);
        ASSERT_EQ(ticks.size(), std::size_t(c.n));
        std::size_t named = 0;
        for (int i = 1; i <= c.n; ++i) {
            const RecordedOp* name = s.findtext(ws.site[std::size_t(i)].name);
            if (name == nullptr) continue;
            ++named;
            EXPECT_FLOAT_EQ(name->x1 + name->x2 / 2, ticks[std::size_t(i - 1)]) << name->text;
        }
        EXPECT_EQ(named, c.named) << c.n << " " << c.prefix;
    }
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
