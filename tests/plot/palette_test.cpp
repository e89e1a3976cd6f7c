#include "plot/palette.h"

#include <gtest/gtest.h>

namespace crustex {
namespace {

struct ModeRow {
    const char* mode;
    Rgb zero, main, negsub, possub, neg, pos, frame, source, quake, mouse, area, coast, border,
        grat;
};

TEST(Palette, EachModeFillsEveryRole) {
    const ModeRow rows[] = {
        {"map",
         {63, 63, 63},
         {127, 127, 127},
         {63, 63, 159},
         {255, 95, 0},
         {63, 63, 159},
         {255, 95, 0},
         {191, 191, 191},
         {95, 0, 0},
         {0, 127, 0},
         {0, 63, 0},
         {0, 0, 0},
         {0, 31, 63},
         {255, 191, 0},
         {255, 255, 0}},
        {"nomap",
         {63, 63, 63},
         {127, 127, 127},
         {63, 63, 159},
         {255, 95, 0},
         {63, 63, 159},
         {255, 95, 0},
         {127, 127, 127},
         {127, 0, 0},
         {0, 0, 0},
         {0, 63, 0},
         {0, 0, 0},
         {0, 0, 0},
         {0, 0, 0},
         {0, 0, 0}},
        {"bnw",
         {0, 0, 0},
         {0, 0, 0},
         {63, 63, 63},
         {223, 223, 223},
         {191, 191, 191},
         {127, 127, 127},
         {191, 191, 191},
         {0, 0, 0},
         {0, 0, 0},
         {0, 0, 0},
         {0, 0, 0},
         {0, 0, 0},
         {127, 127, 127},
         {127, 127, 127}},
    };
    // Go through the modes in an order where every role changes at least once.
    for (const char* first : {"bnw", "map"}) {
        for (const ModeRow& r : rows) {
            SCOPED_TRACE(std::string(first) + " then " + r.mode);
            Palette p;
            ASSERT_TRUE(setcolormode(p, first));
            ASSERT_TRUE(setcolormode(p, r.mode));
            EXPECT_EQ(p.zerocontour, r.zero);
            EXPECT_EQ(p.maincontour, r.main);
            EXPECT_EQ(p.negsubcontour, r.negsub);
            EXPECT_EQ(p.possubcontour, r.possub);
            EXPECT_EQ(p.negative, r.neg);
            EXPECT_EQ(p.positive, r.pos);
            EXPECT_EQ(p.dataframe, r.frame);
            EXPECT_EQ(p.source, r.source);
            EXPECT_EQ(p.earthquake, r.quake);
            EXPECT_EQ(p.mousemark, r.mouse);
            EXPECT_EQ(p.area, r.area);
            EXPECT_EQ(p.coast, r.coast);
            EXPECT_EQ(p.border, r.border);
            EXPECT_EQ(p.graticule, r.grat);
        }
    }
}

TEST(Palette, UnknownWordChangesNothing) {
    for (const char* word : {"", "Map", "NOMAP", "bw", "map ", "colour"}) {
        SCOPED_TRACE(word);
        Palette p;
        setcolormode(p, "map");
        p.contour = {1, 2, 3};
        const Palette before = p;
        EXPECT_FALSE(setcolormode(p, word));
        EXPECT_EQ(p.coast, before.coast);
        EXPECT_EQ(p.source, before.source);
        EXPECT_EQ(p.graticule, before.graticule);
        EXPECT_EQ(p.contour, before.contour);
    }
}

}  // namespace
}  // namespace crustex
