#include "tools/examplesites.h"

#include <cmath>
#include <cstdint>
#include <random>

#include "engine/siteeval.h"
#include "files/atomicfile.h"
#include "files/recordio.h"
#include "files/workfile.h"
#include "geo/mapform.h"
#include "model/host.h"
#include "model/sourcemodel.h"

namespace crustex::tools {

namespace {

// Normal deviates from a generator whose sequence the C++ standard fixes
// (Box-Muller on mt19937), so every library gives the same file.
class Noise {
public:
    double next() {
        if (spare_) {
            spare_ = false;
            return second_;
        }
        const double u1 = (static_cast<double>(gen_()) + 1) / 4294967297.0;
        const double u2 = static_cast<double>(gen_()) / 4294967296.0;
        const double r = std::sqrt(-2 * std::log(u1));
        second_ = r * std::sin(2 * kPi * u2);
        spare_ = true;
        return r * std::cos(2 * kPi * u2);
    }

private:
    std::mt19937 gen_{20240613u};
    bool spare_ = false;
    double second_ = 0;
};

// The made-up model: one vertical strike-slip fault, 3 m of slip, in the
// middle of the default field; arrows scaled to it.
WorkState examplework() {
    WorkState ws;
    setdefaults(ws, "");
    ws.needmap = true;
    faultrec& f = ws.fault[1];
    f = defaultSource();
    f.fx0 = 78;
    f.fy0 = 82;
    f.fx1 = 112;
    f.fy1 = 108;
    f.fdepth = 1;
    f.fwidth = 15;
    f.fdipangle = 90;
    f.slip = 3000;
    f.rakeangle = 0;
    ws.nfault = 1;
    ws.rdispl = 200;
    // Contours that read well: a finer grid than the start-up one and lines
    // at 1, 2.15, 4.64, 10 ... (mm for displacements).
    ws.xgrid = 72;
    ws.ygrid = 60;
    ws.scaletype = 2;
    ws.nsubline = 2;
    ws.cminval = 1;
    return ws;
}

// The field over the whole map, as "Map..." lays it out on OK; the fault
// keeps its place on the map.
void fieldovermap(WorkState& ws, Projection& proj, PlotFrame& frame) {
    faultrec& f = ws.fault[1];
    float lat0 = 0, lon0 = 0, lat1 = 0, lon1 = 0;
    kmtogeo(proj, frame, f.fx0, f.fy0, lat0, lon0);
    kmtogeo(proj, frame, f.fx1, f.fy1, lat1, lon1);
    rebasefield(ws, proj, frame);
    geotokm(proj, frame, lat0, lon0, f.fx0, f.fy0);
    geotokm(proj, frame, lat1, lon1, f.fx1, f.fy1);
    f.px = (f.fx0 + f.fx1) / 2;
    f.py = (f.fy0 + f.fy1) / 2;
}

// Observations are written to a tenth of a millimetre.
float tenths(double v) { return static_cast<float>(std::round(v * 10) / 10); }

}  // namespace

ExampleFiles examplesitefiles() {
    ExampleFiles out;
    SilentHost host;
    WorkState ws = examplework();
    Projection proj;
    PlotFrame frame;
    setplotframe(frame, ws.rwidth);
    setprojection(proj, ws);
    fieldovermap(ws, proj, frame);
    out.work = workfiletext(ws, GeoFrame{proj, frame});
    // The first line is not read back: it says what the file is.
    out.work.replace(0, out.work.find('\n'),
                     "//// Made-up example model for CRUSTEX: one vertical strike-slip fault with "
                     "3 m of slip for the synthetic site example - not a real event. ////");
    // Without a catalogue path of its own the example keeps the program's
    // (the shipped catalogue beside the maps), wherever it is opened from.
    const std::size_t vhyp = out.work.find("\"vhyppath\"");
    if (vhyp != std::string::npos) out.work.erase(vhyp, out.work.find('\n', vhyp) + 1 - vhyp);

    // The model as the program will read it.
    WorkState model;
    setdefaults(model, "");
    readworktext(model, host, proj, frame, out.work, [](WorkState&) { return true; });

    RecordWriter w;
    w.text(
        "Synthetic example - not measured: the model of sites-example.wrk.txt plus Gaussian "
        "noise of 2 mm (east and north) and 4 mm (up) from tools/make-example-sites.sh");
    w.endline();
    w.text("obd3");
    w.integer(30);
    w.endline();
    Noise noise;
    int k = 0;
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 6; ++col) {
            const auto lat = static_cast<float>(34.2 + 0.4 * row);
            const auto lon = static_cast<float>(134.25 + 0.5 * col);
            float x = 0, y = 0;
            geotokm(proj, frame, lat, lon, x, y);
            const PointValues v = calcsitestrain(model, x, y, 0);
            const double a = meridianangle(proj, lon);
            const double east = v[0] * std::cos(a) - v[1] * std::sin(a);
            const double north = v[0] * std::sin(a) + v[1] * std::cos(a);
            ++k;
            w.text(std::string(k < 10 ? "S0" : "S").append(std::to_string(k)));
            w.number(lat);
            w.number(lon);
            w.number(0);
            w.number(tenths(east + kExampleHorizontalNoise * noise.next()));
            w.number(tenths(north + kExampleHorizontalNoise * noise.next()));
            w.number(tenths(v[2] + kExampleVerticalNoise * noise.next()));
            w.endline();
        }
    }
    out.sites = w.str();
    return out;
}

int writeexamplefiles(std::string_view mode, ModeArgs args,
                      std::initializer_list<ExampleFile> files, std::ostream& err) {
    if (args.size() != 1) {
        err << mode << ": usage: DIRECTORY\n";
        return 2;
    }
    for (const ExampleFile& f : files) {
        const std::string path = joinpath(args[0], f.name);
        if (!writefileatomic(path, *f.text)) {
            err << mode << ": cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}

int runexamplesites(ModeArgs args, std::ostream& err) {
    const ExampleFiles files = examplesitefiles();
    return writeexamplefiles("example-sites", args,
                             {{kExampleWorkName, &files.work}, {kExampleSitesName, &files.sites}},
                             err);
}

}  // namespace crustex::tools
