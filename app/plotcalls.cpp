#include "app/plotcalls.h"

#if __has_include("plot/picture.cpp")
#include "plot/picture.h"
#define CRUSTEX_HAVE_PICTURE 1
#endif
#if __has_include("plot/modelglyphs.h")
#include "plot/modelglyphs.h"
#define CRUSTEX_HAVE_GLYPHS 1
#endif
#if __has_include("plot/background.h")
#include "plot/background.h"
#define CRUSTEX_HAVE_BACKGROUND 1
#endif
#if __has_include("plot/griddataline.h")
#include "plot/griddataline.h"
#define CRUSTEX_HAVE_GRIDDATA 1
#endif

namespace crustex {

void composepicture(WorkState& ws, PlotContext& pc, Host& host, Surface* printer,
                    const Picture* background) {
#ifdef CRUSTEX_HAVE_PICTURE
    PictureInputs in;
    in.printer = printer;
    in.background = background;
    drawpicture(ws, pc, host, printer ? "printer" : "screen", in);
#else
    (void)ws, (void)pc, (void)host, (void)printer, (void)background;
#endif
}

void composeoverlay(WorkState& ws, PlotContext& pc) {
    (void)ws;
    pc.surface().Cls();
}

void paintpasted(PlotContext& pc, Host& host, const Picture& picture) {
    (void)pc, (void)host, (void)picture;
}

void pointermark(PlotContext& pc, float x, float y) {
    Surface& s = pc.surface();
    s.Circle(x, y, 6, Rgb{0, 127, 255});
}

void dataframe(PlotContext& pc, float x0, float y0, float x1, float y1) {
    (void)pc, (void)x0, (void)y0, (void)x1, (void)y1;
}

void areaoutline(WorkState& ws, PlotContext& pc) { (void)ws, (void)pc; }

std::string nodetext(const WorkState& ws, int ix, int iy) { return griddatatext(ws, ix, iy); }

}  // namespace crustex
