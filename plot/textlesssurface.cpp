#include "plot/textlesssurface.h"

#include <algorithm>

namespace crustex {

TextlessSurface::TextlessSurface(Surface& below) : below_(below) {
    CurrentX = below.CurrentX;
    CurrentY = below.CurrentY;
    ForeColor = below.ForeColor;
    DrawWidth = below.DrawWidth;
    drawMode = below.drawMode;
    drawStyle = below.drawStyle;
    Surface::setFontSize(below.FontSize());
    Surface::setFontItalic(below.FontItalic());
    Surface::setAutoRedraw(below.AutoRedraw());
    Surface::setScale(below.ScaleLeft(), below.ScaleTop(), below.ScaleWidth(), below.ScaleHeight());
}

Surface& TextlessSurface::down() {
    below_.CurrentX = CurrentX;
    below_.CurrentY = CurrentY;
    below_.ForeColor = ForeColor;
    below_.DrawWidth = DrawWidth;
    below_.drawMode = drawMode;
    below_.drawStyle = drawStyle;
    return below_;
}

void TextlessSurface::Cls() { down().Cls(); }

void TextlessSurface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color) {
    if (keeps(std::min(x1, x2))) down().Line(x1, y1, x2, y2, color);
    setLastPoint(x2, y2);
    CurrentX = x2;
    CurrentY = y2;
}

void TextlessSurface::Box(float x1, float y1, float x2, float y2, std::optional<Rgb> color) {
    if (keeps(std::min(x1, x2))) down().Box(x1, y1, x2, y2, color);
    setLastPoint(x2, y2);
    CurrentX = x2;
    CurrentY = y2;
}

void TextlessSurface::Circle(float x, float y, float radius, std::optional<Rgb> color) {
    if (keeps(x - radius)) down().Circle(x, y, radius, color);
    CurrentX = x;
    CurrentY = y;
}

void TextlessSurface::PSet(float x, float y, std::optional<Rgb> color) {
    if (keeps(x)) down().PSet(x, y, color);
    CurrentX = x;
    CurrentY = y;
}

void TextlessSurface::FillBox(float x1, float y1, float x2, float y2, Rgb color) {
    if (keeps(std::min(x1, x2))) down().FillBox(x1, y1, x2, y2, color);
}

void TextlessSurface::FillPolygon(std::span<const FramePoint> points, Rgb color) {
    float xmin = 1e30f;
    for (const FramePoint& p : points) xmin = std::min(xmin, p.x);
    if (keeps(xmin)) down().FillPolygon(points, color);
}

void TextlessSurface::PaintPicture(const Picture& picture, float x, float y, float w, float h) {
    down().PaintPicture(picture, x, y, w, h);
}

void TextlessSurface::Print(const std::string& text) { CurrentX += TextWidth(text); }

float TextlessSurface::TextWidth(const std::string& text) { return below_.TextWidth(text); }

float TextlessSurface::TextHeight(const std::string& text) { return below_.TextHeight(text); }

void TextlessSurface::setFontSize(float points) {
    Surface::setFontSize(points);
    below_.setFontSize(points);
}

void TextlessSurface::setFontItalic(bool italic) {
    Surface::setFontItalic(italic);
    below_.setFontItalic(italic);
}

void TextlessSurface::setAutoRedraw(bool on) {
    Surface::setAutoRedraw(on);
    below_.setAutoRedraw(on);
}

void TextlessSurface::setScale(float left, float top, float width, float height) {
    Surface::setScale(left, top, width, height);
    below_.setScale(left, top, width, height);
}

}  // namespace crustex
