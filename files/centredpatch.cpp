#include "files/centredpatch.h"

#include <algorithm>
#include <cmath>

#include "files/textscan.h"
#include "geo/projection.h"

namespace crustex {

namespace {

// Upper edges this little above the surface are taken as at the surface (km).
constexpr double kSurfaceSlack = 1e-3;

double halfwidthdepth(const CentredPatch& p) {
    return 0.5 * static_cast<double>(p.width) * std::sin(p.dip * kDegToRad);
}

}  // namespace

std::string patchproblem(const CentredPatch& p, bool geographic) {
    const struct {
        const char* name;
        float value;
    } values[] = {{geographic ? "longitude" : "x", p.east},
                  {geographic ? "latitude" : "y", p.north},
                  {"depth", p.depth},
                  {"strike", p.strike},
                  {"dip", p.dip},
                  {"rake", p.rake},
                  {"length", p.length},
                  {"width", p.width},
                  {"slip", p.slip},
                  {"opening", p.opening}};
    for (const auto& v : values)
        if (!std::isfinite(v.value))
            return std::string(v.name) + " " + floattext(v.value) + " not finite";
    if (p.dip < 0 || p.dip > 90) return "dip " + floattext(p.dip) + " outside 0..90";
    if (p.length <= 0) return "length " + floattext(p.length) + " not above 0";
    if (p.width <= 0) return "width " + floattext(p.width) + " not above 0";
    if (geographic && std::fabs(p.north) > 90)
        return "latitude " + floattext(p.north) + " beyond the poles";
    const double top = p.topcentre ? p.depth : p.depth - halfwidthdepth(p);
    if (top < -kSurfaceSlack)
        return "upper edge " + floattext(static_cast<float>(-top)) + " km above the surface";
    return {};
}

void addpatch(PatchRead& read, const CentredPatch& p) {
    std::string problem = patchproblem(p, read.table.geographic);
    if (problem.empty())
        read.table.patches.push_back(p);
    else
        read.report.skip(p.line, std::move(problem));
}

void finishpatchread(PatchRead& read, const char* what) {
    if (!read.report.failed() && read.table.patches.empty()) {
        std::string reason = std::string("no usable ") + what;
        if (read.report.skipped() > 0) reason += ", " + read.report.skippedtext();
        read.report.fail(0, reason);
    }
    if (read.report.failed()) read.table.patches.clear();
}

double upperdepth(const CentredPatch& p) {
    return std::max(0.0, p.topcentre ? p.depth : p.depth - halfwidthdepth(p));
}

SlipPatch patchfromcentre(double x, double y, double azimuth, const CentredPatch& p) {
    const double se = std::sin(azimuth), ce = std::cos(azimuth);
    const double down = p.topcentre ? 0.0 : 0.5 * p.width * std::cos(p.dip * kDegToRad);
    // The dip direction, a quarter turn clockwise from the strike: (ce, -se).
    const double mx = x - down * ce, my = y + down * se;
    const double half = 0.5 * p.length;
    SlipPatch s;
    s.x0 = static_cast<float>(mx - half * se);
    s.y0 = static_cast<float>(my - half * ce);
    s.x1 = static_cast<float>(mx + half * se);
    s.y1 = static_cast<float>(my + half * ce);
    s.top = static_cast<float>(upperdepth(p));
    s.width = p.width;
    s.dip = p.dip;
    s.rake = p.rake;
    s.slip = p.slip;
    s.opening = p.opening;
    return s;
}

PatchCentre centreofpatch(const SlipPatch& p) {
    const double dx = static_cast<double>(p.x1) - p.x0, dy = static_cast<double>(p.y1) - p.y0;
    PatchCentre c;
    c.azimuth = std::atan2(dx, dy);
    const double down = 0.5 * p.width * std::cos(p.dip * kDegToRad);
    c.x = 0.5 * (static_cast<double>(p.x0) + p.x1) + down * std::cos(c.azimuth);
    c.y = 0.5 * (static_cast<double>(p.y0) + p.y1) - down * std::sin(c.azimuth);
    c.depth = p.top + 0.5 * p.width * std::sin(p.dip * kDegToRad);
    return c;
}

}  // namespace crustex
