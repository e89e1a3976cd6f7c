#include "plot/textplace.h"

#include <gtest/gtest.h>

#include "plot/plotcontext.h"
#include "plot/recordingsurface.h"

namespace crustex {
namespace {

constexpr float kW = RecordingSurface::kCharWidth;
constexpr float kH = RecordingSurface::kLineHeight;

enum class Which { Left, Right, Center };

struct PlaceRow {
    Which which;
    const char* text;
    float size;
    const char* printed;
    float left;  // expected CurrentX at print
    float top;   // expected CurrentY at print
};

TEST(TextPlace, MarkersAndAlignment) {
    const float x = 300, y = 200;
    const PlaceRow rows[] = {
        {Which::Left, "abc", 10, "abc", x, y},
        {Which::Right, "abc", 10, "abc", x - 3 * kW * 10, y},
        {Which::Center, "abcd", 8, "abcd", x - 4 * kW * 8 / 2, y},
        {Which::Left, "$-H", 10, "H", x, y - kH * 10 / 2},
        {Which::Right, "$-L", 10, "L", x - 1 * kW * 10, y - kH * 10 / 2},
        {Which::Center, "$-+", 15, "+", x - kW * 15 / 2, y - kH * 15 / 2},
        {Which::Right, "$_//  CRUSTEX  // ", 10, "//  CRUSTEX  // ", x - 16 * kW * 10, y - kH * 10},
        {Which::Left, "$_", 10, "", x, y - kH * 10},
        // Only a leading marker counts; other "$" texts print whole.
        {Which::Left, "a$-b", 10, "a$-b", x, y},
        {Which::Right, "$x12", 10, "$x12", x - 4 * kW * 10, y},
        {Which::Center, "$", 10, "$", x - kW * 10 / 2, y},
        {Which::Left, "", 10, "", x, y},
    };
    for (const PlaceRow& r : rows) {
        SCOPED_TRACE(r.text);
        RecordingSurface s;
        PlotContext pc;
        pc.screen = pc.target = &s;
        s.setFontSize(3);
        switch (r.which) {
            case Which::Left: printtextleft(pc, x, y, r.text, r.size); break;
            case Which::Right: printtextright(pc, x, y, r.text, r.size); break;
            case Which::Center: printtextcenter(pc, x, y, r.text, r.size); break;
        }
        ASSERT_EQ(s.texts().size(), 1u);
        const RecordedOp t = s.texts()[0];
        EXPECT_EQ(t.text, r.printed);
        EXPECT_FLOAT_EQ(t.x1, r.left);
        EXPECT_FLOAT_EQ(t.y1, r.top);
        EXPECT_EQ(t.fontsize, r.size);
        EXPECT_EQ(s.FontSize(), r.size);
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
    ASSERT_FALSE(s.heights.empty());
    EXPECT_EQ(s.heights.front(), "$-Lx");
    ASSERT_FALSE(s.widths.empty());
    EXPECT_EQ(s.widths.front(), "Lx");
    const RecordedOp* t = s.findtext("Lx");
    ASSERT_NE(t, nullptr);
    EXPECT_FLOAT_EQ(t->y1, 50 - 4.0f / 2);
    EXPECT_FLOAT_EQ(t->x1 + t->x2, 100);  // right edge on x
}

}  // namespace
}  // namespace crustex
