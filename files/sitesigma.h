// The uncertainty blocks of a site file: one-sigma errors (mm) of the
// displacements of the observation block just before them, one record per
// site of that block in its order, numbers only:
//
//   "obsig3",n   then n records  east sigma, north sigma, up sigma, correlation
//   "obsig",n    then n records  east sigma, north sigma, correlation
//
// "obsig3" follows an "obd3" block, "obsig" an "obd3" or "obd" block; n is
// that block's count. The correlation is that of the east and north errors
// (-1..1). A sigma of 0, or written as a no-value text (NaN, 1E30, ...),
// means none was given; a missing correlation is 0. A horizontal pair is
// kept only when both sigmas are given: it is turned into the field axes
// by the meridian angle at the site, like the observation, and its
// covariance with it (so the correlation changes where the angle is not 0).
//
// An older reader skips such a block safely: the keyword is no block of
// its own and every value after it is a number, which it passes over like
// any text that is not a keyword.
//
// A block that follows no fitting observation block, whose count is not
// that block's, or which holds a negative sigma or a correlation outside
// -1..1, is read whole and refused ("Input Error"); nothing of it is kept.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "files/recordio.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr std::string_view kSigma3Keyword = "obsig3";
inline constexpr std::string_view kSigmaKeyword = "obsig";

// An observed value: a number, or missing (kNoValue) for the texts that mean
// no value (NaN, infinities, numbers beyond the float range, magnitudes
// from 1E30 on). False for any other text.
bool readsitevalue(RecordReader& r, float& out);

// The observation block an uncertainty block refers to: its keyword, and
// for each of its records in file order the site position it went to (0
// when the site was left out) and the meridian angle at the site.
struct ObservedBlock {
    std::string_view keyword;  // "" before any block, or after one cut short
    std::vector<std::size_t> site;
    std::vector<float> gamma;
};

// East and north sigmas with their correlation turned into the field axes
// by gamma (radians, clockwise from the frame's up to true north).
struct HorizontalSigma {
    float x = 0, y = 0, corr = 0;
};
HorizontalSigma sigmatofieldaxes(float east, float north, float corr, float gamma);

// Reads the count and the records after "obsig3" (withup) or "obsig" and
// stores them in the sites of `last`.
RecordRead readsigmablock(RecordReader& r, WorkState& ws, const ObservedBlock& last, bool withup);

}  // namespace crustex
