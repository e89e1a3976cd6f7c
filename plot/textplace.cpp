#include "plot/textplace.h"

namespace crustex {

namespace {

enum class Align { Left, Right, Center };

void printtext(Surface& s, float x, float y, std::string_view text, float size, Align align) {
    s.setFontSize(size);
    const std::string whole(text);
    std::string body = whole;
    float top = y;
    if (text.size() >= 2 && text[0] == '$' && (text[1] == '-' || text[1] == '_')) {
        const float height = s.TextHeight(whole);
        body = whole.substr(2);
        top = text[1] == '-' ? y - height / 2 : y - height;
    }
    float left = x;
    if (align != Align::Left) {
        const float width = s.TextWidth(body);
        left = align == Align::Right ? x - width : x - width / 2;
    }
    s.CurrentX = left;
    s.CurrentY = top;
    s.Print(body);
}

}  // namespace

void printtextleft(Surface& s, float x, float y, std::string_view text, float size) {
    printtext(s, x, y, text, size, Align::Left);
}
void printtextright(Surface& s, float x, float y, std::string_view text, float size) {
    printtext(s, x, y, text, size, Align::Right);
}
void printtextcenter(Surface& s, float x, float y, std::string_view text, float size) {
    printtext(s, x, y, text, size, Align::Center);
}

void printtextleft(PlotContext& pc, float x, float y, std::string_view text, float size) {
    printtext(pc.surface(), x, y, text, size, Align::Left);
}
void printtextright(PlotContext& pc, float x, float y, std::string_view text, float size) {
    printtext(pc.surface(), x, y, text, size, Align::Right);
}
void printtextcenter(PlotContext& pc, float x, float y, std::string_view text, float size) {
    printtext(pc.surface(), x, y, text, size, Align::Center);
}

}  // namespace crustex
