#include "app/plotwidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/qpaintersurface.h"

namespace crustex {

namespace {

MouseButton buttonof(Qt::MouseButton b) {
    switch (b) {
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        default: return MouseButton::Left;
    }
}

}  // namespace

bool isabortkey(const QKeyEvent& event) {
    if (!event.text().isEmpty() && event.text().at(0).unicode() == 17) return true;
    return event.key() == Qt::Key_Q && (event.modifiers() & Qt::ControlModifier);
}

bool ismodifierkey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Control:
        case Qt::Key_Shift:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock: return true;
        default: return false;
    }
}

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("graphpbx");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotWidget::setLayers(std::function<const QImage*()> persistent,
                           std::function<const QImage*()> transient) {
    persistent_ = std::move(persistent);
    transient_ = std::move(transient);
    update();
}

void PlotWidget::attach(MouseModes* modes, WorkState* ws, const QPainterSurface* surface) {
    modes_ = modes;
    ws_ = ws;
    surface_ = surface;
}

QPointF PlotWidget::toFrame(const QPointF& p) const {
    if (surface_ != nullptr) return surface_->toFrame(p);
    return p;
}

QPointF PlotWidget::toPixel(const QPointF& f) const {
    if (surface_ != nullptr) return surface_->toDevice(float(f.x()), float(f.y()));
    return f;
}

void PlotWidget::paintEvent(QPaintEvent*) {
    ++paintCount_;
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (persistent_) {
        if (const QImage* img = persistent_(); img && !img->isNull())
            p.drawImage(QPoint(0, 0), *img);
    }
    if (transient_) {
        if (const QImage* img = transient_(); img && !img->isNull())
            p.drawImage(QPoint(0, 0), *img);
    }
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (!modes_ || (busy && busy())) return;
    const QPointF f = toFrame(event->position());
    modes_->press(buttonof(event->button()), event->modifiers() & Qt::ShiftModifier,
                  event->modifiers() & Qt::ControlModifier, float(f.x()), float(f.y()));
    update();
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!modes_) return;
    const QPointF f = toFrame(event->position());
    if (busy && busy()) {
        // Only the read-out: the picture is being drawn.
        if (!modes_->dragging()) modes_->move(float(f.x()), float(f.y()));
        return;
    }
    modes_->move(float(f.x()), float(f.y()));
    if (modes_->dragging()) update();
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!modes_ || (busy && busy())) return;
    const QPointF f = toFrame(event->position());
    modes_->release(buttonof(event->button()), float(f.x()), float(f.y()));
    update();
}

void PlotWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click is its own event: it is not a second press.
    if (!modes_ || (busy && busy())) return;
    const QPointF f = toFrame(event->position());
    modes_->doubleclick(float(f.x()), float(f.y()));
    update();
}

void PlotWidget::keyPressEvent(QKeyEvent* event) {
    if (ismodifierkey(*event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (ws_) applyabortkey(*ws_, isabortkey(*event));
    event->accept();
}

}  // namespace crustex
