// The plot picture (graphpbx): shows the drawing surface's persistent image
// with its transient layer on top, and turns mouse and key events into the
// mouse-mode state machine's calls in frame units.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "app/mousemodes.h"

namespace crustex {

class QPainterSurface;

class PlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlotWidget(QWidget* parent = nullptr);

    // Where the two layers come from (either may return null).
    void setLayers(std::function<const QImage*()> persistent,
                   std::function<const QImage*()> transient);
    // The state machine that receives the mouse, and the state whose abort
    // flag the keys set. Pixels map to frame units as on the surface, whose
    // image the widget shows pixel for pixel.
    void attach(MouseModes* modes, WorkState* ws, const QPainterSurface* surface);

    // While this returns true (the window is drawing or computing), presses,
    // releases and double clicks are ignored: only the read-out follows the
    // pointer and keys still reach the abort flag.
    std::function<bool()> busy;

    // Frame units of a widget pixel position.
    QPointF toFrame(const QPointF& pixel) const;
    // Widget pixel position of a frame point.
    QPointF toPixel(const QPointF& frame) const;

    // Number of paint events (tests check that the picture repaints while a
    // long evaluation runs).
    int paintCount() const { return paintCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<const QImage*()> persistent_;
    std::function<const QImage*()> transient_;
    MouseModes* modes_ = nullptr;
    WorkState* ws_ = nullptr;
    const QPainterSurface* surface_ = nullptr;
    int paintCount_ = 0;
};

// True for the abort key: Ctrl+Q, character 17.
bool isabortkey(const QKeyEvent& event);
// True for keys that type nothing (modifiers alone); they leave the abort
// request as it is.
bool ismodifierkey(const QKeyEvent& event);

}  // namespace crustex
