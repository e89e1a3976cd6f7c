// The colour maps of the filled contour bands and of the wrapped fringes.
//
// All three come from Crameri's Scientific Colour Maps (Crameri, F., 2021,
// Scientific colour maps 7.0.1, Zenodo, https://zenodo.org/record/5501399;
// MIT License), which are perceptually uniform, readable by colour-blind
// readers and keep their order when printed in grey:
//   vik      diverging, dark blue through a light centre to dark red, for
//            signed quantities: t = 0 (the value zero) is the light centre;
//   lajolla  sequential, light yellow through orange and red to dark brown,
//            for magnitudes: lightness falls steadily with t;
//   romaO    cyclic, for the wrapped phase of the LOS displacement: its end
//            meets its start, so the colours run round without a seam.
// The tables are sampled from the colour tables of Debian's gmt-common by
// tools/make-colormap-tables.sh; between samples colours are interpolated
// linearly.
#pragma once

#include <array>
#include <cstddef>

#include "plot/surface.h"

namespace crustex {

inline constexpr std::size_t kColorMapSize = 257;

// The diverging colour at t in -1..1 (values outside are held at the ends;
// NaN gives the centre). Negative t is blue, positive t red.
Rgb divergingcolor(float t);
// The sequential colour at t in 0..1 (held at the ends; NaN gives 0).
Rgb sequentialcolor(float t);
// The colour of zero in the diverging map.
Rgb neutralcolor();
// The cyclic colour at u, taken modulo 1 (u and u + 1 give one colour; NaN
// and infinities give the colour of 0).
Rgb cycliccolor(double u);

// The sampled tables (tools/make-colormap-tables.sh).
extern const std::array<Rgb, kColorMapSize> kVikTable;
extern const std::array<Rgb, kColorMapSize> kLajollaTable;
extern const std::array<Rgb, kColorMapSize> kRomaOTable;

}  // namespace crustex
