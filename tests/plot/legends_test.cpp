#include "plot/legends.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "model/workstate.h"
#include "plot/griddataline.h"
#include "plot/plottestutil.h"
#include "plot/recordingsurface.h"
#include "plot/scalebar.h"
#include "plot/textplace.h"

namespace crustex {
namespace {

using test::kCharW;
using test::kLineH;

// The text's top-left corner, colour and size.
void expecttext(const RecordingSurface& s, const char* text, Rgb color, float left, float top,
                float size) {
    SCOPED_TRACE(text);
    const RecordedOp* t = s.findtext(text);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->color, color);
    EXPECT_FLOAT_EQ(t->x1, left);
    EXPECT_FLOAT_EQ(t->y1, top);
    EXPECT_EQ(t->fontsize, size);
}

// In black and white, where the sign colours are not the sub-contours'.
TEST(Legends, SignLegendsPlaceAndColourEachLine) {
    using Legend = void (*)(PlotContext&);
    test::Canvas f("bnw");
    RecordingSurface& s = f.surface;
    const Rgb pos = f.pc.palette.positive, neg = f.pc.palette.negative;
    s.ForeColor = {9, 9, 9};
    showpm(f.pc);
    // The "-" is larger than the "+"; both centred on their points.
    expecttext(s, "+", pos, 580 - kCharW * 15 / 2, 80 - kLineH * 15 / 2, 15);
    expecttext(s, "-", neg, 580 - kCharW * 20 / 2, 95 - kLineH * 20 / 2, 20);
    const auto l = s.lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_TRUE(l[0].color == pos && test::joins(l[0], 590, 80, 630, 80));
    EXPECT_TRUE(l[1].color == neg && test::joins(l[1], 590, 95, 630, 95));
    EXPECT_EQ(s.ForeColor, kBlack);

    for (auto [fn, plus] :
         {std::pair<Legend, const char*>{showdc, "+: Dilatation"}, {showec, "+: Expansion"}}) {
        s.clearlog();
        s.ForeColor = {9, 9, 9};
        fn(f.pc);
        ASSERT_EQ(s.texts().size(), 2u);
        expecttext(s, plus, pos, 635 - kCharW * 10 * strlen(plus), 80, 10);
        expecttext(s, "-: Contraction", neg, 635 - kCharW * 10 * 14, 95, 10);
        EXPECT_EQ(s.ForeColor, kBlack);
    }
}

// Its place is pinned by the default delta CFF picture.
TEST(Legends, ReceiverAnnotation) {
    test::Canvas f;
    showreceiver(f.pc, 35.5f, 90, -90);
    EXPECT_EQ(f.surface.textstrings(),
              (std::vector<std::string>{"strike : 35.5", "dip    : 90", "rake   : -90"}));
}

TEST(GridDataText, EachKeyReadsItsGrids) {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.xgrid = ws.ygrid = 2;
    redimsub(ws);
    ResultGrids& g = ws.grids;
    Grid2D* grids[] = {&g.ux,    &g.uy,    &g.uz,    &g.duxdx, &g.cff,   &g.composite,
                       &g.duxdz, &g.duydz, &g.duzdx, &g.duzdy, &g.areal, &g.maxshear};
    const float values[] = {1.234f, -56.78f, 250.4f, 0.00123f, -3.5f, 12, 2, 3, 4, 5, 10, 4};
    for (int k = 0; k < 12; ++k) (*grids[k])(1, 2) = values[k];
    auto text = [&](const char* key, int i = 1, int j = 2) {
        ws.quantitykey = key;
        return griddatatext(ws, i, j);
    };
    std::string got;
    for (const char* key :
         {"ux", "uy", "uz", "sxx", "cffpara", "cmpdispl", "cmpstrain", "displacement", "tilt1",
          "tilt2", "principal", "maxshear", "", "nonsense"})
        got.append("[").append(text(key)).append("]");
    EXPECT_EQ(
        got,
        "[ 1.23][ -56.8][ 250][ 1.23E-3][ -3.5][ 12.][ 12.][ Ux=1.23 Uy=-56.8][ Uxz=2. Uyz=3.]"
        "[ Uzx=4. Uzy=5.][ Max=7. Min=3.][ 4.][][]");

    // A node without value, or outside the grid, gives nothing.
    EXPECT_EQ(text("ux", 3, 0), "");
    EXPECT_EQ(text("ux", -1, 0), "");
    EXPECT_EQ(text("ux", 0, 0), " 0");
    g.cff(1, 2) = kNoValue;
    EXPECT_EQ(text("cffpara"), "");
    g.ux(1, 2) = kNoValue;
    EXPECT_EQ(text("uz"), "");
    EXPECT_EQ(text("displacement"), "");
    WorkState empty;
    empty.quantitykey = "ux";
    EXPECT_EQ(griddatatext(empty, 0, 0), "");
}

TEST(ScaleBar, StepsLengthsPathAndLabel) {
    const struct {
        float width, km, length;
        const char* label;
    } rows[] = {
        {100, 10, 64, "10km"},          {40, 5, 80, "5km"},           {20, 2, 64, "2km"},
        {240, 20, 640.0f / 12, "20km"}, {1000, 100, 64, "100km"},     {10, 1, 64, "1km"},
        {2, 0.2f, 64, "0.2km"},         {70, 10, 640.0f / 7, "10km"}, {1, 0.1f, 64, "0.1km"},
        {0.5f, 0.05f, 64, "0.05km"},    {10000, 1000, 64, "1000km"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.width);
        ScaleBar bar;
        ASSERT_TRUE(scalebarfor(r.width, bar));
        EXPECT_FLOAT_EQ(bar.km, r.km);
        EXPECT_NEAR(bar.length, r.length, 1e-3f);
        test::Canvas c;
        c.surface.ForeColor = {1, 2, 3};
        drawscalebar(c.pc, r.width);
        const auto l = c.surface.lines();
        ASSERT_EQ(l.size(), 3u);
        const float top = 440 - r.length;
        EXPECT_TRUE(test::joins(l[0], 595, 440, 590, 440, 1e-3f));
        EXPECT_TRUE(test::joins(l[1], 590, 440, 590, top, 1e-3f));
        EXPECT_TRUE(test::joins(l[2], 590, top, 595, top, 1e-3f));
        for (const auto& op : l) EXPECT_EQ(op.color, kBlack);
        const RecordedOp* zero = c.surface.findtext("0");
        const RecordedOp* label = c.surface.findtext(r.label);
        ASSERT_NE(zero, nullptr);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(zero->x1 == 596 && zero->y1 == 434);
        EXPECT_EQ(label->x1, 596);
        EXPECT_NEAR(label->y1, top - 6, 1e-3f);
        EXPECT_EQ(label->fontsize, 10);
        EXPECT_EQ(label->color, kBlack);
    }
    // Just below a decade: 1 <= u < 10 still holds.
    ScaleBar bar;
    ASSERT_TRUE(scalebarfor(66.666664f, bar));
    EXPECT_TRUE(bar.length > 0 && bar.length <= 96);
    for (float w : {0.0f, -10.0f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()}) {
        test::Canvas c;
        drawscalebar(c.pc, w);
        EXPECT_TRUE(c.surface.ops().empty()) << w;
    }
}

TEST(TextPlace, MarkersAndAlignment) {
    enum Which { Left, Right, Center };
    const float x = 300, y = 200;
    const struct {
        Which which;
        const char* text;
        float size;
        const char* printed;
        float left, top;  // expected CurrentX and CurrentY at print
    } rows[] = {
        {Left, "abc", 10, "abc", x, y},
        {Right, "abc", 10, "abc", x - 3 * kCharW * 10, y},
        {Center, "abcd", 8, "abcd", x - 4 * kCharW * 8 / 2, y},
        {Left, "$-H", 10, "H", x, y - kLineH * 10 / 2},
        {Right, "$-L", 10, "L", x - 1 * kCharW * 10, y - kLineH * 10 / 2},
        {Center, "$-+", 15, "+", x - kCharW * 15 / 2, y - kLineH * 15 / 2},
        {Right, "$_//  CRUSTEX  // ", 10, "//  CRUSTEX  // ", x - 16 * kCharW * 10,
         y - kLineH * 10},
        {Left, "$_", 10, "", x, y - kLineH * 10},
        // Only a leading marker counts; other "$" texts print whole.
        {Left, "a$-b", 10, "a$-b", x, y},
        {Right, "$x12", 10, "$x12", x - 4 * kCharW * 10, y},
        {Center, "$", 10, "$", x - kCharW * 10 / 2, y},
        {Left, "", 10, "", x, y},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        test::Canvas c;
        c.surface.setFontSize(3);
        void (*place[])(PlotContext&, float, float, std::string_view, float) = {
            printtextleft, printtextright, printtextcenter};
        place[r.which](c.pc, x, y, r.text, r.size);
        ASSERT_EQ(c.surface.texts().size(), 1u);
        const RecordedOp t = c.surface.texts()[0];
        EXPECT_EQ(t.text, r.printed);
        EXPECT_FLOAT_EQ(t.x1, r.left);
        EXPECT_FLOAT_EQ(t.y1, r.top);
        EXPECT_EQ(t.fontsize, r.size);
        EXPECT_EQ(c.surface.FontSize(), r.size);
    }
}

// A surface whose height depends on the string: the marker must be part of
// what is measured for height, and not part of what is measured for width.
class MeasuringSurface : public RecordingSurface {
public:
    float TextHeight(const std::string& text) override {
        heights.push_back(text);
        return static_cast<float>(text.size());
    }
    float TextWidth(const std::string& text) override {
        widths.push_back(text);
        return RecordingSurface::TextWidth(text);
    }
    std::vector<std::string> heights, widths;
};

TEST(TextPlace, HeightOnWholeStringWidthWithoutMarker) {
    MeasuringSurface s;
    printtextright(s, 100, 50, "$-Lx", 10);
    ASSERT_FALSE(s.heights.empty() || s.widths.empty());
    EXPECT_EQ(s.heights.front(), "$-Lx");
    EXPECT_EQ(s.widths.front(), "Lx");
    const RecordedOp* t = s.findtext("Lx");
    ASSERT_NE(t, nullptr);
    EXPECT_FLOAT_EQ(t->y1, 50 - 4.0f / 2);
    EXPECT_FLOAT_EQ(t->x1 + t->x2, 100);  // right edge on x
}

// The other plot tests read positions and colours from this log, so the
// log must resolve them as a real surface would.
TEST(RecordingSurface, ResolvesColourPenContinuationAndTextAdvance) {
    RecordingSurface s;
    s.ForeColor = {10, 20, 30};
    s.DrawWidth = 2;
    s.drawMode = DrawMode::NotXorPen;
    s.setAutoRedraw(false);
    s.Line(10, 10, 20, 30);
    s.DrawWidth = 1;
    s.setAutoRedraw(true);
    s.LineTo(40, 50, Rgb{255, 0, 0});
    const auto l = s.lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].color, (Rgb{10, 20, 30}));
    EXPECT_EQ(l[0].width, 2);
    EXPECT_FALSE(l[0].autoredraw);
    EXPECT_EQ(l[1].color, (Rgb{255, 0, 0}));
    EXPECT_TRUE(l[1].x1 == 20 && l[1].y1 == 30);
    EXPECT_EQ(l[1].width, 1);
    EXPECT_EQ(l[1].mode, DrawMode::NotXorPen);
    s.Cls();
    s.Line(0, NAN, 1, 1);
    EXPECT_EQ(s.sincecls().size(), 1u);
    EXPECT_TRUE(s.hasnonfinite());

    s.setFontSize(10);
    s.CurrentX = 100;
    EXPECT_FLOAT_EQ(s.TextWidth("\xC2\xB5m"), 10);  // two characters in UTF-8
    s.Print("abc");
    EXPECT_FLOAT_EQ(s.CurrentX, 115);
    s.Print("d");
    EXPECT_EQ(s.texts()[1].x1, 115);
}

}  // namespace
}  // namespace crustex
