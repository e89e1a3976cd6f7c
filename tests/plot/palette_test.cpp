#include "plot/palette.h"

#include <gtest/gtest.h>

namespace crustex {
namespace {

TEST(Palette, EachModeFillsEveryRoleAndKeepsTheContourColour) {
    // zero, main, -sub, +sub, -, +, frame, source, quake, mouse, area, coast, border, graticule,
    // and the contour colour, which no mode changes.
    const Palette map{{63, 63, 63}, {127, 127, 127}, {63, 63, 159}, {255, 95, 0},  {63, 63, 159},
                      {255, 95, 0}, {191, 191, 191}, {95, 0, 0},    {0, 127, 0},   {0, 63, 0},
                      {0, 0, 0},    {0, 31, 63},     {255, 191, 0}, {255, 255, 0}, {1, 2, 3}};
    const Palette nomap{{63, 63, 63}, {127, 127, 127}, {63, 63, 159}, {255, 95, 0}, {63, 63, 159},
                        {255, 95, 0}, {127, 127, 127}, {127, 0, 0},   {0, 0, 0},    {0, 63, 0},
                        {0, 0, 0},    {0, 0, 0},       {0, 0, 0},     {0, 0, 0},    {1, 2, 3}};
    const Palette bnw{{0, 0, 0},       {0, 0, 0},       {63, 63, 63},    {223, 223, 223},
                      {191, 191, 191}, {127, 127, 127}, {191, 191, 191}, {0, 0, 0},
                      {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},
                      {127, 127, 127}, {127, 127, 127}, {1, 2, 3}};
    const std::pair<const char*, Palette> rows[] = {{"map", map}, {"nomap", nomap}, {"bnw", bnw}};
    // Go through the modes in an order where every role changes at least once.
    for (const char* first : {"bnw", "map"}) {
        for (const auto& [mode, want] : rows) {
            SCOPED_TRACE(std::string(first) + " then " + mode);
            Palette p;
            p.contour = {1, 2, 3};
            ASSERT_TRUE(setcolormode(p, first));
            ASSERT_TRUE(setcolormode(p, mode));
            EXPECT_TRUE(p == want);
        }
    }
    // Any other word changes nothing.
    for (const char* word : {"", "Map", "NOMAP", "bw", "map ", "colour"}) {
        Palette p = map;
        EXPECT_FALSE(setcolormode(p, word)) << word;
        EXPECT_TRUE(p == map) << word;
    }
}

}  // namespace
}  // namespace crustex
