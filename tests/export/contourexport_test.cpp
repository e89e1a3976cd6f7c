#include "export/contourexport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

namespace crustex {
namespace {

// A pyramid whose only level-10 line is the diamond 2|x - 3| + 4|y - 1| = 5
// (the grid's values lie between 3 and 15 and the levels are multiples of
// 10). x and y have different scales and steps, so swapped coordinates
// fail the equation.
float pyramid(float x, float y) { return 15 - 2 * std::fabs(x - 3) - 4 * std::fabs(y - 1); }

TEST(ContourGeoJson, OneLevelTracedJoinedAndParsedBack) {
    std::vector<float> x, y;
    for (int i = 0; i <= 15; ++i) x.push_back(0.4f * i);
    for (int j = 0; j <= 12; ++j) y.push_back(-0.5f + 0.25f * j);
    Grid2D values(15, 12);
    for (int i = 0; i <= 15; ++i)
        for (int j = 0; j <= 12; ++j) values(i, j) = pyramid(x[i], y[j]);
    ContourRule rule;
    rule.subinterval = 10;
    rule.nsubline = 0;
    const std::vector<ContourLine> lines = tracegridcontours(values, x, y, rule);

    ContourJsonInfo info{"Displacement Z", "uz", "mm", {}};
    info.togeo = [](float px, float py, float& lon, float& lat) {
        lon = 135 + px / 100;
        lat = 35 + py / 100;
    };
    const nlohmann::json doc = nlohmann::json::parse(contourgeojson(lines, info));
    EXPECT_EQ(doc["type"], "FeatureCollection");
    EXPECT_EQ(doc["crustex"]["quantity"], "Displacement Z");
    ASSERT_EQ(doc["features"].size(), 1u);  // the cells' pieces joined into one line
    const auto& feature = doc["features"][0];
    EXPECT_EQ(feature["properties"]["level"], 10.0);
    EXPECT_EQ(feature["properties"]["kind"], "main");
    EXPECT_EQ(feature["properties"]["unit"], "mm");
    EXPECT_EQ(feature["geometry"]["type"], "LineString");
    const auto& coords = feature["geometry"]["coordinates"];
    ASSERT_GT(coords.size(), 20u);
    EXPECT_EQ(coords.front(), coords.back());  // a closed ring
    for (const auto& c : coords) {
        const double px = (c[0].get<double>() - 135) * 100;
        const double py = (c[1].get<double>() - 35) * 100;
        EXPECT_NEAR(2 * std::fabs(px - 3) + 4 * std::fabs(py - 1), 5, 2e-3) << c;
    }
}

TEST(ContourJoin, PiecesOfTwoLevelsAndAStrayPointStayApart) {
    // Level 1: three pieces given out of order, one reversed; level 2: one
    // piece touching level 1's end; a piece of no length.
    const ContourPiece pieces[] = {
        {{1, 0}, {2, 0}, 1, LevelKind::Main}, {{2, 0}, {2, 1}, 2, LevelKind::PositiveSub},
        {{3, 1}, {2, 0}, 1, LevelKind::Main}, {{0, 0}, {1, 0}, 1, LevelKind::Main},
        {{5, 5}, {5, 5}, 1, LevelKind::Main},
    };
    const auto lines = joincontourpieces(pieces, 1e-4f);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].level, 1);
    const std::vector<FramePoint> want{{0, 0}, {1, 0}, {2, 0}, {3, 1}};
    auto got = lines[0].points;
    if (got.front() != want.front()) std::reverse(got.begin(), got.end());
    EXPECT_EQ(got, want);
    EXPECT_EQ(lines[1].level, 2);
    EXPECT_EQ(lines[1].points.size(), 2u);
}

}  // namespace
}  // namespace crustex
