#include "compose/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "compose/pubpicture.h"
#include "geo/mapform.h"
#include "plot/griddataline.h"
#include "plot/plottestutil.h"
#include "plot/pubstyle.h"
#include "sites/sitegraphs.h"

namespace crustex {
namespace {

const std::string kSign = "//  CRUSTEX  // ";

struct Pic : test::Canvas {
    WorkState ws;
    RecordingSurface printer;
    PictureInputs in;

    explicit Pic(const char* key, int16_t nodes = 8) {
        setdefaults(ws, "/tmp");
        ws.xgrid = ws.ygrid = nodes;
        ws.quantitykey = key;
        setplotframe(pc.frame, ws.rwidth);
        in.printer = &printer;
    }
    PictureOutcome draw(const char* target = "screen") {
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

// The menus are locked once, the grid evaluated once and kept until it is
// stale (the order of the steps is pinned by the recordings).
TEST(Picture, ResultsAreKeptUntilStale) {
    const std::string grid = " Calcurating Strains(Ctrl-Q to Abort)", cff = " Calcurating CFF";
    Pic f("cffpara");
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    const auto& menus = f.host.menuChanges;
    EXPECT_TRUE(menus.size() >= 2 && !menus.front() && menus.back());
    EXPECT_EQ(std::count(menus.begin(), menus.end(), true), 1);
    EXPECT_EQ(f.ws.grids.nodex.size(), 9u);
    EXPECT_FALSE(f.surface.FontItalic());
    EXPECT_EQ(f.surface.ForeColor, kBlack);
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

// Arrows and the data frame follow "Show Grid Data"; the scale bar is drawn
// without the map only, and the map has its palette.
TEST(Picture, ArrowsFollowShowGridDataAndTheScaleBarTheMap) {
    const struct {
        const char* key;
        bool checked, needmap;
        bool glyphs, frame;
    } cases[] = {
        {"displacement", false, false, false, false}, {"displacement", true, false, true, true},
        {"tilt1", false, false, false, false},        {"principal", false, false, false, true},
        {"principal", true, false, true, true},       {"displacement", true, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << c.checked << " " << c.needmap);
        Pic f(c.key);
        f.ws.showgriddatachecked = c.checked;
        f.ws.needmap = c.needmap;
        f.draw();
        // Glyph bars: lines of the negative colour away from the legend strip.
        const auto neg = f.surface.linesofcolor(f.pc.palette.negative);
        EXPECT_EQ(std::any_of(neg.begin(), neg.end(), [](auto& l) { return l.x1 < 560; }),
                  c.glyphs);
        EXPECT_EQ(f.hasdataframe(), c.frame);
        // Title and sources (without the map) are there either way.
        EXPECT_TRUE(f.has(std::string(findquantity(c.key)->title)));
        EXPECT_TRUE(c.needmap || f.haslines(f.pc.palette.source));
        EXPECT_EQ(f.has("20km"), !c.needmap);
        EXPECT_EQ(f.pc.colormode, c.needmap ? "map" : "nomap");
        Palette want;
        setcolormode(want, c.needmap ? "map" : "nomap");
        EXPECT_EQ(f.pc.palette.source, want.source);
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

// Strain ZX at the free surface is zero but for rounding, a composite with
// zero weights is zero exactly: neither draws lines, bands or peaks, in
// either style, and the status strip says why the picture is empty.
TEST(Picture, AFieldOfRoundingNoiseIsZero) {
    for (const char* key : {"szx", "cmpdispl"}) {
        for (const bool pub : {false, true}) {
            SCOPED_TRACE(testing::Message() << key << (pub ? " publication" : " screen"));
            Pic f(key);
            f.ws.publicationstyle = pub;
            ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
            EXPECT_FALSE(f.haslines(f.pc.palette.zerocontour));
            EXPECT_FALSE(f.haslines(kPubSubLine));
            EXPECT_EQ(f.surface.count(OpKind::FillPolygon), 0u);
            for (const RecordedOp& t : f.surface.texts())
                EXPECT_EQ(t.text.find_first_of("HL"), std::string::npos) << t.text;
            const std::string title(findquantity(key)->title);
            EXPECT_EQ(f.statuscount(" " + title + " is zero over the whole field"), 1);
        }
    }
}

// A click on the picture reads the grid the picture draws, for every key
// contoured.
TEST(Picture, TheReadOutReadsTheGridThePictureDraws) {
    ResultGrids g;
    for (const char* key :
         {"ux", "uy", "uz", "sxx", "syy", "szz", "sxy", "syz", "szx", "cmpdispl", "cmpstrain",
          "arealstrain", "volstrain", "maxshear", "cffpara", "los", "fringes", "cffoop"}) {
        const QuantityInfo* q = findquantity(key);
        ASSERT_NE(q, nullptr) << key;
        EXPECT_EQ(&(g.*q->grid), contourgridforkey(g, key)) << key;
    }
    EXPECT_EQ(findquantity("UZ"), nullptr);
}

// What the observation sites add: evaluated with the grid, their graph in
// the site window's view for a contour quantity and their vectors on the
// plot for a vector quantity; a printed page has the sites, not the graph.
struct SitePic : Pic {
    SiteResults res;
    RecordingSurface graph;
    SiteGraphView view{&graph, 500, 400};

    SitePic() : Pic("", 4) {
        ws.nsite = 2;
        ws.site[1] = {"N", 95, 130};
        ws.site[2] = {"S", 95, 70};
        ws.showobsdatachecked = true;
        ws.obskind = "displacement";
        ws.site[1].obsdx = ws.site[1].obsdy = ws.site[2].obsdx = ws.site[2].obsdy = 0.001f;
        in.sites = &res;
        in.sitegraph = &view;
    }
    void draw(const char* key, const char* target = "screen") {
        ws.quantitykey = key;
        surface.clearlog();
        graph.clearlog();
        Pic::draw(target);
    }
};

TEST(SitePicture, GraphForContoursVectorsForArrowsSitesPrinted) {
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
    EXPECT_NE(p.printer.findtext("N"), nullptr);
    p.printer.clearlog();
    p.draw("displacement", "printer");
    EXPECT_TRUE(p.graph.ops().empty());
    EXPECT_EQ(p.printer.linesofcolor(kComputedSiteColor).size(), 2u);

    p.ws.showobsdatachecked = false;
    p.draw("uz");
    EXPECT_TRUE(p.graph.ops().empty());
    EXPECT_EQ(p.surface.findtext("N"), nullptr);
}

// The start-up state in the publication style on a recording surface.
struct Pub : Pic {
    Projection proj;

    explicit Pub(const char* key) : Pic(key, 20) {
        ws.publicationstyle = true;
        in.projection = &proj;
    }
    // Fills the quantity's grid with f(i, j) and keeps it (no evaluation).
    void setgrid(Grid2D ResultGrids::*grid, float (*f)(int, int)) {
        redimsub(ws);
        for (int i = 0; i <= ws.xgrid; ++i)
            for (int j = 0; j <= ws.ygrid; ++j) (ws.grids.*grid)(i, j) = f(i, j);
        ws.gridstale = false;
    }
};

// Pairs of texts whose boxes overlap or come closer than `gap`, as "a / b".
std::vector<std::string> overlapping(const RecordingSurface& s, float gap = 0) {
    std::vector<std::string> found;
    const auto texts = s.texts();
    for (std::size_t a = 0; a < texts.size(); ++a) {
        for (std::size_t b = a + 1; b < texts.size(); ++b) {
            const RecordedOp& p = texts[a];
            const RecordedOp& q = texts[b];
            if (p.text.empty() || q.text.empty()) continue;
            if (p.x1 < q.x1 + q.x2 + gap && q.x1 < p.x1 + p.x2 + gap && p.y1 < q.y1 + q.y2 + gap &&
                q.y1 < p.y1 + p.y2 + gap)
                found.push_back(p.text + " / " + q.text);
        }
    }
    return found;
}

TEST(PubPicture, NoTwoTextsOverlapOnTheDefaultPictures) {
    for (const char* key : {"cffpara", "uz", "maxshear", "displacement", "principal"}) {
        SCOPED_TRACE(key);
        Pub f(key);
        ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
        EXPECT_EQ(overlapping(f.surface), std::vector<std::string>{});
        EXPECT_FALSE(f.surface.hasnonfinite());
        // Everything inside what both the screen and the printed page show.
        for (const RecordedOp& t : f.surface.texts()) {
            EXPECT_GE(t.x1, 0) << t.text;
            EXPECT_LE(t.x1 + t.x2, 640) << t.text;
            EXPECT_GE(t.y1, 0) << t.text;
            EXPECT_LE(t.y1 + t.y2, kFrameBottom) << t.text;
            EXPECT_GE(t.fontsize, 13) << t.text;
        }
    }
    // The delta CFF picture: bands, a colour bar, peak labels, axes.
    Pub f("cffpara");
    f.draw();
    EXPECT_GT(f.surface.count(OpKind::FillPolygon), 20u);  // one per band
    EXPECT_GT(f.surface.count(OpKind::FillBox), 20u);
    for (const char* t : {"deltaCFF", "delta CFF / rigidity (10^-6)", "0", "X (km)", "Y (km)", "20",
                          "160", "Friction: 0.3", "Depth: 0 km", "L -0.0132"})
        EXPECT_TRUE(f.has(t)) << t;
    EXPECT_FALSE(f.has("$_//  CRUSTEX  // ") || f.has("//  CRUSTEX  // "));
    EXPECT_FALSE(f.has("20km"));  // no scale bar beside the km axes
}

// A field that reaches close to the strip's top: the title gives way
// (broken before "(UD)", or smaller) instead of running into the data area.
TEST(PubPicture, TheTitleClearsAWideDataArea) {
    Pub f("uz");
    f.ws.xview1 = 190;
    f.ws.yview1 = 180;
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    const float x0 = toframex(f.pc.frame, 20), x1 = toframex(f.pc.frame, 190);
    const float y0 = toframey(f.pc.frame, 180), y1 = toframey(f.pc.frame, 20);
    ASSERT_TRUE(f.has("Displacement-Z(UD)") || (f.has("Displacement-Z") && f.has("(UD)")));
    ASSERT_TRUE(f.has("(mm)"));
    for (const RecordedOp& t : f.surface.texts()) {
        if (t.text.find("Displacement") == std::string::npos && t.text.front() != '(') continue;
        EXPECT_TRUE(t.x1 > x1 || t.x1 + t.x2 < x0 || t.y1 > y1 || t.y1 + t.y2 < y0) << t.text;
        EXPECT_GE(t.fontsize, 13) << t.text;
    }
}

TEST(PubPicture, GridsThatCannotBeColouredDrawAPlainFrameAndANote) {
    const struct {
        const char* name;
        float (*f)(int, int);
    } cases[] = {
        {"constant", [](int, int) { return 0.25f; }},
        {"no values", [](int, int) { return kNoValue; }},
        {"NaN", [](int, int) { return std::nanf(""); }},
        {"20 decades", [](int i, int j) { return std::pow(10.0f, (i - j) / 2.0f); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Pub f("uz");
        f.setgrid(&ResultGrids::uz, c.f);
        ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
        EXPECT_EQ(f.surface.count(OpKind::FillPolygon), 0u);
        EXPECT_EQ(f.surface.count(OpKind::FillBox), 0u);  // no colour bar
        EXPECT_TRUE(f.has("X (km)") && f.has("Displacement-Z(UD)"));
        ASSERT_FALSE(f.host.statuses.empty());
        EXPECT_NE(f.host.statuses.back(), "");
        EXPECT_FALSE(f.surface.hasnonfinite());
    }
}

TEST(PubPicture, VectorsGetHeadsAndTheLegendItsUnit) {
    Pub f("displacement");
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    // One head per arrow on the grid plus the legend's.
    const auto heads = f.surface.ofkind(OpKind::FillPolygon);
    EXPECT_GT(heads.size(), 300u);
    for (const auto& h : heads) EXPECT_EQ(h.points.size(), 3u);
    EXPECT_TRUE(f.has("0.1 mm"));
    EXPECT_EQ(f.surface.count(OpKind::Circle), 0u);  // no tail dots
    f.ws.quantitykey = "tilt1";
    f.surface.clearlog();
    f.draw();
    EXPECT_TRUE(f.has("0.1 micro rad"));
}

// The default map range with the field over the whole map, as the map
// dialog leaves it: a rectangle inside the range's conic outline.
TEST(PubPicture, MapPicturesGetLatitudeAndLongitudeAxesOutsideTheFrame) {
    Pub f("cffpara");
    f.ws.needmap = true;
    f.ws.obsdepth = 10;
    f.ws.xgrid = f.ws.ygrid = 30;
    // The shipped map beside the test data.
    if (const char* data = std::getenv("CRUSTEX_TEST_DATA"))
        f.ws.mappath = std::string(data) + "/../../map/";
    ASSERT_TRUE(setprojection(f.proj, f.ws) && rebasefield(f.ws, f.proj, f.pc.frame));
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    const float left = toframex(f.pc.frame, f.ws.xview0), right = toframex(f.pc.frame, f.ws.xview1);
    const float top = toframey(f.pc.frame, f.ws.yview1), bottom = toframey(f.pc.frame, f.ws.yview0);

    // The map in greys, cut to the data area; its own labels and scale bar
    // left to the axes and the distance bar.
    const auto coast = f.surface.linesofcolor(Rgb{55, 55, 55});
    EXPECT_GT(coast.size(), 100u);
    for (const RecordedOp& l : coast)
        for (const auto& [x, y] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}})
            ASSERT_TRUE(x >= left - 1e-3f && x <= right + 1e-3f && y >= top - 1e-3f &&
                        y <= bottom + 1e-3f);
    EXPECT_FALSE(f.has(" 35") || f.has(" 135") || f.has("X (km)"));
    // The bands fill the data area to its frame on every side.
    float bx0 = 1e9f, bx1 = -1e9f, by0 = 1e9f, by1 = -1e9f;
    for (const RecordedOp& p : f.surface.ofkind(OpKind::FillPolygon)) {
        for (const FramePoint& q : p.points) {
            bx0 = std::min(bx0, q.x), bx1 = std::max(bx1, q.x);
            by0 = std::min(by0, q.y), by1 = std::max(by1, q.y);
        }
    }
    EXPECT_NEAR(bx0, left, 1e-3);
    EXPECT_NEAR(bx1, right, 1e-3);
    EXPECT_NEAR(by0, top, 1e-3);
    EXPECT_NEAR(by1, bottom, 1e-3);

    // At least three labels on each axis, all outside the frame; every
    // text but the peak labels off the data area, none touching another,
    // all inside what both the screen and the page show.
    const FrameView view = pictureview(f.ws);
    const FramePoint shown0 = nominaltoview(view, 0, 0), shown1 = nominaltoview(view, 640, 505);
    int west = 0, south = 0;
    for (const RecordedOp& t : f.surface.texts()) {
        const bool peak = t.text.starts_with("H ") || t.text.starts_with("L ");
        EXPECT_TRUE(peak || t.x1 >= right || t.x1 + t.x2 <= left || t.y1 >= bottom ||
                    t.y1 + t.y2 <= top)
            << t.text;
        EXPECT_TRUE(t.x1 >= shown0.x && t.x1 + t.x2 <= shown1.x && t.y1 >= shown0.y &&
                    t.y1 + t.y2 <= shown1.y)
            << t.text;
        west += t.x1 + t.x2 <= left;
        south += t.y1 >= bottom && t.x1 + t.x2 < shown1.x - 100;
    }
    EXPECT_GE(west, 3);
    EXPECT_GE(south, 3);
    for (const char* t : {"34\xC2\xB0N", "35\xC2\xB0N",
                          "135\xC2\xB0"
                          "E",
                          "136\xC2\xB0"
                          "E",
                          "30\xE2\x80\xB2", "Depth: 10 km", "20 km"})
        EXPECT_TRUE(f.has(t)) << t;
    EXPECT_EQ(overlapping(f.surface, 1), std::vector<std::string>{});
}

}  // namespace
}  // namespace crustex
