#include "geo/graticule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geo/maplayers.h"
#include "geo/mapscalebar.h"
#include "geo/maptestutil.h"

namespace crustex {
namespace {

constexpr float kFont = 8;

// The default range, labels in the map's font size.
struct MapCanvas : test::MapCanvas {
    MapCanvas() { surface.setFontSize(kFont); }
};

TEST(Graticule, LinesLabelsAndFrameAtIntervalOne) {
    MapCanvas c;
    drawgraticule(c.view(), 1, 180, 360);
    EXPECT_EQ(c.surface.textstrings(),
              (std::vector<std::string>{" 35", " 135", " 136", " 34", " 36", " 134", " 137"}));
    // Inner lines in the graticule colour, the frame in black.
    const auto lines = c.surface.lines();
    ASSERT_EQ(lines.size(), 7u);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].color, (i < 3 ? Rgb{255, 255, 0} : kBlack)) << i;
    const FramePoint east = c.at(35, 137), west = c.at(35, 134);
    EXPECT_TRUE(test::joins(lines[0], east.x, east.y, west.x, west.y));

    // " 35" ends 2 units left of the parallel's west end, centred on it; the
    // meridian labels hang 3 units under the south end, centred.
    const float h = kFont * test::kLineH;
    const RecordedOp* p35 = c.surface.findtext(" 35");
    ASSERT_NE(p35, nullptr);
    EXPECT_FLOAT_EQ(p35->x1 + p35->x2, west.x - 2);
    EXPECT_FLOAT_EQ(p35->y1, west.y - h / 2);
    const RecordedOp* m135 = c.surface.findtext(" 135");
    const FramePoint south = c.at(34, 135);
    ASSERT_NE(m135, nullptr);
    EXPECT_FLOAT_EQ(m135->x1 + m135->x2 / 2, south.x);
    EXPECT_FLOAT_EQ(m135->y1, south.y + 3);
}

TEST(Graticule, LabelsRoundedToHundredthsOnlyWhenLong) {
    const struct {
        float value;
        std::size_t maxlength;
        const char* text;
    } rows[] = {
        {35, 4, " 35"},
        {-35.5f, 4, "-35.5"},  // 5 characters: rounding changes nothing
        {34.2666f, 4, " 34.27"},
        {-0.125f, 4, "-0.12"},  // halves to even
        {136.8333f, 5, " 136.83"},
        {35.123456f, 1000, " 35.12346"},  // frame labels are not rounded
        {190 - 360, 5, "-170"},
    };
    for (const auto& r : rows) EXPECT_EQ(graticulelabel(r.value, r.maxlength), r.text) << r.value;

    MapCanvas c;
    drawgraticule(c.view(), 0.3f, 180, 360);
    EXPECT_EQ(c.surface.textstrings(),
              (std::vector<std::string>{" 34.2", " 34.5", " 34.8", " 35.1", " 35.4", " 35.7", " 36",
                                        " 134.1", " 134.4", " 134.7", " 135", " 135.3", " 135.6",
                                        " 135.9", " 136.2", " 136.5", " 136.8"}));
}

TEST(MapScaleBar, NumbersAndPlaces) {
    const struct {
        float scale, km;
        const char* text;
    } rows[] = {{2.75f, 100, " 100"}, {0.19f, 9, " 9"}, {0.55f, 20, " 20"}, {21, 1000, " 1000"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.scale);
        MapCanvas c;
        drawmapscalebar(c.surface, r.scale, 420, 579);
        const float length = r.km * 50 / (50 * r.scale);
        const float bottom = 411, top = 411 - length;
        const auto l = c.surface.lines();
        ASSERT_EQ(l.size(), 4u);
        EXPECT_TRUE(test::joins(l[0], 579, bottom, 579, top, 1e-3f));
        EXPECT_TRUE(test::joins(l[1], 579, bottom, 587, bottom, 1e-3f));
        EXPECT_TRUE(test::joins(l[2], 579, top, 587, top, 1e-3f));
        EXPECT_TRUE(test::joins(l[3], 579, bottom - length / 2, 583, bottom - length / 2, 1e-3f));
        // All three labels end where the number ends.
        const float right = 579 + 15 + std::string(r.text).size() * kFont * test::kCharW;
        const struct {
            const char* text;
            float y;
        } labels[] = {{"0", top - 8}, {r.text, bottom - 8}, {"km", bottom + 8}};
        for (const auto& lb : labels) {
            const RecordedOp* t = c.surface.findtext(lb.text);
            ASSERT_NE(t, nullptr) << lb.text;
            EXPECT_NEAR(t->x1 + t->x2, right, 1e-3f) << lb.text;
            EXPECT_NEAR(t->y1, lb.y, 1e-3f) << lb.text;
        }
    }
}

// Without its files the map still draws the graticule and the scale bar,
// says which files are missing, and keeps the surface's font.
TEST(DrawMap, MissingFilesLeaveAMessageAndTheGraticule) {
    test::Canvas c("map");
    WorkState ws;
    setdefaults(ws, "/nonexistent");
    ws.faultclass[2] = true;
    ws.nstep = 0;
    c.surface.setFontSize(11);
    Projection proj;
    drawmap(ws, c.pc, proj, c.host);
    EXPECT_EQ(ws.nstep, 1);
    EXPECT_EQ(proj.kind, kConic);
    EXPECT_EQ(c.host.statuses,
              (std::vector<std::string>{" Drawing Map",
                                        " Map file not found: japanv.map / Map file not found: "
                                        "VActive3.20"}));
    EXPECT_EQ(c.host.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_NE(c.surface.findtext(" 35"), nullptr);
    EXPECT_NE(c.surface.findtext("km"), nullptr);
    EXPECT_EQ(c.surface.FontSize(), 11);
    EXPECT_FALSE(c.surface.hasnonfinite());
}

}  // namespace
}  // namespace crustex
