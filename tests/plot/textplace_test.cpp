#include "plot/textplace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "plot/plottestutil.h"
#include "plot/recordingsurface.h"

namespace crustex {
namespace {

using test::kCharW;
using test::kLineH;

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
