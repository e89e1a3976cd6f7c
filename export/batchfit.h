// The "fit" command of crustex-batch: free parameters of the model's
// sources fitted to the sites' observations (fit/sourcefit.h), or the slip
// of every patch of its slip model inverted (fit/slipinversion.h); the
// result as JSON and, on request, the fitted model as a work file (the
// sources) or a patch table (the slip model).
//
// The sources are numbered as the user sees them: a work file's sources
// 1..nfault and then the patches of its slip model; a .inp file's source
// elements in file order (they are the patches of its slip model).
//
// The JSON of a fit: "observations", "sigmas_given", "parameters" (each
// with "source", "name", "unit", "start", "value", "sigma", "lower",
// "upper", "at_bound"), "rms_before" and "rms_after" (mm, over every
// observed component), "chi2_reduced", "iterations" (of the winning start)
// and "starts". Of an inversion: "observations", "rake", "two_rakes",
// "smoothing", "neighbours", "patches" (each with "source", "slip" in m and
// "rake"), "rms_before", "rms_after", "moment" (N m), "mw" and
// "iterations". Numbers that do not exist (the magnitude of no slip) are
// null.
#pragma once

#include "export/batchargs.h"
#include "export/stderrhost.h"
#include "files/sourcefile.h"
#include "model/workstate.h"

namespace crustex {

// Runs the fit of the request on ws (read from its inputs) and writes the
// outputs; the batch exit status: 2 when the fit is refused (nothing is
// written), 1 when writing fails.
int runbatchfit(const BatchRequest& req, WorkState& ws, const GeoFrame& geo, StderrHost& host);

// The same fit without writing anything: the JSON of its result (as the
// output file would hold it) in `json`; the batch exit status. ws is left
// as it was but for the fit's own evaluations.
int batchfitjson(const BatchRequest& req, WorkState& ws, const GeoFrame& geo, StderrHost& host,
                 std::string& json);

}  // namespace crustex
