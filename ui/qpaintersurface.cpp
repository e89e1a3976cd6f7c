#include "ui/qpaintersurface.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>

#include "plot/clipsurface.h"
#include "ui/qtpicture.h"

namespace crustex {

namespace {

// Fonts are sized as on a 96 dpi picture where one frame unit is one pixel.
constexpr double kNominalDpi = 96.0;
// Segments are clipped to the device rectangle grown by this margin (pixels)
// before they reach the painter, so that far-away or huge coordinates cost
// nothing and cannot upset the rasterizer.
constexpr double kClipMargin = 64.0;

QColor tocolor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// The segment cut to [x0, x1] x [y0, y1]; false when nothing of it is inside.
bool clipsegment(QPointF& a, QPointF& b, double x0, double y0, double x1, double y1) {
    double ax = a.x(), ay = a.y(), bx = b.x(), by = b.y();
    if (!crustex::clipsegment(ax, ay, bx, by, x0, y0, x1, y1)) return false;
    a = QPointF(ax, ay);
    b = QPointF(bx, by);
    return true;
}

bool finite(float a, float b) { return std::isfinite(a) && std::isfinite(b); }

QImage whiteimage(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Raster operations work on opaque 32-bit images only.
bool supportsrasterops(QPaintDevice* dev) {
    if (dev->devType() != QInternal::Image) return false;
    const QImage::Format f = static_cast<QImage*>(dev)->format();
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

QPainterSurface::QPainterSurface(int width, int height)
    : width_(std::max(1, width)), height_(std::max(1, height)) {
    persistent_ = whiteimage(width_, height_);
    font_ = QFont(QStringLiteral("DejaVu Sans"));
    font_.setStyleHint(QFont::SansSerif);
    updateMapping();
    updateFont();
}

QPainterSurface::QPainterSurface(QPaintDevice* device) : device_(device) {
    width_ = std::max(1, device->width());
    height_ = std::max(1, device->height());
    font_ = QFont(QStringLiteral("DejaVu Sans"));
    font_.setStyleHint(QFont::SansSerif);
    updateMapping();
    updateFont();
}

QPainterSurface::~QPainterSurface() { flush(); }

// --- Device and painter ---

QPaintDevice* QPainterSurface::currentDevice() {
    if (device_) return device_;
    if (!AutoRedraw()) {
        startTransient();
        return &shown_;
    }
    if (transient_) {
        // Persistent drawing replaces the shown picture: the transient
        // drawing is gone, as after a refresh.
        if (painting_ == &shown_) flush();
        transient_ = false;
        shown_ = QImage();
    }
    return &persistent_;
}

void QPainterSurface::startTransient() {
    if (transient_) return;
    if (painting_ == &persistent_) flush();
    shown_ = persistent_.copy();
    transient_ = true;
}

QPainter& QPainterSurface::painter() {
    QPaintDevice* dev = currentDevice();
    if (painting_ != dev) {
        if (painter_.isActive()) painter_.end();
        painter_.begin(dev);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setBrush(Qt::NoBrush);
        painter_.setFont(font_);
        painting_ = dev;
        penValid_ = false;
        modeValid_ = false;
    }
    changed();
    return painter_;
}

void QPainterSurface::flush() {
    if (painter_.isActive()) painter_.end();
    painting_ = nullptr;
}

void QPainterSurface::changed() {
    if (dirty_) return;
    dirty_ = true;
    if (onChanged) onChanged();
}

void QPainterSurface::applyPen(const Rgb& color) {
    const int width = std::max<int>(1, DrawWidth);
    if (penValid_ && penColor_ == color && penWidth_ == width && penStyle_ == drawStyle) return;
    QPen pen(tocolor(color));
    pen.setWidthF(width * penScale_);
    pen.setCosmetic(true);
    switch (drawStyle) {
        case DrawStyle::Solid: pen.setStyle(Qt::SolidLine); break;
        case DrawStyle::Dash: pen.setStyle(Qt::DashLine); break;
        case DrawStyle::Dot: pen.setStyle(Qt::DotLine); break;
    }
    painter_.setPen(pen);
    penValid_ = true;
    penColor_ = color;
    penWidth_ = width;
    penStyle_ = drawStyle;
}

void QPainterSurface::setPenScale(double pixels) {
    penScale_ = std::isfinite(pixels) && pixels > 0 ? pixels : 1;
    penValid_ = false;
}

void QPainterSurface::applyMode(DrawMode mode) {
    if (modeValid_ && paintMode_ == mode) return;
    QPainter::CompositionMode cm = QPainter::CompositionMode_SourceOver;
    if (supportsrasterops(painting_)) {
        if (mode == DrawMode::MaskPen) cm = QPainter::RasterOp_SourceAndDestination;
        if (mode == DrawMode::NotXorPen) cm = QPainter::RasterOp_NotSourceXorDestination;
    }
    painter_.setCompositionMode(cm);
    modeValid_ = true;
    paintMode_ = mode;
}

// --- Scale and fonts ---

void QPainterSurface::updateMapping() {
    const double w = ScaleWidth(), h = ScaleHeight();
    sx_ = (w != 0 && std::isfinite(w)) ? std::max(1, width_ - 1) / w : 1.0;
    sy_ = (h != 0 && std::isfinite(h)) ? std::max(1, height_ - 1) / h : 1.0;
    ox_ = ScaleLeft();
    oy_ = ScaleTop();
}

void QPainterSurface::updateFont() {
    QPaintDevice* dev = device_ ? device_ : static_cast<QPaintDevice*>(&persistent_);
    const double dpi = dev->logicalDpiY() > 0 ? dev->logicalDpiY() : kNominalDpi;
    double pixels = FontSize() * kNominalDpi / 72.0 * std::abs(sy_);
    if (!(pixels >= 1)) pixels = 1;
    if (pixels > 10000) pixels = 10000;
    font_.setPointSizeF(pixels * 72.0 / dpi);
    font_.setItalic(FontItalic());
    if (painter_.isActive()) painter_.setFont(font_);
}

void QPainterSurface::setFontSize(float points) {
    Surface::setFontSize(points);
    updateFont();
}

void QPainterSurface::setFontItalic(bool italic) {
    Surface::setFontItalic(italic);
    updateFont();
}

void QPainterSurface::setScale(float left, float top, float width, float height) {
    Surface::setScale(left, top, width, height);
    updateMapping();
    updateFont();
}

void QPainterSurface::setAutoRedraw(bool on) { Surface::setAutoRedraw(on); }

QPointF QPainterSurface::toDevice(float x, float y) const {
    return QPointF((x - ox_) * sx_, (y - oy_) * sy_);
}

QPointF QPainterSurface::toFrame(QPointF p) const {
    return QPointF(p.x() / sx_ + ox_, p.y() / sy_ + oy_);
}

// --- Drawing ---

void QPainterSurface::Cls() {
    CurrentX = 0;
    CurrentY = 0;
    if (device_) {
        QPainter& p = painter();
        applyMode(DrawMode::CopyPen);
        p.fillRect(QRect(0, 0, width_, height_), Qt::white);
        return;
    }
    if (!AutoRedraw()) {
        refresh();
        return;
    }
    flush();
    transient_ = false;
    shown_ = QImage();
    persistent_ = background_.isNull() ? whiteimage(width_, height_) : background_.copy();
    changed();
}

void QPainterSurface::refresh() {
    if (!transient_) return;
    if (painting_ == &shown_) flush();
    transient_ = false;
    shown_ = QImage();
    changed();
}

void QPainterSurface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color) {
    setLastPoint(x2, y2);
    CurrentX = x2;
    CurrentY = y2;
    if (!finite(x1, y1) || !finite(x2, y2)) return;
    QPointF a = toDevice(x1, y1), b = toDevice(x2, y2);
    if (!clipsegment(a, b, -kClipMargin, -kClipMargin, width_ + kClipMargin, height_ + kClipMargin))
        return;
    QPainter& p = painter();
    applyMode(drawMode);
    applyPen(color.value_or(ForeColor));
    p.drawLine(QLineF(a, b));
}

void QPainterSurface::Box(float x1, float y1, float x2, float y2, std::optional<Rgb> color) {
    setLastPoint(x2, y2);
    CurrentX = x2;
    CurrentY = y2;
    if (!finite(x1, y1) || !finite(x2, y2)) return;
    const QPointF a = toDevice(x1, y1), b = toDevice(x2, y2);
    const QRectF r = QRectF(a, b).normalized();
    const QRectF limit(-kClipMargin, -kClipMargin, width_ + 2 * kClipMargin,
                       height_ + 2 * kClipMargin);
    if (!limit.intersects(r) && r.width() > 0 && r.height() > 0) return;
    if (r.width() > 1e6 || r.height() > 1e6) {
        // A huge box is drawn as its four clipped sides.
        const QPointF c[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
        for (int i = 0; i < 4; ++i) {
            const QPointF s = toFrame(c[i]), e = toFrame(c[(i + 1) % 4]);
            Line(static_cast<float>(s.x()), static_cast<float>(s.y()), static_cast<float>(e.x()),
                 static_cast<float>(e.y()), color);
        }
        setLastPoint(x2, y2);
        CurrentX = x2;
        CurrentY = y2;
        return;
    }
    QPainter& p = painter();
    applyMode(drawMode);
    applyPen(color.value_or(ForeColor));
    p.drawRect(r);
}

void QPainterSurface::Circle(float x, float y, float radius, std::optional<Rgb> color) {
    CurrentX = x;
    CurrentY = y;
    if (!finite(x, y) || !std::isfinite(radius)) return;
    const QPointF c = toDevice(x, y);
    const double r = std::abs(radius * sx_);
    if (r > 1e6) return;
    if (c.x() + r < -kClipMargin || c.x() - r > width_ + kClipMargin || c.y() + r < -kClipMargin ||
        c.y() - r > height_ + kClipMargin)
        return;
    QPainter& p = painter();
    applyMode(drawMode);
    applyPen(color.value_or(ForeColor));
    p.drawEllipse(c, r, r);
}

void QPainterSurface::PSet(float x, float y, std::optional<Rgb> color) {
    CurrentX = x;
    CurrentY = y;
    if (!finite(x, y)) return;
    const QPointF c = toDevice(x, y);
    if (c.x() < -kClipMargin || c.x() > width_ + kClipMargin || c.y() < -kClipMargin ||
        c.y() > height_ + kClipMargin)
        return;
    QPainter& p = painter();
    applyMode(drawMode);
    applyPen(color.value_or(ForeColor));
    p.drawPoint(c);
}

void QPainterSurface::FillBox(float x1, float y1, float x2, float y2, Rgb color) {
    if (!finite(x1, y1) || !finite(x2, y2)) return;
    const QRectF limit(-kClipMargin, -kClipMargin, width_ + 2 * kClipMargin,
                       height_ + 2 * kClipMargin);
    const QRectF r = QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized().intersected(limit);
    if (r.isEmpty()) return;
    QPainter& p = painter();
    applyMode(drawMode);
    p.fillRect(r, QColor(color.r, color.g, color.b));
}

void QPainterSurface::FillPolygon(std::span<const FramePoint> points, Rgb color) {
    if (points.size() < 3) return;
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const FramePoint& pt : points) {
        if (!finite(pt.x, pt.y)) return;
        poly << toDevice(pt.x, pt.y);
    }
    const QRectF limit(-kClipMargin, -kClipMargin, width_ + 2 * kClipMargin,
                       height_ + 2 * kClipMargin);
    if (!limit.intersects(poly.boundingRect())) return;
    QPainter& p = painter();
    applyMode(drawMode);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(color.r, color.g, color.b));
    p.drawPolygon(poly);
    p.restore();
}

void QPainterSurface::PaintPicture(const Picture& picture, float x, float y, float w, float h) {
    const auto* qp = dynamic_cast<const QtPicture*>(&picture);
    if (!qp || qp->isNull()) return;
    if (!finite(x, y) || !finite(w, h) || w == 0 || h == 0) return;
    const QRectF target = QRectF(toDevice(x, y), toDevice(x + w, y + h)).normalized();
    QPainter& p = painter();
    applyMode(DrawMode::CopyPen);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(target, qp->image());
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void QPainterSurface::Print(const std::string& text) {
    const QString s = QString::fromStdString(text);
    QPainter& p = painter();
    const QFontMetricsF fm(font_, painting_);
    if (finite(CurrentX, CurrentY) && !s.isEmpty()) {
        applyMode(DrawMode::CopyPen);
        applyPen(ForeColor);
        const QPointF at = toDevice(CurrentX, CurrentY);
        p.drawText(QPointF(at.x(), at.y() + fm.ascent()), s);
    }
    CurrentX += static_cast<float>(fm.horizontalAdvance(s) / sx_);
}

float QPainterSurface::TextWidth(const std::string& text) {
    QPaintDevice* dev = device_ ? device_ : static_cast<QPaintDevice*>(&persistent_);
    const QFontMetricsF fm(font_, dev);
    return static_cast<float>(fm.horizontalAdvance(QString::fromStdString(text)) / sx_);
}

float QPainterSurface::TextHeight(const std::string&) {
    QPaintDevice* dev = device_ ? device_ : static_cast<QPaintDevice*>(&persistent_);
    const QFontMetricsF fm(font_, dev);
    return static_cast<float>(fm.height() / sy_);
}

// --- Screen picture ---

const QImage& QPainterSurface::shownImage() {
    flush();
    dirty_ = false;
    return transient_ ? shown_ : persistent_;
}

const QImage& QPainterSurface::image() {
    flush();
    return persistent_;
}

void QPainterSurface::resize(int width, int height) {
    if (device_) return;
    flush();
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    persistent_ = whiteimage(width_, height_);
    transient_ = false;
    shown_ = QImage();
    if (!background_.isNull() && background_.size() != QSize(width_, height_))
        background_ =
            background_.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
    updateMapping();
    updateFont();
    changed();
}

void QPainterSurface::setBackground(const QImage& image) {
    QImage img = opaqueimage(image);
    if (!img.isNull() && img.size() != QSize(width_, height_))
        img = img.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32);
    background_ = img;
}

void QPainterSurface::keepAsBackground() {
    if (device_) return;
    flush();
    background_ = persistent_.copy();
}

void QPainterSurface::clearBackground() { background_ = QImage(); }

}  // namespace crustex
