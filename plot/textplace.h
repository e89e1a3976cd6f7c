// Placing one line of text at a reference point.
//
// The three routines differ in horizontal alignment only. A leading marker
// selects the vertical alignment and is not printed:
//   "$-"  the text is centred on y
//   "$_"  the text's bottom edge is on y
//   none  the text's top edge is on y
// Width is measured on the text without its marker; height on the whole
// string including the marker.
#pragma once

#include <string>
#include <string_view>

#include "plot/plotcontext.h"

namespace crustex {

// The text starts at x.
void printtextleft(PlotContext& pc, float x, float y, std::string_view text, float size);
// The text ends at x.
void printtextright(PlotContext& pc, float x, float y, std::string_view text, float size);
// The text is centred on x.
void printtextcenter(PlotContext& pc, float x, float y, std::string_view text, float size);

// The same on an explicit surface (the site window's graphs draw on their
// own picture).
void printtextleft(Surface& s, float x, float y, std::string_view text, float size);
void printtextright(Surface& s, float x, float y, std::string_view text, float size);
void printtextcenter(Surface& s, float x, float y, std::string_view text, float size);

}  // namespace crustex
