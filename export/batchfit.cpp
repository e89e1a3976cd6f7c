#include "export/batchfit.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "export/batchrun.h"
#include "export/outputfile.h"
#include "files/atomicfile.h"
#include "files/patchcsv.h"
#include "files/slipplace.h"
#include "files/workfile.h"
#include "fit/slipinversion.h"
#include "fit/sourcefit.h"
#include "model/fsutil.h"

namespace crustex {

namespace {

using Json = nlohmann::ordered_json;

bool endswith(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// How the command line numbers the model's sources.
struct Numbering {
    bool inp = false;  // the model is a .inp file: S is a patch
    int nfault = 0;
    int patches = 0;

    int count() const { return (inp ? 0 : nfault) + patches; }

    FitTarget target(int s) const {
        if (!inp && s <= nfault) return {FitTarget::Kind::Source, s};
        return {FitTarget::Kind::Patch, s - 1 - (inp ? 0 : nfault)};
    }
    int number(FitTarget t) const {
        if (t.kind == FitTarget::Kind::Source) return t.index;
        return t.index + 1 + (inp ? 0 : nfault);
    }
};

Json number(double v) { return std::isfinite(v) ? Json(v) : Json(nullptr); }

int writejson(StderrHost& host, const std::string& path, const Json& j) {
    if (writefileatomic(path, j.dump(2) + "\n")) return kBatchOk;
    host.report("cannot write '" + path + "'");
    return kBatchFailed;
}

// Where the fitted model goes, checked before the fit: the work file keeps
// the sources, the patch table the slip model.
std::string modelproblem(const BatchFit& fit, bool patches, bool sources) {
    if (fit.writemodel.empty()) return "";
    const bool csv = endswith(asciilower(fit.writemodel), ".csv");
    if (csv && sources)
        return "a patch table keeps only the slip model: write the fitted sources with "
               "--write-model FILE.wrk.txt";
    if (!csv && patches)
        return "a work file keeps the sources, not the slip model: write the fitted patches "
               "with --write-model FILE.csv";
    return outputpathproblem(fit.writemodel);
}

// The patches' degrees from their fitted places, for a model that had
// them, so that the table keeps them.
void placeagain(WorkState& ws, const GeoFrame& geo, bool hadgeo) {
    SlipModel& m = ws.slipmodel;
    if (!hadgeo || !readymap(&geo)) return;
    m.geo.resize(m.patches.size());
    for (std::size_t i = 0; i < m.patches.size(); ++i) {
        const SlipPatch& p = m.patches[i];
        GeoEdge& e = m.geo[i];
        kmtogeo(geo.proj, geo.frame, p.x0, p.y0, e.lat0, e.lon0);
        kmtogeo(geo.proj, geo.frame, p.x1, p.y1, e.lat1, e.lon1);
    }
}

int writemodel(const BatchFit& fit, WorkState& ws, const GeoFrame& geo, bool hadgeo,
               StderrHost& host) {
    if (fit.writemodel.empty()) return kBatchOk;
    if (endswith(asciilower(fit.writemodel), ".csv")) {
        placeagain(ws, geo, hadgeo);
        if (storepatchcsv(fit.writemodel, ws.slipmodel, &geo)) return kBatchOk;
        host.report("cannot write '" + fit.writemodel + "'");
        return kBatchFailed;
    }
    return storework(ws, host, geo, fit.writemodel) ? kBatchOk : kBatchFailed;
}

// The progress line while the fit runs.
std::function<void(const FitProgress&)> progressline(StderrHost& host, const std::string& what) {
    host.setprogresslabel(what);
    host.beginprogress();
    return [&host](const FitProgress&) { host.processEvents(); };
}

// Ends the progress line; true, with the reason printed, when there is no
// result.
template <class Result>
bool refused(StderrHost& host, const Result& r, const std::string& words) {
    host.setStatus("");
    if (r.ok) return false;
    host.report(words + r.message);
    return true;
}

// json: when given, the result's JSON goes there and nothing is written.
int runsourcefit(const BatchRequest& req, const Numbering& num, WorkState& ws, const GeoFrame& geo,
                 StderrHost& host, std::string* json) {
    FitRequest fr;
    bool patches = false, sources = false;
    for (const FitParamSpec& f : req.fit.free) {
        if (f.source > num.count()) {
            host.report("cannot fit: the model has no source " + std::to_string(f.source) +
                        " (it has " + std::to_string(num.count()) + ")");
            return kBatchBadInput;
        }
        const FitTarget t = num.target(f.source);
        (t.kind == FitTarget::Kind::Patch ? patches : sources) = true;
        fr.free.push_back({t, *findfitparam(f.name), f.lower, f.upper});
    }
    if (const std::string why = modelproblem(req.fit, patches, sources); !why.empty()) {
        host.report(why);
        return kBatchBadInput;
    }
    fr.starts = req.fit.starts;
    fr.progress =
        progressline(host, "the fit of " + std::to_string(fr.free.size()) + " parameters from " +
                               std::to_string(fr.starts) + " starts");
    const FitResult r = fitsources(ws, fr);
    if (refused(host, r, "cannot fit: ")) return kBatchBadInput;
    Json params = Json::array();
    for (const FittedParam& p : r.params) {
        params.push_back({{"source", num.number(p.target)},
                          {"name", fitparamname(p.param)},
                          {"unit", fitparamunit(p.param)},
                          {"start", p.start},
                          {"value", p.value},
                          {"sigma", p.sigma},
                          {"lower", p.lower},
                          {"upper", p.upper},
                          {"at_bound", p.atbound}});
    }
    const Json out = {{"observations", r.observations}, {"sigmas_given", r.sigmasgiven},
                      {"parameters", params},           {"rms_before", r.rmsbefore},
                      {"rms_after", r.rmsafter},        {"chi2_reduced", number(r.chi2reduced)},
                      {"iterations", r.iterations},     {"starts", r.starts}};
    if (json != nullptr) {
        *json = out.dump(2);
        return kBatchOk;
    }
    const bool hadgeo = !ws.slipmodel.geo.empty();
    if (!req.fit.writemodel.empty()) {
        if (const std::string why = applyfit(ws, r); !why.empty()) {
            host.report("cannot write the fitted model: " + why);
            return kBatchFailed;
        }
    }
    if (const int status = writejson(host, req.output, out); status != kBatchOk) return status;
    return writemodel(req.fit, ws, geo, hadgeo, host);
}

int runinversion(const BatchRequest& req, const Numbering& num, WorkState& ws, const GeoFrame& geo,
                 StderrHost& host, std::string* json) {
    if (const std::string why = modelproblem(req.fit, true, false); !why.empty()) {
        host.report(why);
        return kBatchBadInput;
    }
    SlipInversionRequest sr;
    sr.rake = *req.fit.invertslip;
    sr.tworakes = req.fit.tworakes;
    sr.smoothing = req.fit.smoothing;
    sr.progress =
        progressline(host, "the slip of " + std::to_string(ws.slipmodel.size()) + " patches");
    const SlipInversionResult r = invertslip(ws, sr);
    if (refused(host, r, "cannot invert: ")) return kBatchBadInput;
    Json patches = Json::array();
    for (std::size_t i = 0; i < r.patches.size(); ++i) {
        const FitTarget t{FitTarget::Kind::Patch, static_cast<int>(i)};
        patches.push_back(
            {{"source", num.number(t)}, {"slip", r.patches[i].slip}, {"rake", r.patches[i].rake}});
    }
    const Json out = {{"observations", r.observations}, {"rake", sr.rake},
                      {"two_rakes", sr.tworakes},       {"smoothing", sr.smoothing},
                      {"neighbours", r.neighbours},     {"patches", patches},
                      {"rms_before", r.rmsbefore},      {"rms_after", r.rmsafter},
                      {"moment", number(r.moment)},     {"mw", number(r.mw)},
                      {"iterations", r.iterations}};
    if (json != nullptr) {
        *json = out.dump(2);
        return kBatchOk;
    }
    applyslipinversion(ws, r);
    if (const int status = writejson(host, req.output, out); status != kBatchOk) return status;
    return writemodel(req.fit, ws, geo, false, host);
}

int runfit(const BatchRequest& req, WorkState& ws, const GeoFrame& geo, StderrHost& host,
           std::string* json) {
    const Numbering num{endswith(asciilower(req.work), ".inp"), ws.nfault,
                        static_cast<int>(ws.slipmodel.size())};
    if (req.fit.invertslip) return runinversion(req, num, ws, geo, host, json);
    return runsourcefit(req, num, ws, geo, host, json);
}

}  // namespace

int runbatchfit(const BatchRequest& req, WorkState& ws, const GeoFrame& geo, StderrHost& host) {
    return runfit(req, ws, geo, host, nullptr);
}

int batchfitjson(const BatchRequest& req, WorkState& ws, const GeoFrame& geo, StderrHost& host,
                 std::string& json) {
    BatchRequest quiet = req;
    quiet.fit.writemodel.clear();
    return runfit(quiet, ws, geo, host, &json);
}

}  // namespace crustex
