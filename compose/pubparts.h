// Parts the pictures of the publication style share: where the parts of a
// picture go in the view it is drawn in, the strip of texts right of the
// plot, the grey pens of the lines over the bands, and the drawing state
// the style sets and gives back.
#pragma once

#include <string>
#include <vector>

#include "plot/labelplacer.h"
#include "plot/plotcontext.h"
#include "plot/pubstyle.h"

namespace crustex {

// Where the parts of the picture go in the view it is drawn in. Sizes are
// those of the nominal frame times `scale`, so that a larger view prints
// its texts as large as the nominal frame does.
struct Layout {
    FrameView view;
    float scale = 1;
    float text = kPubTextSize, title = kPubTitleSize;
    // The part both the screen and the printed page show: x 0..640, y
    // 0..505 of the nominal frame.
    LabelBox shown;
    // The column right of the plot: texts end at stripright, the colour bar
    // and the reference glyphs start at stripleft.
    float stripright = 0, stripleft = 0, striptop = 0;
    float barwidth = 0, barheight = 0;
    // The distance bar of a map picture: about this long, at this height.
    float distancelength = 0, distancey = 0;
};

Layout layoutfor(const FrameView& view);

// Frame units kept free around each line of the strip (nominal frame).
inline constexpr float kStripClearance = 2;

// Writes right-aligned lines down the strip, each taken in the placer.
class Strip {
public:
    // avoid: the data area, which a long title must not run into.
    Strip(Surface& s, LabelPlacer& placer, const LabelBox& avoid, const Layout& layout)
        : s_(s), placer_(placer), avoid_(avoid), layout_(layout), y_(layout.striptop) {}

    void line(const std::string& text, Rgb color = kBlack) { line(text, layout_.text, color); }
    void line(const std::string& text, float size, Rgb color = kBlack);
    // The quantity's name: in one line at the title size when that clears
    // the data area (a wide field reaches close to the strip's top), else
    // broken before its "(" part, else at the text size, else both.
    void title(const std::string& text);
    void skip(float dy) { y_ += dy; }
    float y() const { return y_; }
    void moveto(float y) { y_ = y; }

private:
    LabelBox linebox(const std::string& text, float size, float top);
    bool clears(const std::vector<std::string>& lines, float size);

    Surface& s_;
    LabelPlacer& placer_;
    LabelBox avoid_;
    const Layout& layout_;
    float y_ = 0;
};

// Lines over the bands: greys by level kind.
struct ContourPens {
    Rgb zero, main, pos, neg;
};
// Sets the grey pens and returns the old ones.
ContourPens usepubpens(Palette& p);
void restorepens(Palette& p, const ContourPens& old);

// The drawing state the style sets for its parts and gives back after.
class PubPen {
public:
    explicit PubPen(Surface& s) : s_(s), mode_(s.drawMode), italic_(s.FontItalic()) {
        s.drawMode = DrawMode::CopyPen;
        s.setFontItalic(false);
    }
    ~PubPen() {
        s_.ForeColor = kBlack;
        s_.drawMode = mode_;
        s_.setFontItalic(italic_);
    }
    PubPen(const PubPen&) = delete;
    PubPen& operator=(const PubPen&) = delete;

private:
    Surface& s_;
    DrawMode mode_;
    bool italic_;
};

}  // namespace crustex
