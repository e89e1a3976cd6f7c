// The slip model in the picture: one outline per patch with its upper edge
// thicker in the screen style, a tiny patch as a point, the legend lines;
// patches filled by slip under a colour bar "Slip (m)" in the publication
// style; the moment and moment magnitude of a made-up model.
#include "compose/slipdraw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "compose/picture.h"
#include "plot/colormaps.h"
#include "plot/modelglyphs.h"
#include "plot/plottestutil.h"

namespace crustex {
namespace {

// A patch 2 km down, rake 90.
SlipPatch patch(float x0, float y0, float x1, float y1, float width, float dip, float slip,
                float opening = 0) {
    return {x0, y0, x1, y1, 2, width, dip, 90, slip, opening};
}

// Areas 10 x 5 and 4 x 4 km with 2 m and 1 m of slip; one patch only opens;
// one is far below a pixel.
SlipModel mademodel() {
    SlipModel m;
    m.patches = {patch(60, 60, 66, 68, 5, 30, 2), patch(120, 60, 120, 64, 4, 90, -1),
                 patch(90, 100, 96, 100, 3, 60, 0, 3), patch(150, 150, 150.01f, 150, 0.01f, 45, 1)};
    return m;
}

struct Pic : test::Canvas {
    WorkState ws;
    Pic() {
        setdefaults(ws, "/tmp");
        ws.xgrid = ws.ygrid = 6;
        ws.slipmodel = mademodel();
        setplotframe(pc.frame, ws.rwidth);
    }
};

TEST(SlipDraw, ScreenOutlinesOnePerPatchWithTheUpperEdgeThicker) {
    Pic p;
    drawoverlay(p.pc, p.ws);
    const Rgb source = p.pc.palette.source;
    std::size_t thick = 0, thin = 0;
    for (const RecordedOp& l : p.surface.linesofcolor(source)) (l.width == 2 ? thick : thin)++;
    // The default source, then three patches large enough: upper edges
    // thick, three more sides each but for the vertical one.
    EXPECT_EQ(thick, 1u + 3u);
    EXPECT_EQ(thin, 3u + 3u * 2u);
    EXPECT_EQ(p.surface.count(OpKind::PSet), 1u);

    p.ws.quantitykey = "uz";
    drawpicture(p.ws, p.pc, p.host, "screen");
    EXPECT_NE(p.surface.findtext("Slip model: 4 patches"), nullptr);
}

TEST(SlipDraw, PublicationFillsThePatchesBySlipUnderAColourBar) {
    Pic p;
    p.ws.publicationstyle = true;
    p.ws.quantitykey = "uz";
    drawpicture(p.ws, p.pc, p.host, "screen");
    EXPECT_NE(p.surface.findtext(kSlipBarTitle), nullptr);
    const auto fills = p.surface.ofkind(OpKind::FillPolygon);
    const auto fill = [&](Rgb c) {
        return std::count_if(fills.begin(), fills.end(), [&](const RecordedOp& o) {
            return o.color == c && o.points.size() == 4;
        });
    };
    EXPECT_EQ(fill(sequentialcolor(1)), 1);     // the 2 m patch
    EXPECT_EQ(fill(sequentialcolor(0.5f)), 1);  // the 1 m patch (slip -1)
    EXPECT_EQ(fill(sequentialcolor(0)), 1);     // opening only
}

TEST(SlipDraw, MomentAndMagnitudeByHand) {
    // sum(area * slip) = 10 * 5 * 2 + 4 * 4 * 1 km^2 m = 1.16e8 m^3, and the
    // tiny patch's 1e-4 km^2 m.
    const double areaslip = 1.16e8 + 100;
    const struct {
        Medium medium;
        double mu;  // Pa
    } cases[] = {{Medium{}, 3.2e10}, {Medium{0.2f, 6e5f}, 2.5e10}};
    for (const auto& c : cases) {
        const SlipStats s = slipstats(mademodel(), c.medium);
        EXPECT_EQ(s.patches, 4u);
        EXPECT_EQ(s.maxslip, 2.0f);
        EXPECT_NEAR(s.moment / (c.mu * areaslip), 1, 1e-6);
        EXPECT_NEAR(s.mw, 2.0 / 3.0 * (std::log10(c.mu * areaslip) - 9.1), 1e-9);
    }
    // 3.712e18 N m and Mw 6.313 by hand.
    EXPECT_EQ(slipstatstext(slipstats(mademodel(), Medium{})),
              "4 patches, max slip 2 m, M0 = 3.71e+18 N\u00B7m, Mw = 6.31");
}

}  // namespace
}  // namespace crustex
