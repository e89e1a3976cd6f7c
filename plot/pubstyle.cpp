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

namespace {

// True when the text reads back as v to five significant digits.
bool givesback(const std::string& text, float v) {
    double back = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
    return error == std::errc() && end == text.data() + text.size() &&
           std::fabs(back - v) <= 1e-5 * std::fabs(static_cast<double>(v));
}

}  // namespace

std::string pubticktext(float v) {
    if (v == 0 || !std::isfinite(v)) return generalform(v);
    const float m = std::fabs(v);
    const std::string sign = v < 0 ? "-" : "";
    // Fixed notation with the fewest decimals that give the level back
    // (levels computed as k x interval carry rounding: 0.09999999 is 0.1),
    // while it stays short; else the shortest exponent form.
    std::string pattern = "0";
    for (int decimals = 0; decimals <= 6; ++decimals) {
        if (decimals > 0) pattern += decimals == 1 ? ".#" : "#";
        const std::string text = formatnumber(m, pattern);
        if (!givesback(text, m)) continue;
        if (text.size() <= 6) return sign + text;
        break;
    }
    for (const char* p : {"0E-#", "0.#E-#", "0.##E-#"}) {
        const std::string text = formatnumber(m, p);
        if (givesback(text, m)) return sign + text;
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
