#include "files/sourcefile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <utility>

#include "files/appdir.h"
#include "files/atomicfile.h"
#include "files/workfile.h"
#include "geo/mapdatacheck.h"
#include "model/dialogbounds.h"
#include "model/fsutil.h"
#include "model/sourcemodel.h"
#include "model/sourcetable.h"

namespace crustex {

namespace {

// Point-source values of a record that carries none.
void pointdefaults(faultrec& f) {
    f.px = 100;
    f.py = 100;
    f.pdepth = 1;
    f.piso = 100;
    f.sourcetype = 0;
}

// Slip and rake from the dip-slip and strike-slip components.
void slipfromcomponents(faultrec& f, float dipslip, float strikeslip) {
    f.slip = static_cast<float>(std::sqrt(static_cast<double>(dipslip) * dipslip +
                                          static_cast<double>(strikeslip) * strikeslip));
    f.rakeangle = static_cast<float>(calcangle(dipslip, strikeslip) * 180.0 / kPi);
}

// The second edge from the first, a geographic strike and a length.
void placefault(faultrec& f, const GeoFrame& geo, float lat, float lon, float strike,
                float length) {
    geotokm(geo.proj, geo.frame, lat, lon, f.fx0, f.fy0);
    const double theta = strike * kPi / 180 + meridianangle(geo.proj, lon);
    f.fx1 = static_cast<float>(f.fx0 + length * std::sin(theta));
    f.fy1 = static_cast<float>(f.fy0 + length * std::cos(theta));
}

}  // namespace

void writeplanerecord(RecordWriter& w, const faultrec& f) {
    const double rake = f.rakeangle * kPi / 180;
    w.number(f.fx0);
    w.number(f.fy0);
    w.number(f.fx1);
    w.number(f.fy1);
    w.number(f.fdepth);
    w.number(f.fwidth);
    w.number(f.fdipangle);
    w.number(static_cast<float>(f.slip * std::sin(rake)));
    w.number(static_cast<float>(f.slip * std::cos(rake)));
    w.number(f.tensile);
    w.number(f.px);
    w.number(f.py);
    w.number(f.pdepth);
    w.number(f.piso);
    w.integer(f.sourcetype);
}

void writegeorecord(RecordWriter& w, const faultrec& f, const GeoFrame& geo) {
    float lat = 0, lon = 0, plat = 0, plon = 0;
    kmtogeo(geo.proj, geo.frame, f.fx0, f.fy0, lat, lon);
    const float gamma = meridianangle(geo.proj, lon);
    const float dx = f.fx1 - f.fx0;
    const float dy = f.fy1 - f.fy0;
    const float strike = static_cast<float>((calcangle(dx, dy) - gamma) * 180 / kPi);
    const float length = std::sqrt(dx * dx + dy * dy);
    kmtogeo(geo.proj, geo.frame, f.px, f.py, plat, plon);
    w.number(lat);
    w.number(lon);
    w.number(f.fdepth);
    w.number(strike);
    w.number(f.fdipangle);
    w.number(f.rakeangle);
    w.number(length);
    w.number(f.fwidth);
    w.number(f.slip);
    w.number(f.tensile);
    w.number(plat);
    w.number(plon);
    w.number(f.pdepth);
    w.number(f.piso);
    w.integer(f.sourcetype);
}

bool readsourcerecord(RecordReader& r, SourceForm form, const GeoFrame& geo, faultrec& f) {
    const bool full = form == SourceForm::Plane15 || form == SourceForm::Geographic15;
    const bool plane = form == SourceForm::Plane15 || form == SourceForm::Plane10;
    std::array<float, 14> v{};
    if (!readfloats(r, std::span(v).first(full ? 14 : 10))) return false;
    switch (form) {
        case SourceForm::Plane15:
        case SourceForm::Plane10:
            f.fx0 = v[0];
            f.fy0 = v[1];
            f.fx1 = v[2];
            f.fy1 = v[3];
            f.fdepth = v[4];
            f.fwidth = v[5];
            f.fdipangle = v[6];
            slipfromcomponents(f, v[7], v[8]);
            break;
        case SourceForm::Geographic15:
        case SourceForm::Geographic10:
            placefault(f, geo, v[0], v[1], v[3], v[6]);
            f.fdepth = v[2];
            f.fdipangle = v[4];
            f.rakeangle = v[5];
            f.fwidth = v[7];
            f.slip = v[8];
            break;
        case SourceForm::GeoSlip10:
            placefault(f, geo, v[0], v[1], v[3], v[5]);
            f.fdepth = v[2];
            f.fdipangle = v[4];
            f.fwidth = v[6];
            slipfromcomponents(f, v[7], v[8]);
            break;
        default: return false;
    }
    f.tensile = v[9];
    if (!full) {
        pointdefaults(f);
        return true;
    }
    if (plane) {
        f.px = v[10];
        f.py = v[11];
    } else {
        geotokm(geo.proj, geo.frame, v[10], v[11], f.px, f.py);
    }
    f.pdepth = v[12];
    f.piso = v[13];
    return r.readint(f.sourcetype);
}

namespace {

// Why the source editor would refuse a read source, or "". Only the values
// that the source's type uses are held to the editor's bounds; the slip and
// rake that come from two components are whatever the components give.
std::string sourceproblem(const faultrec& f) {
    // Only faults and inflation points are computed.
    if (f.sourcetype == 1) return outofbounds(DialogKind::SourceEditor, "pdepth", f.pdepth);
    if (f.sourcetype != 0) return "source type " + std::to_string(f.sourcetype) + " is not 0 or 1";
    return outofbounds(DialogKind::SourceEditor,
                       {{"fdepth", f.fdepth}, {"fwidth", f.fwidth}, {"fdipangle", f.fdipangle}});
}

}  // namespace

RecordRead readsourcelist(RecordReader& r, SourceForm form, const GeoFrame& geo, Host& host,
                          std::vector<faultrec>& scratch) {
    int16_t count = 0;
    if (!r.readint(count)) return RecordRead::Broken;
    std::vector<faultrec> list;
    bool refused = false;
    for (int i = 1; i <= count; ++i) {
        if (r.atend()) {
            if (refused) break;
            scratch = std::move(list);
            return r.cut("the count promises " + std::to_string(count) + " sources, " +
                         std::to_string(i - 1) + " follow");
        }
        if (i > kMaxSources) {
            faultlimitmessage(host);
            break;
        }
        faultrec f;
        if (!readsourcerecord(r, form, geo, f)) return RecordRead::Broken;
        if (const std::string why = sourceproblem(f); !why.empty() && !refused) {
            r.refuse("source " + std::to_string(i) + ": " + why);
            refused = true;
        }
        list.push_back(f);
    }
    if (refused) return RecordRead::Refused;
    scratch = std::move(list);
    return RecordRead::Applied;
}

void installsources(WorkState& ws, const std::vector<faultrec>& list) {
    const int n = static_cast<int>(list.size());
    if (n < 1 || n > kMaxSources) return;
    for (int k = 1; k <= n; ++k)
        ws.fault[static_cast<std::size_t>(k)] = list[static_cast<std::size_t>(k - 1)];
    ws.nfault = static_cast<int16_t>(n);
    ws.quantitykey.clear();
    markgridstale(ws);
}

bool coastfilepresent(WorkState& ws) { return checkmapdata(ws).coast; }

void mapmissingmessage(const WorkState& ws, Host& host) {
    host.messageBox("Map File not Exist in " + ws.mappath, "Error", MsgIcon::Critical,
                    MsgButtons::Ok);
}

void openerrormessage(Host& host) {
    host.messageBox("Open Error", "Error", MsgIcon::Critical, MsgButtons::Ok);
}

void openerrormessage(Host& host, const std::string& path, const std::string& why) {
    host.explain(explanation("Open Error", path, why));
    openerrormessage(host);
}

bool openablefile(Host& host, const std::string& path) {
    const InputFile file(path);
    if (!file.isopen()) openerrormessage(host, path, file.error());
    return file.isopen();
}

bool storetext(Host& host, const std::string& path, std::string_view text) {
    if (writefileatomic(path, text)) return true;
    openerrormessage(host);
    return false;
}

bool loadtext(Host& host, const std::string& path, std::string& content) {
    std::string why;
    if (readwholefile(path, content, kMaxDataFileBytes, &why)) return true;
    openerrormessage(host, path, why);
    return false;
}

std::string sourcefiletext(const WorkState& ws) {
    RecordWriter w;
    const int n = std::clamp<int>(ws.nfault, 0, kMaxSources);
    w.text("fltxy2");
    w.integer(n);
    w.endline();
    for (int k = 1; k <= n; ++k) {
        writeplanerecord(w, ws.fault[static_cast<std::size_t>(k)]);
        w.endline();
    }
    return w.str();
}

std::string sourcemapfiletext(const WorkState& ws, const GeoFrame& geo) {
    RecordWriter w;
    const int n = std::clamp<int>(ws.nfault, 0, kMaxSources);
    writemaparea(w, ws);
    w.text("fltga2");
    w.integer(n);
    w.endline();
    for (int k = 1; k <= n; ++k) {
        writegeorecord(w, ws.fault[static_cast<std::size_t>(k)], geo);
        w.endline();
    }
    return w.str();
}

bool storesource(const WorkState& ws, Host& host, const std::string& path) {
    return storetext(host, path, sourcefiletext(ws));
}

bool storesourcemap(const WorkState& ws, Host& host, const GeoFrame& geo, const std::string& path) {
    return storetext(host, path, sourcemapfiletext(ws, geo));
}

SourceReadResult readsourcefile(WorkState& ws, Host& host, const GeoFrame& geo,
                                const std::string& path, const SourceFileHooks& hooks) {
    std::string content;
    if (!loadtext(host, path, content)) return {};
    return readsourcetext(ws, host, geo, std::move(content), hooks, path);
}

SourceReadResult readsourcetext(WorkState& ws, Host& host, const GeoFrame& geo, std::string content,
                                const SourceFileHooks& hooks, const std::string& name) {
    SourceReadResult result;
    result.opened = true;
    RecordReader r(std::move(content));
    std::vector<faultrec> scratch;
    RecordRead worst = RecordRead::Applied;
    bool sourcelist = false;
    // The first keyword is read even from an empty file, which therefore
    // gives "Input Error".
    do {
        std::string keyword;
        if (!r.readtext(keyword)) {
            worst = RecordRead::Broken;
            break;
        }
        keyword = asciilower(std::move(keyword));
        RecordRead got = RecordRead::Applied;
        if (keyword == "maparea") {
            const MapDataCheck& check = hooks.checkmapdata ? hooks.checkmapdata : coastfilepresent;
            if (!check(ws)) {
                mapmissingmessage(ws, host);
                result.mapmissing = true;
                return result;
            }
            std::array<float, 4> c{};
            got = recordread(readfloats(r, c), true);
            if (got == RecordRead::Applied && hooks.showmapdialog)
                hooks.showmapdialog(c[0], c[1], c[2], c[3]);
        } else if (keyword == "fltxy2" || keyword == "fltxy") {
            const SourceForm form = keyword == "fltxy2" ? SourceForm::Plane15 : SourceForm::Plane10;
            sourcelist = true;
            got = readsourcelist(r, form, geo, host, scratch);
        } else if (keyword == "fltga2" || keyword == "fltga" || keyword == "fltgd") {
            if (!ws.needmap) {
                host.messageBox("No Map", "Warning", MsgIcon::Exclamation, MsgButtons::Ok);
                continue;
            }
            const SourceForm form = keyword == "fltga2"  ? SourceForm::Geographic15
                                    : keyword == "fltga" ? SourceForm::Geographic10
                                                         : SourceForm::GeoSlip10;
            sourcelist = true;
            got = readsourcelist(r, form, geo, host, scratch);
        }
        if (got == RecordRead::Broken) {
            worst = got;
            break;
        }
        if (got != RecordRead::Applied) worst = got;
    } while (!r.atend());

    if (worst != RecordRead::Applied) {
        inputerrormessage(host, name, r.problem());
        result.inputerror = true;
        if (worst == RecordRead::Broken) return result;
    }
    if (scratch.empty()) {
        if (!result.inputerror) {
            host.explain(explanation("No Fault", name,
                                     sourcelist ? "the source list is empty" : "no source list"));
            host.messageBox("No Fault", "Warning", MsgIcon::Exclamation, MsgButtons::Ok);
        }
        return result;
    }
    installsources(ws, scratch);
    result.nsources = static_cast<int>(scratch.size());
    return result;
}

}  // namespace crustex
