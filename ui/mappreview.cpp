#include "ui/mappreview.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/qpaintersurface.h"

namespace crustex {

namespace {
// The picture's size in pixels: the map layout's 640 x 480 units at 0.6.
constexpr int kPreviewWidth = 384;
constexpr int kPreviewHeight = 288;
constexpr float kLayoutWidth = 640;
constexpr float kLayoutHeight = 480;
}  // namespace

MapPreview::MapPreview(QWidget* parent)
    : QWidget(parent), surface_(std::make_unique<QPainterSurface>(kPreviewWidth, kPreviewHeight)) {
    setObjectName("pbxPreview");
    setFixedSize(kPreviewWidth, kPreviewHeight);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    surface_->setScale(0, 0, kLayoutWidth, kLayoutHeight);
    surface_->onChanged = [this] { update(); };
    pc_.screen = surface_.get();
    pc_.target = surface_.get();
    setcolormode(pc_.palette, "map");
    pc_.colormode = "map";
}

MapPreview::~MapPreview() { surface_->onChanged = nullptr; }

PlotContext& MapPreview::startDrawing() {
    dragging_ = false;
    surface_->setAutoRedraw(true);
    surface_->drawStyle = DrawStyle::Solid;
    surface_->DrawWidth = 1;
    surface_->Cls();
    pc_.target = surface_.get();
    return pc_;
}

void MapPreview::finishDrawing() { update(); }

QPointF MapPreview::toFrame(const QPointF& pixel) const { return surface_->toFrame(pixel); }

QPointF MapPreview::toPixel(const QPointF& frame) const {
    return surface_->toDevice(float(frame.x()), float(frame.y()));
}

void MapPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), surface_->shownImage());
}

void MapPreview::drawBand(const QPointF& to) {
    Surface& s = *surface_;
    s.setAutoRedraw(false);
    surface_->refresh();
    s.drawStyle = DrawStyle::Dot;
    s.DrawWidth = 1;
    s.drawMode = DrawMode::CopyPen;
    s.Box(float(start_.x()), float(start_.y()), float(to.x()), float(to.y()), kBlack);
    update();
}

void MapPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    start_ = toFrame(event->position());
    drawBand(start_);
}

void MapPreview::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) drawBand(toFrame(event->position()));
}

void MapPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    dragging_ = false;
    const QPointF end = toFrame(event->position());
    drawBand(end);
    // Later drawing is persistent again, solid and one pixel wide; the band
    // itself stays on the transient layer.
    surface_->setAutoRedraw(true);
    surface_->drawStyle = DrawStyle::Solid;
    surface_->DrawWidth = 1;
    if (onSelected)
        onSelected(float(start_.x()), float(start_.y()), float(end.x()), float(end.y()));
}

}  // namespace crustex
