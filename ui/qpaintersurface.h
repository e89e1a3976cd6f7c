// The drawing surface over Qt's painter.
//
// A screen surface owns three images of one size:
//   persistent  what AutoRedraw-on drawing builds (the plot's picture);
//   shown       while transient drawing exists, a copy of the persistent
//               image with the AutoRedraw-off drawing (rubber bands) on it;
//   background  an optional kept picture (pasted bitmap or map) that Cls
//               restores the persistent image to; white when there is none.
// Cls with AutoRedraw on clears the persistent image to the background; with
// AutoRedraw off it only removes the transient drawing, as refresh() does.
//
// A device surface draws straight onto any QPaintDevice (a QPrinter, a PDF
// writer, an image of the caller's), with the same operations and scale.
//
// Frame units map linearly onto device pixels: the user scale's left/top
// edge onto the first pixel, its right/bottom edge onto the last pixel.
// Mask pen and not-xor pen are raster operations on the opaque images, so
// not-xor figures drawn twice restore every pixel. Fonts are sized in points
// of a nominal 96 dpi picture where one frame unit is one pixel, so text
// keeps its size relative to the picture on any device.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <functional>
#include <memory>

#include "plot/surface.h"

class QPaintDevice;

namespace crustex {

class QPainterSurface : public Surface {
public:
    // A screen surface of width x height pixels, cleared to white.
    QPainterSurface(int width, int height);
    // A surface over a device that the caller keeps alive while drawing.
    explicit QPainterSurface(QPaintDevice* device);
    ~QPainterSurface() override;
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    // --- Surface ---
    void Cls() override;
    void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color = {}) override;
    void Box(float x1, float y1, float x2, float y2, std::optional<Rgb> color = {}) override;
    void Circle(float x, float y, float radius, std::optional<Rgb> color = {}) override;
    void PSet(float x, float y, std::optional<Rgb> color = {}) override;
    void FillBox(float x1, float y1, float x2, float y2, Rgb color) override;
    void FillPolygon(std::span<const FramePoint> points, Rgb color) override;
    void PaintPicture(const Picture& picture, float x, float y, float w, float h) override;
    void Print(const std::string& text) override;
    float TextWidth(const std::string& text) override;
    float TextHeight(const std::string& text) override;
    void setFontSize(float points) override;
    void setFontItalic(bool italic) override;
    void setAutoRedraw(bool on) override;
    void setScale(float left, float top, float width, float height) override;

    // --- Screen picture ---
    bool isScreen() const { return !device_; }
    int pixelWidth() const { return width_; }
    int pixelHeight() const { return height_; }
    // The picture as the window shows it now (persistent plus transient).
    const QImage& shownImage();
    // The persistent picture (what "Copy Picture" hands to the clipboard).
    const QImage& image();
    // Removes the transient drawing.
    void refresh();
    bool hasTransient() const { return transient_; }
    // New pixel size: the pictures start white; a kept background is scaled
    // to the new size. Sizes below 1 pixel are taken as 1.
    void resize(int width, int height);

    // The kept background that Cls restores to.
    bool hasBackground() const { return !background_.isNull(); }
    void setBackground(const QImage& image);  // scaled to the picture size
    void keepAsBackground();                  // the current persistent image
    void clearBackground();
    const QImage& background() const { return background_; }

    // Called once when the shown picture changes after the last
    // shownImage()/image() call (the window then schedules a repaint).
    std::function<void()> onChanged;

    // Frame units <-> device pixels under the current user scale.
    QPointF toDevice(float x, float y) const;
    QPointF toFrame(QPointF devicePoint) const;
    // Device pixels per frame unit.
    double pixelsPerUnitX() const { return sx_; }
    double pixelsPerUnitY() const { return sy_; }
    // Device pixels per unit of DrawWidth (1 unless set): a picture file
    // drawn at many pixels per frame unit keeps the lines' weight.
    void setPenScale(double pixels);

    // Ends the painter. On a QPrinter this finishes the document (so does
    // destroying the surface): to discard an aborted print, call
    // QPrinter::abort() before either.
    void flush();

private:
    QPaintDevice* currentDevice();
    QPainter& painter();
    void updateMapping();
    void updateFont();
    void applyPen(const Rgb& color);
    void applyMode(DrawMode mode);
    void changed();
    void startTransient();

    QPaintDevice* device_ = nullptr;  // device surface target, else null
    int width_ = 1, height_ = 1;
    QImage persistent_, shown_, background_;
    bool transient_ = false;

    QPainter painter_;
    QPaintDevice* painting_ = nullptr;  // the device painter_ is active on
    // What the painter is set to, so that unchanged state costs nothing.
    bool penValid_ = false;
    Rgb penColor_{};
    int penWidth_ = 1;
    double penScale_ = 1;
    DrawStyle penStyle_ = DrawStyle::Solid;
    bool modeValid_ = false;
    DrawMode paintMode_ = DrawMode::CopyPen;

    double sx_ = 1, sy_ = 1, ox_ = 0, oy_ = 0;
    QFont font_;
    bool dirty_ = false;
};

}  // namespace crustex
