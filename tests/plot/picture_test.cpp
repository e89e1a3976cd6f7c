#include "plot/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "plot/plotframe.h"
#include "plot/recordingsurface.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

struct PictureFixture {
    WorkState ws;
    RecordingSurface screen;
    RecordingSurface printer;
    PlotContext pc;
    test::ScriptedHost host;

    explicit PictureFixture(const std::string& key) {
        setdefaults(ws, "/tmp");
        ws.xgrid = ws.ygrid = 8;
        ws.quantitykey = key;
        pc.screen = pc.target = &screen;
        setplotframe(pc.frame, ws.rwidth);
        setcolormode(pc.palette, "nomap");
    }
    PictureOutcome draw(const char* target = "screen") {
        PictureInputs in;
        in.printer = &printer;
        return drawpicture(ws, pc, host, target, in);
    }
    std::vector<std::string> texts(const RecordingSurface& s) const { return s.textstrings(); }
    bool hastext(const std::string& t, const RecordingSurface* s = nullptr) const {
        return (s ? s : &screen)->findtext(t) != nullptr;
    }
    // Index of the first operation that is a text equal to t (or -1).
    long textindex(const std::string& t) const {
        const auto& ops = screen.ops();
        for (std::size_t n = 0; n < ops.size(); ++n)
            if (ops[n].kind == OpKind::Text && ops[n].text == t) return static_cast<long>(n);
        return -1;
    }
    // Indices of the data area frame's four sides.
    std::vector<long> dataframeindices() const {
        const float x0 = toframex(pc.frame, ws.xview0), x1 = toframex(pc.frame, ws.xview1);
        const float y0 = toframey(pc.frame, ws.yview0), y1 = toframey(pc.frame, ws.yview1);
        std::vector<long> found;
        const auto& ops = screen.ops();
        for (std::size_t n = 0; n < ops.size(); ++n) {
            const auto& o = ops[n];
            if (o.kind != OpKind::Line) continue;
            auto near = [](float a, float b) { return std::abs(a - b) < 1e-3f; };
            const bool west =
                near(o.x1, x0) && near(o.x2, x0) && ((near(o.y1, y0) && near(o.y2, y1)));
            const bool north = near(o.y1, y1) && near(o.y2, y1) && near(o.x1, x0) && near(o.x2, x1);
            if (west || north) found.push_back(static_cast<long>(n));
        }
        return found;
    }
};

TEST(Picture, TitleUnitAndLegendOfEachKey) {
    struct Case {
        const char* key;
        const char* title;
        const char* unit;  // "" when the key has no unit line
        std::vector<std::string> legend;
    };
    const Case cases[] = {
        {"ux", "Displacement-X(~EW)", "(mm)", {"+", "-"}},
        {"uy", "Displacement-Y(~NS)", "(mm)", {"+", "-"}},
        {"uz", "Displacement-Z(UD)", "(mm)", {"+", "-"}},
        {"sxx", "Strain-XX", "(micro str)", {"+: Expansion", "-: Contraction"}},
        {"syy", "Strain-YY", "(micro str)", {"+: Expansion", "-: Contraction"}},
        {"szz", "Strain-ZZ", "(micro str)", {"+: Expansion", "-: Contraction"}},
        {"sxy", "Strain-XY", "(micro str)", {"+", "-"}},
        {"syz", "Strain-YZ", "(micro str)", {"+", "-"}},
        {"szx", "Strain-ZX", "(micro str)", {"+", "-"}},
        {"cmpdispl", "Composite Displacement", "(mm)", {"+", "-"}},
        {"cmpstrain", "Composite Strain", "(micro str)", {"+", "-"}},
        {"arealstrain", "Dilatant Strain", "(micro str)", {"+: Dilatation", "-: Contraction"}},
        {"volstrain", "Volumetric Strain", "(micro str)", {"+: Dilatation", "-: Contraction"}},
        {"maxshear", "Maximum Shear Strain", "(micro str)", {}},
        {"cffpara",
         "deltaCFF",
         "(10E-6)",
         {"I Friction: 0.3", "+", "-", "strike : 0", "dip    : 90", "rake   : 0"}},
        {"displacement", "Displacement", "", {"0.1mm"}},
        {"tilt1", "Tilt", "", {"0.1 micro rad"}},
        {"tilt2", "Tilt", "", {"0.1 micro rad"}},
        {"principal", "Principal Strain", "", {"Expansion ", "Contraction", "0.1 micro str"}},
    };
    for (const auto& c : cases) {
        PictureFixture f(c.key);
        ASSERT_EQ(f.draw(), PictureOutcome::Drawn) << c.key;
        const RecordedOp* title = f.screen.findtext(c.title);
        ASSERT_NE(title, nullptr) << c.key;
        EXPECT_NEAR(title->x1 + title->x2, 635, 1e-3) << c.key;
        EXPECT_FLOAT_EQ(title->y1, 5) << c.key;
        EXPECT_EQ(title->fontsize, 10);
        if (*c.unit) {
            const RecordedOp* unit = f.screen.findtext(c.unit);
            ASSERT_NE(unit, nullptr) << c.key;
            EXPECT_FLOAT_EQ(unit->y1, 20) << c.key;
        }
        for (const auto& t : c.legend) EXPECT_TRUE(f.hastext(t)) << c.key << ": " << t;
        if (c.legend.empty()) {
            EXPECT_FALSE(f.hastext("+")) << c.key;
            EXPECT_FALSE(f.hastext("+: Expansion")) << c.key;
        }
        EXPECT_TRUE(f.hastext("Depth:0km")) << c.key;
    }
    // The empty key shows nothing but the overlays.
    PictureFixture f("");
    f.draw();
    EXPECT_FALSE(f.hastext("Displacement-Z(UD)"));
    EXPECT_TRUE(f.hastext("Depth:0km"));
    EXPECT_TRUE(f.hastext("//  CRUSTEX  // "));
}

TEST(Picture, StepsInOrder) {
    PictureFixture f("uz");
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    const auto& ops = f.screen.ops();
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops.front().kind, OpKind::Cls);
    // Contours, then title, unit and legend, then the depth line, the data
    // frame, the sources, the scale bar and last the signature.
    long firstcontour = -1;
    for (std::size_t n = 0; n < ops.size() && firstcontour < 0; ++n)
        if (ops[n].kind == OpKind::Line && ops[n].color == f.pc.palette.possubcontour)
            firstcontour = static_cast<long>(n);
    const long title = f.textindex("Displacement-Z(UD)");
    const long unit = f.textindex("(mm)");
    const long legend = f.textindex("+");
    const long depth = f.textindex("Depth:0km");
    const auto frame = f.dataframeindices();
    long source = -1;
    for (std::size_t n = 0; n < ops.size() && source < 0; ++n)
        if (ops[n].kind == OpKind::Line && ops[n].color == f.pc.palette.source)
            source = static_cast<long>(n);
    const long scalebar = f.textindex("20km");
    const long signature = f.textindex("//  CRUSTEX  // ");
    ASSERT_GT(firstcontour, 0);
    ASSERT_FALSE(frame.empty());
    EXPECT_LT(firstcontour, title);
    EXPECT_LT(title, unit);
    EXPECT_LT(unit, legend);
    EXPECT_LT(legend, depth);
    EXPECT_LT(depth, frame.front());
    EXPECT_LT(frame.back(), source);
    EXPECT_LT(source, scalebar);
    EXPECT_LT(scalebar, signature);
    EXPECT_EQ(signature, static_cast<long>(ops.size()) - 1);

    const RecordedOp& sig = ops.back();
    EXPECT_TRUE(sig.italic);
    EXPECT_EQ(sig.color, kSignatureScreenColor);
    EXPECT_NEAR(sig.x1 + sig.x2, 640, 1e-3);
    EXPECT_NEAR(sig.y1 + sig.y2, 505, 1e-3);
    EXPECT_FALSE(f.screen.FontItalic());
    EXPECT_EQ(f.screen.ForeColor, kBlack);
    // Menus locked for the whole picture, the grid evaluated once.
    EXPECT_EQ(f.host.menuChanges.front(), false);
    EXPECT_EQ(f.host.menuChanges.back(), true);
    EXPECT_TRUE(std::none_of(f.host.menuChanges.begin() + 1, f.host.menuChanges.end() - 1,
                             [](bool b) { return b; }));
    EXPECT_FALSE(f.ws.gridstale);
    EXPECT_EQ(f.ws.grids.nodex.size(), 9u);
    EXPECT_FALSE(f.screen.hasnonfinite());
}

TEST(Picture, ResultsAreKeptUntilStale) {
    PictureFixture f("cffpara");
    f.draw();
    EXPECT_FALSE(f.ws.gridstale);
    EXPECT_FALSE(f.ws.cffstale);
    auto evaluations = [&] {
        return std::count(f.host.statuses.begin(), f.host.statuses.end(),
                          std::string(" Calcurating Strains(Ctrl-Q to Abort)"));
    };
    EXPECT_EQ(evaluations(), 1);
    f.draw();
    EXPECT_EQ(evaluations(), 1);
    EXPECT_EQ(
        std::count(f.host.statuses.begin(), f.host.statuses.end(), std::string(" Calcurating CFF")),
        1);
    markgridstale(f.ws);
    f.draw();
    EXPECT_EQ(evaluations(), 2);
    // A new grid always gets its delta CFF again, even when only the grid
    // was marked out of date.
    f.ws.gridstale = true;
    f.screen.clearlog();
    f.draw();
    EXPECT_EQ(evaluations(), 3);
    EXPECT_EQ(
        std::count(f.host.statuses.begin(), f.host.statuses.end(), std::string(" Calcurating CFF")),
        3);
    EXPECT_FALSE(f.screen.linesofcolor(f.pc.palette.possubcontour).empty());
}

TEST(Picture, ScaleBarOnlyWithoutMap) {
    for (bool needmap : {false, true}) {
        PictureFixture f("uz");
        f.ws.needmap = needmap;
        f.draw();
        EXPECT_EQ(f.hastext("20km"), !needmap) << needmap;
        EXPECT_EQ(f.pc.colormode, needmap ? "map" : "nomap");
        Palette want;
        setcolormode(want, needmap ? "map" : "nomap");
        EXPECT_EQ(f.pc.palette.source, want.source);
    }
}

TEST(Picture, ArrowsFollowShowGridData) {
    struct Case {
        const char* key;
        bool checked;
        bool glyphs, frame;
    };
    const Case cases[] = {
        {"displacement", false, false, false}, {"displacement", true, true, true},
        {"tilt1", false, false, false},        {"principal", false, false, true},
        {"principal", true, true, true},
    };
    for (const auto& c : cases) {
        PictureFixture f(c.key);
        f.ws.showgriddatachecked = c.checked;
        f.draw();
        // Glyph bars: lines of the negative colour away from the legend strip.
        long bars = 0;
        for (const auto& l : f.screen.linesofcolor(f.pc.palette.negative))
            if (l.x1 < 560) ++bars;
        EXPECT_EQ(bars > 0, c.glyphs) << c.key << " " << c.checked;
        EXPECT_EQ(!f.dataframeindices().empty(), c.frame) << c.key << " " << c.checked;
        // Legend, title, sources and scale bar are there either way.
        EXPECT_TRUE(f.hastext(std::string(findquantity(c.key)->title))) << c.key;
        EXPECT_FALSE(f.screen.linesofcolor(f.pc.palette.source).empty()) << c.key;
        EXPECT_TRUE(f.hastext("20km")) << c.key;
    }
}

TEST(Picture, BlackAndWhitePrintLeavesTheScreenAlone) {
    for (bool needmap : {false, true}) {
        PictureFixture f("uz");
        f.ws.needmap = needmap;
        f.ws.bnwmode = true;
        setcolormode(f.pc.palette, needmap ? "map" : "nomap");
        const Palette before = f.pc.palette;
        ASSERT_EQ(f.draw("printer"), PictureOutcome::Drawn);
        // Everything went to the printer, in the black-and-white palette.
        EXPECT_EQ(f.screen.ops().size(), 0u);
        EXPECT_EQ(f.printer.count(OpKind::Cls), 0u);
        Palette bnw;
        setcolormode(bnw, "bnw");
        EXPECT_FALSE(f.printer.linesofcolor(bnw.possubcontour).empty());
        EXPECT_TRUE(f.printer.linesofcolor(before.possubcontour).empty());
        const RecordedOp* sig = f.printer.findtext("//  CRUSTEX  // ");
        ASSERT_NE(sig, nullptr);
        EXPECT_EQ(sig->color, kBlack);
        // The screen is the target again, with its palette as before.
        EXPECT_EQ(f.pc.target, &f.screen);
        EXPECT_EQ(f.pc.palette.possubcontour, before.possubcontour);
        EXPECT_EQ(f.pc.palette.source, before.source);
        EXPECT_EQ(f.pc.palette.coast, before.coast);
    }
    // A colour print keeps the colours.
    PictureFixture f("uz");
    f.draw("printer");
    EXPECT_FALSE(f.printer.linesofcolor(f.pc.palette.possubcontour).empty());
    // No printer surface: nothing happens at all.
    PictureFixture g("uz");
    EXPECT_EQ(drawpicture(g.ws, g.pc, g.host, "printer"), PictureOutcome::NoTarget);
    EXPECT_TRUE(g.host.menuChanges.empty());
    EXPECT_TRUE(g.ws.gridstale);
}

TEST(Picture, AbortedEvaluationDrawsOnlyOverlaysAndIsRetried) {
    PictureFixture f("uz");
    f.host.answers = {MsgAnswer::Ok};
    f.host.onProcessEvents = [&](int n) {
        if (n == 2) f.ws.abortflag = true;
    };
    EXPECT_EQ(f.draw(), PictureOutcome::EvaluationAborted);
    EXPECT_TRUE(f.ws.gridstale);
    EXPECT_EQ(f.screen.count(OpKind::Cls), 0u);  // the old picture stays
    EXPECT_FALSE(f.hastext("Displacement-Z(UD)"));
    EXPECT_FALSE(f.hastext("Depth:0km"));
    EXPECT_TRUE(f.screen.linesofcolor(f.pc.palette.possubcontour).empty());
    EXPECT_FALSE(f.dataframeindices().empty());
    EXPECT_FALSE(f.screen.linesofcolor(f.pc.palette.source).empty());
    EXPECT_TRUE(f.hastext("20km"));
    EXPECT_EQ(f.screen.ops().back().text, "//  CRUSTEX  // ");
    EXPECT_TRUE(f.host.menusEnabled);

    // The next picture evaluates again and draws everything.
    f.host.onProcessEvents = nullptr;
    f.screen.clearlog();
    EXPECT_EQ(f.draw(), PictureOutcome::Drawn);
    EXPECT_FALSE(f.ws.gridstale);
    EXPECT_TRUE(f.hastext("Displacement-Z(UD)"));
    EXPECT_FALSE(f.screen.linesofcolor(f.pc.palette.possubcontour).empty());
}

TEST(Picture, QuantityKeysPickTheirGrids) {
    EXPECT_EQ(findquantity(""), nullptr);
    EXPECT_EQ(findquantity("UZ"), nullptr);
    EXPECT_EQ(findquantity("uz")->grid, &ResultGrids::uz);
    EXPECT_EQ(findquantity("sxx")->grid, &ResultGrids::duxdx);
    EXPECT_EQ(findquantity("tilt1")->second, &ResultGrids::duydz);
    EXPECT_EQ(findquantity("tilt2")->grid, &ResultGrids::duzdx);
}

}  // namespace
}  // namespace crustex
