#include "export/batchrun.h"

#include <sched.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <memory>

#include "engine/fieldgrid.h"
#include "export/contourexport.h"
#include "export/fieldexport.h"
#include "export/gridcsv.h"
#include "export/gridnetcdf.h"
#include "export/outputfile.h"
#include "export/quantitynames.h"
#include "export/sectionexport.h"
#include "export/sitecsv.h"
#include "files/appdir.h"
#include "files/atomicfile.h"
#include "files/datadirs.h"
#include "files/settingsfile.h"
#include "files/sitefile.h"
#include "files/sourcefile.h"
#include "files/workfile.h"
#include "geo/mapdatacheck.h"
#include "geo/mapfile.h"
#include "geo/mapform.h"
#include "model/numtext.h"
#include "plot/palette.h"
#include "stress/regionalstress.h"
#include "stress/sectiontraces.h"

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

    GeoFrame geo() const { return {proj, pc.frame}; }
    // Field km to longitude and latitude while the map is on.
    std::function<void(float, float, float&, float&)> togeo() const {
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

// The map dialog's "OK" for a range with the map switched on: the boxes
// as the dialog fills them, its checks, the store, the projection and the
// field re-based on the map, the source list started again. False when
// the dialog would refuse the range.
bool acceptmaprange(Run& run, const MapRange& range) {
    WorkState& ws = run.ws;
    MapFormText text = entrymapform(ws);
    text.flat1 = formatnumber(range.lat1, "0.##");
    text.flon1 = formatnumber(range.lon1, "0.##");
    text.flat2 = formatnumber(range.lat2, "0.##");
    text.flon2 = formatnumber(range.lon2, "0.##");
    MapSwitches sw = mapswitches(ws);
    sw.needmap = true;
    FieldValues values;
    if (!checkmapform(text, values).ok()) {
        inputerrormessage(run.host);
        return false;
    }
    storemapform(ws, values, sw);
    if (!setprojection(run.proj, ws) || !rebasefield(ws, run.proj, run.pc.frame)) return false;
    ws.nfault = 1;
    markgridstale(ws);
    return true;
}

bool readinputs(Run& run) {
    const BatchRequest& req = run.req;
    // A map directory given on the command line holds over the work file's.
    const WorkReadResult w = readworkfile(run.ws, run.host, run.proj, run.pc.frame, req.work,
                                          mapcheck(req), req.mapdir.empty());
    if (!w.opened || w.inputerror || w.mapmissing || w.nsources == 0) {
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
    if (!req.sites.empty()) {
        // A "maparea" in a site file would open the map dialog; here it is
        // cancelled: the work file's map and sources stay.
        SourceFileHooks hooks;
        hooks.checkmapdata = mapcheck(req);
        const SiteReadResult r = readsitefile(run.ws, run.host, run.geo(), req.sites, hooks);
        if (!r.opened || r.inputerror || r.nomap || r.mapmissing || run.ws.nsite == 0) {
            run.host.report("cannot use the site file '" + req.sites + "'");
            return false;
        }
        run.sitesloaded = true;
    }
    markgridstale(run.ws);
    return true;
}

// Input files and the output path, checked before anything is read.
bool checkpaths(const BatchRequest& req, StderrHost& host, const PictureRenderer* renderer) {
    const std::pair<const std::string*, const char*> inputs[] = {
        {&req.work, "work file"}, {&req.sources, "source file"}, {&req.sites, "site file"}};
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
    run.host.setprogresslabel("the field grid (" + std::to_string(nodes) + " nodes, " +
                              std::to_string(ws.nfault) + " sources)");
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

int rungrid(Run& run) {
    if (!evaluate(run)) return kBatchFailed;
    std::vector<const QuantityName*> quantities;
    for (const std::string& key : run.req.quantities) quantities.push_back(findquantityname(key));
    if (quantities.empty()) quantities = defaultgridquantities();
    const std::vector<const GridVariable*> vars = gridvariables(quantities);
    const GridProvenance provenance = gridprovenance(run);
    const GeoFrame geo = run.geo();
    const FieldGridExport grid =
        collectfieldgrid(run.ws, run.host, vars, run.ws.needmap ? &geo : nullptr, provenance);
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
    const GridVariable* v = q->variables.front();
    const GeoFrame geo = run.geo();
    evaluateextra(run.ws, run.host, v->extra, run.ws.needmap ? &geo : nullptr);
    const std::vector<ContourLine> lines = fieldcontourlines(run.ws, run.ws.grids.*(v->grid));
    const ContourJsonInfo info{std::string(q->caption), std::string(q->key),
                               std::string(variableinunit(v, run.ws.stressunit)->csvunit),
                               run.togeo()};
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

std::string degreerange(float lat1, float lat2, float lon1, float lon2) {
    return generalform(lat1) + ".." + generalform(lat2) + " N, " + generalform(lon1) + ".." +
           generalform(lon2) + " E";
}

// One line when the map range lies, at least partly, outside what the coast
// file covers: the map is drawn there without coast lines. A file that
// cannot be read is reported by the map drawing.
void reportmapcoverage(Run& run) {
    const WorkState& ws = run.ws;
    const std::string path = findfilenocase(ws.mappath, kCoastFileName);
    if (path.empty()) return;
    std::ifstream in(path, std::ios::binary);
    MapFile file;
    if (!in || !file.open(in)) return;
    const MapHeader& h = file.header();
    const bool globe = h.west == -180 && h.east == 180;
    if (ws.flat1 >= h.south && ws.flat2 <= h.north &&
        (globe || (ws.flon1 >= h.west && ws.flon2 <= h.east)))
        return;
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
    switch (request.command) {
        case BatchCommand::Grid: return rungrid(*run);
        case BatchCommand::Contours: return runcontours(*run);
        case BatchCommand::Sites: return runsites(*run);
        case BatchCommand::Render: return runrender(*run, *renderer);
        case BatchCommand::Section: return runsection(*run, renderer);
    }
    return kBatchFailed;
}

}  // namespace crustex
