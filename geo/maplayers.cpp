#include "geo/maplayers.h"

namespace crustex {

// The layers are not drawn yet: each step is in place and draws nothing.
void drawtopography(WorkState&, PlotContext&, Projection&, Host&) {}
void drawvolcanoes(WorkState&, PlotContext&, Projection&, Host&) {}
void drawevents(WorkState&, PlotContext&, Projection&, Host&) {}

}  // namespace crustex
