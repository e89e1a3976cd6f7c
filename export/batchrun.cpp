#include "export/batchrun.h"

#include <unistd.h>

#include <array>
#include <ctime>
#include <memory>
#include <tuple>

#include "engine/fieldgrid.h"
#include "export/batchfit.h"
#include "export/contourexport.h"
#include "export/fieldexport.h"
#include "export/gridcsv.h"
#include "export/gridnetcdf.h"
#include "export/outputfile.h"
#include "export/quantitynames.h"
#include "export/receiverexport.h"
#include "export/sectionexport.h"
#include "export/sitecsv.h"
#include "files/appdir.h"
#include "files/atomicfile.h"
#include "files/datadirs.h"
#include "files/inpmodel.h"
#include "files/maprange.h"
#include "files/receivercsv.h"
#include "files/settingsfile.h"
#include "files/sitefile.h"
#include "files/slipfile.h"
#include "files/sourcefile.h"
#include "files/workfile.h"
#include "geo/mapdatacheck.h"
#include "geo/mapfile.h"
#include "geo/mapform.h"
#include "model/numtext.h"
#include "plot/palette.h"
#include "stress/receiverstress.h"
#include "stress/regionalstress.h"
#include "stress/sectiontraces.h"
#include "stress/stressunits.h"

namespace crustex {

namespace {

// What a run works on once the inputs are read.
struct Run : BatchModel {
    Run(const BatchRequest& r, const BatchEnvironment& e, StderrHost& h)
        : req(r), env(e), host(h) {}

    const BatchRequest& req;
    const BatchEnvironment& env;
    StderrHost& host;
};

int threadcount(const BatchRequest& req) { return batchthreads(req.threads); }

bool readable(const std::string& path) {
    return fileexists(path) && ::access(path.c_str(), R_OK) == 0;
}

std::string utcnow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return buf;
}

// Input files and the output path, checked before anything is read.
bool checkpaths(const BatchRequest& req, StderrHost& host, const PictureRenderer* renderer) {
    const std::string receivers = req.receivers == kSourcesAsReceivers ? "" : req.receivers;
    const std::pair<const std::string*, const char*> inputs[] = {{&req.work, "work file"},
                                                                 {&req.sources, "source file"},
                                                                 {&req.sites, "site file"},
                                                                 {&req.slip, "slip model"},
                                                                 {&receivers, "receiver file"}};
    for (const auto& [path, what] : inputs) {
        if (path->empty() || readable(*path)) continue;
        host.report(std::string("cannot read the ") + what + " '" + *path + "'");
        return false;
    }
    if (!req.mapdir.empty() && !directoryexists(req.mapdir)) {
        host.report("cannot find the map directory '" + req.mapdir + "'");
        return false;
    }
    if (const std::string why = outputpathproblem(req.output); !why.empty()) {
        host.report(why);
        return false;
    }
    const bool picture = req.format == OutputFormat::Pdf || req.format == OutputFormat::Svg ||
                         req.format == OutputFormat::Png;
    if ((req.command == BatchCommand::Render || req.command == BatchCommand::Section) && picture &&
        renderer == nullptr) {
        host.report("pictures: not available in this build");
        return false;
    }
    return true;
}

int writetext(StderrHost& host, const std::string& path, const std::string& text) {
    if (writefileatomic(path, text)) return kBatchOk;
    host.report("cannot write '" + path + "'");
    return kBatchFailed;
}

// Names the grid evaluation in the progress line.
void labelprogress(Run& run) {
    const WorkState& ws = run.ws;
    const long nodes = (static_cast<long>(ws.xgrid) + 1) * (static_cast<long>(ws.ygrid) + 1);
    std::string label = "the field grid (" + std::to_string(nodes) + " nodes, " +
                        std::to_string(std::max<int>(ws.nfault, 0)) + " sources";
    if (!ws.slipmodel.empty()) label += ", " + std::to_string(ws.slipmodel.size()) + " patches";
    run.host.setprogresslabel(label + ")");
}

bool evaluate(Run& run) {
    labelprogress(run);
    if (evaluatefieldgrid(run.ws, run.host, threadcount(run.req))) return true;
    run.host.report("the field grid could not be evaluated");
    return false;
}

GridProvenance gridprovenance(const Run& run) {
    return {std::string("CRUSTEX ") + kProgramVersion + " (crustex-batch)",
            utcnow() + " " + run.env.commandline};
}

// The longitude and latitude of every node of a .inp model's grid by the
// stretch of its Map info.
void stretchgrid(FieldGridExport& grid, const InpStretch& s) {
    const int nx = static_cast<int>(grid.x.size()) - 1, ny = static_cast<int>(grid.y.size()) - 1;
    grid.lat.resize(nx, ny);
    grid.lon.resize(nx, ny);
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j)
            stretchtogeo(s, static_cast<float>(grid.x[static_cast<std::size_t>(i)]),
                         static_cast<float>(grid.y[static_cast<std::size_t>(j)]), grid.lat(i, j),
                         grid.lon(i, j));
    grid.attributes.push_back(
        {"geographic_coordinates",
         "longitude and latitude from the km by the linear stretch of the model file's Map info"});
}

int rungrid(Run& run) {
    if (!evaluate(run)) return kBatchFailed;
    std::vector<const QuantityName*> quantities;
    for (const std::string& key : run.req.quantities) quantities.push_back(findquantityname(key));
    if (quantities.empty()) quantities = defaultgridquantities();
    const std::vector<const GridVariable*> vars = gridvariables(quantities);
    const GridProvenance provenance = gridprovenance(run);
    const GeoFrame geo = run.geo();
    FieldGridExport grid =
        collectfieldgrid(run.ws, run.host, vars, run.ws.needmap ? &geo : nullptr, provenance);
    if (run.stretch) stretchgrid(grid, *run.stretch);
    if (run.req.format == OutputFormat::Csv)
        return writetext(run.host, run.req.output, gridcsvtext(grid));
    std::string error;
    if (writegridnetcdf(grid, run.req.output, error)) return kBatchOk;
    run.host.report(error);
    return kBatchFailed;
}

int runcontours(Run& run) {
    if (!evaluate(run)) return kBatchFailed;
    const QuantityName* q = findquantityname(run.req.quantity);
    const GridVariable* v = inunit(q->variables.front(), run.ws.stressunit);
    const GeoFrame geo = run.geo();
    evaluateextra(run.ws, run.host, v->extra, run.ws.needmap ? &geo : nullptr);
    Grid2D values = run.ws.grids.*(v->grid);
    toexportunit(*v, run.ws, values);
    const std::vector<ContourLine> lines = fieldcontourlines(run.ws, values);
    const ContourJsonInfo info{std::string(q->caption), std::string(q->key),
                               std::string(v->csvunit), run.togeo()};
    return writetext(run.host, run.req.output, contourgeojson(lines, info));
}

int runsection(Run& run, PictureRenderer* renderer) {
    SectionSpec spec;
    if (!batchsection(run, run.req, run.host, spec)) return kBatchBadInput;
    WorkState& ws = run.ws;
    const std::unique_ptr<Section> section = std::make_unique<Section>();
    const SectionNodes nodes = sectionnodes(spec);
    run.host.setprogresslabel("the section (" +
                              std::to_string(nodes.distance.size() * nodes.depth.size()) +
                              " points, " + std::to_string(ws.nfault) + " sources)");
    // The progress line of a long evaluation, as the field grid has it.
    const PointsRun points{threadcount(run.req), [&run](int, int) {
                               run.host.processEvents();
                               return true;
                           }};
    const GeoFrame geo = run.geo();
    const NorthReference north =
        ws.needmap ? NorthReference{&run.proj, &run.pc.frame} : NorthReference{};
    run.host.setStatus(kGridStrainStatus);
    const bool evaluated = evaluatesection(ws, spec, north, *section, points);
    run.host.setStatus("");
    if (!evaluated) {
        run.host.report("the section could not be evaluated");
        return kBatchFailed;
    }
    const OutputFormat format = run.req.format;
    if (format == OutputFormat::Csv || format == OutputFormat::NetCdf) {
        std::vector<const QuantityName*> quantities;
        for (const std::string& key : run.req.quantities)
            quantities.push_back(findquantityname(key));
        if (quantities.empty()) quantities = defaultgridquantities();
        const FieldGridExport grid =
            collectsection(ws, *section, gridvariables(quantities), ws.needmap ? &geo : nullptr,
                           gridprovenance(run));
        if (format == OutputFormat::Csv)
            return writetext(run.host, run.req.output, gridcsvtext(grid));
        std::string error;
        if (writegridnetcdf(grid, run.req.output, error)) return kBatchOk;
        run.host.report(error);
        return kBatchFailed;
    }
    ws.quantitykey = run.req.quantities.front();
    if (run.req.publicationstyle) ws.publicationstyle = *run.req.publicationstyle;
    SectionPictureInputs in;
    in.section = section.get();
    in.traces = sectiontraces(ws, spec);
    in.eventwithin = run.req.section.eventdistance;
    if (ws.needmap && ws.needevent)
        in.events = sectionevents(ws.eventtable, spec, in.eventwithin, run.proj, run.pc.frame);
    const char* mode = ws.needmap ? "map" : "nomap";
    setcolormode(run.pc.palette, mode);
    run.pc.colormode = mode;
    std::string error;
    if (renderer->rendersection(ws, run.pc, run.host, in, run.req, error)) return kBatchOk;
    run.host.report(error);
    return kBatchFailed;
}

int runsites(Run& run) {
    calcobsdata(run.ws, run.host, run.siteresults);
    calcobscff(run.ws, run.host, run.siteresults);
    return writetext(run.host, run.req.output, sitecsvtext(run.ws, run.siteresults, run.togeo()));
}

int runreceivers(Run& run) {
    std::vector<ReceiverFault> list;
    if (!batchreceivers(run, run.req, run.host, list)) return kBatchBadInput;
    ReceiverOptions options = receiveroptions(run.ws);
    // Receivers are written in bar unless asked otherwise.
    if (options.unit == StressUnit::Rigidity) options.unit = StressUnit::Bar;
    if (run.req.rake) options.rake = *run.req.rake;
    options.split = run.req.split;
    run.host.setprogresslabel("the receivers (" + std::to_string(list.size()) + " faults)");
    PointsRun points;
    points.threads = threadcount(run.req);
    points.progress = [&run](int, int) {
        run.host.processEvents();
        return true;
    };
    ReceiverResults results;
    std::string why;
    run.host.setStatus(kGridStrainStatus);
    const bool done = evaluatereceivers(run.ws, list, options, results, points, &why);
    run.host.setStatus("");
    if (!done) {
        run.host.report("the receivers could not be evaluated" + (why.empty() ? "" : ": " + why));
        return kBatchFailed;
    }
    if (results.skipped > 0)
        run.host.report(std::to_string(results.skipped) +
                        " receivers skipped (zero length or width, or unusable values)");
    const GeoFrame geo = run.geo();
    if (storereceivers(run.req.output, results, list, run.ws.needmap ? &geo : nullptr))
        return kBatchOk;
    run.host.report("cannot write '" + run.req.output + "'");
    return kBatchFailed;
}

std::string degreerange(float lat1, float lat2, float lon1, float lon2) {
    return generalform(lat1) + ".." + generalform(lat2) + " N, " + generalform(lon1) + ".." +
           generalform(lon2) + " E";
}

// One line when the map range lies, at least partly, outside what the coast
// file covers: the map is drawn there without coast lines. A file that
// cannot be read is reported by the map drawing.
void reportmapcoverage(Run& run) {
    const WorkState& ws = run.ws;
    const std::optional<MapHeader> coast = coastheader(ws.mappath);
    if (!coast || mapcovers(*coast, {ws.flat1, ws.flon1, ws.flat2, ws.flon2})) return;
    const MapHeader& h = *coast;
    const std::string path = findfilenocase(ws.mappath, kCoastFileName);
    run.host.report("the map file '" + path + "' covers " +
                    degreerange(h.south, h.north, h.west, h.east) + ", not all of the map range " +
                    degreerange(ws.flat1, ws.flat2, ws.flon1, ws.flon2));
}

int runrender(Run& run, PictureRenderer& renderer) {
    // Evaluated here, with the chosen threads, rather than by the picture.
    if (!evaluate(run)) return kBatchFailed;
    if (run.sitesloaded) calcobsdata(run.ws, run.host, run.siteresults);
    WorkState& ws = run.ws;
    if (ws.needmap) reportmapcoverage(run);
    ws.quantitykey = run.req.quantity;
    // Loaded sites are shown as "Open Obs. Sites...." leaves them.
    ws.showobsdatachecked = run.sitesloaded;
    if (run.req.publicationstyle) ws.publicationstyle = *run.req.publicationstyle;
    const char* mode = ws.needmap ? "map" : "nomap";
    setcolormode(run.pc.palette, mode);
    run.pc.colormode = mode;
    std::string error;
    if (renderer.render(ws, run.pc, run.proj, run.host,
                        run.sitesloaded ? &run.siteresults : nullptr, run.req, error))
        return kBatchOk;
    run.host.report(error);
    return kBatchFailed;
}

}  // namespace

int runbatch(const BatchRequest& request, const BatchEnvironment& env, StderrHost& host,
             PictureRenderer* renderer) {
    if (!checkpaths(request, host, renderer)) return kBatchBadInput;
    // The work state with its grids is large: keep it off the stack.
    const std::unique_ptr<Run> run(new Run(request, env, host));
    startbatchmodel(*run, env, request.mapdir);
    if (!readbatchinputs(*run, request, host) || !batchquantitiesoffered(*run, request, host))
        return kBatchBadInput;
    if (request.units) run->ws.stressunit = *request.units;
    switch (request.command) {
        case BatchCommand::Receivers: return runreceivers(*run);
        case BatchCommand::Grid: return rungrid(*run);
        case BatchCommand::Contours: return runcontours(*run);
        case BatchCommand::Sites: return runsites(*run);
        case BatchCommand::Fit: return runbatchfit(request, run->ws, run->geo(), host);
        case BatchCommand::Render: return runrender(*run, *renderer);
        case BatchCommand::Section: return runsection(*run, renderer);
    }
    return kBatchFailed;
}

}  // namespace crustex
