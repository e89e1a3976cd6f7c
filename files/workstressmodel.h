// The medium and the regional stress a work file keeps, in two records:
//
//   "medium",young,poisson
//   "regionalstress",given,az1,plunge1,surface1,gradient1,az2,...,gradient3
//
// (Young's modulus in bar and Poisson's ratio; per principal axis sigma1,
// sigma2, sigma3 the azimuth and plunge in degrees, the magnitude at the
// surface in bar and its gradient in bar/km, compression positive). Each is
// written only when it differs from what a new work has, or when the work
// has a slip-model file that may bring values of its own: the record then
// holds the user's values over the file's, so it is applied after the slip
// model is loaded. Other work files stay as they always were. A reader that
// does not know the keywords skips them and their values as unknown texts.
#pragma once

#include "files/recordio.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kMediumKeyword = "medium";
inline constexpr const char* kRegionalStressKeyword = "regionalstress";

void writemedium(RecordWriter& w, const WorkState& ws);
void writeregionalstress(RecordWriter& w, const WorkState& ws);

// A medium the stresses cannot use (stress/moduli.h usablemedium), or a
// given regional stress with a problem (stress/regionalstress.h), refuses
// its record.
RecordRead readmedium(RecordReader& r, Medium& out);
RecordRead readregionalstress(RecordReader& r, RegionalStress& out);

}  // namespace crustex
