#include "export/batchrun.h"

#include <sched.h>
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
struct Run {
    Run(const BatchRequest& r, const BatchEnvironment& e, StderrHost& h)
        : req(r), env(e), host(h) {}

    const BatchRequest& req;
    const BatchEnvironment& env;
    StderrHost& host;
    WorkState ws;
    PlotContext pc;
    Projection proj;
    SiteResults siteresults;
    bool sitesloaded = false;
    // A .inp model with Map info: its km to degrees.
    std::optional<InpStretch> stretch;

    GeoFrame geo() const { return {proj, pc.frame}; }
    // Field km to longitude and latitude while the map is on, or by the
    // stretch of a .inp model's Map info.
    std::function<void(float, float, float&, float&)> togeo() const {
        if (stretch) {
            return [s = *stretch](float x, float y, float& lon, float& lat) {
                stretchtogeo(s, x, y, lat, lon);
            };
        }
        if (!ws.needmap) return {};
        return [this](float x, float y, float& lon, float& lat) {
            kmtogeo(proj, pc.frame, x, y, lat, lon);
        };
    }
};

// The worker threads: as asked, else one per CPU this process may run on
// (a batch scheduler's share of a node, not the whole node).
int threadcount(const BatchRequest& req) {
    if (req.threads > 0) return req.threads;
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) return CPU_COUNT(&set);
    return 0;
}

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

// The start-up defaults with the data directories the window starts with:
// the shipped data's, then those of the settings file. The rest of the
// settings is the work file's business.
void startstate(Run& run) {
    setdefaults(run.ws, run.env.curdir);
    const DataDirs data = defaultdatadirs(datadircandidates(run.env.programdir, run.env.datadir));
    if (!data.mappath.empty()) run.ws.mappath = data.mappath;
    if (!data.areapath.empty()) run.ws.areapath = data.areapath;
    if (!data.vhyppath.empty()) run.ws.vhyppath = data.vhyppath;
    const std::unique_ptr<WorkState> saved = std::make_unique<WorkState>(run.ws);
    WindowPlaces places;
    readsettings(*saved, places, appfileforreading(run.env.programdir, kSettingsFileName));
    run.ws.mappath = saved->mappath;
    run.ws.areapath = saved->areapath;
    run.ws.vhyppath = saved->vhyppath;
    run.ws.seispath = saved->seispath;
    if (!run.req.mapdir.empty()) {
        run.ws.mappath = run.req.mapdir;
        if (run.ws.mappath.back() != '/') run.ws.mappath += '/';
    }
    setplotframe(run.pc.frame, run.ws.rwidth);
}

// A picture with the map needs the coast file as in the window; the other
// outputs only place the sources with the projection.
MapDataCheck mapcheck(const BatchRequest& req) {
    if (req.command == BatchCommand::Render) return coastfilepresent;
    return [](WorkState&) { return true; };
}

// The map dialog's "OK" for a range with the map switched on, the source
// list started again. False when the dialog would refuse the range.
bool acceptmaprange(Run& run, const MapRange& range) {
    if (!applymaprange(run.ws, run.proj, run.pc.frame, range)) {
        inputerrormessage(run.host);
        return false;
    }
    run.ws.nfault = 1;
    markgridstale(run.ws);
    return true;
}

bool isinpfile(const std::string& path) { return slipformatof(path, "") == SlipFormat::Inp; }

// A .inp file as the whole model, in its own km; its Map info gives the
// longitudes and latitudes of the outputs.
bool readinpmodel(Run& run) {
    SlipFileRead read = readslipfile(run.req.work);
    const InpOpened opened =
        openinpmodel(run.ws, run.proj, run.pc.frame, read, run.req.work, false);
    run.host.report(opened.summary);
    if (!opened.ok) return false;
    run.stretch = inpstretch(*read.inp);
    return true;
}

// The work file, or a .inp file in its place.
bool readmodel(Run& run) {
    const BatchRequest& req = run.req;
    if (isinpfile(req.work)) return readinpmodel(run);
    // A map directory given on the command line holds over the work file's.
    const WorkReadResult w = readworkfile(run.ws, run.host, run.proj, run.pc.frame, req.work,
                                          mapcheck(req), req.mapdir.empty());
    return w.opened && !w.inputerror && !w.mapmissing && (w.nsources > 0 || w.slipmodel);
}

// The sites of a .inp model with Map info: read through a Mercator map of
// its range, whose meridians are parallel so that no observation is turned,
// then moved from their latitude and longitude into the file's km by the
// inverse of its stretch.
SiteReadResult readinpsites(Run& run, const SourceFileHooks& hooks) {
    WorkState& ws = run.ws;
    const InpStretch& s = *run.stretch;
    const bool needmap = ws.needmap;
    const int16_t projection = ws.projection;
    const float lat1 = ws.flat1, lat2 = ws.flat2, lon1 = ws.flon1, lon2 = ws.flon2;
    ws.needmap = true;
    ws.projection = kMercator;
    ws.flat1 = std::min(s.lat0, s.lat1);
    ws.flat2 = std::max(s.lat0, s.lat1);
    ws.flon1 = std::min(s.lon0, s.lon1);
    ws.flon2 = std::max(s.lon0, s.lon1);
    Projection mercator;
    SiteReadResult r;
    if (setprojection(mercator, ws))
        r = readsitefile(ws, run.host, GeoFrame{mercator, run.pc.frame}, run.req.sites, hooks);
    for (int k = 1; k <= ws.nsite; ++k) {
        siterec& site = ws.site[static_cast<std::size_t>(k)];
        float lat = 0, lon = 0;
        kmtogeo(mercator, run.pc.frame, site.x, site.y, lat, lon);
        geotostretch(s, lat, lon, site.x, site.y);
    }
    ws.needmap = needmap;
    ws.projection = projection;
    ws.flat1 = lat1;
    ws.flat2 = lat2;
    ws.flon1 = lon1;
    ws.flon2 = lon2;
    return r;
}

bool readinputs(Run& run) {
    const BatchRequest& req = run.req;
    if (!readmodel(run)) {
        run.host.report("cannot use the work file '" + req.work + "'");
        return false;
    }
    if (!req.sources.empty()) {
        SourceFileHooks hooks;
        hooks.checkmapdata = mapcheck(req);
        // "maparea" in a source file opens the map dialog with the range and
        // the map switched on; here its "OK" is taken at once, through the
        // dialog's own checks and store.
        bool refused = false;
        hooks.showmapdialog = [&run, &refused](float lat1, float lon1, float lat2, float lon2) {
            refused = !acceptmaprange(run, {lat1, lon1, lat2, lon2});
        };
        const SourceReadResult s = readsourcefile(run.ws, run.host, run.geo(), req.sources, hooks);
        if (!s.opened || s.inputerror || s.mapmissing || s.nsources == 0 || refused) {
            run.host.report("cannot use the source file '" + req.sources + "'");
            return false;
        }
    }
    if (run.ws.needmap && !setprojection(run.proj, run.ws)) {
        run.host.report("the map range of '" + req.work + "' cannot be projected");
        return false;
    }
    if (!req.slip.empty()) {
        // On the map while it is on, else in km.
        const GeoFrame geo = run.geo();
        std::string summary;
        const bool loaded =
            loadslipfile(run.ws, run.ws.needmap ? &geo : nullptr, req.slip, summary);
        run.host.report(summary);
        if (!loaded) {
            run.host.report("cannot use the slip model '" + req.slip + "'");
            return false;
        }
    }
    if (!req.sites.empty()) {
        // A "maparea" in a site file would open the map dialog; here it is
        // cancelled: the work file's map and sources stay.
        SourceFileHooks hooks;
        hooks.checkmapdata = mapcheck(req);
        const SiteReadResult r = run.stretch
                                     ? readinpsites(run, hooks)
                                     : readsitefile(run.ws, run.host, run.geo(), req.sites, hooks);
        if (!r.opened || r.inputerror || r.nomap || r.mapmissing || run.ws.nsite == 0) {
            run.host.report("cannot use the site file '" + req.sites + "'");
            return false;
        }
        run.sitesloaded = true;
    }
    // The line of sight of the command line holds over the work file's.
    if (req.losheading) run.ws.losheading = *req.losheading;
    if (req.losincidence) run.ws.losincidence = *req.losincidence;
    if (req.wavelength) run.ws.loswavelength = *req.wavelength;
    markgridstale(run.ws);
    return true;
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

// The keys a run shows or writes.
std::vector<std::string> requestedkeys(const BatchRequest& req) {
    std::vector<std::string> keys = req.quantities;
    if (!req.quantity.empty()) keys.push_back(req.quantity);
    return keys;
}

// A quantity the work cannot give (delta CFF on optimal planes without a
// usable regional stress) refuses the run, saying why.
bool offered(Run& run) {
    for (const std::string& key : requestedkeys(run.req)) {
        const QuantityInfo* q = findquantity(key);
        if (q == nullptr || quantityoffered(run.ws, *q)) continue;
        std::string why = "'";
        why += q->title;
        why += "' needs a regional stress: ";
        why += regionalstressproblem(run.ws.regionalstress);
        run.host.report(why);
        return false;
    }
    return true;
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

// The section of the command line, completed from the model's proposal.
// False, having said why, when neither gives a part of it.
bool sectionspec(Run& run, SectionSpec& spec) {
    const SectionOptions& o = run.req.section;
    const SectionLine& line = run.ws.sectiondefault;
    spec = sectionfromline(line);
    const char* missing = nullptr;
    if (o.from && o.to) {
        spec.x0 = (*o.from)[0];
        spec.y0 = (*o.from)[1];
        spec.x1 = (*o.to)[0];
        spec.y1 = (*o.to)[1];
    } else if (o.from || o.to || !line.given) {
        missing = "--from and --to";
    }
    if (o.depth) {
        spec.top = (*o.depth)[0];
        spec.bottom = (*o.depth)[1];
    } else if (!line.given) {
        missing = "--depth";
    }
    if (o.step) {
        spec.step = spec.dz = *o.step;
    } else if (!line.given) {
        missing = "--step";
    }
    if (missing != nullptr) {
        run.host.report(std::string("the section needs ") + missing + ": '" + run.req.work +
                        "' proposes no cross section");
        return false;
    }
    if (const std::string why = sectionproblem(spec); !why.empty()) {
        run.host.report(why);
        return false;
    }
    return true;
}

int runsection(Run& run, PictureRenderer* renderer) {
    SectionSpec spec;
    if (!sectionspec(run, spec)) return kBatchBadInput;
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

// The receivers the run resolves on: a file's, the sources, or the model's
// own. False (reported) when there are none or the file cannot be used.
bool runreceiverlist(Run& run, std::vector<ReceiverFault>& list) {
    const std::string& from = run.req.receivers;
    if (from == kSourcesAsReceivers) {
        list = sourcereceivers(run.ws);
        if (!list.empty()) return true;
        run.host.report("the model has no fault source to take as a receiver");
        return false;
    }
    if (!from.empty()) {
        ReceiverFileRead read = readreceiverfile(from);
        const GeoFrame geo = run.geo();
        const bool ok = placereceivercsv(read, run.ws.needmap ? &geo : nullptr);
        for (const std::string& line : read.report.messages()) run.host.report(line);
        if (!ok) {
            run.host.report(receiverfilesummary(read));
            return false;
        }
        list = std::move(read.receivers);
        return true;
    }
    list = run.ws.receivers;
    if (!list.empty()) return true;
    run.host.report("'" + run.req.work +
                    "' has no receivers: give --receivers FILE or --receivers sources");
    return false;
}

int runreceivers(Run& run) {
    std::vector<ReceiverFault> list;
    if (!runreceiverlist(run, list)) return kBatchBadInput;
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
    startstate(*run);
    if (!readinputs(*run) || !offered(*run)) return kBatchBadInput;
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
