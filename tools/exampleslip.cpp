#include "tools/exampleslip.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "files/patchcsv.h"
#include "files/slipplace.h"
#include "model/sourcemodel.h"
#include "tools/examplesites.h"

namespace crustex::tools {

namespace {

// The fault: upper edge from (kStartX, kStartY) km along kStrike, down to
// kBottom km; every patch kPatch km square.
constexpr double kStrike = 25;  // degrees clockwise from north
constexpr double kDip = 30;
constexpr double kRake = 100;
constexpr double kTop = 6;  // km
constexpr int kAlong = 24, kDown = 12;
constexpr double kPatch = 3.5;     // km
constexpr double kMaxSlip = 4;     // m, at the middle
constexpr double kEllipse = 0.71;  // semi-axes as shares of length and width
constexpr double kCentreX = -10;   // middle of the fault's projection (km)
constexpr double kCentreY = -5;

// The grid and the Map info that spans it.
constexpr InpStretch kStretch{-135, 135, -110, 110, 134, 137, 34, 36};
constexpr double kGridStep = 2.5;
constexpr double kDepth = 5;  // calculation depth (km)

struct Element {
    double x0, y0, x1, y1;  // upper edge (km)
    double rtlat, reverse;  // m
    double dip, top, bottom;
};

struct Frame {
    double sx, sy;  // along strike
    double nx, ny;  // horizontal, down dip (right of the strike)
};

Frame faultframe() {
    const double a = kStrike * kPi / 180;
    return {std::sin(a), std::cos(a), std::cos(a), -std::sin(a)};
}

// The patches of the thrust, row by row from the top; centres (km) beside.
std::vector<Element> thrust(std::vector<std::pair<double, double>>& centres) {
    const Frame f = faultframe();
    const double length = kAlong * kPatch, width = kDown * kPatch;
    const double cosd = std::cos(kDip * kPi / 180), sind = std::sin(kDip * kPi / 180);
    const double x0 = kCentreX - length / 2 * f.sx - width * cosd / 2 * f.nx;
    const double y0 = kCentreY - length / 2 * f.sy - width * cosd / 2 * f.ny;
    const double rake = kRake * kPi / 180;
    std::vector<Element> out;
    for (int j = 0; j < kDown; ++j) {
        for (int i = 0; i < kAlong; ++i) {
            const double along = i * kPatch, down = j * kPatch * cosd;
            const double ax = x0 + along * f.sx + down * f.nx;
            const double ay = y0 + along * f.sy + down * f.ny;
            const double u = ((i + 0.5) * kPatch - length / 2) / (kEllipse * length);
            const double v = ((j + 0.5) * kPatch - width / 2) / (kEllipse * width);
            const double slip = std::round(kMaxSlip * std::sqrt(1 - u * u - v * v) * 1000) / 1000;
            const double top = kTop + j * kPatch * sind;
            out.push_back({ax, ay, ax + kPatch * f.sx, ay + kPatch * f.sy, -slip * std::cos(rake),
                           slip * std::sin(rake), kDip, top, top + kPatch * sind});
            centres.emplace_back(ax + kPatch / 2 * f.sx + kPatch * cosd / 2 * f.nx,
                                 ay + kPatch / 2 * f.sy + kPatch * cosd / 2 * f.ny);
        }
    }
    return out;
}

std::string line(const char* format, auto... values) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, values...);
    return std::string(buf) + "\n";
}

std::string elementline(int k, const Element& e) {
    return line("%4d %10.4f %10.4f %10.4f %10.4f 100 %10.4f %10.4f %10.4f %10.4f %10.4f", k, e.x0,
                e.y0, e.x1, e.y1, e.rtlat, e.reverse, e.dip, e.top, e.bottom);
}

std::string block(const char* title, std::initializer_list<std::pair<const char*, double>> rows) {
    std::string out = line("     %s", title);
    int k = 0;
    for (const auto& [key, value] : rows)
        out += line("  %d  ----------------------------  %s = %12.4f", ++k, key, value);
    return out;
}

std::string inptext(const std::vector<Element>& patches) {
    // Two receivers: a vertical strike-slip fault to the north-west and a
    // shallower thrust to the south-east, both without slip.
    const Element receivers[] = {
        {-85, 35, -55, 70, 0, 0, 90, 0, 15},
        {45, -70, 62, -30, 0, 0, 35, 2, 12},
    };
    const Frame f = faultframe();
    const int count = static_cast<int>(patches.size() + std::size(receivers));
    std::string out;
    out +=
        "This is a made-up slip model, not a real earthquake (CRUSTEX example, "
        "tools/make-example-slip.sh)\n";
    out += line(
        "Elliptical slip of up to %.0f m, rake %.0f, on a %.0f-degree thrust; %d x %d "
        "patches of %.1f km",
        kMaxSlip, kRake, kDip, kAlong, kDown, kPatch);
    out += line("#reg1=  0  #reg2=  0  #fixed= %d  sym=  1", count);
    out += line(" PR1=       0.250     PR2=       0.250   DEPTH=   %8.1f", kDepth);
    out += "  E1=   0.800000E+06   E2=   0.800000E+06\n";
    out += "XSYM=       .000     YSYM=       .000\n";
    out += "FRIC=       0.400\n";
    out += "S1DR=   115.0000     S1DP=     0.0000    S1IN=    100.000     S1GD=   .000000\n";
    out += "S2DR=    25.0000     S2DP=     0.0000    S2IN=     50.000     S2GD=   .000000\n";
    out += "S3DR=    25.0000     S3DP=    90.0000    S3IN=     30.000     S3GD=   .000000\n";
    out += "\n";
    out +=
        "  #    X-start    Y-start      X-fin      Y-fin Kode     rt.lat    reverse  dip angle"
        "        top        bot\n";
    out +=
        "xxx xxxxxxxxxx xxxxxxxxxx xxxxxxxxxx xxxxxxxxxx xxx xxxxxxxxxx xxxxxxxxxx xxxxxxxxxx "
        "xxxxxxxxxx xxxxxxxxxx\n";
    int k = 0;
    for (const Element& e : patches) out += elementline(++k, e);
    for (const Element& e : receivers) out += elementline(++k, e);
    out += "\n";
    out += block("Grid Parameters", {{"Start-x", kStretch.x0},
                                     {"Start-y", kStretch.y0},
                                     {"Finish-x", kStretch.x1},
                                     {"Finish-y", kStretch.y1},
                                     {"x-increment", kGridStep},
                                     {"y-increment", kGridStep}});
    out += block("Size Parameters",
                 {{"Plot size", 2}, {"Shade/Color increment", 1}, {"Exaggeration", 10000}});
    out += "\n";
    out += block("Cross section default", {{"Start-x", kCentreX - 50 * f.nx},
                                           {"Start-y", kCentreY - 50 * f.ny},
                                           {"Finish-x", kCentreX + 50 * f.nx},
                                           {"Finish-y", kCentreY + 50 * f.ny},
                                           {"Distant-increment", 1},
                                           {"Z-depth", 30},
                                           {"Z-increment", 1}});
    out += block("Map info", {{"min. lon", kStretch.lon0},
                              {"max. lon", kStretch.lon1},
                              {"zero lon", (kStretch.lon0 + kStretch.lon1) / 2},
                              {"min. lat", kStretch.lat0},
                              {"max. lat", kStretch.lat1},
                              {"zero lat", (kStretch.lat0 + kStretch.lat1) / 2}});
    return out;
}

// The same patches by their centres in degrees (through the stretch of the
// .inp file's Map info).
std::string csvtext(const std::vector<Element>& patches,
                    const std::vector<std::pair<double, double>>& centres) {
    std::string out =
        "# This is a made-up slip model, not a real earthquake (CRUSTEX example, "
        "tools/make-example-slip.sh): the patches of slip-example.inp\n";
    out += std::string(kPatchCsvGeoHeader) + "\n";
    for (std::size_t k = 0; k < patches.size(); ++k) {
        const Element& e = patches[k];
        float lat = 0, lon = 0;
        stretchtogeo(kStretch, static_cast<float>(centres[k].first),
                     static_cast<float>(centres[k].second), lat, lon);
        const double slip = std::hypot(e.rtlat, e.reverse);
        out += line("%.5f,%.5f,%.4f,%.1f,%.1f,%.1f,%.2f,%.2f,%.3f,0", lon, lat,
                    (e.top + e.bottom) / 2, kStrike, kDip, kRake, kPatch, kPatch, slip);
    }
    return out;
}

}  // namespace

ExampleSlipFiles exampleslipfiles() {
    std::vector<std::pair<double, double>> centres;
    const std::vector<Element> patches = thrust(centres);
    return {inptext(patches), csvtext(patches, centres)};
}

int runexampleslip(ModeArgs args, std::ostream& err) {
    const ExampleSlipFiles files = exampleslipfiles();
    return writeexamplefiles("example-slip", args,
                             {{kExampleInpName, &files.inp}, {kExampleSlipCsvName, &files.csv}},
                             err);
}

}  // namespace crustex::tools
