// Receivers on the picture, the hit test, and stresses in the chosen unit.
#include "compose/receiverpicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "compose/picture.h"
#include "compose/zerofield.h"
#include "model/numtext.h"
#include "plot/griddataline.h"
#include "plot/plottestutil.h"

namespace crustex {
namespace {

// A receiver dipping 45 degrees split 2 x 1 (delta CFF +0.3 and -1.2 bar)
// and a vertical one (+0.05).
ReceiverResults madeup() {
    std::vector<ReceiverFault> list(2);
    list[0] = {60, 100, 100, 100, 2, 20, 45, 0, "a", {}};
    list[1] = {120, 60, 120, 140, 0, 10, 90, 0, "b", {}};
    ReceiverResults r;
    r.options.unit = StressUnit::Bar;
    r.patches = splitreceivers({&list[0], 1}, {2, 1}, 0);
    ReceiverPatch v = splitreceivers({&list[1], 1}, {}, 0)[0];
    v.receiver = 1;
    r.patches.push_back(v);
    r.values = {{0, 0, 0.3f}, {0, 0, -1.2f}, {0, 0, 0.05f}};
    return r;
}

struct Drawn : test::Canvas {
    WorkState ws;
    ReceiverResults r = madeup();
    explicit Drawn(bool pub, const char* key = "uz") {
        setdefaults(ws, "/tmp");
        ws.xgrid = ws.ygrid = 8;
        ws.quantitykey = key;
        ws.publicationstyle = pub;
        setplotframe(pc.frame, ws.rwidth);
        PictureInputs in;
        in.receivers = &r;
        EXPECT_EQ(drawpicture(ws, pc, host, "screen", in), PictureOutcome::Drawn);
    }
    // The fill of a dipping patch: the polygon from its first corner.
    std::optional<RecordedOp> fill(std::size_t k) const {
        const float x = toframex(pc.frame, r.patches[k].cx[0]);
        const float y = toframey(pc.frame, r.patches[k].cy[0]);
        for (const RecordedOp& o : surface.ofkind(OpKind::FillPolygon))
            if (o.points.size() == 4 && std::fabs(o.x1 - x) + std::fabs(o.y1 - y) < 1e-3f) return o;
        return std::nullopt;
    }
};

TEST(ReceiverPicture, PatchesFilledByDeltaCffWithABarInBothStyles) {
    for (const bool pub : {false, true}) {
        SCOPED_TRACE(pub ? "publication" : "screen");
        const Drawn d(pub);
        EXPECT_EQ(receiverlimit(d.r), 2);  // |-1.2| rounded out
        const std::optional<RecordedOp> up = d.fill(0), down = d.fill(1);
        ASSERT_TRUE(up && down);
        EXPECT_EQ(up->color, divergingvaluecolor(0.3f, 2));
        EXPECT_GT(up->color.r, up->color.b);      // positive: red side
        EXPECT_GT(down->color.b, down->color.r);  // negative: blue side
        // The vertical patch: a thick line in its colour.
        const std::vector<RecordedOp> line = d.surface.linesofcolor(divergingvaluecolor(0.05f, 2));
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.front().width, 3);
        EXPECT_NE(d.surface.findtext("dCFF (bar)"), nullptr);
        for (const char* t : {"-2", "0", "1", "2"}) EXPECT_NE(d.surface.findtext(t), nullptr) << t;
        EXPECT_FALSE(d.surface.hasnonfinite());
    }
}

TEST(ReceiverPicture, TheHitTestFindsThePatchUnderAPoint) {
    const Drawn d(false);
    const PlotFrame& f = d.pc.frame;
    for (std::size_t k = 0; k < 3; ++k) {
        const ReceiverPatch& p = d.r.patches[k];
        // Inside the patch seen from above, near its upper edge's middle.
        const float x = (p.cx[0] + p.cx[1]) / 2, y = (p.cy[0] * 3 + p.cy[3]) / 4;
        EXPECT_EQ(receiverpatchat(d.r, f, toframex(f, x), toframey(f, y)), static_cast<int>(k));
    }
    EXPECT_EQ(receiverpatchat(d.r, f, toframex(f, 10), toframey(f, 10)), -1);
    // Beside the vertical one, within and beyond the tolerance.
    const float x = toframex(f, 120), y = toframey(f, 100);
    EXPECT_EQ(receiverpatchat(d.r, f, x + 2, y), 2);
    EXPECT_EQ(receiverpatchat(d.r, f, x + 5, y), -1);
    const std::vector<ReceiverFault> names(2, ReceiverFault{0, 0, 0, 0, 0, 0, 0, 0, "north", {}});
    EXPECT_EQ(receiverreadout(d.r, 1, names),
              " Receiver 1 (north), patch 2 of 2: dCFF=-1.2 shear=0 normal=0 (bar)");
}

TEST(ReceiverPicture, DeltaCffIsDrawnInTheChosenUnit) {
    Drawn d(false, "cffpara");
    WorkState& ws = d.ws;
    const QuantityInfo& q = *findquantity("cffpara");
    const CleanedField rigidity = cleanedfield(ws, q);
    for (const auto& [unit, factor, text] : {std::tuple{StressUnit::Bar, 3.2e5 * 1e-6, "(bar)"},
                                             std::tuple{StressUnit::MPa, 3.2e5 * 1e-7, "(MPa)"}}) {
        ws.stressunit = unit;
        EXPECT_EQ(quantityunit(ws, q, false), text);
        EXPECT_EQ(quantityunit(ws, q, true), text);
        const CleanedField shown = cleanedfield(ws, q);
        bool some = false;
        for (int i = 0; i <= 8; ++i) {
            for (int j = 0; j <= 8; ++j) {
                const float v = rigidity.values(i, j);
                if (v == kNoValue) {
                    EXPECT_EQ(shown.values(i, j), kNoValue);
                    continue;
                }
                some = some || v != 0;
                EXPECT_EQ(shown.values(i, j), static_cast<float>(v * factor));
            }
        }
        EXPECT_TRUE(some);
        // The click read-out says what the picture shows.
        const float v = ws.grids.cff(3, 5);
        EXPECT_EQ(griddatatext(ws, 3, 5), " " + valuetext(static_cast<float>(v * factor)));
    }
    ws.stressunit = StressUnit::Rigidity;
    EXPECT_EQ(quantityunit(ws, q, false), "(10E-6)");
    EXPECT_EQ(quantityunit(ws, q, true), "delta CFF / rigidity (10^-6)");
}

}  // namespace
}  // namespace crustex
