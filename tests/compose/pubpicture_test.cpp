#include "compose/pubpicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "plot/plottestutil.h"

namespace crustex {
namespace {

// The start-up state in the publication style on a recording surface.
struct Pub : test::Canvas {
    WorkState ws;
    Projection proj;

    explicit Pub(const char* key) {
        setdefaults(ws, "/tmp");
        ws.quantitykey = key;
        ws.publicationstyle = true;
        setplotframe(pc.frame, ws.rwidth);
    }
    PictureOutcome draw() {
        PictureInputs in;
        in.projection = &proj;
        return drawpicture(ws, pc, host, "screen", in);
    }
    bool has(const std::string& t) const { return surface.findtext(t) != nullptr; }
    // Fills the quantity's grid with f(i, j) and keeps it (no evaluation).
    void setgrid(Grid2D ResultGrids::*grid, float (*f)(int, int)) {
        redimsub(ws);
        for (int i = 0; i <= ws.xgrid; ++i)
            for (int j = 0; j <= ws.ygrid; ++j) (ws.grids.*grid)(i, j) = f(i, j);
        ws.gridstale = false;
    }
};

// Pairs of texts whose boxes overlap, as "a / b".
std::vector<std::string> overlapping(const RecordingSurface& s) {
    std::vector<std::string> found;
    const auto texts = s.texts();
    for (std::size_t a = 0; a < texts.size(); ++a) {
        for (std::size_t b = a + 1; b < texts.size(); ++b) {
            const RecordedOp& p = texts[a];
            const RecordedOp& q = texts[b];
            if (p.text.empty() || q.text.empty()) continue;
            if (p.x1 < q.x1 + q.x2 && q.x1 < p.x1 + p.x2 && p.y1 < q.y1 + q.y2 &&
                q.y1 < p.y1 + p.y2)
                found.push_back(p.text + " / " + q.text);
        }
    }
    return found;
}

TEST(PubPicture, NoTwoTextsOverlapOnTheDefaultPictures) {
    for (const char* key : {"cffpara", "uz", "maxshear", "displacement", "principal"}) {
        SCOPED_TRACE(key);
        Pub f(key);
        ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
        EXPECT_EQ(overlapping(f.surface), std::vector<std::string>{});
        EXPECT_FALSE(f.surface.hasnonfinite());
        // Everything inside what both the screen and the printed page show.
        for (const RecordedOp& t : f.surface.texts()) {
            EXPECT_GE(t.x1, 0) << t.text;
            EXPECT_LE(t.x1 + t.x2, 640) << t.text;
            EXPECT_GE(t.y1, 0) << t.text;
            EXPECT_LE(t.y1 + t.y2, kFrameBottom) << t.text;
            EXPECT_GE(t.fontsize, 13) << t.text;
        }
    }
    // The delta CFF picture: bands, a colour bar, peak labels, axes.
    Pub f("cffpara");
    f.draw();
    EXPECT_GT(f.surface.count(OpKind::FillPolygon), 20u);  // one per band
    EXPECT_GT(f.surface.count(OpKind::FillBox), 20u);
    for (const char* t : {"deltaCFF", "(10E-6)", "0", "X (km)", "Y (km)", "20", "160",
                          "Friction: 0.3", "Depth: 0 km", "L -0.0132"})
        EXPECT_TRUE(f.has(t)) << t;
    EXPECT_FALSE(f.has("$_//  CRUSTEX  // ") || f.has("//  CRUSTEX  // "));
    EXPECT_FALSE(f.has("20km"));  // no scale bar beside the km axes
}

// A field that reaches close to the strip's top: the title gives way
// (broken before "(UD)", or smaller) instead of running into the data area.
TEST(PubPicture, TheTitleClearsAWideDataArea) {
    Pub f("uz");
    f.ws.xview1 = 190;
    f.ws.yview1 = 180;
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    const float x0 = toframex(f.pc.frame, 20), x1 = toframex(f.pc.frame, 190);
    const float y0 = toframey(f.pc.frame, 180), y1 = toframey(f.pc.frame, 20);
    ASSERT_TRUE(f.has("Displacement-Z(UD)") || (f.has("Displacement-Z") && f.has("(UD)")));
    ASSERT_TRUE(f.has("(mm)"));
    for (const RecordedOp& t : f.surface.texts()) {
        if (t.text.find("Displacement") == std::string::npos && t.text.front() != '(') continue;
        EXPECT_TRUE(t.x1 > x1 || t.x1 + t.x2 < x0 || t.y1 > y1 || t.y1 + t.y2 < y0) << t.text;
        EXPECT_GE(t.fontsize, 13) << t.text;
    }
}

TEST(PubPicture, GridsThatCannotBeColouredDrawAPlainFrameAndANote) {
    const struct {
        const char* name;
        float (*f)(int, int);
    } cases[] = {
        {"constant", [](int, int) { return 0.25f; }},
        {"no values", [](int, int) { return kNoValue; }},
        {"NaN", [](int, int) { return std::nanf(""); }},
        {"20 decades", [](int i, int j) { return std::pow(10.0f, (i - j) / 2.0f); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Pub f("uz");
        f.setgrid(&ResultGrids::uz, c.f);
        ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
        EXPECT_EQ(f.surface.count(OpKind::FillPolygon), 0u);
        EXPECT_EQ(f.surface.count(OpKind::FillBox), 0u);  // no colour bar
        EXPECT_TRUE(f.has("X (km)") && f.has("Displacement-Z(UD)"));
        ASSERT_FALSE(f.host.statuses.empty());
        EXPECT_NE(f.host.statuses.back(), "");
        EXPECT_FALSE(f.surface.hasnonfinite());
    }
}

TEST(PubPicture, VectorsGetHeadsAndTheLegendItsUnit) {
    Pub f("displacement");
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    // One head per arrow on the grid plus the legend's.
    const auto heads = f.surface.ofkind(OpKind::FillPolygon);
    EXPECT_GT(heads.size(), 300u);
    for (const auto& h : heads) EXPECT_EQ(h.points.size(), 3u);
    EXPECT_TRUE(f.has("0.1 mm"));
    EXPECT_EQ(f.surface.count(OpKind::Circle), 0u);  // no tail dots
    f.ws.quantitykey = "tilt1";
    f.surface.clearlog();
    f.draw();
    EXPECT_TRUE(f.has("0.1 micro rad"));
}

TEST(PubPicture, MapPicturesGetLatitudeAndLongitudeInsteadOfKilometres) {
    Pub f("cffpara");
    f.ws.needmap = true;
    // The shipped map beside the test data.
    if (const char* data = std::getenv("CRUSTEX_TEST_DATA"))
        f.ws.mappath = std::string(data) + "/../../map/";
    ASSERT_EQ(f.draw(), PictureOutcome::Drawn);
    // The map in greys over the bands, its own labels and scale bar left to
    // the axes and the distance bar: no figure right of the map, no text
    // such as " 35" at the graticule.
    const auto lines = f.surface.lines();
    EXPECT_GT(std::count_if(lines.begin(), lines.end(),
                            [](const RecordedOp& l) {
                                return l.color == Rgb{55, 55, 55};
                            }),
              100);
    EXPECT_FALSE(f.has(" 35") || f.has(" 135"));
    const long beyond = std::count_if(lines.begin(), lines.end(), [](const RecordedOp& l) {
        return std::min(l.x1, l.x2) > kMapRight + 12 && l.color != kBlack;
    });
    EXPECT_EQ(beyond, 0);
    EXPECT_TRUE(f.has("135\xC2\xB0"
                      "E") &&
                f.has("136\xC2\xB0"
                      "E"));
    EXPECT_TRUE(f.has("35\xC2\xB0N"));
    EXPECT_FALSE(f.has("X (km)") || f.has("160"));
    EXPECT_EQ(overlapping(f.surface), std::vector<std::string>{});
    // A distance bar in round kilometres instead.
    bool bar = false;
    for (const RecordedOp& t : f.surface.texts())
        bar = bar || (t.text.size() > 3 && t.text.substr(t.text.size() - 3) == " km" &&
                      t.text.rfind("Depth", 0) != 0);
    EXPECT_TRUE(bar);
}

}  // namespace
}  // namespace crustex
