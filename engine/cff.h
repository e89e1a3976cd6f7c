// Change of the Coulomb failure function (delta CFF / rigidity, 10^-6) on
// receiver faults of one orientation, from the strain tensor.
//
// Normal stress / mu = (lambda / mu) * vol + 2*enn (unclamping positive),
// shear stress / mu = 2*enl along the slip direction, delta CFF / mu =
// friction * normal + shear. The program's own medium has lambda = mu
// (Poisson's ratio 0.25): normal / mu = vol + 2*enn, bit for bit.
#pragma once

#include "model/grid2d.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kGridCffStatus = " Calcurating CFF";

// Receiver angles in radians, each degrees * pi / 180 rounded to a float.
struct ReceiverAngles {
    float strike = 0;
    float dip = 0;
    float rake = 0;
};
ReceiverAngles receiverangles(const WorkState& ws);

// The receiver's unit normal n and slip direction l (x east, y north, z up).
struct ReceiverFrame {
    double nx, ny, nz;
    double lx, ly, lz;
};
ReceiverFrame receiverframe(float strike, float dip, float rake);
// The same from the sines and cosines of strike, dip and rake.
struct ReceiverTrig {
    double sinstrike, cosstrike, sindip, cosdip, sinrake, cosrake;
};
ReceiverFrame receiverframe(const ReceiverTrig& t);

// Normal and shear stress / mu (10^-6) on the receiver, in 64-bit.
struct ResolvedStress {
    double normal = 0;  // unclamping positive
    double shear = 0;   // along the slip direction
};
ResolvedStress resolvedstress(const ReceiverFrame& r, float exx, float eyy, float ezz, float exy,
                              float eyz, float ezx, float vol, double lambdaovermu = 1);

// delta CFF / mu at one point, or kNoValue when exx is the marker.
float cffvalue(const ReceiverFrame& r, float friction, float exx, float eyy, float ezz, float exy,
               float eyz, float ezx, float vol, double lambdaovermu = 1);

// Single-point form: the same result as one node of calcgridcff.
float calcsitecff(float exx, float eyy, float ezz, float exy, float eyz, float ezx, float vol,
                  float strike, float dip, float rake, float friction);

// Fills `result` over the nodes of exx (resized to match). Shows the busy
// pointer and kGridCffStatus while it runs. A node where exx holds the marker,
// or that an input grid lacks, gets kNoValue.
void calcgridcff(const Grid2D& exx, const Grid2D& eyy, const Grid2D& ezz, const Grid2D& exy,
                 const Grid2D& eyz, const Grid2D& ezx, const Grid2D& vol, Grid2D& result,
                 float strike, float dip, float rake, float friction, Host& host,
                 double lambdaovermu);

// The same on grids laid out as the work state's (5, 9, 13, 14, 15, 16, 18
// into 20: a field grid, a section, a set of points) for the work's current
// receiver and medium (lameratio).
void calcgridcff(const WorkState& ws, ResultGrids& g, Host& host);

// The same on the work state's own grids. Does not touch cffstale: the
// caller clears it.
void calcgridcff(WorkState& ws, Host& host);

}  // namespace crustex
