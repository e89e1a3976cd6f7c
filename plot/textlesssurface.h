// A surface that passes every drawing operation to another one but drops
// text: lets a layer that labels its own lines be drawn when the caller
// writes those labels itself. Text is still measured by the surface below,
// so the layer's layout does not change. The properties (colour, pen,
// mode, font, position) are handed down before each operation. Optionally
// it also drops every figure that lies wholly right of a given x (what a
// layer draws beside its area rather than on it).
#pragma once

#include "plot/surface.h"

namespace crustex {

class TextlessSurface : public Surface {
public:
    explicit TextlessSurface(Surface& below);
    // Figures whose every point lies right of x are dropped from now on.
    void dropbeyond(float x) { beyond_ = x; }

    void Cls() override;
    void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color = {}) override;
    void Box(float x1, float y1, float x2, float y2, std::optional<Rgb> color = {}) override;
    void Circle(float x, float y, float radius, std::optional<Rgb> color = {}) override;
    void PSet(float x, float y, std::optional<Rgb> color = {}) override;
    void FillBox(float x1, float y1, float x2, float y2, Rgb color) override;
    void FillPolygon(std::span<const FramePoint> points, Rgb color) override;
    void PaintPicture(const Picture& picture, float x, float y, float w, float h) override;
    // Moves CurrentX past the text as a print would, draws nothing.
    void Print(const std::string& text) override;
    float TextWidth(const std::string& text) override;
    float TextHeight(const std::string& text) override;
    void setFontSize(float points) override;
    void setFontItalic(bool italic) override;
    void setAutoRedraw(bool on) override;
    void setScale(float left, float top, float width, float height) override;

private:
    // Hands the plain properties down and returns the surface below.
    Surface& down();
    bool keeps(float xmin) const { return !(xmin > beyond_); }
    Surface& below_;
    float beyond_ = 1e30f;
};

}  // namespace crustex
