#include "plot/textplace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/plottestutil.h"

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

}  // namespace
}  // namespace crustex
