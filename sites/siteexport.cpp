#include "sites/siteexport.h"

#include <algorithm>
#include <cmath>

#include "files/recordio.h"
#include "model/fsutil.h"
#include "model/grid2d.h"
#include "model/numtext.h"
#include "sites/misfit.h"

namespace crustex {

namespace {

constexpr const char* kHeader1 = "1: 観測点の変位 (m)";
constexpr const char* kHeader2 = "解析期間:yyyy mm/dd-yyyy mm/dd --- yyyy mm/dd-yyyy mm/dd";
constexpr const char* kHeader4 =
    "以下の値は半無限弾性体を仮定して計算した変位を便宜的に背景の地図に投影したものであり、"
    "地図の範囲が広いと意味がありません。";
// The blank before the last word is an ideographic space (U+3000).
constexpr const char* kHeader5 =
    "番号 経度 緯度 東向き変位 北向き変位 上向き変位 X方向変位 Y方向変位 Z方向変位　フラグ";

int sitecount(const WorkState& ws) { return std::clamp<int>(ws.nsite, 0, kMaxSites); }

bool hasvalue(float v) { return v != kNoValue && std::isfinite(v); }

// A number as printed in a line of text: a blank or "-", the general form
// and a trailing blank.
std::string printform(float v) {
    std::string text(v < 0 ? "-" : " ");
    text += generalform(std::fabs(v));
    text += ' ';
    return text;
}

// Commas in a name would split its line's columns.
std::string columnname(std::string name) {
    std::replace(name.begin(), name.end(), ',', ' ');
    return name;
}

void bringuptodate(const WorkState& ws, Host& host, SiteResults& res, bool withcff) {
    if (ws.gridstale) calcobsdata(ws, host, res);
    if (withcff && (ws.gridstale || ws.cffstale)) calcobscff(ws, host, res);
}

}  // namespace

std::string exportobstext(const WorkState& ws, const SiteResults& res, const GeoFrame& geo) {
    std::string out;
    const auto line = [&out](const std::string& s) { out += s + "\r\n"; };
    line(kHeader1);
    line(kHeader2);
    std::string range = "解析範囲:北緯";
    range.append(printform(ws.flat1)).append("--").append(printform(ws.flat2)).append(" 東経");
    range.append(printform(ws.flon1)).append("--").append(printform(ws.flon2));
    line(range);
    line(kHeader4);
    line(kHeader5);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(sitecount(ws)); ++i) {
        const siterec& site = ws.site[i];
        float lat = 0, lon = 0;
        kmtogeo(geo.proj, geo.frame, site.x, site.y, lat, lon);
        const double a = meridianangle(geo.proj, lon);
        float east = kNoValue, north = kNoValue, up = kNoValue;
        if (hasvalue(res.ux[i]) && hasvalue(res.uy[i])) {
            east = static_cast<float>((res.ux[i] * std::cos(a) - res.uy[i] * std::sin(a)) / 1000);
            north = static_cast<float>((res.ux[i] * std::sin(a) + res.uy[i] * std::cos(a)) / 1000);
        }
        if (hasvalue(res.uz[i])) up = res.uz[i] / 1000;
        std::string text = columnname(site.name);
        for (float v : {lon, lat, east, north, up, 0.0f, 0.0f, 0.0f, 2.0f})
            text.append(",").append(recordfloat(v));
        line(text);
    }
    return out;
}

std::string obssitetext(const WorkState& ws, const SiteResults& res) {
    std::string out;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(sitecount(ws)); ++i) {
        const siterec& site = ws.site[i];
        for (float v : {site.x, site.y, res.areal[i], res.vol[i], res.maxshear[i], res.cff[i]})
            out += expfield(v);
        out += " " + site.name + "\r\n";
    }
    return out;
}

std::string misfitpath(const std::string& path) {
    const std::string lower = asciilower(path);
    if (lower.size() > 4 && lower.ends_with(".txt"))
        return path.substr(0, path.size() - 4) + ".misfit.txt";
    return path + ".misfit.txt";
}

std::string misfitsummarytext(const WorkState& ws, const SiteResults& res) {
    const std::optional<SiteMisfit> m = computemisfit(ws, res);
    if (!m) return {};
    return "Observed minus computed at the observation sites, field axes X (east) and Y "
           "(north) of the plot, Z up\r\n" +
           misfittext(*m) + "\r\n";
}

bool exportobs(const WorkState& ws, Host& host, SiteResults& res, const GeoFrame& geo,
               const std::string& path) {
    bringuptodate(ws, host, res, false);
    if (!storetext(host, path, exportobstext(ws, res, geo))) return false;
    const std::string summary = misfitsummarytext(ws, res);
    return summary.empty() || storetext(host, misfitpath(path), summary);
}

bool saveobssite(const WorkState& ws, Host& host, SiteResults& res, const std::string& path) {
    bringuptodate(ws, host, res, true);
    return storetext(host, path, obssitetext(ws, res));
}

}  // namespace crustex
