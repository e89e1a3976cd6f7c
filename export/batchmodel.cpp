#include "export/batchmodel.h"

#include <sched.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "compose/picture.h"
#include "files/appdir.h"
#include "files/datadirs.h"
#include "files/inpmodel.h"
#include "files/maprange.h"
#include "files/receivercsv.h"
#include "files/settingsfile.h"
#include "files/sitefile.h"
#include "files/slipfile.h"
#include "files/workfile.h"
#include "geo/mapdatacheck.h"
#include "geo/mapform.h"
#include "stress/receiverstress.h"
#include "stress/regionalstress.h"

namespace crustex {

namespace {

// A picture with the map needs the coast file as in the window; the other
// outputs only place the sources with the projection.
MapDataCheck mapcheck(const BatchRequest& req) {
    if (req.command == BatchCommand::Render) return coastfilepresent;
    return [](WorkState&) { return true; };
}

// The map dialog's "OK" for a range with the map switched on, the source
// list started again. False when the dialog would refuse the range.
bool acceptmaprange(BatchModel& m, StderrHost& host, const MapRange& range) {
    if (!applymaprange(m.ws, m.proj, m.pc.frame, range)) {
        inputerrormessage(host);
        return false;
    }
    m.ws.nfault = 1;
    markgridstale(m.ws);
    return true;
}

bool isinpfile(const std::string& path) { return slipformatof(path, "") == SlipFormat::Inp; }

// A .inp file as the whole model, in its own km; its Map info gives the
// longitudes and latitudes of the outputs.
bool readinpmodel(BatchModel& m, const std::string& path, StderrHost& host) {
    SlipFileRead read = readslipfile(path);
    const InpOpened opened = openinpmodel(m.ws, m.proj, m.pc.frame, read, path, false);
    host.report(opened.summary);
    if (!opened.ok) return false;
    m.stretch = inpstretch(*read.inp);
    return true;
}

// The work file, or a .inp file in its place; nothing to read for a slip
// model alone.
bool readmodel(BatchModel& m, const BatchRequest& req, StderrHost& host) {
    if (req.work.empty()) return !req.slip.empty();
    if (isinpfile(req.work)) return readinpmodel(m, req.work, host);
    // A map directory given on the command line holds over the work file's.
    const WorkReadResult w =
        readworkfile(m.ws, host, m.proj, m.pc.frame, req.work, mapcheck(req), req.mapdir.empty());
    return w.opened && !w.inputerror && !w.mapmissing && (w.nsources > 0 || w.slipmodel);
}

// The sites of a .inp model with Map info: read through a Mercator map of
// its range, whose meridians are parallel so that no observation is turned,
// then moved from their latitude and longitude into the file's km by the
// inverse of its stretch.
SiteReadResult readinpsites(BatchModel& m, const BatchRequest& req, StderrHost& host,
                            const SourceFileHooks& hooks) {
    WorkState& ws = m.ws;
    const InpStretch& s = *m.stretch;
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
        r = readsitefile(ws, host, GeoFrame{mercator, m.pc.frame}, req.sites, hooks);
    for (int k = 1; k <= ws.nsite; ++k) {
        siterec& site = ws.site[static_cast<std::size_t>(k)];
        float lat = 0, lon = 0;
        kmtogeo(mercator, m.pc.frame, site.x, site.y, lat, lon);
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

// A slip model given on its own in degrees is placed on a map of its
// range, with a margin of a quarter of the range (at least half a degree)
// on every side; one in km needs none. False, reported, when that map
// cannot be set up.
bool mapforslipmodel(BatchModel& m, const SlipFileRead& read, const std::string& path,
                     StderrHost& host) {
    if (read.format == SlipFormat::Inp) return true;
    const std::optional<GeoBox> box = slipgeobox(read);
    if (!box || !(box->lat2 >= box->lat1) || !(box->lon2 >= box->lon1)) return true;
    const float dlat = std::max(0.5f, (box->lat2 - box->lat1) / 4),
                dlon = std::max(0.5f, (box->lon2 - box->lon1) / 4);
    const MapRange range{std::max(box->lat1 - dlat, -89.0f), box->lon1 - dlon,
                         std::min(box->lat2 + dlat, 89.0f), box->lon2 + dlon};
    if (acceptmaprange(m, host, range)) return true;
    host.report("no map can be set up around the slip model '" + path + "'");
    return false;
}

}  // namespace

std::function<void(float, float, float&, float&)> BatchModel::togeo() const {
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

std::function<void(float, float, float&, float&)> BatchModel::fromgeo() const {
    if (stretch) {
        return [s = *stretch](float lon, float lat, float& x, float& y) {
            geotostretch(s, lat, lon, x, y);
        };
    }
    if (!ws.needmap) return {};
    return [this](float lon, float lat, float& x, float& y) {
        geotokm(proj, pc.frame, lat, lon, x, y);
    };
}

void startbatchmodel(BatchModel& m, const BatchEnvironment& env, const std::string& mapdir) {
    setdefaults(m.ws, env.curdir);
    const DataDirs data = defaultdatadirs(datadircandidates(env.programdir, env.datadir));
    if (!data.mappath.empty()) m.ws.mappath = data.mappath;
    if (!data.areapath.empty()) m.ws.areapath = data.areapath;
    if (!data.vhyppath.empty()) m.ws.vhyppath = data.vhyppath;
    const std::unique_ptr<WorkState> saved = std::make_unique<WorkState>(m.ws);
    WindowPlaces places;
    readsettings(*saved, places, appfileforreading(env.programdir, kSettingsFileName));
    m.ws.mappath = saved->mappath;
    m.ws.areapath = saved->areapath;
    m.ws.vhyppath = saved->vhyppath;
    m.ws.seispath = saved->seispath;
    if (!mapdir.empty()) {
        m.ws.mappath = mapdir;
        if (m.ws.mappath.back() != '/') m.ws.mappath += '/';
    }
    setplotframe(m.pc.frame, m.ws.rwidth);
}

bool readbatchinputs(BatchModel& m, const BatchRequest& req, StderrHost& host) {
    if (!readmodel(m, req, host)) {
        host.report("cannot use the work file '" + req.work + "'");
        return false;
    }
    if (!req.sources.empty()) {
        SourceFileHooks hooks;
        hooks.checkmapdata = mapcheck(req);
        // "maparea" in a source file opens the map dialog with the range and
        // the map switched on; here its "OK" is taken at once, through the
        // dialog's own checks and store.
        bool refused = false;
        hooks.showmapdialog = [&m, &host, &refused](float lat1, float lon1, float lat2,
                                                    float lon2) {
            refused = !acceptmaprange(m, host, {lat1, lon1, lat2, lon2});
        };
        const SourceReadResult s = readsourcefile(m.ws, host, m.geo(), req.sources, hooks);
        if (!s.opened || s.inputerror || s.mapmissing || s.nsources == 0 || refused) {
            host.report("cannot use the source file '" + req.sources + "'");
            return false;
        }
    }
    if (m.ws.needmap && !setprojection(m.proj, m.ws)) {
        host.report("the map range of '" + req.work + "' cannot be projected");
        return false;
    }
    if (!req.slip.empty()) {
        SlipFileRead read = readslipfile(req.slip);
        if (req.work.empty() && !mapforslipmodel(m, read, req.slip, host)) return false;
        // On the map while it is on, else in km.
        const GeoFrame geo = m.geo();
        std::string summary;
        const bool loaded = loadslipread(m.ws, m.mapframe(geo), read, req.slip, summary);
        host.report(summary);
        if (!loaded) {
            host.report("cannot use the slip model '" + req.slip + "'");
            return false;
        }
        // A slip model on its own: only its patches contribute.
        if (req.work.empty()) leavesourcesout(m.ws);
    }
    if (!req.sites.empty() && !readbatchsites(m, req, host)) return false;
    // The line of sight of the command line holds over the work file's.
    if (req.losheading) m.ws.losheading = *req.losheading;
    if (req.losincidence) m.ws.losincidence = *req.losincidence;
    if (req.wavelength) m.ws.loswavelength = *req.wavelength;
    markgridstale(m.ws);
    return true;
}

bool readbatchsites(BatchModel& m, const BatchRequest& req, StderrHost& host) {
    // A "maparea" in a site file would open the map dialog; here it is
    // cancelled: the work file's map and sources stay.
    SourceFileHooks hooks;
    hooks.checkmapdata = mapcheck(req);
    const SiteReadResult r = m.stretch ? readinpsites(m, req, host, hooks)
                                       : readsitefile(m.ws, host, m.geo(), req.sites, hooks);
    if (!r.opened || r.inputerror || r.nomap || r.mapmissing || m.ws.nsite == 0) {
        host.report("cannot use the site file '" + req.sites + "'");
        return false;
    }
    m.sitesloaded = true;
    return true;
}

bool batchquantitiesoffered(const BatchModel& m, const BatchRequest& req, StderrHost& host) {
    std::vector<std::string> keys = req.quantities;
    if (!req.quantity.empty()) keys.push_back(req.quantity);
    for (const std::string& key : keys) {
        const QuantityInfo* q = findquantity(key);
        if (q == nullptr || quantityoffered(m.ws, *q)) continue;
        std::string why = "'";
        why += q->title;
        why += "' needs a regional stress: ";
        why += regionalstressproblem(m.ws.regionalstress);
        host.report(why);
        return false;
    }
    return true;
}

int batchthreads(int asked) {
    if (asked > 0) return asked;
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) return CPU_COUNT(&set);
    return 0;
}

bool batchreceivers(const BatchModel& m, const BatchRequest& req, StderrHost& host,
                    std::vector<ReceiverFault>& list) {
    const std::string& from = req.receivers;
    if (from == kSourcesAsReceivers) {
        list = sourcereceivers(m.ws);
        if (!list.empty()) return true;
        host.report("the model has no fault source to take as a receiver");
        return false;
    }
    if (!from.empty()) {
        ReceiverFileRead read = readreceiverfile(from);
        const GeoFrame geo = m.geo();
        const bool ok = placereceivercsv(read, m.mapframe(geo));
        for (const std::string& line : read.report.messages()) host.report(line);
        if (!ok) {
            host.report(receiverfilesummary(read));
            return false;
        }
        list = std::move(read.receivers);
        return true;
    }
    list = m.ws.receivers;
    if (!list.empty()) return true;
    host.report("'" + req.work +
                "' has no receivers: give --receivers FILE or --receivers sources");
    return false;
}

bool batchsection(const BatchModel& m, const BatchRequest& req, StderrHost& host,
                  SectionSpec& spec) {
    const SectionOptions& o = req.section;
    const SectionLine& line = m.ws.sectiondefault;
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
        host.report(std::string("the section needs ") + missing + ": '" + req.work +
                    "' proposes no cross section");
        return false;
    }
    if (const std::string why = sectionproblem(spec); !why.empty()) {
        host.report(why);
        return false;
    }
    return true;
}

}  // namespace crustex
