// The slip model a work file names: the "slipmodel" record after the source
// list, with the model's file and the km it was moved by,
//
//   "slipmodel","../models/tohoku.fsp",0,0
//   "slipmodel","model.inp",40,30
//
// The path is relative to the work file's own directory ("..", as many as
// needed), so that a work file and its model find each other when both stay
// where they are and when they are moved together; a model that cannot be
// named so (no file, a name holding a double quote or a line end) writes no
// record. Reading loads the file through the slip-model readers once the
// rest of the work is read; it is placed on the map when the work has the
// map on, else in km moved by the recorded shift.
//
// A reader that does not know the record skips the keyword, the path and
// the two numbers as unknown texts.
#pragma once

#include <optional>
#include <string>

#include "files/recordio.h"
#include "files/sourcefile.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kSlipModelKeyword = "slipmodel";

struct SlipModelRecord {
    std::string path;  // relative to the work file's directory
    float xshift = 0, yshift = 0;

    bool operator==(const SlipModelRecord&) const = default;
};

// The record for a work file written at workpath; none when the model has
// no file or its path cannot be written.
std::optional<SlipModelRecord> slipmodelforwork(const SlipModel& model,
                                                const std::string& workpath);

void writeslipmodel(RecordWriter& w, const SlipModelRecord& record);

// Reads the values after the keyword.
RecordRead readslipmodel(RecordReader& r, SlipModelRecord& out);

// Loads the model the record names, resolved against base (the work file's
// directory), on the map (geo given) or in km moved by the shift. On failure
// the work state is unchanged and a message names the file and why; true
// when the model was installed.
bool loadrecordedslipmodel(WorkState& ws, Host& host, const GeoFrame* geo,
                           const SlipModelRecord& record, const std::string& base);

}  // namespace crustex
