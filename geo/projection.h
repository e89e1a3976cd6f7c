// The map projection: set-up for the current map range (with the fit of the
// range into the map frame), forward and inverse projection for "Mercator",
// "Millur" (Miller cylindrical) and "Conic", and the conversions between
// latitude/longitude and field kilometres.
//
// The projection state is one value owned by the caller (the main window
// keeps it beside the plot frame); every routine takes it by reference.
// Frame units are those of the plot frame: x right, y down, the map laid out
// in a nominal 640 x 480 area.
#pragma once

#include <cstdint>

#include "plot/plotframe.h"

namespace crustex {

struct WorkState;

// Projection kinds as the work state's `projection` holds them. Any value
// other than 2 and 3 behaves as Mercator.
inline constexpr int16_t kMercator = 1;
inline constexpr int16_t kMillur = 2;
inline constexpr int16_t kConic = 3;

// Where a point that cannot be projected lands (frame units).
inline constexpr float kOffMap = 30000.0f;

// Constants of the projections, exactly as the program uses them.
inline constexpr float kEquatorRadius = 6378.39f;  // a, km
inline constexpr float kPolarRadius = 6356.91f;    // b, km
inline constexpr float kMeanRadius = 6371.22f;     // R, km
inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.295779513;
inline constexpr double kQuarterPi = 0.78539816;
inline constexpr double kCosGuard = 1e-10;
inline constexpr double kZeroRadius = 1e-07;

// The map frame into which the range is fitted (frame units).
inline constexpr float kMapLeft = 22;
inline constexpr float kMapRight = 527;  // 639 - 112
inline constexpr float kMapTop = 12;
inline constexpr float kMapBottom = 467;  // 479 - 12
inline constexpr float kMapHeight = 479;

// The projection state; all zero until the first set-up.
struct Projection {
    int16_t kind = 0;          // the kind the constants were computed for
    float lat1 = 0, lat2 = 0;  // south and north limits of the range set up
    float s = 0;               // km per frame unit
    float phi0 = 0, lam0 = 0;  // reference latitude, central longitude (degrees)
    float Xc = 0, Yc = 0;      // frame position of (phi0, lam0)
    // Cylindrical kinds.
    double xfac = 0, yfac = 0, k = 0, y0 = 0;
    // Conic.
    double e2 = 0, C = 0, r0 = 0, phi1 = 0, n = 0, E = 0;
    float G = 0;
    // The map frame after the fit.
    float left = 0, right = 0, top = 0, bottom = 0;
};

// Sets the projection up for the work state's map range and kind, fitting
// the range into the map frame. Wraps the east limit: while flon1 >= flon2,
// 360 is added to ws.flon2 (the state keeps the new value). A range that
// gives no usable scale (equal or non-finite limits) leaves the previous
// state untouched and returns false.
bool setprojection(Projection& p, WorkState& ws);

// The same for an explicit range and kind; lon2 is wrapped in place.
bool setupprojection(Projection& p, int16_t kind, float lat1, float lon1, float lat2, float& lon2);

// Computes the constants of the state's kind for scale s (km per frame unit)
// around its reference point phi0, lam0.
void setprojconst(Projection& p, float s);

// Forward projection of (lat, lon) in degrees to frame units; points the
// projection cannot map give (kOffMap, kOffMap).
void projectgeo(const Projection& p, int kind, float lat, float lon, float& x, float& y);

// Inverse projection for the kind the state was set up for.
void unprojectxy(const Projection& p, float x, float y, float& lat, float& lon);

// Latitude/longitude to field km through the plot frame, and back.
void geotokm(const Projection& p, const PlotFrame& f, float lat, float lon, float& xkm, float& ykm);
void kmtogeo(const Projection& p, const PlotFrame& f, float xkm, float ykm, float& lat, float& lon);

// Angle (radians, clockwise positive) from the frame's "up" to true north at
// longitude lon, measured between the south and north limits of the range.
float meridianangle(const Projection& p, float lon);

// Full-circle arc tangent of the vector (x, y): atan(y / x) moved into the
// right half turn; pi/2 for x = 0 (-pi/2 when y < 0).
float calcangle(float y, float x);

}  // namespace crustex
