// The map dialog's preview picture (pbxPreview): the map drawn small over
// the map layout's 640 x 480 frame units, and a dotted rubber band dragged
// with the mouse to point out a new range. The band stays shown after the
// release until the preview is drawn again or a new band is started.
#pragma once

#include <QPointF>
#include <QWidget>
#include <functional>
#include <memory>

#include "plot/plotcontext.h"

namespace crustex {

class QPainterSurface;

class MapPreview : public QWidget {
    Q_OBJECT
public:
    explicit MapPreview(QWidget* parent = nullptr);
    ~MapPreview() override;

    // Clears the picture (and the band) and returns the drawing context over
    // it, its palette in the "map" colour mode.
    PlotContext& startDrawing();
    // Shows what was drawn since startDrawing().
    void finishDrawing();
    QPainterSurface& surface() { return *surface_; }

    // Frame units of a widget pixel position, and back.
    QPointF toFrame(const QPointF& pixel) const;
    QPointF toPixel(const QPointF& frame) const;

    // Called on release with the press and release positions (frame units).
    std::function<void(float ax, float ay, float bx, float by)> onSelected;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void drawBand(const QPointF& to);

    std::unique_ptr<QPainterSurface> surface_;
    PlotContext pc_;
    bool dragging_ = false;
    QPointF start_;
};

}  // namespace crustex
