// The medium, the regional stress and the receiver faults a work file
// keeps:
//
//   "medium",young,poisson
//   "regionalstress",given,az1,plunge1,surface1,gradient1,az2,...,gradient3
//   "receivers",n
//   then n lines x0,y0,x1,y1,top,width,dip,hasrake,rake,"name",
//   hasgeo,lat0,lon0,lat1,lon1
//
// (Young's modulus in bar and Poisson's ratio; per principal axis sigma1,
// sigma2, sigma3 the azimuth and plunge in degrees, the magnitude at the
// surface in bar and its gradient in bar/km, compression positive; per
// receiver its upper edge in km, the depth of that edge and the down-dip
// width in km, the dip, its own rake when it has one, its name and, for a
// receiver placed from degrees, its ends on the globe). Each is written
// only when it differs from what a new work has, or when the work has a
// slip-model file that may bring values of its own: the record then holds
// the user's values over the file's (also no receivers at all), so it is
// applied after the slip model is loaded. Other work files stay as they always were. A reader that
// does not know the keywords skips them and their values as unknown texts.
#pragma once

#include "files/recordio.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kMediumKeyword = "medium";
inline constexpr const char* kRegionalStressKeyword = "regionalstress";
inline constexpr const char* kReceiversKeyword = "receivers";
// The most receivers the record takes.
inline constexpr int kMaxRecordedReceivers = 1000000;

void writemedium(RecordWriter& w, const WorkState& ws);
void writeregionalstress(RecordWriter& w, const WorkState& ws);
void writereceivers(RecordWriter& w, const WorkState& ws);

// A medium the stresses cannot use (stress/moduli.h usablemedium), or a
// given regional stress with a problem (stress/regionalstress.h), refuses
// its record.
RecordRead readmedium(RecordReader& r, Medium& out);
RecordRead readregionalstress(RecordReader& r, RegionalStress& out);
// A receiver with unusable values (not finite, no length, width not above
// 0, dip outside 0..90) is left out and refuses the record; a list cut
// short by the end of the file keeps the receivers read.
RecordRead readreceivers(RecordReader& r, std::vector<ReceiverFault>& out);

}  // namespace crustex
