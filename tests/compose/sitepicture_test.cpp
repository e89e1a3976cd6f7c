// What the observation sites add to the picture: evaluated with the grid,
// their graph in the site window's view for a contour quantity and their
// vectors on the plot for a vector quantity, on the screen only.
#include <gtest/gtest.h>

#include "compose/picture.h"
#include "plot/plottestutil.h"
#include "sites/sitegraphs.h"

namespace crustex {
namespace {

struct SitePic : test::Canvas {
    WorkState ws;
    SiteResults res;
    RecordingSurface graph, printer;
    SiteGraphView view{&graph, 500, 400};

    SitePic() {
        setdefaults(ws, "/tmp");
        ws.xgrid = ws.ygrid = 4;
        setplotframe(pc.frame, ws.rwidth);
        ws.nsite = 2;
        ws.site[1] = {"N", 95, 130};
        ws.site[2] = {"S", 95, 70};
        ws.showobsdatachecked = true;
        ws.obskind = "displacement";
        ws.site[1].obsdx = ws.site[1].obsdy = ws.site[2].obsdx = ws.site[2].obsdy = 0.001f;
    }
    void draw(const char* key, const char* target = "screen") {
        ws.quantitykey = key;
        surface.clearlog();
        graph.clearlog();
        PictureInputs in;
        in.printer = &printer;
        in.sites = &res;
        in.sitegraph = &view;
        drawpicture(ws, pc, host, target, in);
    }
};

TEST(SitePicture, GraphForContoursVectorsForArrowsNothingPrinted) {
    SitePic p;
    p.draw("uz");
    // The sites were evaluated with the grid, as a lone evaluation gives.
    EXPECT_EQ(p.res.uz[1], calcsitestrain(p.ws, 95, 130, 0)[2]);
    EXPECT_NE(p.res.uz[1], 0);
    EXPECT_EQ(p.graph.linesofcolor(kComputedSiteColor).size(), 2u);
    EXPECT_NE(p.surface.findtext("N"), nullptr);  // the marks with names on the plot

    p.draw("displacement");
    EXPECT_EQ(p.graph.ops().front().kind, OpKind::Cls);
    EXPECT_TRUE(p.graph.linesofcolor(kComputedSiteColor).empty());
    EXPECT_EQ(p.surface.linesofcolor(kComputedSiteColor).size(), 2u);
    EXPECT_EQ(p.surface.linesofcolor(kObservedSiteColor).size(), 2u);

    p.draw("uz", "printer");
    EXPECT_TRUE(p.graph.ops().empty());
    EXPECT_TRUE(p.printer.linesofcolor(kComputedSiteColor).empty());

    p.ws.showobsdatachecked = false;
    p.draw("uz");
    EXPECT_TRUE(p.graph.ops().empty());
    EXPECT_EQ(p.surface.findtext("N"), nullptr);
}

}  // namespace
}  // namespace crustex
