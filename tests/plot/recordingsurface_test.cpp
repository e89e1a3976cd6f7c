#include "plot/recordingsurface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace crustex {
namespace {

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
