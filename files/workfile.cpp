#include "files/workfile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <utility>
#include <vector>

#include "engine/fieldform.h"
#include "engine/inclinedlines.h"
#include "files/inpmodel.h"
#include "files/worklos.h"
#include "files/workmapdir.h"
#include "files/workstressmodel.h"
#include "files/workstressunit.h"
#include "geo/eventlayer.h"
#include "model/dialogbounds.h"
#include "model/numtext.h"

namespace crustex {

namespace {

bool within(int v, int lo, int hi) { return v >= lo && v <= hi; }

bool readeach(RecordReader& r, std::initializer_list<float*> out) {
    for (float* p : out)
        if (!r.readfloat(*p)) return false;
    return true;
}

// Reads one float for each target and stores them all only when every one
// was read and `problem` finds nothing wrong with them (it returns why it
// refuses them, or ""); a null target drops its value.
template <std::size_t N, typename Problem>
RecordRead readfloatsinto(RecordReader& r, const std::array<float*, N>& targets, Problem problem) {
    std::array<float, N> v{};
    if (!readfloats(r, v)) return RecordRead::Broken;
    if (const std::string why = problem(v); !why.empty()) return r.refuse(why);
    for (std::size_t i = 0; i < N; ++i)
        if (targets[i] != nullptr) *targets[i] = v[i];
    return RecordRead::Applied;
}

template <std::size_t N>
RecordRead readfloatsinto(RecordReader& r, const std::array<float*, N>& targets) {
    return readfloatsinto(r, targets, [](const std::array<float, N>&) { return std::string(); });
}

// "keyword": why, or "" when why is "".
std::string inrecord(std::string_view keyword, const std::string& why) {
    if (why.empty()) return why;
    std::string text = "\"";
    text += keyword;
    text += "\" ";
    text += why;
    return text;
}

// A record of numbers only: the keyword, then the values.
void writenumbers(RecordWriter& w, const char* keyword, std::initializer_list<float> values) {
    w.text(keyword);
    for (float v : values) w.number(v);
    w.endline();
}

}  // namespace

// --- Writing ---

void writevhyppath(RecordWriter& w, const WorkState& ws) {
    w.text("vhyppath");
    w.text(ws.vhyppath);
    w.endline();
}

void writemaparea(RecordWriter& w, const WorkState& ws) {
    writenumbers(w, "maparea", {ws.flat1, ws.flon1, ws.flat2, ws.flon2});
}

void writemapextra(RecordWriter& w, const WorkState& ws) {
    w.text("mapextra");
    w.boolean(ws.needmap);
    w.boolean(ws.needevent);
    w.integer(ws.areatype);
    w.integer(ws.projection);
    w.integer(ws.linetype);
    w.integer(ws.nstep);
    w.number(ws.dlat);
    for (bool c : ws.faultclass) w.boolean(c);
    w.boolean(ws.volcano);
    w.endline();
}

void writeeventpara(RecordWriter& w, const WorkState& ws) {
    w.text("eventpara");
    w.date(ws.eventstart);
    w.date(ws.eventend);
    w.number(ws.dep0);
    w.number(ws.dep1);
    w.number(ws.mag0);
    w.number(ws.mag1);
    w.endline();
}

void writecffpara(RecordWriter& w, const WorkState& ws) {
    writenumbers(w, "cffpara", {ws.friction});
}

void writecffextra(RecordWriter& w, const WorkState& ws) {
    writenumbers(w, "cffextra", {ws.cffstrike, ws.cffdip, ws.cffrake});
}

void writevisualpara(RecordWriter& w, const WorkState& ws) {
    w.text("visualpara");
    w.number(ws.cline);
    w.integer(ws.nsubline);
    w.number(ws.cminval);
    w.number(ws.fsize);
    w.integer(ws.scaletype);
    w.boolean(ws.peakvalue);
    w.number(ws.rdispl);
    w.number(ws.rtilt);
    w.number(ws.rstrain);
    w.endline();
}

void writecustompara(RecordWriter& w, const WorkState& ws) {
    writenumbers(w, "custompara",
                 {ws.fx, ws.fy, ws.fz, ws.fxx, ws.fyy, ws.fzz, ws.fxy, 0.0f, ws.fzx});
}

void writefieldpara(RecordWriter& w, const WorkState& ws) {
    w.text("fieldpara");
    w.number(ws.xview0);
    w.number(ws.xview1);
    w.number(ws.yview0);
    w.number(ws.yview1);
    w.number(ws.rwidth);
    w.integer(ws.xgrid);
    w.integer(ws.ygrid);
    w.number(ws.obsdepth);
    w.boolean(ws.inclined);
    w.number(ws.obsincx);
    w.number(ws.obsincy);
    w.number(ws.obsincdpt);
    w.number(ws.obsincs);
    w.number(ws.obsincdip);
    w.endline();
}

void writepubstyle(RecordWriter& w, const WorkState& ws) {
    if (!ws.publicationstyle) return;
    w.text("pubstyle");
    w.boolean(true);
    w.endline();
}

void writetopography(RecordWriter& w, const WorkState& ws) {
    if (!ws.needmap && !ws.topocolor && !ws.topocontour) return;
    w.text("topography");
    w.boolean(ws.topocolor);
    w.boolean(ws.topocontour);
    w.endline();
}

// --- Reading ---

RecordRead readvhyppath(RecordReader& r, WorkState& ws) {
    std::string path;
    if (!r.readtext(path)) return RecordRead::Broken;
    ws.vhyppath = std::move(path);
    return RecordRead::Applied;
}

namespace {

// Why the map dialog would refuse the range, or "".
std::string maprangeproblem(float flat1, float flon1, float flat2, float flon2) {
    std::string why =
        outofbounds(DialogKind::Map, {{"flat1", flat1}, {"flat2", flat2}, {"flon1", flon1}});
    if (!why.empty()) return why;
    if (!(flat2 > flat1))
        return "flat2 " + generalform(flat2) + " is not north of flat1 " + generalform(flat1);
    if (!(flon2 > flon1))
        return "flon2 " + generalform(flon2) + " is not east of flon1 " + generalform(flon1);
    // The east limit may lie past 180 (a range across the date line is kept
    // so), but no more than one turn east of the west limit.
    if (!(flon2 <= flon1 + 360))
        return "flon2 " + generalform(flon2) + " is more than one turn east of flon1";
    return "";
}

}  // namespace

RecordRead readmaparea(RecordReader& r, WorkState& ws) {
    return readfloatsinto(r, std::array{&ws.flat1, &ws.flon1, &ws.flat2, &ws.flon2},
                          [](const std::array<float, 4>& v) {
                              return inrecord("maparea", maprangeproblem(v[0], v[1], v[2], v[3]));
                          });
}

RecordRead readmapextra(RecordReader& r, WorkState& ws) {
    bool needmap = false, needevent = false, volcano = false;
    int16_t areatype = 0, projection = 0, linetype = 0, nstep = 0;
    float dlat = 0;
    std::array<bool, 4> faultclass{};
    bool read = r.readbool(needmap) && r.readbool(needevent) && r.readint(areatype) &&
                r.readint(projection) && r.readint(linetype) && r.readint(nstep) &&
                r.readfloat(dlat);
    for (bool& c : faultclass) read = read && r.readbool(c);
    read = read && r.readbool(volcano);
    // A graticule interval of 0 switches the graticule off; a negative one
    // or one beyond a full turn draws nothing sensible.
    if (!read) return RecordRead::Broken;
    if (const std::string why = outofbounds(DialogKind::Map, "dlat", dlat); !why.empty())
        return r.refuse(inrecord("mapextra", why));
    ws.needmap = needmap;
    ws.needevent = needevent;
    ws.areatype = areatype;
    ws.projection = projection;
    ws.linetype = linetype;
    ws.nstep = std::max<int16_t>(nstep, 1);  // a skip below 1 steps point by point
    ws.dlat = dlat;
    ws.faultclass = faultclass;
    ws.volcano = volcano;
    return RecordRead::Applied;
}

RecordRead readeventpara(RecordReader& r, WorkState& ws) {
    DateTime start, end;
    std::array<float, 4> v{};
    if (!r.readdate(start) || !r.readdate(end) || !readfloats(r, v)) return RecordRead::Broken;
    const std::string why =
        outofbounds(DialogKind::EarthquakeSelection,
                    {{"dep0", v[0]}, {"dep1", v[1]}, {"mag0", v[2]}, {"mag1", v[3]}});
    if (!why.empty()) return r.refuse(inrecord("eventpara", why));
    ws.eventstart = start;
    ws.eventend = end;
    ws.dep0 = v[0];
    ws.dep1 = v[1];
    ws.mag0 = v[2];
    ws.mag1 = v[3];
    return RecordRead::Applied;
}

RecordRead readcffpara(RecordReader& r, WorkState& ws) {
    return readfloatsinto(r, std::array{&ws.friction}, [](const std::array<float, 1>& v) {
        return inrecord("cffpara", outofbounds(DialogKind::Cff, "friction", v[0]));
    });
}

RecordRead readcffextra(RecordReader& r, WorkState& ws) {
    return readfloatsinto(
        r, std::array{&ws.cffstrike, &ws.cffdip, &ws.cffrake}, [](const std::array<float, 3>& v) {
            return inrecord("cffextra", outofbounds(DialogKind::Cff, {{"cffstrike", v[0]},
                                                                      {"cffdip", v[1]},
                                                                      {"cffrake", v[2]}}));
        });
}

RecordRead readvisualpara(RecordReader& r, WorkState& ws) {
    float cline = 0, cminval = 0, fsize = 0, rdispl = 0, rtilt = 0, rstrain = 0;
    int16_t nsubline = 0, scaletype = 0;
    bool peakvalue = false;
    const bool read = r.readfloat(cline) && r.readint(nsubline) && r.readfloat(cminval) &&
                      r.readfloat(fsize) && r.readint(scaletype) && r.readbool(peakvalue) &&
                      readeach(r, {&rdispl, &rtilt, &rstrain});
    // The bounds of the visualization dialog: contour intervals, font size and
    // arrow references must be positive, or contouring and scaling fail.
    if (!read) return RecordRead::Broken;
    std::string why = outofbounds(DialogKind::Visualization, {{"cline", cline},
                                                              {"nsubline", nsubline},
                                                              {"cminval", cminval},
                                                              {"fsize", fsize},
                                                              {"rdispl", rdispl},
                                                              {"rtilt", rtilt},
                                                              {"rstrain", rstrain}});
    if (why.empty() && !within(scaletype, 0, 2))
        why = "scaletype " + std::to_string(scaletype) + " is not 0, 1 or 2";
    if (!why.empty()) return r.refuse(inrecord("visualpara", why));
    ws.cline = cline;
    ws.nsubline = nsubline;
    ws.cminval = cminval;
    ws.fsize = fsize;
    ws.scaletype = scaletype;
    ws.peakvalue = peakvalue;
    ws.rdispl = rdispl;
    ws.rtilt = rtilt;
    ws.rstrain = rstrain;
    return RecordRead::Applied;
}

RecordRead readcustompara(RecordReader& r, WorkState& ws) {
    return readfloatsinto(r, std::array<float*, 9>{&ws.fx, &ws.fy, &ws.fz, &ws.fxx, &ws.fyy,
                                                   &ws.fzz, &ws.fxy, nullptr, &ws.fzx});
}

namespace {

// What "fieldpara" carries that the field dialog bounds.
struct FieldValuesRead {
    float xview0, xview1, yview0, yview1;
    int16_t xgrid, ygrid;
    float obsdepth, obsincdpt, obsincs, obsincdip;
};

// Why the field dialog would refuse the values, or "". The corners, the width
// and the inclined field's reference point are not held to the dialog's
// 10000 km: a field laid over a wide map is larger.
std::string fieldproblem(const FieldValuesRead& v) {
    std::string why = outofbounds(DialogKind::Field, {{"xgrid", v.xgrid},
                                                      {"ygrid", v.ygrid},
                                                      {"obsdepth", v.obsdepth},
                                                      {"obsincdpt", v.obsincdpt},
                                                      {"obsincs", v.obsincs},
                                                      {"obsincdip", v.obsincdip}});
    if (!why.empty()) return why;
    if (!(v.xview1 > v.xview0))
        return "xview1 " + generalform(v.xview1) + " is not east of xview0 " +
               generalform(v.xview0);
    if (!(v.yview1 > v.yview0))
        return "yview1 " + generalform(v.yview1) + " is not north of yview0 " +
               generalform(v.yview0);
    return gridsizeproblem(v.xgrid, v.ygrid);
}

}  // namespace

RecordRead readfieldpara(RecordReader& r, WorkState& ws, PlotFrame& frame) {
    float x0 = 0, x1 = 0, y0 = 0, y1 = 0, rwidth = 0, depth = 0;
    float incx = 0, incy = 0, incdpt = 0, incs = 0, incdip = 0;
    int16_t xgrid = 0, ygrid = 0;
    bool inclined = false;
    const bool read = readeach(r, {&x0, &x1, &y0, &y1, &rwidth}) && r.readint(xgrid) &&
                      r.readint(ygrid) && r.readfloat(depth) && r.readbool(inclined) &&
                      readeach(r, {&incx, &incy, &incdpt, &incs, &incdip});
    if (!read) return RecordRead::Broken;
    PlotFrame f = frame;
    const std::string why =
        fieldproblem({x0, x1, y0, y1, xgrid, ygrid, depth, incdpt, incs, incdip});
    if (!why.empty()) return r.refuse(inrecord("fieldpara", why));
    if (!setplotframe(f, rwidth))
        return r.refuse(
            inrecord("fieldpara", "rwidth " + generalform(rwidth) + " is no usable plot width"));
    frame = f;
    ws.xview0 = x0;
    ws.xview1 = x1;
    ws.yview0 = y0;
    ws.yview1 = y1;
    ws.rwidth = rwidth;
    ws.xgrid = xgrid;
    ws.ygrid = ygrid;
    ws.obsdepth = depth;
    ws.inclined = inclined;
    ws.obsincx = incx;
    ws.obsincy = incy;
    ws.obsincdpt = incdpt;
    ws.obsincs = incs;
    ws.obsincdip = incdip;
    return RecordRead::Applied;
}

RecordRead readpubstyle(RecordReader& r, WorkState& ws) {
    bool on = false;
    if (!r.readbool(on)) return RecordRead::Broken;
    ws.publicationstyle = on;
    return RecordRead::Applied;
}

RecordRead readtopography(RecordReader& r, WorkState& ws) {
    bool color = false, contour = false;
    if (!r.readbool(color) || !r.readbool(contour)) return RecordRead::Broken;
    ws.topocolor = color;
    ws.topocontour = contour;
    return RecordRead::Applied;
}

std::optional<RecordRead> readsharedrecord(std::string_view keyword, RecordReader& r,
                                           WorkState& ws) {
    using Read = RecordRead (*)(RecordReader&, WorkState&);
    static constexpr std::pair<std::string_view, Read> kShared[] = {
        {"maparea", readmaparea},
        {"eventpara", readeventpara},
        {"cffpara", readcffpara},
        {"visualpara", readvisualpara},
        {"custompara", readcustompara},
        {"pubstyle", readpubstyle},
        {kStressUnitKeyword, readstressunit},
    };
    for (const auto& [name, read] : kShared)
        if (keyword == name) return read(r, ws);
    return std::nullopt;
}

// --- The whole file ---

std::string workfiletext(const WorkState& ws, const GeoFrame& geo, const std::string& mapdir,
                         const std::optional<SlipModelRecord>& slip) {
    RecordWriter w;
    w.plainline(kWorkFileHeader);
    writevhyppath(w, ws);
    writemapdir(w, mapdir);
    writemaparea(w, ws);
    writemapextra(w, ws);
    writetopography(w, ws);
    writeeventpara(w, ws);
    writecffpara(w, ws);
    writecffextra(w, ws);
    writevisualpara(w, ws);
    writepubstyle(w, ws);
    writelosparam(w, ws);
    writestressunit(w, ws);
    writemedium(w, ws);
    writeregionalstress(w, ws);
    writereceivers(w, ws);
    writecustompara(w, ws);
    writefieldpara(w, ws);
    const int n = std::clamp<int>(ws.nfault, 0, kMaxSources);
    w.text(ws.needmap ? "fltga" : "fltxy");
    w.integer(n);
    w.endline();
    for (int k = 1; k <= n; ++k) {
        const faultrec& f = ws.fault[static_cast<std::size_t>(k)];
        if (ws.needmap)
            writegeorecord(w, f, geo);
        else
            writeplanerecord(w, f);
        w.endline();
    }
    if (slip) writeslipmodel(w, *slip);
    return w.str();
}

bool storework(const WorkState& ws, Host& host, const GeoFrame& geo, const std::string& path) {
    return storetext(host, path,
                     workfiletext(ws, geo, mapdirforwork(ws.mappath, path),
                                  slipmodelforwork(ws.slipmodel, path)));
}

WorkReadResult readworkfile(WorkState& ws, Host& host, Projection& proj, PlotFrame& frame,
                            const std::string& path, const MapDataCheck& checkmapdata,
                            bool followmapdir) {
    std::string content;
    if (!loadtext(host, path, content)) return {};
    const std::string dir = std::filesystem::path(path).parent_path().string();
    std::optional<std::string> mapdirbase;
    if (followmapdir) mapdirbase = dir;
    return readworktext(ws, host, proj, frame, std::move(content), checkmapdata, path, mapdirbase,
                        dir);
}

namespace {

enum class ReadEnd { Complete, InputError, MapMissing };

// What the reading met besides the records it applied.
struct WorkReading {
    std::vector<faultrec> scratch;
    bool damaged = false;      // records were passed over, or a list was cut short
    bool knownrecord = false;  // a record of a work file was met
    bool sourcelist = false;   // a source list was met
    std::string problem;       // why reading stopped, when the reader cannot tell
    // Where a "mapdir" record is resolved; none: the record is read and dropped.
    std::optional<std::string> mapdirbase;
    std::optional<SlipModelRecord> slip;  // the "slipmodel" record
    // The user's medium and regional stress, applied over the slip model's.
    std::optional<Medium> medium;
    std::optional<RegionalStress> regionalstress;
    std::optional<std::vector<ReceiverFault>> receivers;
};

ReadEnd readworkrecords(RecordReader& r, WorkState& ws, Host& host, Projection& proj,
                        PlotFrame& frame, const MapDataCheck& checkmapdata, WorkReadResult& result,
                        WorkReading& reading) {
    const GeoFrame geo{proj, frame};
    while (!r.atend()) {
        std::string keyword;
        if (!r.readtext(keyword)) return ReadEnd::InputError;
        std::optional<RecordRead> got;
        if (const std::optional<RecordRead> shared = readsharedrecord(keyword, r, ws)) {
            got = *shared;
        } else if (keyword == "vhyppath") {
            got = readvhyppath(r, ws);
        } else if (keyword == kMapDirKeyword) {
            got = readmapdir(r, ws, host, reading.mapdirbase);
        } else if (keyword == "mapextra") {
            got = readmapextra(r, ws);
        } else if (keyword == "topography") {
            got = readtopography(r, ws);
        } else if (keyword == kSlipModelKeyword) {
            SlipModelRecord record;
            got = readslipmodel(r, record);
            if (got == RecordRead::Applied) reading.slip = record;
        } else if (keyword == "cffextra") {
            got = readcffextra(r, ws);
        } else if (keyword == kLosKeyword) {
            got = readlosparam(r, ws);
        } else if (keyword == kMediumKeyword) {
            Medium m;
            got = readmedium(r, m);
            if (got == RecordRead::Applied) reading.medium = m;
        } else if (keyword == kRegionalStressKeyword) {
            RegionalStress s;
            got = readregionalstress(r, s);
            if (got == RecordRead::Applied) reading.regionalstress = s;
        } else if (keyword == kReceiversKeyword) {
            std::vector<ReceiverFault> receivers;
            got = readreceivers(r, receivers);
            if (got != RecordRead::Broken) reading.receivers = std::move(receivers);
        } else if (keyword == "fieldpara") {
            got = readfieldpara(r, ws, frame);
            if (got == RecordRead::Applied) result.fieldframe = true;
        } else if (keyword == "fltxy") {
            result.colormode = "nomap";
            reading.sourcelist = true;
            got = readsourcelist(r, SourceForm::Plane15, geo, host, reading.scratch);
        } else if (keyword == "fltga") {
            reading.sourcelist = true;
            result.clearbackground = true;
            result.drawmap = false;
            const MapDataCheck& check = checkmapdata ? checkmapdata : coastfilepresent;
            if (!check(ws)) {
                result.colormode = "nomap";
                mapmissingmessage(ws, host);
                return ReadEnd::MapMissing;
            }
            result.colormode = "map";
            result.drawmap = true;
            // The earthquakes of the window just read; every redraw draws them.
            if (ws.needevent) reloadevents(ws, host);
            // The map is drawn for the range just read; the sources are
            // placed with the same projection. A range that cannot be
            // projected is as bad as a bad number.
            if (!setprojection(proj, ws)) {
                reading.problem = "the map range cannot be projected";
                return ReadEnd::InputError;
            }
            got = readsourcelist(r, SourceForm::Geographic15, geo, host, reading.scratch);
        }
        if (!got) continue;
        reading.knownrecord = true;
        if (got == RecordRead::Broken) return ReadEnd::InputError;
        if (got != RecordRead::Applied) reading.damaged = true;
    }
    return ReadEnd::Complete;
}

// The slip model and what a model file brought, as a new work has them.
void clearslipmodel(WorkState& ws) {
    ws.slipmodel.clear();
    ws.medium = Medium{};
    ws.regionalstress = RegionalStress{};
    ws.receivers.clear();
    ws.sectiondefault = SectionLine{};
}

// Why no source was read.
std::string nofaultreason(const WorkReading& reading) {
    if (!reading.knownrecord) return "no record of a work file";
    if (!reading.sourcelist) return "no source list";
    return "the source list is empty";
}

}  // namespace

WorkReadResult readworktext(WorkState& ws, Host& host, Projection& proj, PlotFrame& frame,
                            std::string content, const MapDataCheck& checkmapdata,
                            const std::string& name, const std::optional<std::string>& mapdirbase,
                            const std::optional<std::string>& slipbase) {
    host.enableMenus(false);
    host.processEvents();
    clearslipmodel(ws);
    WorkReadResult result;
    result.opened = true;
    RecordReader r(std::move(content));
    WorkReading reading;
    reading.mapdirbase = mapdirbase;
    // The file's line of sight, or the start-up one when it names none.
    resetlosparam(ws);
    const ReadEnd end = readworkrecords(r, ws, host, proj, frame, checkmapdata, result, reading);
    // One "Input Error" for the file, whether reading stopped at a damaged
    // field or records were passed over.
    if (end == ReadEnd::InputError || reading.damaged) {
        inputerrormessage(host, name, reading.problem.empty() ? r.problem() : reading.problem);
        result.inputerror = true;
    }
    if (end == ReadEnd::Complete && reading.slip && slipbase) {
        const GeoFrame geo{proj, frame};
        result.slipmodel =
            loadrecordedslipmodel(ws, host, ws.needmap ? &geo : nullptr, *reading.slip, *slipbase);
    }
    if (reading.medium) ws.medium = *reading.medium;
    if (reading.regionalstress) ws.regionalstress = *reading.regionalstress;
    if (reading.receivers) ws.receivers = std::move(*reading.receivers);
    if (end == ReadEnd::MapMissing) {
        result.mapmissing = true;
    } else if (end == ReadEnd::Complete && reading.scratch.empty() && result.slipmodel) {
        leavesourcesout(ws);
    } else if (end == ReadEnd::Complete && !reading.scratch.empty()) {
        installsources(ws, reading.scratch);
        result.nsources = static_cast<int>(reading.scratch.size());
    } else if (end == ReadEnd::Complete && !reading.damaged) {
        host.explain(explanation("No Fault", name, nofaultreason(reading)));
        host.messageBox("No Fault", "Warning", MsgIcon::Exclamation, MsgButtons::Ok);
    }
    ws.quantitykey.clear();
    if (ws.inclined) calcinclinedlines(ws);
    markgridstale(ws);
    host.enableMenus(true);
    return result;
}

}  // namespace crustex
