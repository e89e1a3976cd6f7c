#include "tools/demconvert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <utility>
#include <vector>

#include "model/fsutil.h"
#include "model/workstate.h"
#include "tools/linereader.h"
#include "tools/tiledirectory.h"

namespace crustex::tools {

namespace {

struct TileSums {
    std::vector<double> sum;
    std::vector<uint32_t> count;
};

// Splits a line into at most four fields at blanks, tabs and commas.
int splitfields(std::string_view line, std::string_view (&out)[4]) {
    int n = 0;
    std::size_t k = 0;
    while (k < line.size() && n < 4) {
        while (k < line.size() && (line[k] == ' ' || line[k] == '\t' || line[k] == ',')) ++k;
        const std::size_t start = k;
        while (k < line.size() && line[k] != ' ' && line[k] != '\t' && line[k] != ',') ++k;
        if (k > start) out[n++] = line.substr(start, k - start);
    }
    return n;
}

// A line of "lon lat z" is short: anything longer is no point.
constexpr std::size_t kLongestLine = 4096;

bool number(std::string_view s, double& v) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && end == s.data() + s.size();
}

std::string tiletext(const std::string& code, const DemMesh& mesh, const TileSums& t) {
    const auto n = static_cast<std::size_t>(mesh.n);
    std::string text = code + " " + mesh.label +
                       " mesh, heights in 0.1 m, -9999 sea or no data (crustex-convert dem)\r\n";
    text.reserve(text.size() + n * (11 + 5 * n));
    char buf[64];
    for (std::size_t r = 1; r <= n; ++r) {
        std::snprintf(buf, sizeof buf, "%6s%3zu", code.c_str(), r);
        text += buf;
        const std::size_t k = n - r;  // row r holds row index N - r
        for (std::size_t c = 0; c < n; ++c) {
            const std::size_t at = k * n + c;
            int v = -9999;
            if (t.count[at] > 0) {
                const double mean = t.sum[at] / t.count[at];
                if (mean > 0) v = static_cast<int>(std::min(99999.0, std::nearbyint(mean * 10.0)));
            }
            std::snprintf(buf, sizeof buf, "%5d", v);
            text += buf;
        }
        text += "\r\n";
    }
    return text;
}

bool hasland(const TileSums& t) {
    for (std::size_t k = 0; k < t.sum.size(); ++k)
        if (t.count[k] > 0 && t.sum[k] / t.count[k] > 0) return true;
    return false;
}

}  // namespace

bool xyztotiles(std::istream& xyz, const DemMesh& mesh, const TileSink& sink, DemBuild& out,
                std::ostream& err) {
    const long n = mesh.n;
    const auto cells = static_cast<std::size_t>(n * n);
    std::map<std::pair<long, long>, TileSums> tiles;
    out = {};
    LineReader lines(xyz, kLongestLine);
    std::string_view line;
    while (lines.next(line)) {
        std::string_view f[4];
        const int nf = splitfields(line, f);
        if (nf == 0 || f[0].front() == '#' || f[0].front() == '>') continue;
        double lon = 0, lat = 0, z = 0;
        if (lines.cut() || nf != 3 || !number(f[0], lon) || !number(f[1], lat) ||
            !std::isfinite(lon) || !std::isfinite(lat)) {
            ++out.skipped;
            continue;
        }
        ++out.points;
        if (!number(f[2], z) || !std::isfinite(z)) continue;  // "NaN": no data
        const double fi = std::floor(1.5 * n * lat), fj = std::floor(n * (lon - 100.0));
        if (!(fi >= 0 && fi < static_cast<double>(n) * kTileRowCodes && fj >= 0 &&
              fj < static_cast<double>(n) * kTileColumnCodes)) {
            ++out.outside;
            continue;
        }
        const auto i = static_cast<long>(fi), j = static_cast<long>(fj);
        TileSums& t = tiles[{i / n, j / n}];
        if (t.sum.empty()) {
            t.sum.assign(cells, 0.0);
            t.count.assign(cells, 0);
        }
        const auto at = static_cast<std::size_t>((i % n) * n + j % n);
        t.sum[at] += z;
        ++t.count[at];
    }
    if (xyz.bad()) {
        err << "the input could not be read to its end\n";
        return false;
    }
    if (out.points == 0) {
        err << "no \"lon lat z\" lines\n";
        return false;
    }
    // Each tile is written once, and its sums let go.
    for (auto it = tiles.begin(); it != tiles.end(); it = tiles.erase(it)) {
        if (!hasland(it->second)) continue;
        const std::string code = tilecode(it->first.first, it->first.second);
        if (!sink(code + mesh.ext, tiletext(code, mesh, it->second))) return false;
        ++out.tiles;
    }
    return true;
}

int rundemconvert(ModeArgs args, std::ostream& err) {
    if (args.size() != 3 || (args[0] != "1km" && args[0] != "250m")) {
        err << "usage: crustex-convert dem 1km|250m INPUT.xyz OUTPUT-DIRECTORY\n";
        return 2;
    }
    const DemMesh& mesh = args[0] == "1km" ? kMesh1km : kMesh250m;
    std::ifstream xyz;
    if (!openinput(args[1], xyz)) {
        err << "cannot read " << args[1] << "\n";
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(args[2], ec);
    TileDirectory out(args[2]);
    const auto save = [&](const std::string& name, std::string_view text) {
        if (out.write(name, text)) return true;
        err << "cannot write " << joinpath(args[2], name) << "\n";
        return false;
    };
    DemBuild build;
    if (!xyztotiles(xyz, mesh, save, build, err)) return 1;
    if (!out.finish()) {
        err << "cannot write " << args[2] << "\n";
        return 1;
    }
    err << build.tiles << " tiles written to " << args[2] << " from " << build.points << " points";
    if (build.skipped > 0) err << ", " << build.skipped << " lines skipped";
    if (build.outside > 0)
        err << ", " << build.outside << " points outside the tiles (0..90 N, 100..460 E) left out";
    err << "\n";
    return 0;
}

}  // namespace crustex::tools
