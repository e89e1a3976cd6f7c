// The unit stresses are shown in (Tool -> Option...), kept in the work file
// and the settings file by a "stressunit" record: "stressunit","bar" or
// "stressunit","MPa". The record is written only for a unit other than the
// program's own 10^-6, so that files of the default unit stay as they
// always were; a file without the record leaves the unit as it is. A reader
// that does not know the record skips the keyword and its word as two
// unknown texts.
#pragma once

#include "files/recordio.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kStressUnitKeyword = "stressunit";

void writestressunit(RecordWriter& w, const WorkState& ws);

// A word that names no unit refuses the record.
RecordRead readstressunit(RecordReader& r, WorkState& ws);

}  // namespace crustex
