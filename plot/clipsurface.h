// A drawing surface that passes everything on to another surface, cut to a
// rectangle: lines and filled polygons are clipped to it, points and
// circles outside it are dropped (a polygon is cut as one outline, so an
// outline of several rings may gain joining edges). Text passes unclipped.
// The publication style draws the map through one, so that the map ends
// where the data area's frame does.
#pragma once

#include "plot/labelplacer.h"
#include "plot/surface.h"

namespace crustex {

// A segment (ax, ay)-(bx, by) cut to the box x0..x1 by y0..y1 (Liang-Barsky,
// in double); false when nothing of it is inside.
bool clipsegment(double& ax, double& ay, double& bx, double& by, double x0, double y0, double x1,
                 double y1);

class ClipSurface : public Surface {
public:
    // `inner` must outlive this surface; `clip` is in frame units.
    ClipSurface(Surface& inner, const LabelBox& clip);

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

private:
    bool inside(float x, float y) const;
    // Copies the pen, mode, style and text position to the inner surface.
    void sync();

    Surface& inner_;
    LabelBox clip_;
};

}  // namespace crustex
