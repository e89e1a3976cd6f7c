#include "plot/layers.h"

namespace crustex {

void drawtopography(WorkState&, PlotContext&, Host&) {}
void drawmap(WorkState&, PlotContext&, Host&) {}
void drawvolcanoes(WorkState&, PlotContext&, Host&) {}
void drawevents(WorkState&, PlotContext&, Host&) {}
void drawsitegraphs(WorkState&, PlotContext&, Host&, const SiteResults*, std::string_view) {}
void drawsitevectors(WorkState&, PlotContext&, Host&, const SiteResults*, std::string_view) {}

}  // namespace crustex
