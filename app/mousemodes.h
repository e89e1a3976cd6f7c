// The plot as an input surface: what a press, a drag, a release, a double
// click and a key mean in each mouse mode (ws.mousemode 0..11).
//
// The decisions that need no window (nearest node, ordered rectangle, drag
// azimuth, rotated edge, read-out text) are plain functions. MouseModes runs
// the state machine on the work state and the plot surface and hands the
// results to a MouseSink: the main window, which passes them on to the
// dialog that asked for them.
#pragma once

#include <string>

#include "model/faultrec.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"

namespace crustex {

// The mouse modes.
enum MouseMode : int16_t {
    kModeIdle = 0,          // probe the nearest grid node or site
    kModeFaultEdge = 1,     // point out the fault's top edge
    kModeFieldRect = 2,     // point out the field rectangle
    kModeCffStrike = 3,     // point out the receiver strike
    kModeArea = 4,          // enclose an area
    kModeProjection = 5,    // point out the projection line
    kModeProbe = 6,         // probe in progress
    kModeShiftFault = 7,    // shift the fault
    kModeRotateFault = 8,   // rotate the fault
    kModePointSource = 9,   // point out the point source
    kModeInclinedRef = 10,  // point out the inclined field's reference and strike
    kModeSectionLine = 11,  // point out a cross section's line
};

// --- Plain decisions ---

// Index of the grid node nearest to a frame position along one axis:
// integer part of ((pos - frame0) / (frame1 - frame0) * ngrid + 0.5), held
// to 0..ngrid. Half-way rounds up; outside the field gives the edge node. An
// empty field (frame0 == frame1) gives node 0.
int nearestnode(float pos, float frame0, float frame1, int ngrid);

// A rectangle with its corners ordered by size, whatever the drag direction.
struct FieldRect {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool operator==(const FieldRect&) const = default;
};
FieldRect orderedrect(float ax, float ay, float bx, float by);

// Azimuth of a drag in degrees, clockwise from the plot's up direction:
// calcangle(rightward, upward) * 180 / pi, with frame y growing downwards.
float dragazimuth(float pressx, float pressy, float x, float y);

// End of a fault edge of the given frame length pivoting on (px, py) and
// pointing at (x, y).
void rotatededge(float px, float py, float length, float x, float y, float& ex, float& ey);

// The position read-out: " x:" and " y:" with one decimal ("0.0").
std::string locationtext(float xkm, float ykm);
// Its geographic continuation while a map is on: " (35.123N:135.456E)".
std::string geolocationtext(float lat, float lon);

// Ctrl-Q (character 17) raises the abort request, any other key clears it.
void applyabortkey(WorkState& ws, bool isctrlq);

// --- The window side of the state machine ---

class MouseSink {
public:
    virtual ~MouseSink() = default;

    // Position read-out (locpbx).
    virtual void setLocation(const std::string& text) = 0;
    // Removes everything drawn on the transient layer.
    virtual void clearTransient() = 0;
    // Draws the pointer mark at a frame position (on the current layer).
    virtual void drawProbeMark(float x, float y) = 0;
    // Shows the values of grid node (ix, iy) / site k in the information strip.
    virtual void showNode(int ix, int iy) = 0;
    virtual void showSite(int k) = 0;
    // Draws the data-area frame of the field rectangle (km) just pointed out.
    virtual void drawFieldFrame(const FieldRect& r) = 0;
    // Back to the normal mouse pointer.
    virtual void restoreCursor() = 0;

    // Results for the source editor (km) and its return.
    virtual const faultrec& currentSource() = 0;
    virtual void setFirstEdge(float x, float y) = 0;
    virtual void setSecondEdge(float x, float y) = 0;
    virtual void setEdges(float x0, float y0, float x1, float y1) = 0;
    virtual void setPointSource(float x, float y) = 0;
    virtual void returnSourceEditor() = 0;
    // Results for the field dialog and its return.
    virtual void setFieldRect(const FieldRect& r) = 0;
    virtual void setInclinedReference(float x, float y) = 0;
    virtual void setInclinedStrike(float degrees) = 0;
    virtual void returnFieldDialog() = 0;
    // Result for the receiver-fault dialog and its return.
    virtual void setCffStrike(float degrees) = 0;
    virtual void returnCffDialog() = 0;
    // Result for the cross-section dialog (km) and its return.
    virtual void setSectionLine(float, float, float, float) {}
    virtual void returnSectionDialog() {}
    // Geographic read-out of a frame position; false when no map is on.
    virtual bool geoPosition(float, float, float&, float&) { return false; }
    // Shows the values of the drawn receiver patch under a frame position;
    // false when there is none (the probe then shows a node or a site).
    virtual bool showReceiverPatch(float, float) { return false; }
};

enum class MouseButton { Left, Right, Middle };

// Status texts of the mouse modes.
inline constexpr const char* kShiftFaultPrompt = " Drag Mouse to Shift Fault....";
inline constexpr const char* kRotateFaultPrompt = " Drag Mouse to Rotate Fault....";
inline constexpr const char* kShowProjectionPrompt = " Drag Mouse to Show Projection Line....";
inline constexpr const char* kPointProjectionPrompt = " Drag Mouse to Point out Pojection Line....";
inline constexpr const char* kEncloseAreaPrompt =
    " Drag Mouse to Enclose Area.... (Double-Click to Quit, Right Botton to Retry)";
inline constexpr const char* kAreaFullPrompt =
    " The Area Holds 50 Points: no more can be added (Double-Click to Quit, Right Botton to Retry)";

class MouseModes {
public:
    MouseModes(WorkState& ws, PlotContext& pc, Host& host, MouseSink& sink);

    // Events in frame units (the plot surface's user scale).
    void press(MouseButton button, bool shift, bool ctrl, float x, float y);
    void move(float x, float y);
    void release(MouseButton button, float x, float y);
    void doubleclick(float x, float y);

    // "Select Area": starts enclosing an area (mode 4).
    void startarea();
    // "Clear Area": erases the stored outline and forgets the area.
    void cleararea();
    // Rewrites the position read-out for where the pointer was last (the
    // field or the map may have changed under it); nothing before the
    // first move.
    void relocate();

    bool dragging() const { return dragging_; }

private:
    Surface& screen() { return *pc_.screen; }
    void drawrubberband(float x, float y);
    void drawareasegment(int from, int to);
    void drawprojectionline();
    void finishpointing();
    void nodeframe(int ix, int iy, float& fx, float& fy) const;

    WorkState& ws_;
    PlotContext& pc_;
    Host& host_;
    MouseSink& sink_;

    bool dragging_ = false;
    float pressx_ = 0, pressy_ = 0;
    float pivotx_ = 0, pivoty_ = 0, edgelength_ = 0;
    float markx_ = 0, marky_ = 0;  // the probed point (frame)
    bool moved_ = false;           // the pointer has been over the plot
    float pointerx_ = 0, pointery_ = 0;
};

}  // namespace crustex
