#include "plot/cellcutter.h"

#include <algorithm>
#include <cmath>

#include "plot/plotmath.h"

namespace crustex {

namespace {

float loopat(const ContourCell& cell, int side, FramePoint p) {
    float s = 0;
    switch (side) {
        case 0: s = (p.y - cell.ys) / (cell.yn - cell.ys); break;
        case 1: s = (p.x - cell.xw) / (cell.xe - cell.xw); break;
        case 2: s = (p.y - cell.yn) / (cell.ys - cell.yn); break;
        default: s = (p.x - cell.xe) / (cell.xw - cell.xe); break;
    }
    if (!(s > 0)) s = 0;
    if (s > 1) s = 1;
    return static_cast<float>(side) + s;
}

// The value at loop position u, interpolated along its side.
float valueat(const ContourCell& cell, float u) {
    int side = static_cast<int>(u);
    if (side > 3) side = 3;
    const float s = u - static_cast<float>(side);
    const float a = cell.c[static_cast<std::size_t>(side)];
    const float b = cell.c[static_cast<std::size_t>((side + 1) % 4)];
    return a + s * (b - a);
}

void push(CellFace& f, FramePoint p) {
    if (f.points.empty() || !(f.points.back() == p)) f.points.push_back(p);
}

float polygonarea(const std::vector<FramePoint>& pts) {
    double a = 0;
    for (std::size_t k = 0; k < pts.size(); ++k) {
        const FramePoint& p = pts[k];
        const FramePoint& q = pts[(k + 1) % pts.size()];
        a += static_cast<double>(p.x) * q.y - static_cast<double>(q.x) * p.y;
    }
    return static_cast<float>(std::fabs(a) / 2);
}

}  // namespace

FramePoint sharedcrossing(const ContourCell& cell, int side, float t) {
    const auto& c = cell.c;
    switch (side) {
        case 0: return {cell.xw, interpolate(c[0], c[1], cell.ys, cell.yn, t)};
        case 1: return {interpolate(c[1], c[2], cell.xw, cell.xe, t), cell.yn};
        case 2: return {cell.xe, interpolate(c[3], c[2], cell.ys, cell.yn, t)};
        default: return {interpolate(c[0], c[3], cell.xw, cell.xe, t), cell.ys};
    }
}

void CellCutter::addpiece(const ContourCell& cell, const LevelSegment& p) {
    if (p.from == p.to || p.a == p.b) return;
    const int id = static_cast<int>(nodes_.size());
    nodes_.push_back({loopat(cell, p.from, p.a), p.a, id + 1});
    nodes_.push_back({loopat(cell, p.to, p.b), p.b, id});
}

bool CellCutter::cut(const ContourCell& cell, std::vector<CellFace>& faces) {
    faces.clear();
    buildloop(cell);
    const float cellarea = std::fabs((cell.xe - cell.xw) * (cell.yn - cell.ys));
    float total = 0;
    const std::size_t m = loop_.size();
    visited_.assign(m, false);
    for (std::size_t start = 0; start < m; ++start) {
        if (visited_[start]) continue;
        CellFace f;
        if (!traceface(cell, start, f)) return false;
        total += f.area;
        faces.push_back(std::move(f));
    }
    return std::fabs(total - cellarea) <= 1e-3f * cellarea;
}

// The corners and the pieces' ends in loop order, each end knowing where
// its partner landed.
void CellCutter::buildloop(const ContourCell& cell) {
    loop_.clear();
    for (int k = 0; k < 4; ++k) loop_.push_back({static_cast<float>(k), cell.corner(k), -1});
    for (const Node& n : nodes_) loop_.push_back(n);
    order_.resize(loop_.size());
    for (std::size_t k = 0; k < order_.size(); ++k) order_[k] = k;
    std::stable_sort(order_.begin(), order_.end(),
                     [this](std::size_t a, std::size_t b) { return loop_[a].u < loop_[b].u; });
    where_.resize(loop_.size());
    for (std::size_t k = 0; k < order_.size(); ++k) where_[order_[k]] = k;
    sorted_.clear();
    for (std::size_t k : order_) {
        Node n = loop_[k];
        if (n.partner >= 0)
            n.partner = static_cast<int>(where_[static_cast<std::size_t>(n.partner) + 4]);
        sorted_.push_back(n);
    }
    loop_.swap(sorted_);
}

// Walks the face that begins with the boundary step from node `start`; its
// longest boundary step samples the band.
bool CellCutter::traceface(const ContourCell& cell, std::size_t start, CellFace& f) {
    const std::size_t m = loop_.size();
    std::size_t cur = start;
    float longest = -1;
    for (std::size_t guard = 0; guard <= 2 * m + 2; ++guard) {
        visited_[cur] = true;
        push(f, loop_[cur].p);
        const std::size_t next = (cur + 1) % m;
        const float ua = loop_[cur].u;
        const float ub = next == 0 ? 4.0f : loop_[next].u;
        if (ub - ua > longest) {
            longest = ub - ua;
            f.sample = valueat(cell, (ua + ub) / 2);
        }
        if (loop_[next].partner >= 0) {
            push(f, loop_[next].p);
            cur = static_cast<std::size_t>(loop_[next].partner);
        } else {
            cur = next;
        }
        if (cur == start) {
            if (f.points.size() > 1 && f.points.back() == f.points.front()) f.points.pop_back();
            f.area = polygonarea(f.points);
            return true;
        }
        if (visited_[cur]) return false;  // pieces that cross: not a planar cut
    }
    return false;
}

}  // namespace crustex
