#include "compose/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "plot/plottestutil.h"
#include "sites/sitegraphs.h"

namespace crustex {
namespace {

const std::string kSign = "//  CRUSTEX  // ";

struct Pic : test::Canvas {
    WorkState ws;
    RecordingSurface printer;

    explicit Pic(const char* key) {
        setdefaults(ws, "/tmp");
        ws.xgrid = ws.ygrid = 8;
        ws.quantitykey = key;
        setplotframe(pc.frame, ws.rwidth);
    }
    PictureOutcome draw(const char* target = "screen") {
        PictureInputs in;
        in.printer = &printer;
        return drawpicture(ws, pc, host, target, in);
    }
    bool has(const std::string& t) const { return surface.findtext(t) != nullptr; }
    bool haslines(Rgb color) const { return !surface.linesofcolor(color).empty(); }
    // The data area frame's west or north side is drawn.
    bool hasdataframe() const {
        const float x0 = toframex(pc.frame, ws.xview0), x1 = toframex(pc.frame, ws.xview1);
        const float y0 = toframey(pc.frame, ws.yview0), y1 = toframey(pc.frame, ws.yview1);
        const auto l = surface.lines();
        return std::any_of(l.begin(), l.end(), [&](const RecordedOp& o) {
            return test::joins(o, x0, y0, x0, y1, 1e-3f) || test::joins(o, x0, y1, x1, y1, 1e-3f);
        });
    }
    long statuscount(const std::string& s) const {
        return std::count(host.statuses.begin(), host.statuses.end(), s);
    }
};

// The default pictures of "uz", "cffpara", "displacement" and "principal"
// are pinned operation by operation by the recordings (golden_test.cpp);
// here one key of each other legend kind, its title and unit from the
// quantity table.
TEST(Picture, TitleUnitAndLegendOfEachKind) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"sxx", {"+: Expansion", "-: Contraction"}},
        {"volstrain", {"+: Dilatation", "-: Contraction"}},
        {"cmpdispl", {"+", "-"}},
        {"maxshear", {}},
        {"tilt2", {"0.1 micro rad"}},
    };
    for (const auto& [key, legend] : cases) {
        SCOPED_TRACE(key);
        Pic f(key);
        ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
        const QuantityInfo& q = *findquantity(key);
        const RecordedOp* title = f.surface.findtext(std::string(q.title));
        ASSERT_NE(title, nullptr);
        EXPECT_NEAR(title->x1 + title->x2, 635, 1e-3);
        EXPECT_FLOAT_EQ(title->y1, 5);
        if (q.kind == QuantityKind::Contour) {
            const RecordedOp* unit = f.surface.findtext(std::string(q.unit));
            ASSERT_NE(unit, nullptr);
            EXPECT_FLOAT_EQ(unit->y1, 20);
        }
        for (const auto& t : legend) EXPECT_TRUE(f.has(t)) << t;
        if (legend.empty()) {
            EXPECT_FALSE(f.has("+") || f.has("+: Expansion"));
        }
        EXPECT_TRUE(f.has("Depth:0km"));
    }
    // The empty key shows nothing but the overlays.
    Pic f("");
    f.draw();
    EXPECT_FALSE(f.has("Displacement-Z(UD)"));
    EXPECT_TRUE(f.has("Depth:0km") && f.has(kSign));
}

// The order of the steps is pinned by the recordings.
TEST(Picture, MenusLockedOnceAndTheGridEvaluatedOnce) {
    Pic f("uz");
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    const auto& menus = f.host.menuChanges;
    EXPECT_TRUE(menus.size() >= 2 && !menus.front() && menus.back());
    EXPECT_EQ(std::count(menus.begin(), menus.end(), true), 1);
    EXPECT_FALSE(f.ws.gridstale);
    EXPECT_EQ(f.ws.grids.nodex.size(), 9u);
    EXPECT_FALSE(f.surface.FontItalic());
    EXPECT_EQ(f.surface.ForeColor, kBlack);
}

TEST(Picture, ResultsAreKeptUntilStale) {
    const std::string grid = " Calcurating Strains(Ctrl-Q to Abort)", cff = " Calcurating CFF";
    Pic f("cffpara");
    f.draw();
    EXPECT_FALSE(f.ws.gridstale || f.ws.cffstale);
    f.draw();
    EXPECT_EQ(f.statuscount(grid), 1);
    EXPECT_EQ(f.statuscount(cff), 1);
    markgridstale(f.ws);
    f.draw();
    EXPECT_EQ(f.statuscount(grid), 2);
    // A new grid always gets its delta CFF again, even when only the grid
    // was marked out of date.
    f.ws.gridstale = true;
    f.surface.clearlog();
    f.draw();
    EXPECT_EQ(f.statuscount(grid), 3);
    EXPECT_EQ(f.statuscount(cff), 3);
    EXPECT_TRUE(f.haslines(f.pc.palette.possubcontour));
}

TEST(Picture, ScaleBarOnlyWithoutMap) {
    for (bool needmap : {false, true}) {
        Pic f("uz");
        f.ws.needmap = needmap;
        f.draw();
        EXPECT_EQ(f.has("20km"), !needmap) << needmap;
        EXPECT_EQ(f.pc.colormode, needmap ? "map" : "nomap");
        Palette want;
        setcolormode(want, needmap ? "map" : "nomap");
        EXPECT_EQ(f.pc.palette.source, want.source);
    }
}

TEST(Picture, ArrowsFollowShowGridData) {
    const struct {
        const char* key;
        bool checked;
        bool glyphs, frame;
    } cases[] = {
        {"displacement", false, false, false}, {"displacement", true, true, true},
        {"tilt1", false, false, false},        {"principal", false, false, true},
        {"principal", true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << c.checked);
        Pic f(c.key);
        f.ws.showgriddatachecked = c.checked;
        f.draw();
        // Glyph bars: lines of the negative colour away from the legend strip.
        const auto neg = f.surface.linesofcolor(f.pc.palette.negative);
        EXPECT_EQ(std::any_of(neg.begin(), neg.end(), [](auto& l) { return l.x1 < 560; }),
                  c.glyphs);
        EXPECT_EQ(f.hasdataframe(), c.frame);
        // Title, sources and scale bar are there either way.
        EXPECT_TRUE(f.has(std::string(findquantity(c.key)->title)));
        EXPECT_TRUE(f.haslines(f.pc.palette.source));
        EXPECT_TRUE(f.has("20km"));
    }
}

TEST(Picture, BlackAndWhitePrintLeavesTheScreenAlone) {
    Palette bnw;
    setcolormode(bnw, "bnw");
    for (bool needmap : {false, true}) {
        Pic f("uz");
        f.ws.needmap = needmap;
        f.ws.bnwmode = true;
        setcolormode(f.pc.palette, needmap ? "map" : "nomap");
        const Palette before = f.pc.palette;
        ASSERT_EQ(f.draw("printer"), PictureOutcome::Drawn);
        // Everything went to the printer, in the black-and-white palette.
        EXPECT_EQ(f.surface.ops().size(), 0u);
        EXPECT_EQ(f.printer.count(OpKind::Cls), 0u);
        EXPECT_FALSE(f.printer.linesofcolor(bnw.possubcontour).empty());
        EXPECT_TRUE(f.printer.linesofcolor(before.possubcontour).empty());
        const RecordedOp* sig = f.printer.findtext(kSign);
        ASSERT_NE(sig, nullptr);
        EXPECT_EQ(sig->color, kBlack);
        // The screen is the target again, with its palette as before.
        EXPECT_EQ(f.pc.target, &f.surface);
        EXPECT_EQ(f.pc.palette.possubcontour, before.possubcontour);
        EXPECT_EQ(f.pc.palette.source, before.source);
        EXPECT_EQ(f.pc.palette.coast, before.coast);
    }
    // A colour print keeps the colours.
    Pic f("uz");
    f.draw("printer");
    EXPECT_FALSE(f.printer.linesofcolor(f.pc.palette.possubcontour).empty());
    // No printer surface: nothing happens at all.
    Pic g("uz");
    EXPECT_EQ(drawpicture(g.ws, g.pc, g.host, "printer"), PictureOutcome::NoTarget);
    EXPECT_TRUE(g.host.menuChanges.empty());
    EXPECT_TRUE(g.ws.gridstale);
}

TEST(Picture, AbortedEvaluationDrawsOnlyOverlaysAndIsRetried) {
    Pic f("uz");
    f.host.answers = {MsgAnswer::Ok};
    f.host.onProcessEvents = [&](int n) {
        if (n == 2) f.ws.abortflag = true;
    };
    EXPECT_EQ(f.draw(), PictureOutcome::EvaluationAborted);
    EXPECT_TRUE(f.ws.gridstale);
    EXPECT_EQ(f.surface.count(OpKind::Cls), 0u);  // the old picture stays
    EXPECT_FALSE(f.has("Displacement-Z(UD)") || f.has("Depth:0km"));
    EXPECT_FALSE(f.haslines(f.pc.palette.possubcontour));
    EXPECT_TRUE(f.hasdataframe());
    EXPECT_TRUE(f.haslines(f.pc.palette.source));
    EXPECT_TRUE(f.has("20km"));
    EXPECT_EQ(f.surface.ops().back().text, kSign);
    EXPECT_TRUE(f.host.menusEnabled);

    // The next picture evaluates again and draws everything.
    f.host.onProcessEvents = nullptr;
    f.surface.clearlog();
    EXPECT_EQ(f.draw(), PictureOutcome::Drawn);
    EXPECT_FALSE(f.ws.gridstale);
    EXPECT_TRUE(f.has("Displacement-Z(UD)"));
    EXPECT_TRUE(f.haslines(f.pc.palette.possubcontour));
}

TEST(Picture, QuantityKeysPickTheirGrids) {
    EXPECT_EQ(findquantity(""), nullptr);
    EXPECT_EQ(findquantity("UZ"), nullptr);
    EXPECT_EQ(findquantity("uz")->grid, &ResultGrids::uz);
    EXPECT_EQ(findquantity("sxx")->grid, &ResultGrids::duxdx);
    EXPECT_EQ(findquantity("tilt1")->second, &ResultGrids::duydz);
    EXPECT_EQ(findquantity("tilt2")->grid, &ResultGrids::duzdx);
}

// What the observation sites add: evaluated with the grid, their graph in
// the site window's view for a contour quantity and their vectors on the
// plot for a vector quantity, on the screen only.
struct SitePic : test::Canvas {
    WorkState ws;
    SiteResults res;
    RecordingSurface graph, printer;
    SiteGraphView view{&graph, 500, 400};

    SitePic() {
        setdefaults(ws, "/tmp");
        ws.xgrid = ws.ygrid = 4;
        setplotframe(pc.frame, ws.rwidth);
        ws.nsite = 2;
        ws.site[1] = {"N", 95, 130};
        ws.site[2] = {"S", 95, 70};
        ws.showobsdatachecked = true;
        ws.obskind = "displacement";
        ws.site[1].obsdx = ws.site[1].obsdy = ws.site[2].obsdx = ws.site[2].obsdy = 0.001f;
    }
    void draw(const char* key, const char* target = "screen") {
        ws.quantitykey = key;
        surface.clearlog();
        graph.clearlog();
        PictureInputs in;
        in.printer = &printer;
        in.sites = &res;
        in.sitegraph = &view;
        drawpicture(ws, pc, host, target, in);
    }
};

TEST(SitePicture, GraphForContoursVectorsForArrowsNothingPrinted) {
    SitePic p;
    p.draw("uz");
    // The sites were evaluated with the grid, as a lone evaluation gives.
    EXPECT_EQ(p.res.uz[1], calcsitestrain(p.ws, 95, 130, 0)[2]);
    EXPECT_NE(p.res.uz[1], 0);
    EXPECT_EQ(p.graph.linesofcolor(kComputedSiteColor).size(), 2u);
    EXPECT_NE(p.surface.findtext("N"), nullptr);  // the marks with names on the plot

    p.draw("displacement");
    EXPECT_EQ(p.graph.ops().front().kind, OpKind::Cls);
    EXPECT_TRUE(p.graph.linesofcolor(kComputedSiteColor).empty());
    EXPECT_EQ(p.surface.linesofcolor(kComputedSiteColor).size(), 2u);
    EXPECT_EQ(p.surface.linesofcolor(kObservedSiteColor).size(), 2u);

    p.draw("uz", "printer");
    EXPECT_TRUE(p.graph.ops().empty());
    EXPECT_TRUE(p.printer.linesofcolor(kComputedSiteColor).empty());

    p.ws.showobsdatachecked = false;
    p.draw("uz");
    EXPECT_TRUE(p.graph.ops().empty());
    EXPECT_EQ(p.surface.findtext("N"), nullptr);
}

}  // namespace
}  // namespace crustex
