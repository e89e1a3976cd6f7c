#include "plot/clipsurface.h"

#include <algorithm>
#include <vector>

namespace crustex {

namespace {

// One step of Sutherland-Hodgman: the polygon cut to the inner side of one
// side of the box (0 left, 1 right, 2 top, 3 bottom).
std::vector<FramePoint> cutside(const std::vector<FramePoint>& in, const LabelBox& box, int side) {
    auto keep = [&](FramePoint p) {
        switch (side) {
            case 0: return p.x >= box.left;
            case 1: return p.x <= box.right;
            case 2: return p.y >= box.top;
            default: return p.y <= box.bottom;
        }
    };
    auto cross = [&](FramePoint p, FramePoint q) {
        const float edge = side == 0   ? box.left
                           : side == 1 ? box.right
                           : side == 2 ? box.top
                                       : box.bottom;
        if (side < 2) return FramePoint{edge, p.y + (q.y - p.y) * (edge - p.x) / (q.x - p.x)};
        return FramePoint{p.x + (q.x - p.x) * (edge - p.y) / (q.y - p.y), edge};
    };
    std::vector<FramePoint> out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const FramePoint p = in[i];
        const FramePoint q = in[(i + 1) % in.size()];
        if (keep(p)) out.push_back(p);
        if (keep(p) != keep(q)) out.push_back(cross(p, q));
    }
    return out;
}

}  // namespace

bool clipsegment(double& ax, double& ay, double& bx, double& by, double x0, double y0, double x1,
                 double y1) {
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
    }
    const double sx = ax, sy = ay;
    if (t1 < 1) bx = sx + t1 * dx, by = sy + t1 * dy;
    if (t0 > 0) ax = sx + t0 * dx, ay = sy + t0 * dy;
    return true;
}

ClipSurface::ClipSurface(Surface& inner, const LabelBox& clip) : inner_(inner), clip_(clip) {
    Surface::setFontSize(inner.FontSize());
    Surface::setFontItalic(inner.FontItalic());
    Surface::setAutoRedraw(inner.AutoRedraw());
    ForeColor = inner.ForeColor;
    DrawWidth = inner.DrawWidth;
    drawMode = inner.drawMode;
    drawStyle = inner.drawStyle;
}

bool ClipSurface::inside(float x, float y) const {
    return x >= clip_.left && x <= clip_.right && y >= clip_.top && y <= clip_.bottom;
}

void ClipSurface::sync() {
    inner_.ForeColor = ForeColor;
    inner_.DrawWidth = DrawWidth;
    inner_.drawMode = drawMode;
    inner_.drawStyle = drawStyle;
    inner_.CurrentX = CurrentX;
    inner_.CurrentY = CurrentY;
}

void ClipSurface::Cls() {
    sync();
    inner_.Cls();
}

void ClipSurface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color) {
    setLastPoint(x2, y2);
    double ax = x1, ay = y1, bx = x2, by = y2;
    if (!clipsegment(ax, ay, bx, by, clip_.left, clip_.top, clip_.right, clip_.bottom)) return;
    sync();
    inner_.Line(static_cast<float>(ax), static_cast<float>(ay), static_cast<float>(bx),
                static_cast<float>(by), color);
}

void ClipSurface::Box(float x1, float y1, float x2, float y2, std::optional<Rgb> color) {
    Line(x1, y1, x2, y1, color);
    Line(x2, y1, x2, y2, color);
    Line(x2, y2, x1, y2, color);
    Line(x1, y2, x1, y1, color);
}

void ClipSurface::Circle(float x, float y, float radius, std::optional<Rgb> color) {
    if (!inside(x, y)) return;
    sync();
    inner_.Circle(x, y, radius, color);
}

void ClipSurface::PSet(float x, float y, std::optional<Rgb> color) {
    if (!inside(x, y)) return;
    sync();
    inner_.PSet(x, y, color);
}

void ClipSurface::FillBox(float x1, float y1, float x2, float y2, Rgb color) {
    const float left = std::max(std::min(x1, x2), clip_.left);
    const float right = std::min(std::max(x1, x2), clip_.right);
    const float top = std::max(std::min(y1, y2), clip_.top);
    const float bottom = std::min(std::max(y1, y2), clip_.bottom);
    if (!(left < right) || !(top < bottom)) return;
    sync();
    inner_.FillBox(left, top, right, bottom, color);
}

void ClipSurface::FillPolygon(std::span<const FramePoint> points, Rgb color) {
    const std::vector<FramePoint> all(points.begin(), points.end());
    const std::vector<FramePoint> cut =
        cutside(cutside(cutside(cutside(all, clip_, 0), clip_, 1), clip_, 2), clip_, 3);
    if (cut.size() < 3) return;
    sync();
    inner_.FillPolygon(cut, color);
}

void ClipSurface::PaintPicture(const Picture& picture, float x, float y, float w, float h) {
    sync();
    inner_.PaintPicture(picture, x, y, w, h);
}

void ClipSurface::Print(const std::string& text) {
    sync();
    inner_.Print(text);
    CurrentX = inner_.CurrentX;
    CurrentY = inner_.CurrentY;
}

float ClipSurface::TextWidth(const std::string& text) { return inner_.TextWidth(text); }
float ClipSurface::TextHeight(const std::string& text) { return inner_.TextHeight(text); }

void ClipSurface::setFontSize(float points) {
    Surface::setFontSize(points);
    inner_.setFontSize(points);
}

void ClipSurface::setFontItalic(bool italic) {
    Surface::setFontItalic(italic);
    inner_.setFontItalic(italic);
}

void ClipSurface::setAutoRedraw(bool on) {
    Surface::setAutoRedraw(on);
    inner_.setAutoRedraw(on);
}

}  // namespace crustex
