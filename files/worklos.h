// The radar line of sight a work file keeps: the record
//   "losparam",heading,incidence,wavelength
// (degrees, degrees, mm), written only while the geometry differs from the
// start-up one (the "Ascending" preset and 55.5 mm), so that other work
// files stay as they always were. A file without the record means the
// start-up geometry. A reader that does not know the keyword skips it and
// its three numbers like any unknown text.
#pragma once

#include "files/recordio.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kLosKeyword = "losparam";

// The record, or nothing for the start-up geometry.
void writelosparam(RecordWriter& w, const WorkState& ws);

// The start-up geometry, before a work file is read.
void resetlosparam(WorkState& ws);

// Reads the three values; a geometry the program cannot use (losproblem) is
// refused whole.
RecordRead readlosparam(RecordReader& r, WorkState& ws);

}  // namespace crustex
