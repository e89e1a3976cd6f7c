#include "plot/pubstyle.h"

#include <charconv>
#include <cmath>

#include "model/numtext.h"

namespace crustex {

float printedpoints(float size, float widthcm) {
    // size points are size * 96 / 72 frame units; the 640-unit picture is
    // widthcm * 10 mm wide; a point is 25.4 / 72 mm.
    const float mm = size * 96.0f / 72.0f * (widthcm * 10.0f / 640.0f);
    return mm / (25.4f / 72.0f);
}

std::string pubnumber(float v) {
    if (v == 0) return "0";
    const double m = std::fabs(static_cast<double>(v));
    if (m >= 0.1 && m < 1) return formatnumber(v, "0.###");
    if (m >= 0.01 && m < 0.1) return formatnumber(v, "0.####");
    // The value text keeps a point with no decimals after it ("8.",
    // "1.E-4"); a label does without.
    std::string text = valuetext(v);
    const std::size_t e = text.find('E');
    const std::size_t end = e == std::string::npos ? text.size() : e;
    if (end > 0 && text[end - 1] == '.') text.erase(end - 1, 1);
    return text;
}

std::string pubticktext(float v) {
    const std::string general = generalform(v);
    if (general.size() <= 6) return general;
    // The shortest exponent form that still gives the level back.
    for (const char* pattern : {"0E-#", "0.#E-#", "0.##E-#"}) {
        const std::string text = formatnumber(v, pattern);
        double back = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
        if (error == std::errc() && std::fabs(back - v) <= 1e-5 * std::fabs(static_cast<double>(v)))
            return text;
    }
    return pubnumber(v);
}

LabelBox textbox(Surface& s, float left, float top, const std::string& text, float size) {
    s.setFontSize(size);
    return {left, top, left + s.TextWidth(text), top + s.TextHeight(text)};
}

void drawlabel(Surface& s, const LabelBox& box, const std::string& text, float size, float pad) {
    s.FillBox(box.left, box.top, box.right, box.bottom, kPubLabelGround);
    s.setFontSize(size);
    s.ForeColor = kBlack;
    s.CurrentX = box.left + pad;
    s.CurrentY = box.top + pad;
    s.Print(text);
}

}  // namespace crustex
