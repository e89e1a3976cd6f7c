// A recording canvas with a map projection over a map range, shared by the
// map drawing tests.
#pragma once

#include <sstream>
#include <string>

#include "geo/mapdraw.h"
#include "plot/plottestutil.h"

namespace crustex::test {

struct MapCanvas : Canvas {
    Projection proj;
    MapColors colors;
    float lat1, lat2, lon1, lon2;  // lon2 after the projection's wrap
    explicit MapCanvas(float la1 = 34, float la2 = 36, float lo1 = 134, float lo2 = 137)
        : Canvas("map"),
          colors(initmapconst(pc.palette)),
          lat1(la1),
          lat2(la2),
          lon1(lo1),
          lon2(lo2) {
        EXPECT_TRUE(setupprojection(proj, kMercator, lat1, lon1, lat2, lon2));
    }
    MapView view(int16_t linetype = 1, int16_t nstep = 1) {
        return {proj, surface, colors, lat1, lat2, lon1, lon2, linetype, nstep};
    }
    // Draws a map file's bytes in the coast colours.
    MapFileOutcome draw(const std::string& bytes, int16_t linetype = 1, int16_t nstep = 1) {
        std::istringstream in(bytes);
        return drawmapfile(in, view(linetype, nstep), kCoastColor);
    }
    FramePoint at(float lat, float lon) const {
        FramePoint p;
        projectgeo(proj, proj.kind, lat, lon, p.x, p.y);
        return p;
    }
    // Line i runs exactly from (lat1, lon1) to (lat2, lon2).
    bool drew(std::size_t i, float la1, float lo1, float la2, float lo2) const {
        const auto l = surface.lines();
        const FramePoint a = at(la1, lo1), b = at(la2, lo2);
        return i < l.size() && l[i].x1 == a.x && l[i].y1 == a.y && l[i].x2 == b.x && l[i].y2 == b.y;
    }
};

}  // namespace crustex::test
