// Sizes, pens and number texts of the publication style: the optional way
// of drawing the picture for print (filled bands, colour bar, axes,
// arrowheads, labels that never overlap).
//
// Font sizes are in the surface's points, which keep their size relative
// to the picture: the printer fits the nominal 640-unit-wide picture to the
// page, so at a single-column width of 8.5 cm one frame unit is 0.133 mm
// and a font of size S prints at about 0.5 S points. The sizes below keep
// every text at 6.5 points or more there.
#pragma once

#include <string>

#include "plot/labelplacer.h"
#include "plot/plotcontext.h"

namespace crustex {

inline constexpr float kPubTextSize = 13;   // labels, ticks, notes: 6.5 pt at 8.5 cm
inline constexpr float kPubTitleSize = 15;  // the quantity's name: 7.5 pt at 8.5 cm

// Pens of the lines drawn over the filled bands.
inline constexpr Rgb kPubZeroLine{0, 0, 0};
inline constexpr Rgb kPubMainLine{45, 45, 45};
inline constexpr Rgb kPubSubLine{135, 135, 135};
inline constexpr Rgb kPubLabelGround{255, 255, 255};

// The size in points that text of surface size `size` prints at when the
// picture is `widthcm` wide.
float printedpoints(float size, float widthcm);

// A value as a label: 3 significant digits, fixed notation from 0.01 to
// 1000 ("0.316", "0.0796", "2.5", "150"), else "7.96E-3".
std::string pubnumber(float v);
// A level as a scale label: fixed notation with the fewest decimals that
// give the level back when that is at most six characters without the sign
// ("0.001", "-0.0001", "20", "0.25"), else the shortest exponent form that
// does ("1E-5", "-2.5E-7"), else pubnumber ("2.15").
std::string pubticktext(float v);

// The box a text of the given size takes when its top-left corner is at
// (left, top) (no "$" markers).
LabelBox textbox(Surface& s, float left, float top, const std::string& text, float size);

// Draws a placed label: a white ground under the box (padding included)
// and the text in black, its top-left corner `pad` inside the box.
void drawlabel(Surface& s, const LabelBox& box, const std::string& text, float size, float pad);

}  // namespace crustex
