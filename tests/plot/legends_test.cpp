#include "plot/legends.h"

#include <gtest/gtest.h>

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
};

TEST(Legends, PlusMinusSignsAndSamplesInEachMode) {
    for (const char* mode : {"nomap", "map", "bnw"}) {
        SCOPED_TRACE(mode);
        Fixture f(mode);
        showpm(f.pc);
        const RecordedOp* plus = f.s.findtext("+");
        const RecordedOp* minus = f.s.findtext("-");
        ASSERT_NE(plus, nullptr);
        ASSERT_NE(minus, nullptr);
        EXPECT_EQ(plus->color, f.pc.palette.positive);
        EXPECT_EQ(minus->color, f.pc.palette.negative);
        // The minus is drawn larger than the plus, each centred on its point.
        EXPECT_EQ(plus->fontsize, 15);
        EXPECT_EQ(minus->fontsize, 20);
        EXPECT_FLOAT_EQ(plus->x1 + plus->x2 / 2, 580);
        EXPECT_FLOAT_EQ(plus->y1, 80 - kH * 15 / 2);
        EXPECT_FLOAT_EQ(minus->y1, 95 - kH * 20 / 2);
        const auto lines = f.s.lines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].color, f.pc.palette.positive);
        EXPECT_EQ(lines[1].color, f.pc.palette.negative);
        EXPECT_EQ(lines[0].x1, 590);
        EXPECT_EQ(lines[0].x2, 630);
        EXPECT_EQ(lines[0].y1, 80);
        EXPECT_EQ(lines[1].y2, 95);
        EXPECT_EQ(f.s.ForeColor, kBlack);
    }
}

TEST(Legends, WordLegendsAreRightAlignedAndColoured) {
    const struct {
        void (*fn)(PlotContext&);
        const char* plus;
        const char* minus;
    } rows[] = {{showdc, "+: Dilatation", "-: Contraction"},
                {showec, "+: Expansion", "-: Contraction"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.plus);
        Fixture f("map");
        r.fn(f.pc);
        const RecordedOp* plus = f.s.findtext(r.plus);
        const RecordedOp* minus = f.s.findtext(r.minus);
        ASSERT_NE(plus, nullptr);
        ASSERT_NE(minus, nullptr);
        EXPECT_EQ(plus->color, f.pc.palette.positive);
        EXPECT_EQ(minus->color, f.pc.palette.negative);
        EXPECT_FLOAT_EQ(plus->x1 + plus->x2, 635);
        EXPECT_FLOAT_EQ(minus->x1 + minus->x2, 635);
        EXPECT_FLOAT_EQ(plus->y1, 80);
        EXPECT_FLOAT_EQ(minus->y1, 95);
        EXPECT_EQ(plus->fontsize, 10);
        EXPECT_EQ(f.s.ForeColor, kBlack);
        EXPECT_EQ(f.s.texts().size(), 2u);
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
