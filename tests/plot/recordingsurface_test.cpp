#include "plot/recordingsurface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace crustex {
namespace {

class FakePicture : public Picture {
public:
    int width() const override { return 64; }
    int height() const override { return 51; }
};

TEST(RecordingSurface, KeepsResolvedStateOfEachOperation) {
    RecordingSurface s;
    s.ForeColor = {10, 20, 30};
    s.DrawWidth = 2;
    s.drawMode = DrawMode::NotXorPen;
    s.drawStyle = DrawStyle::Dot;
    s.setAutoRedraw(false);
    s.Line(1, 2, 3, 4);
    s.DrawWidth = 1;
    s.drawMode = DrawMode::MaskPen;
    s.drawStyle = DrawStyle::Solid;
    s.setAutoRedraw(true);
    s.Line(5, 6, 7, 8, Rgb{255, 0, 0});
    ASSERT_EQ(s.lines().size(), 2u);
    const RecordedOp a = s.lines()[0], b = s.lines()[1];
    EXPECT_EQ(a.color, (Rgb{10, 20, 30}));
    EXPECT_FALSE(a.explicitcolor);
    EXPECT_EQ(a.width, 2);
    EXPECT_EQ(a.mode, DrawMode::NotXorPen);
    EXPECT_EQ(a.style, DrawStyle::Dot);
    EXPECT_FALSE(a.autoredraw);
    EXPECT_EQ(b.color, (Rgb{255, 0, 0}));
    EXPECT_TRUE(b.explicitcolor);
    EXPECT_EQ(b.width, 1);
    EXPECT_EQ(b.mode, DrawMode::MaskPen);
    EXPECT_TRUE(b.autoredraw);
    EXPECT_EQ(s.linesofcolor({255, 0, 0}).size(), 1u);
}

TEST(RecordingSurface, LineToContinuesAndLineRelIsRelative) {
    RecordingSurface s;
    s.Line(10, 10, 20, 30);
    s.LineTo(40, 50);
    s.LineRel(1, 1, 5, -5);
    const auto l = s.lines();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[1].x1, 20);
    EXPECT_EQ(l[1].y1, 30);
    EXPECT_EQ(l[1].x2, 40);
    EXPECT_EQ(l[2].x2, 6);
    EXPECT_EQ(l[2].y2, -4);
}

TEST(RecordingSurface, PrintAdvancesAndMeasuresDeterministically) {
    RecordingSurface s;
    s.setFontSize(10);
    s.setFontItalic(true);
    s.CurrentX = 100;
    s.CurrentY = 7;
    EXPECT_FLOAT_EQ(s.TextWidth("abc"), 15);
    EXPECT_FLOAT_EQ(s.TextHeight("abc"), 15);
    EXPECT_FLOAT_EQ(s.TextWidth("\xC2\xB5m"), 10);  // two characters in UTF-8
    s.Print("abc");
    EXPECT_FLOAT_EQ(s.CurrentX, 115);
    s.Print("d");
    const auto t = s.texts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].x1, 115);
    EXPECT_TRUE(t[0].italic);
    EXPECT_EQ(t[0].fontsize, 10);
    EXPECT_EQ(s.textstrings(), (std::vector<std::string>{"abc", "d"}));
}

TEST(RecordingSurface, ClsSplitsTheLogAndPictureKeepsItsSize) {
    RecordingSurface s;
    s.Line(0, 0, 1, 1);
    s.Cls();
    s.PaintPicture(FakePicture{}, 0, 0, 640, 510);
    s.Circle(1, 2, 3);
    s.PSet(4, 5);
    EXPECT_EQ(s.ops().size(), 5u);
    const auto since = s.sincecls();
    ASSERT_EQ(since.size(), 3u);
    EXPECT_EQ(since[0].kind, OpKind::Picture);
    EXPECT_EQ(since[0].picturewidth, 64);
    EXPECT_EQ(since[0].x2, 640);
    EXPECT_EQ(s.count(OpKind::Circle), 1u);
    EXPECT_FALSE(s.hasnonfinite());
    s.Line(0, NAN, 1, 1);
    EXPECT_TRUE(s.hasnonfinite());
}

}  // namespace
}  // namespace crustex
