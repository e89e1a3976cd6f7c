#include "plot/legends.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/workstate.h"
#include "plot/griddataline.h"
#include "plot/recordingsurface.h"

namespace crustex {
namespace {

constexpr float kW = RecordingSurface::kCharWidth;
constexpr float kH = RecordingSurface::kLineHeight;

struct Fixture {
    RecordingSurface s;
    PlotContext pc;
    explicit Fixture(const char* mode = "nomap") {
        pc.screen = pc.target = &s;
        setcolormode(pc.palette, mode);
        s.ForeColor = {9, 9, 9};
    }
    // The text's top-left corner, colour and size.
    void expecttext(const char* text, Rgb color, float left, float top, float size) {
        SCOPED_TRACE(text);
        const RecordedOp* t = s.findtext(text);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->color, color);
        EXPECT_FLOAT_EQ(t->x1, left);
        EXPECT_FLOAT_EQ(t->y1, top);
        EXPECT_EQ(t->fontsize, size);
    }
};

TEST(Legends, SignLegendsPlaceAndColourEachLine) {
    for (const char* mode : {"nomap", "bnw"}) {
        SCOPED_TRACE(mode);
        Fixture f(mode);
        const Rgb pos = f.pc.palette.positive, neg = f.pc.palette.negative;
        showpm(f.pc);
        // The "-" is larger than the "+"; both centred on their points.
        f.expecttext("+", pos, 580 - kW * 15 / 2, 80 - kH * 15 / 2, 15);
        f.expecttext("-", neg, 580 - kW * 20 / 2, 95 - kH * 20 / 2, 20);
        const auto l = f.s.lines();
        ASSERT_EQ(l.size(), 2u);
        EXPECT_TRUE(l[0].color == pos && l[0].x1 == 590 && l[0].x2 == 630 && l[0].y1 == 80);
        EXPECT_TRUE(l[1].color == neg && l[1].x1 == 590 && l[1].x2 == 630 && l[1].y2 == 95);
        EXPECT_EQ(f.s.ForeColor, kBlack);

        using Legend = void (*)(PlotContext&);
        for (auto [fn, plus] :
             {std::pair<Legend, const char*>{showdc, "+: Dilatation"}, {showec, "+: Expansion"}}) {
            f.s.clearlog();
            f.s.ForeColor = {9, 9, 9};
            fn(f.pc);
            ASSERT_EQ(f.s.texts().size(), 2u);
            f.expecttext(plus, pos, 635 - kW * 10 * strlen(plus), 80, 10);
            f.expecttext("-: Contraction", neg, 635 - kW * 10 * 14, 95, 10);
            EXPECT_EQ(f.s.ForeColor, kBlack);
        }
    }
}

TEST(Legends, ReceiverAnnotation) {
    Fixture f;
    showreceiver(f.pc, 35.5f, 90, -90);
    const auto t = f.s.texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].text, "strike : 35.5");
    EXPECT_EQ(t[1].text, "dip    : 90");
    EXPECT_EQ(t[2].text, "rake   : -90");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(t[k].x1, 570);
        EXPECT_EQ(t[k].y1, 240 + 15 * k);
        EXPECT_EQ(t[k].fontsize, 8);
    }
}

class GridDataText : public ::testing::Test {
protected:
    void SetUp() override {
        setdefaults(ws, "/tmp");
        ws.xgrid = 2;
        ws.ygrid = 2;
        redimsub(ws);
        ResultGrids& g = ws.grids;
        g.ux(1, 2) = 1.234f;
        g.uy(1, 2) = -56.78f;
        g.uz(1, 2) = 250.4f;
        g.duxdx(1, 2) = 0.00123f;
        g.cff(1, 2) = -3.5f;
        g.composite(1, 2) = 12;
        g.duxdz(1, 2) = 2;
        g.duydz(1, 2) = 3;
        g.duzdx(1, 2) = 4;
        g.duzdy(1, 2) = 5;
        g.areal(1, 2) = 10;
        g.maxshear(1, 2) = 4;
    }
    std::string text(const char* key, int i = 1, int j = 2) {
        ws.quantitykey = key;
        return griddatatext(ws, i, j);
    }
    WorkState ws;
};

TEST_F(GridDataText, EachKeyReadsItsGrids) {
    const struct {
        const char* key;
        const char* want;
    } rows[] = {
        {"ux", " 1.23"},
        {"uy", " -56.8"},
        {"uz", " 250"},
        {"sxx", " 1.23E-3"},
        {"cffpara", " -3.5"},
        {"cmpdispl", " 12."},
        {"cmpstrain", " 12."},
        {"displacement", " Ux=1.23 Uy=-56.8"},
        {"tilt1", " Uxz=2. Uyz=3."},
        {"tilt2", " Uzx=4. Uzy=5."},
        {"principal", " Max=7. Min=3."},
        {"maxshear", " 4."},
        {"", ""},
        {"nonsense", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.key);
        EXPECT_EQ(text(r.key), r.want);
    }
}

TEST_F(GridDataText, NodeWithoutValueOrOutsideGivesNothing) {
    ws.grids.ux(1, 2) = kNoValue;
    EXPECT_EQ(text("uz"), "");
    EXPECT_EQ(text("displacement"), "");
    ws.grids.ux(1, 2) = 1;
    ws.grids.cff(1, 2) = kNoValue;
    EXPECT_EQ(text("cffpara"), "");
    EXPECT_EQ(text("ux", 3, 0), "");
    EXPECT_EQ(text("ux", -1, 0), "");
    EXPECT_EQ(text("ux", 0, 0), " 0");
    WorkState empty;
    empty.quantitykey = "ux";
    EXPECT_EQ(griddatatext(empty, 0, 0), "");
}

}  // namespace
}  // namespace crustex
