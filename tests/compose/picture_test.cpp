#include "compose/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "plot/plottestutil.h"

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
    // Indices of the screen operations that pass the test.
    std::vector<long> where(const std::function<bool(const RecordedOp&)>& test) const {
        std::vector<long> found;
        const auto& ops = surface.ops();
        for (std::size_t n = 0; n < ops.size(); ++n)
            if (test(ops[n])) found.push_back(static_cast<long>(n));
        return found;
    }
    long textindex(const std::string& t) const {
        const auto n =
            where([&](const RecordedOp& o) { return o.kind == OpKind::Text && o.text == t; });
        return n.empty() ? -1 : n.front();
    }
    long firstline(Rgb color) const {
        const auto n =
            where([&](const RecordedOp& o) { return o.kind == OpKind::Line && o.color == color; });
        return n.empty() ? -1 : n.front();
    }
    // Indices of the data area frame's west and north sides.
    std::vector<long> dataframe() const {
        const float x0 = toframex(pc.frame, ws.xview0), x1 = toframex(pc.frame, ws.xview1);
        const float y0 = toframey(pc.frame, ws.yview0), y1 = toframey(pc.frame, ws.yview1);
        return where([&](const RecordedOp& o) {
            return o.kind == OpKind::Line &&
                   (test::joins(o, x0, y0, x0, y1, 1e-3f) || test::joins(o, x0, y1, x1, y1, 1e-3f));
        });
    }
    long statuscount(const std::string& s) const {
        return std::count(host.statuses.begin(), host.statuses.end(), s);
    }
};

TEST(Picture, TitleUnitAndLegendOfEachKey) {
    const struct {
        const char* key;
        const char* title;
        const char* unit;  // "" when the key has no unit line
        std::vector<std::string> legend;
    } cases[] = {
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
        SCOPED_TRACE(c.key);
        Pic f(c.key);
        ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
        const RecordedOp* title = f.surface.findtext(c.title);
        ASSERT_NE(title, nullptr);
        EXPECT_NEAR(title->x1 + title->x2, 635, 1e-3);
        EXPECT_FLOAT_EQ(title->y1, 5);
        EXPECT_EQ(title->fontsize, 10);
        if (*c.unit) {
            const RecordedOp* unit = f.surface.findtext(c.unit);
            ASSERT_NE(unit, nullptr);
            EXPECT_FLOAT_EQ(unit->y1, 20);
        }
        for (const auto& t : c.legend) EXPECT_TRUE(f.has(t)) << t;
        if (c.legend.empty()) {
            EXPECT_FALSE(f.has("+") || f.has("+: Expansion"));
        }
        EXPECT_TRUE(f.has("Depth:0km"));
    }
    // The empty key shows nothing but the overlays.
    Pic f("");
    f.draw();
    EXPECT_FALSE(f.has("Displacement-Z(UD)"));
    EXPECT_TRUE(f.has("Depth:0km"));
    EXPECT_TRUE(f.has(kSign));
}

TEST(Picture, StepsInOrder) {
    Pic f("uz");
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    const auto& ops = f.surface.ops();
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops.front().kind, OpKind::Cls);
    // Contours, then title, unit and legend, then the depth line, the data
    // frame, the sources, the scale bar and last the signature.
    const auto frame = f.dataframe();
    ASSERT_FALSE(frame.empty());
    const std::vector<long> order = {f.firstline(f.pc.palette.possubcontour),
                                     f.textindex("Displacement-Z(UD)"),
                                     f.textindex("(mm)"),
                                     f.textindex("+"),
                                     f.textindex("Depth:0km"),
                                     frame.front(),
                                     frame.back(),
                                     f.firstline(f.pc.palette.source),
                                     f.textindex("20km"),
                                     f.textindex(kSign)};
    EXPECT_GT(order.front(), 0);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_EQ(order.back(), static_cast<long>(ops.size()) - 1);

    const RecordedOp& sig = ops.back();
    EXPECT_TRUE(sig.italic);
    EXPECT_EQ(sig.color, kSignatureScreenColor);
    EXPECT_NEAR(sig.x1 + sig.x2, 640, 1e-3);
    EXPECT_NEAR(sig.y1 + sig.y2, 505, 1e-3);
    EXPECT_FALSE(f.surface.FontItalic());
    EXPECT_EQ(f.surface.ForeColor, kBlack);
    // Menus locked for the whole picture, the grid evaluated once.
    const auto& menus = f.host.menuChanges;
    EXPECT_TRUE(menus.size() >= 2 && !menus.front() && menus.back());
    EXPECT_EQ(std::count(menus.begin(), menus.end(), true), 1);
    EXPECT_FALSE(f.ws.gridstale);
    EXPECT_EQ(f.ws.grids.nodex.size(), 9u);
    EXPECT_FALSE(f.surface.hasnonfinite());
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
        EXPECT_EQ(!f.dataframe().empty(), c.frame);
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
    EXPECT_FALSE(f.dataframe().empty());
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

}  // namespace
}  // namespace crustex
