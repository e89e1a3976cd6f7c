// One run of crustex-batch: checks the inputs and the output path, reads the
// work file (then the source and site files) through the window's readers,
// evaluates the field and writes the output. The picture itself is drawn by
// a renderer that the Qt side of the program supplies.
//
// Exit status: 0 when every output was written; 2 for bad input (a missing
// or unreadable input, an input the readers refuse, an unwritable output
// path), with nothing written; 1 when the work failed after the inputs
// were accepted.
#pragma once

#include <string>

#include "compose/sectionpicture.h"
#include "engine/siteeval.h"
#include "export/batchargs.h"
#include "export/batchmodel.h"
#include "export/stderrhost.h"
#include "geo/projection.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"

namespace crustex {

inline constexpr int kBatchOk = 0;
inline constexpr int kBatchFailed = 1;
inline constexpr int kBatchBadInput = 2;

// Draws the picture of ws.quantitykey into the request's output file.
class PictureRenderer {
public:
    virtual ~PictureRenderer() = default;
    // sites: the site values to draw, or nullptr. False, with the reason in
    // `error`, when the file could not be written whole.
    virtual bool render(WorkState& ws, PlotContext& pc, Projection& proj, Host& host,
                        SiteResults* sites, const BatchRequest& request, std::string& error) = 0;
    // The picture of a vertical section (compose/sectionpicture.h) of
    // ws.quantitykey, likewise.
    virtual bool rendersection(WorkState& ws, PlotContext& pc, Host& host,
                               SectionPictureInputs& section, const BatchRequest& request,
                               std::string& error) = 0;
};

// renderer: needed by the pictures of "render" and "section" only (nullptr
// in a build without pictures).
int runbatch(const BatchRequest& request, const BatchEnvironment& env, StderrHost& host,
             PictureRenderer* renderer);

}  // namespace crustex
