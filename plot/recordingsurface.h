// A drawing surface that keeps every operation instead of drawing pixels.
//
// Each operation is stored with its coordinates, its resolved colour (the
// explicit one, or ForeColor at the time of the call), pen width, draw mode,
// line style, AutoRedraw, font and text. Text extents are deterministic so
// that tests can compute where a text must land: every character is
// kCharWidth * FontSize wide and a line is kLineHeight * FontSize high.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "plot/surface.h"

namespace crustex {

enum class OpKind { Cls, Line, Box, Circle, PSet, Picture, Text, FillBox, FillPolygon };

struct RecordedOp {
    OpKind kind = OpKind::Line;
    // Line/Box/FillBox: the two points. Circle/PSet: (x1, y1) is the centre or point.
    // Picture: (x1, y1) top-left, (x2, y2) width and height. Text: (x1, y1)
    // is the top-left corner, (x2, y2) the extent.
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    float radius = 0;
    Rgb color{};
    bool explicitcolor = false;  // the caller named the colour
    int16_t width = 1;
    DrawMode mode = DrawMode::MaskPen;
    DrawStyle style = DrawStyle::Solid;
    bool autoredraw = true;
    float fontsize = 0;
    bool italic = false;
    std::string text;
    int picturewidth = 0, pictureheight = 0;  // Picture: the source size
    std::vector<FramePoint> points;           // FillPolygon: the corners
};

class RecordingSurface : public Surface {
public:
    static constexpr float kCharWidth = 0.5f;   // per point of FontSize
    static constexpr float kLineHeight = 1.5f;  // per point of FontSize

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

    // --- Queries for tests ---
    const std::vector<RecordedOp>& ops() const { return ops_; }
    // Operations after the last Cls (all of them when there was none).
    std::vector<RecordedOp> sincecls() const;
    std::vector<RecordedOp> ofkind(OpKind kind) const;
    std::size_t count(OpKind kind) const;
    std::vector<RecordedOp> lines() const { return ofkind(OpKind::Line); }
    std::vector<RecordedOp> linesofcolor(Rgb color) const;
    std::vector<RecordedOp> texts() const { return ofkind(OpKind::Text); }
    std::vector<std::string> textstrings() const;
    // The first text operation whose text equals `text` (nullptr if none).
    const RecordedOp* findtext(std::string_view text) const;
    // True when any recorded coordinate or radius is NaN or infinite.
    bool hasnonfinite() const;
    // Forgets all recorded operations (the surface properties stay).
    void clearlog() { ops_.clear(); }

private:
    RecordedOp start(OpKind kind, std::optional<Rgb> color) const;
    // Line and Box: both points kept, the pen left at the second.
    void segment(OpKind kind, float x1, float y1, float x2, float y2, std::optional<Rgb> color);
    // Circle and PSet: the point (and radius) kept, the pen left there.
    void point(OpKind kind, float x, float y, float radius, std::optional<Rgb> color);
    std::vector<RecordedOp> ops_;
};

// Number of characters of a UTF-8 text (continuation bytes not counted).
std::size_t textlength(std::string_view text);

}  // namespace crustex
