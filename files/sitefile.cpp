#include "files/sitefile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <utility>

#include "files/recordio.h"
#include "files/sitesigma.h"
#include "model/dialogbounds.h"
#include "model/fsutil.h"
#include "model/grid2d.h"
#include "model/numtext.h"

namespace crustex {

namespace {

// Where the observed values of a block go.
enum class Store { None, Displacement3, Displacement, Tilt1, Tilt2, Uz, VStrain };

struct SiteBlock {
    std::string_view keyword;
    std::string_view kind;
    int observed;  // observed values after name, latitude, longitude, height
    Store store;
};

constexpr std::array<SiteBlock, 7> kBlocks = {{
    {"obs", "", 0, Store::None},
    {"obd3", kObsDisplacement3, 3, Store::Displacement3},
    {"obd", kObsDisplacement, 2, Store::Displacement},
    {"obt1", kObsTilt1, 2, Store::Tilt1},
    {"obt2", kObsTilt2, 2, Store::Tilt2},
    {"obz", kObsUz, 1, Store::Uz},
    {"obv", kObsVStrain, 1, Store::VStrain},
}};

const SiteBlock* findblock(std::string_view keyword) {
    for (const SiteBlock& b : kBlocks)
        if (b.keyword == keyword) return &b;
    return nullptr;
}

bool present(float v) { return v != kNoValue; }

// East and north turned into the field axes by the meridian angle gamma
// (clockwise from the frame's up to true north).
void tofieldaxes(float east, float north, float gamma, float& x, float& y) {
    if (!present(east) || !present(north)) {
        x = y = kNoValue;
        return;
    }
    const double c = std::cos(gamma), s = std::sin(gamma);
    x = static_cast<float>(east * c + north * s);
    y = static_cast<float>(-east * s + north * c);
}

// A fresh record: the position, and nothing observed but what the block
// carries.
siterec sitefromfields(const SiteBlock& block, const GeoFrame& geo, const std::string& name,
                       float lat, float lon, float height, std::span<const float> obs) {
    siterec site;
    site.name = name;
    geotokm(geo.proj, geo.frame, lat, lon, site.x, site.y);
    site.depth = -height;
    site.obsdx = site.obsdy = site.obsdz = kNoValue;
    site.obstilt1x = site.obstilt1y = site.obstilt2x = site.obstilt2y = kNoValue;
    site.obsvstrain = kNoValue;
    const float gamma = block.observed >= 2 ? meridianangle(geo.proj, lon) : 0.0f;
    switch (block.store) {
        case Store::None: break;
        case Store::Displacement3:
            tofieldaxes(obs[0], obs[1], gamma, site.obsdx, site.obsdy);
            site.obsdz = obs[2];
            break;
        case Store::Displacement: tofieldaxes(obs[0], obs[1], gamma, site.obsdx, site.obsdy); break;
        case Store::Tilt1:
            tofieldaxes(obs[0], obs[1], gamma, site.obstilt1x, site.obstilt1y);
            break;
        case Store::Tilt2:
            tofieldaxes(obs[0], obs[1], gamma, site.obstilt2x, site.obstilt2y);
            break;
        case Store::Uz: site.obsdz = obs[0]; break;
        case Store::VStrain: site.obsvstrain = obs[0]; break;
    }
    return site;
}

// Heights of a site (km): from the deepest field depth the field dialog
// takes up to above any mountain.
constexpr float kLowestSite = -1000;
constexpr float kHighestSite = 10;

// Why a site's position is refused, or "": a latitude the location
// assistant would refuse, or a height outside kLowestSite..kHighestSite.
std::string positionproblem(float lat, float height) {
    std::string why = outofbounds(DialogKind::LocationAssistant, "latitude", lat);
    if (why.empty() && !(height >= kLowestSite && height <= kHighestSite))
        why = "height " + generalform(height) + " is not within " + generalform(kLowestSite) +
              ".." + generalform(kHighestSite);
    return why;
}

// One record of the block: Broken on a field that cannot be read, Refused
// (the site left out) for a position out of bounds. lon: the site's
// longitude as read.
RecordRead readsite(RecordReader& r, const SiteBlock& block, const GeoFrame& geo, siterec& site,
                    float& lon) {
    std::string name;
    std::array<float, 3> position{};
    std::array<float, 3> obs{};
    if (!r.readtext(name) || !readfloats(r, position)) return RecordRead::Broken;
    for (int k = 0; k < block.observed; ++k)
        if (!readsitevalue(r, obs[static_cast<std::size_t>(k)])) return RecordRead::Broken;
    lon = position[1];
    if (const std::string why = positionproblem(position[0], position[2]); !why.empty())
        return r.refuse("site \"" + name + "\": " + why);
    site = sitefromfields(block, geo, name, position[0], position[1], position[2], obs);
    return RecordRead::Applied;
}

// Steps over the fields of `records` records that the list has no room for,
// so that none of them is taken for a keyword.
void skiprecords(RecordReader& r, const SiteBlock& block, int records) {
    const long fields = static_cast<long>(records) * (4 + block.observed);
    std::string scratch;
    for (long k = 0; k < fields && !r.atend(); ++k)
        if (!r.readtext(scratch)) return;
}

// A block: the count, then its records. Broken on a field error (the sites
// read before it stay); Refused when sites were left out for their
// position, Cut when the file ended before the count's records (the sites
// read stay in both cases). `read` tells an uncertainty block after it
// where each record went.
RecordRead readblock(RecordReader& r, WorkState& ws, Host& host, const GeoFrame& geo,
                     const SiteBlock& block, ObservedBlock& read) {
    ws.nsite = 0;
    ws.obskind = std::string(block.kind);
    read = {};
    int16_t count = 0;
    if (!r.readint(count)) return RecordRead::Broken;
    RecordRead outcome = RecordRead::Applied;
    for (int i = 1; i <= count; ++i) {
        if (r.atend()) {
            return r.cut("the count promises " + std::to_string(count) + " sites, " +
                         std::to_string(i - 1) + " follow");
        }
        if (ws.nsite >= kMaxSites) {
            host.messageBox(sitelimittext(), "Warning", MsgIcon::Exclamation, MsgButtons::Ok);
            skiprecords(r, block, count - i + 1);
            read.site.resize(static_cast<std::size_t>(count), 0);
            read.gamma.resize(static_cast<std::size_t>(count), 0.0f);
            break;
        }
        siterec site;
        float lon = 0;
        const RecordRead got = readsite(r, block, geo, site, lon);
        if (got == RecordRead::Broken) return got;
        const bool kept = got != RecordRead::Refused;
        read.site.push_back(kept ? static_cast<std::size_t>(ws.nsite) + 1 : 0);
        read.gamma.push_back(kept && block.observed >= 2 ? meridianangle(geo.proj, lon) : 0.0f);
        if (!kept) {
            outcome = got;
            continue;
        }
        ws.site[static_cast<std::size_t>(ws.nsite) + 1] = std::move(site);
        ++ws.nsite;
    }
    read.keyword = block.keyword;
    return outcome;
}

// The site list is settled: check marks and stale results follow it.
void settle(WorkState& ws, Host& host, bool tellnosite, SiteReadResult& result) {
    result.settled = true;
    if (ws.nsite <= 0) {
        ws.nsite = 0;
        if (tellnosite) host.messageBox("No Site", "Waring", MsgIcon::Exclamation, MsgButtons::Ok);
        ws.showobsdatachecked = false;
        ws.showgriddatachecked = false;
        return;
    }
    ws.showobsdatachecked = true;
    markgridstale(ws);
}

}  // namespace

std::string sitelimittext() { return "You can Take only " + std::to_string(kMaxSites) + " Sites"; }

SiteReadResult readsitefile(WorkState& ws, Host& host, const GeoFrame& geo, const std::string& path,
                            const SourceFileHooks& hooks) {
    std::string content;
    if (!loadtext(host, path, content)) return {};
    return readsitetext(ws, host, geo, std::move(content), hooks, path);
}

SiteReadResult readsitetext(WorkState& ws, Host& host, const GeoFrame& geo, std::string content,
                            const SourceFileHooks& hooks, const std::string& name) {
    SiteReadResult result;
    result.opened = true;
    RecordReader r(std::move(content));
    bool listchanged = false;
    ObservedBlock last;  // the observation block an uncertainty block refers to
    // The first keyword is read even from an empty file, which therefore
    // gives "Input Error".
    do {
        std::string keyword;
        if (!r.readtext(keyword)) {
            result.inputerror = true;
            break;
        }
        keyword = asciilower(std::move(keyword));
        if (keyword == "maparea") {
            const MapDataCheck& check = hooks.checkmapdata ? hooks.checkmapdata : coastfilepresent;
            if (!check(ws)) {
                mapmissingmessage(ws, host);
                result.mapmissing = true;
                if (listchanged) settle(ws, host, false, result);
                return result;
            }
            std::array<float, 4> c{};
            if (!readfloats(r, c)) {
                result.inputerror = true;
                break;
            }
            if (hooks.showmapdialog) hooks.showmapdialog(c[0], c[1], c[2], c[3]);
            continue;
        }
        if (!keyword.starts_with("ob")) continue;
        if (!ws.needmap) {
            host.messageBox("No Map", "Error", MsgIcon::Exclamation, MsgButtons::Ok);
            result.nomap = true;
            if (listchanged) settle(ws, host, false, result);
            return result;
        }
        if (keyword == kSigma3Keyword || keyword == kSigmaKeyword) {
            const RecordRead got = readsigmablock(r, ws, last, keyword == kSigma3Keyword);
            if (got != RecordRead::Applied) result.inputerror = true;
            if (got == RecordRead::Broken) break;
            continue;
        }
        const SiteBlock* block = findblock(keyword);
        if (block == nullptr) continue;
        listchanged = true;
        const RecordRead got = readblock(r, ws, host, geo, *block, last);
        if (got != RecordRead::Applied) result.inputerror = true;
        if (got == RecordRead::Broken) break;
    } while (!r.atend());

    if (result.inputerror) {
        inputerrormessage(host, name, r.problem());
        if (listchanged) settle(ws, host, false, result);
        return result;
    }
    settle(ws, host, true, result);
    return result;
}

}  // namespace crustex
