// Change of the Coulomb failure function (delta CFF / rigidity, 10^-6) on
// receiver faults of one orientation, from the strain tensor.
//
// With lambda = mu: normal stress / mu = vol + 2*enn, shear stress / mu =
// 2*enl, delta CFF / mu = friction * normal + shear.
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

// delta CFF / mu at one point, or kNoValue when exx is the marker.
float cffvalue(const ReceiverFrame& r, float friction, float exx, float eyy, float ezz, float exy,
               float eyz, float ezx, float vol);

// Single-point form: the same result as one node of calcgridcff.
float calcsitecff(float exx, float eyy, float ezz, float exy, float eyz, float ezx, float vol,
                  float strike, float dip, float rake, float friction);

// Fills `result` over the nodes of exx (resized to match). Shows the busy
// pointer and kGridCffStatus while it runs. A node where exx holds the marker,
// or that an input grid lacks, gets kNoValue.
void calcgridcff(const Grid2D& exx, const Grid2D& eyy, const Grid2D& ezz, const Grid2D& exy,
                 const Grid2D& eyz, const Grid2D& ezx, const Grid2D& vol, Grid2D& result,
                 float strike, float dip, float rake, float friction, Host& host);

// The same on the work state's grids (5, 9, 13, 14, 15, 16, 18 into 20) for
// the current receiver. Does not touch cffstale: the caller clears it.
void calcgridcff(WorkState& ws, Host& host);

}  // namespace crustex
