#include "plot/recordingsurface.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace crustex {

std::size_t textlength(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

RecordedOp RecordingSurface::start(OpKind kind, std::optional<Rgb> color) const {
    RecordedOp op;
    op.kind = kind;
    op.color = color.value_or(ForeColor);
    op.explicitcolor = color.has_value();
    op.width = DrawWidth;
    op.mode = drawMode;
    op.style = drawStyle;
    op.autoredraw = AutoRedraw();
    op.fontsize = FontSize();
    op.italic = FontItalic();
    return op;
}

void RecordingSurface::Cls() {
    ops_.push_back(start(OpKind::Cls, std::nullopt));
    CurrentX = 0;
    CurrentY = 0;
}

void RecordingSurface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color) {
    segment(OpKind::Line, x1, y1, x2, y2, color);
}

void RecordingSurface::Box(float x1, float y1, float x2, float y2, std::optional<Rgb> color) {
    segment(OpKind::Box, x1, y1, x2, y2, color);
}

void RecordingSurface::Circle(float x, float y, float radius, std::optional<Rgb> color) {
    point(OpKind::Circle, x, y, radius, color);
}

void RecordingSurface::PSet(float x, float y, std::optional<Rgb> color) {
    point(OpKind::PSet, x, y, 0, color);
}

void RecordingSurface::FillBox(float x1, float y1, float x2, float y2, Rgb color) {
    RecordedOp op = start(OpKind::FillBox, color);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    ops_.push_back(std::move(op));
}

void RecordingSurface::FillPolygon(std::span<const FramePoint> points, Rgb color) {
    if (points.size() < 3) return;
    RecordedOp op = start(OpKind::FillPolygon, color);
    op.x1 = points[0].x;
    op.y1 = points[0].y;
    op.points.assign(points.begin(), points.end());
    ops_.push_back(std::move(op));
}

void RecordingSurface::segment(OpKind kind, float x1, float y1, float x2, float y2,
                               std::optional<Rgb> color) {
    RecordedOp op = start(kind, color);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    ops_.push_back(std::move(op));
    setLastPoint(x2, y2);
    CurrentX = x2;
    CurrentY = y2;
}

void RecordingSurface::point(OpKind kind, float x, float y, float radius,
                             std::optional<Rgb> color) {
    RecordedOp op = start(kind, color);
    op.x1 = x;
    op.y1 = y;
    op.radius = radius;
    ops_.push_back(std::move(op));
    CurrentX = x;
    CurrentY = y;
}

void RecordingSurface::PaintPicture(const Picture& picture, float x, float y, float w, float h) {
    RecordedOp op = start(OpKind::Picture, std::nullopt);
    op.x1 = x;
    op.y1 = y;
    op.x2 = w;
    op.y2 = h;
    op.picturewidth = picture.width();
    op.pictureheight = picture.height();
    ops_.push_back(std::move(op));
}

void RecordingSurface::Print(const std::string& text) {
    RecordedOp op = start(OpKind::Text, std::nullopt);
    op.x1 = CurrentX;
    op.y1 = CurrentY;
    op.x2 = TextWidth(text);
    op.y2 = TextHeight(text);
    op.text = text;
    ops_.push_back(op);
    CurrentX += op.x2;
}

float RecordingSurface::TextWidth(const std::string& text) {
    return static_cast<float>(textlength(text)) * kCharWidth * FontSize();
}

float RecordingSurface::TextHeight(const std::string&) { return kLineHeight * FontSize(); }

std::vector<RecordedOp> RecordingSurface::sincecls() const {
    auto it = std::find_if(ops_.rbegin(), ops_.rend(),
                           [](const RecordedOp& op) { return op.kind == OpKind::Cls; });
    return std::vector<RecordedOp>(it.base(), ops_.end());
}

std::vector<RecordedOp> RecordingSurface::ofkind(OpKind kind) const {
    std::vector<RecordedOp> out;
    std::copy_if(ops_.begin(), ops_.end(), std::back_inserter(out),
                 [kind](const RecordedOp& op) { return op.kind == kind; });
    return out;
}

std::size_t RecordingSurface::count(OpKind kind) const {
    return static_cast<std::size_t>(std::count_if(
        ops_.begin(), ops_.end(), [kind](const RecordedOp& op) { return op.kind == kind; }));
}

std::vector<RecordedOp> RecordingSurface::linesofcolor(Rgb color) const {
    std::vector<RecordedOp> out = lines();
    std::erase_if(out, [color](const RecordedOp& op) { return op.color != color; });
    return out;
}

std::vector<std::string> RecordingSurface::textstrings() const {
    std::vector<std::string> out;
    for (const RecordedOp& op : ofkind(OpKind::Text)) out.push_back(op.text);
    return out;
}

const RecordedOp* RecordingSurface::findtext(std::string_view text) const {
    auto it = std::find_if(ops_.begin(), ops_.end(), [text](const RecordedOp& op) {
        return op.kind == OpKind::Text && op.text == text;
    });
    return it == ops_.end() ? nullptr : &*it;
}

bool RecordingSurface::hasnonfinite() const {
    return std::any_of(ops_.begin(), ops_.end(), [](const RecordedOp& op) {
        return !std::isfinite(op.x1) || !std::isfinite(op.y1) || !std::isfinite(op.x2) ||
               !std::isfinite(op.y2) || !std::isfinite(op.radius) ||
               std::any_of(op.points.begin(), op.points.end(), [](const FramePoint& p) {
                   return !std::isfinite(p.x) || !std::isfinite(p.y);
               });
    });
}

}  // namespace crustex
