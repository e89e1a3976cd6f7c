#include "geo/demtiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geo/mapdatacheck.h"
#include "model/fsutil.h"
#include "model/inputcheck.h"

namespace crustex {

namespace {

// The limits are typed decimals kept as floats: 36.6 - 36.0 is not exactly
// 0.6, so the comparison allows a hundred-thousandth of a degree.
constexpr float kRangeSlack = 1e-5f;
constexpr float kFineLatSpan = 0.6f;
constexpr float kFineLonSpan = 0.8f;

std::string_view nextline(std::string_view& text) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// Floor division for tile codes of negative indices.
long floordiv(long a, long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// A tile code as a name writes it: decimal, no leading zero, below the limit.
bool iscode(std::string_view s, int limit) {
    if (s.empty() || s.size() > 3 || (s.size() > 1 && s.front() == '0')) return false;
    int v = 0;
    for (char c : s) v = v * 10 + (c - '0');
    return v < limit;
}

std::string tilepath(const std::string& dir, const std::string& name) {
    const std::string exact = joinpath(dir, name);
    if (fileexists(exact)) return exact;
    return findfilenocase(dir, name);
}

}  // namespace

const DemMesh& choosemesh(const WorkState& ws) {
    const bool small = ws.flat2 - ws.flat1 <= kFineLatSpan + kRangeSlack &&
                       ws.flon2 - ws.flon1 <= kFineLonSpan + kRangeSlack;
    if (small && !finddirnocase(ws.mappath, kTopo250mDirName).empty()) return kMesh250m;
    return kMesh1km;
}

std::vector<float> readdemfile(std::string_view text, int n) {
    const auto size = static_cast<std::size_t>(n);
    std::vector<float> tile(size * size, kNoHeight);
    nextline(text);  // header
    while (!text.empty()) {
        const std::string_view line = nextline(text);
        float row = 0;
        if (line.size() < 9 || !parsenumber(line.substr(6, 3), row)) continue;
        if (!(row >= 1 && row <= static_cast<float>(n)) || row != std::floor(row)) continue;
        const auto k = size - static_cast<std::size_t>(row);
        float* out = tile.data() + k * size;
        for (std::size_t c = 0; c < size; ++c) {
            const std::size_t from = 9 + 5 * c;
            if (from + 5 > line.size()) break;  // only whole fields
            // Five characters hold -9999 .. 99999; an exponent form such as
            // "9e+30" is no height.
            float v = 0;
            if (parsenumber(line.substr(from, 5), v) && v >= kNoHeight && v <= kMaxHeight)
                out[c] = v;
        }
    }
    return tile;
}

std::string tilecode(long rowcode, long colcode) {
    if (rowcode < 0 || rowcode >= kTileRowCodes || colcode < 0 || colcode >= kTileColumnCodes)
        return {};
    const std::string row = std::to_string(rowcode);
    const std::string plain = row + std::to_string(colcode);
    for (std::size_t k = row.size() + 1; k <= 3 && k < plain.size(); ++k) {
        if (iscode(std::string_view(plain).substr(0, k), kTileRowCodes) &&
            iscode(std::string_view(plain).substr(k), kTileColumnCodes)) {
            char padded[16];
            std::snprintf(padded, sizeof padded, "%03ld%03ld", rowcode, colcode);
            return padded;
        }
    }
    return plain;
}

float TopoGrid::latitude(int r) const {
    return static_cast<float>((static_cast<double>(i0 + r) + 0.5) / (1.5 * mesh->n));
}

float TopoGrid::longitude(int c) const {
    return static_cast<float>(100.0 + (static_cast<double>(j0 + c) + 0.5) / mesh->n);
}

TopoRead readtopography(const WorkState& ws, const DemMesh& mesh, TopoGrid& grid) {
    const double n = mesh.n;
    // Rows and columns whose cell centres lie inside the range.
    const double ri0 = std::ceil(1.5 * n * ws.flat1 - 0.5);
    const double ri1 = std::floor(1.5 * n * ws.flat2 - 0.5);
    const double rj0 = std::ceil(n * (ws.flon1 - 100.0) - 0.5);
    const double rj1 = std::floor(n * (ws.flon2 - 100.0) - 0.5);
    if (!(ri1 >= ri0 && rj1 >= rj0)) return TopoRead::Empty;
    const double rows = ri1 - ri0 + 1, cols = rj1 - rj0 + 1;
    if (rows * cols > static_cast<double>(kMaxTopoValues)) return TopoRead::TooLarge;

    grid.mesh = &mesh;
    grid.i0 = static_cast<long>(ri0);
    grid.j0 = static_cast<long>(rj0);
    grid.rows = static_cast<int>(rows);
    grid.cols = static_cast<int>(cols);
    grid.h.assign(static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.cols),
                  kNoHeight);

    const std::string dir = finddirnocase(ws.mappath, mesh.dir);
    if (dir.empty()) return TopoRead::Read;
    const long i1 = grid.i0 + grid.rows - 1, j1 = grid.j0 + grid.cols - 1;
    for (long rc = floordiv(grid.i0, mesh.n); rc <= floordiv(i1, mesh.n); ++rc) {
        for (long cc = floordiv(grid.j0, mesh.n); cc <= floordiv(j1, mesh.n); ++cc) {
            // No tiles south of the equator, west of 100 E or beyond a turn.
            const std::string code = tilecode(rc, cc);
            if (code.empty()) continue;
            const std::string path = tilepath(dir, code + mesh.ext);
            std::string text;
            if (path.empty() || !readwholefile(path, text)) continue;
            const std::vector<float> tile = readdemfile(text, mesh.n);
            // Copy the part of the tile inside the grid.
            const long ti0 = std::max(grid.i0, rc * mesh.n);
            const long ti1 = std::min(i1, rc * mesh.n + mesh.n - 1);
            const long tj0 = std::max(grid.j0, cc * mesh.n);
            const long tj1 = std::min(j1, cc * mesh.n + mesh.n - 1);
            for (long i = ti0; i <= ti1; ++i) {
                const float* src = tile.data() + (i - rc * mesh.n) * mesh.n + (tj0 - cc * mesh.n);
                float* dst = grid.h.data() + (i - grid.i0) * grid.cols + (tj0 - grid.j0);
                std::copy(src, src + (tj1 - tj0 + 1), dst);
            }
        }
    }
    return TopoRead::Read;
}

}  // namespace crustex
