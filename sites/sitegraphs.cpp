#include "sites/sitegraphs.h"

namespace crustex {

// Not drawn yet: the steps are in place and draw nothing.
void drawsitegraphs(WorkState&, PlotContext&, Host&, const SiteResults*, std::string_view) {}
void drawsitevectors(WorkState&, PlotContext&, Host&, const SiteResults*, std::string_view) {}

}  // namespace crustex
