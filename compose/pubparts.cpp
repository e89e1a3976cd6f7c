#include "compose/pubparts.h"

namespace crustex {

Layout layoutfor(const FrameView& view) {
    Layout l;
    l.view = view;
    const FramePoint topleft = nominaltoview(view, 0, 0);
    const FramePoint bottomright = nominaltoview(view, 640, 505);
    l.scale = (bottomright.x - topleft.x) / 640;
    l.text = kPubTextSize * l.scale;
    l.title = kPubTitleSize * l.scale;
    l.shown = {topleft.x, topleft.y, bottomright.x, bottomright.y};
    l.stripright = l.shown.right - 3 * l.scale;
    l.stripleft = l.stripright - 87 * l.scale;
    l.striptop = l.shown.top + 1 * l.scale;
    l.barwidth = 10 * l.scale;
    l.barheight = 250 * l.scale;
    l.distancelength = 60 * l.scale;
    l.distancey = l.shown.bottom - 7 * l.scale;
    return l;
}

void Strip::line(const std::string& text, float size, Rgb color) {
    const LabelBox box = linebox(text, size, y_);
    // A little room around it, so that no label comes to touch it.
    placer_.take(box.grown(kStripClearance * layout_.scale));
    s_.ForeColor = color;
    s_.CurrentX = box.left;
    s_.CurrentY = box.top;
    s_.Print(text);
    s_.ForeColor = kBlack;
    y_ = box.bottom + 1;
}

void Strip::title(const std::string& text) {
    const std::size_t cut = text.find('(');
    std::vector<std::string> split{text};
    if (cut != std::string::npos && cut > 0) split = {text.substr(0, cut), text.substr(cut)};
    const std::vector<std::string> tries[] = {{text}, split};
    for (const float size : {layout_.title, layout_.text}) {
        for (const auto& lines : tries) {
            if (!clears(lines, size)) continue;
            for (const std::string& l : lines) line(l, size);
            return;
        }
    }
    line(text, layout_.title);
}

LabelBox Strip::linebox(const std::string& text, float size, float top) {
    const LabelBox box = textbox(s_, 0, top, text, size);
    return box.moved(layout_.stripright - box.right, 0);
}

bool Strip::clears(const std::vector<std::string>& lines, float size) {
    float top = y_;
    for (const std::string& l : lines) {
        const LabelBox box = linebox(l, size, top);
        if (box.grown(2).overlaps(avoid_)) return false;
        top = box.bottom + 1;
    }
    return true;
}

ContourPens usepubpens(Palette& p) {
    const ContourPens old{p.zerocontour, p.maincontour, p.possubcontour, p.negsubcontour};
    p.zerocontour = kPubZeroLine;
    p.maincontour = kPubMainLine;
    p.possubcontour = kPubSubLine;
    p.negsubcontour = kPubSubLine;
    return old;
}

void restorepens(Palette& p, const ContourPens& old) {
    p.zerocontour = old.zero;
    p.maincontour = old.main;
    p.possubcontour = old.pos;
    p.negsubcontour = old.neg;
}

}  // namespace crustex
