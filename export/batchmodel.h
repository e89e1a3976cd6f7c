// The model a batch run works on, read from its input files as the window
// reads them: the work file (or a .inp file in its place, or a slip model on
// its own), then the source, slip-model and site files of the request. The
// batch program and the Python module both read their models through here,
// so that both see the same model, map and messages.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/siteeval.h"
#include "export/batchargs.h"
#include "export/stderrhost.h"
#include "files/slipplace.h"
#include "files/sourcefile.h"
#include "geo/projection.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"
#include "stress/section.h"

namespace crustex {

struct BatchEnvironment {
    std::string programdir;   // where the settings file and the shipped data are looked for
    std::string datadir;      // the data directory built into the program (may be "")
    std::string curdir;       // what the default data directories derive from
    std::string commandline;  // recorded in the grid's history
};

struct BatchModel {
    WorkState ws;
    PlotContext pc;
    Projection proj;
    SiteResults siteresults;
    bool sitesloaded = false;
    // A .inp model with Map info: its km to degrees.
    std::optional<InpStretch> stretch;

    GeoFrame geo() const { return {proj, pc.frame}; }
    // The map's frame while the map is on, else nullptr.
    const GeoFrame* mapframe(const GeoFrame& geo) const { return ws.needmap ? &geo : nullptr; }
    // Field km to longitude and latitude while the map is on, or by the
    // stretch of a .inp model's Map info; empty when neither holds.
    std::function<void(float, float, float&, float&)> togeo() const;
    // The inverse: longitude and latitude to field km.
    std::function<void(float, float, float&, float&)> fromgeo() const;
};

// The start-up defaults with the data directories the window starts with
// (the shipped data's, then those of the settings file) and the map
// directory asked for ("" for none).
void startbatchmodel(BatchModel& m, const BatchEnvironment& env, const std::string& mapdir);

// Reads the request's model and its source, slip-model and site files into
// m (started by startbatchmodel) and applies its line of sight. An empty
// request.work with a slip model takes the slip model alone on the
// defaults (one in degrees on a map of its range). False, with the reason reported, when an input
// cannot be used.
bool readbatchinputs(BatchModel& m, const BatchRequest& request, StderrHost& host);

// Reads the request's site file into m (over any sites it has); false,
// reported, when it cannot be used.
bool readbatchsites(BatchModel& m, const BatchRequest& request, StderrHost& host);

// False, having said why, when a quantity of the request cannot be given by
// the model (delta CFF on optimal planes without a usable regional stress).
bool batchquantitiesoffered(const BatchModel& m, const BatchRequest& request, StderrHost& host);

// The worker threads: as asked when above 0, else one per CPU this process
// may run on (a batch scheduler's share of a node, not the whole node).
int batchthreads(int asked);

// The receivers of the request (--receivers: a file's, the sources, or the
// model's own). False (reported) when there are none or the file cannot be
// used.
bool batchreceivers(const BatchModel& m, const BatchRequest& request, StderrHost& host,
                    std::vector<ReceiverFault>& list);

// The section of the request, completed from the model's proposal. False,
// having said why, when neither gives a part of it or it cannot be
// evaluated.
bool batchsection(const BatchModel& m, const BatchRequest& request, StderrHost& host,
                  SectionSpec& spec);

}  // namespace crustex
