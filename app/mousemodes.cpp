#include "app/mousemodes.h"

#include <algorithm>
#include <cmath>

#include "app/plotcalls.h"
#include "geo/projection.h"
#include "model/numtext.h"
#include "sites/sitereadout.h"

namespace crustex {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr Rgb kRotateBlue{0, 0, 255};
// A position within this fraction of a cell of the half-way point counts as
// half-way, so that rounding in the frame transforms cannot turn "half-way
// rounds up" into "rounds down".
constexpr double kHalfwaySlack = 1e-4;

// Draws on one layer of the plot with a given pen and restores the pen.
class PenScope {
public:
    PenScope(Surface& s, bool persistent, DrawMode mode)
        : s_(s), auto_(s.AutoRedraw()), mode_(s.drawMode) {
        s_.setAutoRedraw(persistent);
        s_.drawMode = mode;
    }
    ~PenScope() {
        s_.drawMode = mode_;
        s_.setAutoRedraw(auto_);
    }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

private:
    Surface& s_;
    bool auto_;
    DrawMode mode_;
};

}  // namespace

int nearestnode(float pos, float frame0, float frame1, int ngrid) {
    if (ngrid <= 0 || !(frame1 != frame0)) return 0;
    const double t = (double(pos) - frame0) / (double(frame1) - frame0) * ngrid + 0.5;
    if (!std::isfinite(t)) return 0;
    const double node = std::floor(t + kHalfwaySlack);
    if (node <= 0) return 0;
    if (node >= ngrid) return ngrid;
    return int(node);
}

FieldRect orderedrect(float ax, float ay, float bx, float by) {
    return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

float dragazimuth(float pressx, float pressy, float x, float y) {
    const float right = x - pressx;
    const float up = pressy - y;
    return float(calcangle(right, up) * 180.0 / kPi);
}

void rotatededge(float px, float py, float length, float x, float y, float& ex, float& ey) {
    const double theta = calcangle(y - py, x - px);
    ex = float(px + length * std::cos(theta));
    ey = float(py + length * std::sin(theta));
}

std::string locationtext(float xkm, float ykm) {
    return " x:" + formatnumber(xkm, "0.0") + " y:" + formatnumber(ykm, "0.0");
}

std::string geolocationtext(float lat, float lon) {
    return " (" + formatnumber(lat, "0.000") + "N:" + formatnumber(lon, "0.000") + "E)";
}

void applyabortkey(WorkState& ws, bool isctrlq) { ws.abortflag = isctrlq; }

// --- MouseModes ---

MouseModes::MouseModes(WorkState& ws, PlotContext& pc, Host& host, MouseSink& sink)
    : ws_(ws), pc_(pc), host_(host), sink_(sink) {}

void MouseModes::nodeframe(int ix, int iy, float& fx, float& fy) const {
    const float dx = ws_.xgrid > 0 ? (ws_.xview1 - ws_.xview0) / ws_.xgrid : 0.0f;
    const float dy = ws_.ygrid > 0 ? (ws_.yview1 - ws_.yview0) / ws_.ygrid : 0.0f;
    fx = toframex(pc_.frame, ws_.xview0 + ix * dx);
    fy = toframey(pc_.frame, ws_.yview0 + iy * dy);
}

void MouseModes::press(MouseButton button, bool shift, bool ctrl, float x, float y) {
    if (dragging_) return;
    if (ws_.mousemode == kModeIdle && ws_.gridstale) return;
    if (pc_.screen == nullptr) return;
    Surface& s = screen();
    s.setAutoRedraw(false);
    pressx_ = x;
    pressy_ = y;
    s.DrawWidth = 2;
    dragging_ = true;

    switch (ws_.mousemode) {
        case kModeIdle: {
            if (sink_.showReceiverPatch(x, y)) {
                s.DrawWidth = 1;
                markx_ = x;
                marky_ = y;
                sink_.clearTransient();
                sink_.drawProbeMark(x, y);
                ws_.mousemode = kModeProbe;
                break;
            }
            const int ix = nearestnode(x, toframex(pc_.frame, ws_.xview0),
                                       toframex(pc_.frame, ws_.xview1), ws_.xgrid);
            const int iy = nearestnode(y, toframey(pc_.frame, ws_.yview0),
                                       toframey(pc_.frame, ws_.yview1), ws_.ygrid);
            s.DrawWidth = 1;
            nodeframe(ix, iy, markx_, marky_);
            const NearestSite nearest = nearestobs(ws_, pc_.frame, x, y);
            int site = nearest.index;
            if (site != 0) {
                const float nx = markx_ - x, ny = marky_ - y;
                if (nearest.distance2 < nx * nx + ny * ny) {
                    markx_ = toframex(pc_.frame, ws_.site[site].x);
                    marky_ = toframey(pc_.frame, ws_.site[site].y);
                } else {
                    site = 0;
                }
            }
            // One mark at a time: the previous probe's goes.
            sink_.clearTransient();
            sink_.drawProbeMark(markx_, marky_);
            if (site != 0) {
                sink_.showSite(site);
            } else {
                sink_.showNode(ix, iy);
            }
            ws_.mousemode = kModeProbe;
            break;
        }
        case kModeFaultEdge:
            if (shift) {
                host_.setStatus(kShiftFaultPrompt);
                ws_.mousemode = kModeShiftFault;
            } else if (ctrl) {
                host_.setStatus(kRotateFaultPrompt);
                ws_.mousemode = kModeRotateFault;
                const faultrec& f = sink_.currentSource();
                pivotx_ = toframex(pc_.frame, f.fx0);
                pivoty_ = toframey(pc_.frame, f.fy0);
                const float ex = toframex(pc_.frame, f.fx1) - pivotx_;
                const float ey = toframey(pc_.frame, f.fy1) - pivoty_;
                edgelength_ = std::sqrt(ex * ex + ey * ey);
            } else {
                sink_.setFirstEdge(fromframex(pc_.frame, x), fromframey(pc_.frame, y));
            }
            break;
        case kModeArea:
            if (ws_.narea <= 1) {
                ws_.narea = 1;
                ws_.areax[1] = x;
                ws_.areay[1] = y;
            }
            break;
        case kModeProjection:
            host_.setStatus(kShowProjectionPrompt);
            ws_.projx0 = x;
            ws_.projy0 = y;
            break;
        case kModePointSource:
            // The press ends the mode: its release may never reach the plot
            // once the source editor is back, so the press ends the drag too.
            s.DrawWidth = 1;
            s.setAutoRedraw(true);
            dragging_ = false;
            sink_.setPointSource(fromframex(pc_.frame, x), fromframey(pc_.frame, y));
            finishpointing();
            host_.setStatus("");
            sink_.returnSourceEditor();
            break;
        case kModeInclinedRef:
            sink_.setInclinedReference(fromframex(pc_.frame, x), fromframey(pc_.frame, y));
            break;
        default: break;
    }
    (void)button;
}

void MouseModes::drawrubberband(float x, float y) {
    Surface& s = screen();
    PenScope pen(s, false, DrawMode::CopyPen);
    const Rgb mark = pc_.palette.mousemark;
    switch (ws_.mousemode) {
        case kModeFaultEdge:
        case kModeCffStrike:
        case kModeProjection:
        case kModeInclinedRef:
        case kModeSectionLine: s.Line(pressx_, pressy_, x, y, mark); break;
        case kModeFieldRect: s.Box(pressx_, pressy_, x, y, mark); break;
        case kModeArea: {
            const int n = std::max<int>(ws_.narea, 1);
            s.Line(ws_.areax[n], ws_.areay[n], x, y, mark);
            break;
        }
        case kModeProbe: sink_.drawProbeMark(markx_, marky_); break;
        case kModeShiftFault: {
            const faultrec& f = sink_.currentSource();
            const float dx = x - pressx_, dy = y - pressy_;
            s.Line(toframex(pc_.frame, f.fx0) + dx, toframey(pc_.frame, f.fy0) + dy,
                   toframex(pc_.frame, f.fx1) + dx, toframey(pc_.frame, f.fy1) + dy, mark);
            break;
        }
        case kModeRotateFault: {
            float ex = 0, ey = 0;
            rotatededge(pivotx_, pivoty_, edgelength_, x, y, ex, ey);
            s.Line(pivotx_, pivoty_, ex, ey, kRotateBlue);
            break;
        }
        default: break;
    }
}

void MouseModes::relocate() {
    if (!moved_) return;
    const float xkm = fromframex(pc_.frame, pointerx_);
    const float ykm = fromframey(pc_.frame, pointery_);
    std::string where = locationtext(xkm, ykm);
    float lat = 0, lon = 0;
    if (ws_.needmap && sink_.geoPosition(pointerx_, pointery_, lat, lon))
        where += geolocationtext(lat, lon);
    sink_.setLocation(where);
}

void MouseModes::move(float x, float y) {
    moved_ = true;
    pointerx_ = x;
    pointery_ = y;
    relocate();
    if (!dragging_ || pc_.screen == nullptr) return;
    sink_.clearTransient();
    drawrubberband(x, y);
}

void MouseModes::finishpointing() {
    ws_.mousemode = kModeIdle;
    host_.enableMenus(true);
}

void MouseModes::drawareasegment(int from, int to) {
    Surface& s = screen();
    PenScope pen(s, true, DrawMode::NotXorPen);
    s.Line(ws_.areax[from], ws_.areay[from], ws_.areax[to], ws_.areay[to], pc_.palette.area);
}

void MouseModes::drawprojectionline() {
    Surface& s = screen();
    PenScope pen(s, true, DrawMode::NotXorPen);
    s.Line(ws_.projx0, ws_.projy0, ws_.projx1, ws_.projy1, pc_.palette.area);
}

void MouseModes::release(MouseButton button, float x, float y) {
    if (!dragging_ || pc_.screen == nullptr) return;
    Surface& s = screen();
    s.DrawWidth = 1;
    dragging_ = false;
    const int16_t was = ws_.mousemode;

    switch (ws_.mousemode) {
        case kModeFaultEdge:
            sink_.clearTransient();
            sink_.setSecondEdge(fromframex(pc_.frame, x), fromframey(pc_.frame, y));
            finishpointing();
            s.setAutoRedraw(true);
            sink_.returnSourceEditor();
            break;
        case kModeFieldRect: {
            sink_.clearTransient();
            const FieldRect r =
                orderedrect(fromframex(pc_.frame, pressx_), fromframey(pc_.frame, pressy_),
                            fromframex(pc_.frame, x), fromframey(pc_.frame, y));
            sink_.setFieldRect(r);
            host_.enableMenus(true);
            s.setAutoRedraw(true);
            sink_.drawFieldFrame(r);
            ws_.mousemode = kModeIdle;
            sink_.returnFieldDialog();
            break;
        }
        case kModeCffStrike:
            sink_.setCffStrike(dragazimuth(pressx_, pressy_, x, y));
            host_.enableMenus(true);
            sink_.clearTransient();
            ws_.mousemode = kModeIdle;
            s.setAutoRedraw(true);
            sink_.returnCffDialog();
            break;
        case kModeArea:
            sink_.clearTransient();
            if (button == MouseButton::Right) {
                if (ws_.narea > 1) {
                    drawareasegment(ws_.narea - 1, ws_.narea);
                    --ws_.narea;
                }
            } else if (ws_.narea >= WorkState::kMaxAreaVertices) {
                host_.setStatus(kAreaFullPrompt);
            } else {
                ++ws_.narea;
                ws_.areax[ws_.narea] = x;
                ws_.areay[ws_.narea] = y;
                drawareasegment(ws_.narea - 1, ws_.narea);
            }
            break;
        case kModeProjection:
            sink_.clearTransient();
            ws_.projx1 = x;
            ws_.projy1 = y;
            host_.enableMenus(true);
            drawprojectionline();
            s.drawMode = DrawMode::MaskPen;
            s.setAutoRedraw(true);
            ws_.mousemode = kModeIdle;
            host_.setStatus("");
            break;
        case kModeProbe:
            ws_.mousemode = kModeIdle;
            s.setAutoRedraw(true);
            break;
        case kModeShiftFault: {
            sink_.clearTransient();
            const faultrec& f = sink_.currentSource();
            const float dx = x - pressx_, dy = y - pressy_;
            const float x0 = fromframex(pc_.frame, toframex(pc_.frame, f.fx0) + dx);
            const float y0 = fromframey(pc_.frame, toframey(pc_.frame, f.fy0) + dy);
            const float x1 = fromframex(pc_.frame, toframex(pc_.frame, f.fx1) + dx);
            const float y1 = fromframey(pc_.frame, toframey(pc_.frame, f.fy1) + dy);
            sink_.setEdges(x0, y0, x1, y1);
            finishpointing();
            s.setAutoRedraw(true);
            sink_.returnSourceEditor();
            break;
        }
        case kModeRotateFault: {
            sink_.clearTransient();
            const faultrec f = sink_.currentSource();
            float ex = 0, ey = 0;
            rotatededge(pivotx_, pivoty_, edgelength_, x, y, ex, ey);
            sink_.setEdges(f.fx0, f.fy0, fromframex(pc_.frame, ex), fromframey(pc_.frame, ey));
            finishpointing();
            s.setAutoRedraw(true);
            sink_.returnSourceEditor();
            break;
        }
        case kModeSectionLine:
            sink_.setSectionLine(fromframex(pc_.frame, pressx_), fromframey(pc_.frame, pressy_),
                                 fromframex(pc_.frame, x), fromframey(pc_.frame, y));
            finishpointing();
            sink_.clearTransient();
            s.setAutoRedraw(true);
            sink_.returnSectionDialog();
            break;
        case kModeInclinedRef:
            sink_.setInclinedStrike(dragazimuth(pressx_, pressy_, x, y));
            finishpointing();
            sink_.clearTransient();
            s.setAutoRedraw(true);
            sink_.returnFieldDialog();
            break;
        default: s.setAutoRedraw(true); break;
    }
    // A pointing mode that ended takes its prompt with it.
    if (was != kModeProbe && was != kModeIdle && ws_.mousemode == kModeIdle) host_.setStatus("");
    sink_.restoreCursor();
}

void MouseModes::doubleclick(float, float) {
    if (ws_.mousemode != kModeArea || pc_.screen == nullptr) return;
    Surface& s = screen();
    s.setAutoRedraw(true);
    s.DrawWidth = 1;
    dragging_ = false;
    sink_.clearTransient();
    if (ws_.narea < 3) {
        // Abandon the area: erase what was drawn of it.
        for (int k = ws_.narea; k >= 2; --k) drawareasegment(k - 1, k);
        ws_.narea = 0;
        ws_.areastate = 0;
        s.drawMode = DrawMode::MaskPen;
        ws_.mousemode = kModeIdle;
        sink_.restoreCursor();
        host_.setStatus("");
        host_.messageBox("Not Enclose Area", "Error", MsgIcon::Exclamation, MsgButtons::Ok);
        host_.enableMenus(true);
        return;
    }
    drawareasegment(ws_.narea, 1);
    ws_.areaclosed = true;
    ws_.mousemode = kModeProjection;
    host_.messageBox("Point out Projection Line for Seis-PC Compatiblity", "Information",
                     MsgIcon::Information, MsgButtons::Ok);
    host_.setStatus(kPointProjectionPrompt);
}

void MouseModes::startarea() {
    if (pc_.screen == nullptr) return;
    Surface& s = screen();
    host_.enableMenus(false);
    cleararea();
    s.drawMode = DrawMode::NotXorPen;
    ws_.areastate = 1;
    ws_.narea = 1;
    ws_.projx0 = ws_.projy0 = ws_.projx1 = ws_.projy1 = 0;
    ws_.mousemode = kModeArea;
    host_.setStatus(kEncloseAreaPrompt);
}

void MouseModes::cleararea() {
    if (pc_.screen == nullptr) return;
    if (ws_.narea >= 1) {
        // Drawing the outline again in not-xor erases it.
        PlotContext onscreen = pc_;
        onscreen.target = pc_.screen;
        screen().setAutoRedraw(true);
        areaoutline(ws_, onscreen);
    }
    ws_.areaclosed = false;
    screen().drawMode = DrawMode::MaskPen;
    ws_.areastate = 0;
    ws_.narea = 0;
}

}  // namespace crustex
