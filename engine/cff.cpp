#include "engine/cff.h"

#include <cmath>

#include "model/sourcemodel.h"

namespace crustex {

namespace {
float toradians(float degrees) { return static_cast<float>(degrees * kPi / 180.0); }
}  // namespace

ReceiverAngles receiverangles(const WorkState& ws) {
    return {toradians(ws.cffstrike), toradians(ws.cffdip), toradians(ws.cffrake)};
}

ReceiverFrame receiverframe(float strike, float dip, float rake) {
    const double sf = std::sin(static_cast<double>(strike)),
                 cf = std::cos(static_cast<double>(strike));
    const double sd = std::sin(static_cast<double>(dip)), cd = std::cos(static_cast<double>(dip));
    const double sr = std::sin(static_cast<double>(rake)), cr = std::cos(static_cast<double>(rake));
    ReceiverFrame r;
    r.nx = cf * sd;
    r.ny = -sf * sd;
    r.nz = cd;
    r.lx = cr * sf - sr * cd * cf;
    r.ly = sr * cd * sf + cf * cr;
    r.lz = sr * sd;
    return r;
}

float cffvalue(const ReceiverFrame& r, float friction, float exx, float eyy, float ezz, float exy,
               float eyz, float ezx, float vol) {
    if (exx == kNoValue) return kNoValue;
    const double xx = exx, yy = eyy, zz = ezz, xy = exy, yz = eyz, zx = ezx;
    const double enn = xx * r.nx * r.nx + yy * r.ny * r.ny + zz * r.nz * r.nz +
                       2 * xy * r.nx * r.ny + 2 * yz * r.ny * r.nz + 2 * zx * r.nz * r.nx;
    const double enl = xx * r.nx * r.lx + yy * r.ny * r.ly + zz * r.nz * r.lz +
                       xy * (r.ny * r.lx + r.nx * r.ly) + yz * (r.ly * r.nz + r.ny * r.lz) +
                       zx * (r.lx * r.nz + r.nx * r.lz);
    const double normal = static_cast<double>(vol) + 2 * enn;
    const double shear = 2 * enl;
    return static_cast<float>(static_cast<double>(friction) * normal + shear);
}

float calcsitecff(float exx, float eyy, float ezz, float exy, float eyz, float ezx, float vol,
                  float strike, float dip, float rake, float friction) {
    return cffvalue(receiverframe(strike, dip, rake), friction, exx, eyy, ezz, exy, eyz, ezx, vol);
}

void calcgridcff(const Grid2D& exx, const Grid2D& eyy, const Grid2D& ezz, const Grid2D& exy,
                 const Grid2D& eyz, const Grid2D& ezx, const Grid2D& vol, Grid2D& result,
                 float strike, float dip, float rake, float friction, Host& host) {
    host.setStatus(kGridCffStatus);
    host.setBusy(true);
    const ReceiverFrame r = receiverframe(strike, dip, rake);
    const int nx = exx.nx(), ny = exx.ny();
    if (exx.empty()) {
        result = Grid2D();
    } else {
        result.resize(nx, ny, kNoValue);
        for (const Grid2D* g : {&eyy, &ezz, &exy, &eyz, &ezx, &vol}) {
            if (g->empty() || g->nx() != nx || g->ny() != ny) {
                host.setBusy(false);
                host.setStatus("");
                return;  // mismatched inputs: no node has a value
            }
        }
        for (int i = 0; i <= nx; ++i) {
            for (int j = 0; j <= ny; ++j) {
                result(i, j) = cffvalue(r, friction, exx(i, j), eyy(i, j), ezz(i, j), exy(i, j),
                                        eyz(i, j), ezx(i, j), vol(i, j));
            }
        }
    }
    host.setBusy(false);
    host.setStatus("");
}

void calcgridcff(WorkState& ws, Host& host) {
    ResultGrids& g = ws.grids;
    const ReceiverAngles a = receiverangles(ws);
    calcgridcff(g.duxdx, g.duydy, g.duzdz, g.exy, g.eyz, g.ezx, g.vol, g.cff, a.strike, a.dip,
                a.rake, ws.friction, host);
}

}  // namespace crustex
