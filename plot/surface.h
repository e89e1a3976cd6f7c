// The drawing surface: every picture of the program is drawn through these
// operations on the current drawing target, in frame units (x right, y down)
// mapped by the surface's user scale.
//
// Property and operation names follow the program's drawing vocabulary
// (Cls, Line, Circle, PSet, PaintPicture, CurrentX, ForeColor, DrawMode...).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace crustex {

// An RGB colour, 0..255 per channel.
struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// Pixel combination of lines, points and circles.
enum class DrawMode : int16_t {
    CopyPen = 13,   // plain drawing
    MaskPen = 9,    // new pixel = old AND pen: never lightens what is below
    NotXorPen = 10  // drawing the same figure twice restores the picture
};

// Line pattern.
enum class DrawStyle : int16_t { Solid = 0, Dash = 1, Dot = 2 };

// A point in frame units.
struct FramePoint {
    float x = 0, y = 0;
    constexpr bool operator==(const FramePoint&) const = default;
};

// A stored bitmap that a surface can paint (a pasted background). The
// backend that made it knows its pixels; the core only needs its size.
class Picture {
public:
    virtual ~Picture() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
};

class Surface {
public:
    virtual ~Surface() = default;

    // Clears the whole surface to its background and forgets what was drawn.
    virtual void Cls() = 0;
    // Segment (x1, y1)-(x2, y2); without a colour it uses ForeColor. The end
    // becomes the "last point" for LineTo.
    virtual void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color = {}) = 0;
    // Segment from the last point drawn to (x2, y2).
    void LineTo(float x2, float y2, std::optional<Rgb> color = {}) {
        Line(lastX_, lastY_, x2, y2, color);
    }
    // Segment with the second point relative to the first.
    void LineRel(float x1, float y1, float dx, float dy, std::optional<Rgb> color = {}) {
        Line(x1, y1, x1 + dx, y1 + dy, color);
    }
    // Axis-parallel rectangle outline with the two points as corners.
    virtual void Box(float x1, float y1, float x2, float y2, std::optional<Rgb> color = {}) = 0;
    // Circle; radius in frame x units.
    virtual void Circle(float x, float y, float radius, std::optional<Rgb> color = {}) = 0;
    virtual void PSet(float x, float y, std::optional<Rgb> color = {}) = 0;
    // Filled axis-parallel rectangle with the two points as corners, in the
    // colour, without an outline; the draw mode applies.
    virtual void FillBox(float x1, float y1, float x2, float y2, Rgb color) = 0;
    // Filled polygon through the points (closed back to the first), in the
    // colour, without an outline; the draw mode applies. Fewer than three
    // points draw nothing. An outline that crosses itself or holds several
    // rings is filled by the even-odd rule (a point is inside when a ray
    // from it crosses the outline an odd number of times).
    virtual void FillPolygon(std::span<const FramePoint> points, Rgb color) = 0;
    // Draws a picture scaled into the rectangle with top-left (x, y).
    virtual void PaintPicture(const Picture& picture, float x, float y, float w, float h) = 0;

    // Draws text with its top-left corner at (CurrentX, CurrentY) in
    // ForeColor with the current font; CurrentX moves past the text.
    virtual void Print(const std::string& text) = 0;
    // Extent of a one-line text in frame units with the current font.
    virtual float TextWidth(const std::string& text) = 0;
    virtual float TextHeight(const std::string& text) = 0;

    // --- Properties ---
    float CurrentX = 0;
    float CurrentY = 0;

    virtual void setFontSize(float points) { fontSize_ = points; }
    float FontSize() const { return fontSize_; }
    virtual void setFontItalic(bool italic) { fontItalic_ = italic; }
    bool FontItalic() const { return fontItalic_; }

    Rgb ForeColor{0, 0, 0};
    int16_t DrawWidth = 1;  // pen width in device pixels
    DrawMode drawMode = DrawMode::MaskPen;
    DrawStyle drawStyle = DrawStyle::Solid;
    // On: drawing goes to the persistent image. Off: drawing is transient
    // and the next refresh removes it (rubber bands during a drag).
    virtual void setAutoRedraw(bool on) { autoRedraw_ = on; }
    bool AutoRedraw() const { return autoRedraw_; }

    // The user scale: the visible area spans x from ScaleLeft to
    // ScaleLeft + ScaleWidth and y from ScaleTop to ScaleTop + ScaleHeight.
    virtual void setScale(float left, float top, float width, float height) {
        scaleLeft_ = left;
        scaleTop_ = top;
        scaleWidth_ = width;
        scaleHeight_ = height;
    }
    float ScaleLeft() const { return scaleLeft_; }
    float ScaleTop() const { return scaleTop_; }
    float ScaleWidth() const { return scaleWidth_; }
    float ScaleHeight() const { return scaleHeight_; }

protected:
    // Implementations call this at the end of Line so that LineTo continues.
    void setLastPoint(float x, float y) {
        lastX_ = x;
        lastY_ = y;
    }

private:
    float lastX_ = 0, lastY_ = 0;
    float fontSize_ = 9;
    bool fontItalic_ = false;
    bool autoRedraw_ = true;
    float scaleLeft_ = 0, scaleTop_ = -20, scaleWidth_ = 659.2f, scaleHeight_ = 525.3f;
};

}  // namespace crustex
