// A surface that only counts what it is given, so that a benchmark's
// figures are the drawing code itself. Text is measured as the recording
// surface measures it.
#pragma once

#include "plot/surface.h"

namespace crustex::bench {

class CountingSurface : public Surface {
public:
    long lines = 0, boxes = 0, texts = 0;
    void Cls() override {}
    void Line(float, float, float x2, float y2, std::optional<Rgb>) override {
        ++lines;
        setLastPoint(x2, y2);
    }
    void Box(float, float, float, float, std::optional<Rgb>) override {}
    void Circle(float, float, float, std::optional<Rgb>) override {}
    void PSet(float, float, std::optional<Rgb>) override {}
    void FillBox(float, float, float, float, Rgb) override { ++boxes; }
    void FillPolygon(std::span<const FramePoint>, Rgb) override {}
    void PaintPicture(const Picture&, float, float, float, float) override {}
    void Print(const std::string&) override { ++texts; }
    float TextWidth(const std::string& t) override {
        return 0.5f * FontSize() * static_cast<float>(t.size());
    }
    float TextHeight(const std::string&) override { return 1.5f * FontSize(); }
};

}  // namespace crustex::bench
