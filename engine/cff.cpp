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
    const double f = strike, d = dip, k = rake;
    return receiverframe(
        {std::sin(f), std::cos(f), std::sin(d), std::cos(d), std::sin(k), std::cos(k)});
}

ReceiverFrame receiverframe(const ReceiverTrig& t) {
    const double sf = t.sinstrike, cf = t.cosstrike, sd = t.sindip, cd = t.cosdip;
    const double sr = t.sinrake, cr = t.cosrake;
    ReceiverFrame r;
    r.nx = cf * sd;
    r.ny = -sf * sd;
    r.nz = cd;
    r.lx = cr * sf - sr * cd * cf;
    r.ly = sr * cd * sf + cf * cr;
    r.lz = sr * sd;
    return r;
}

ResolvedStress resolvedstress(const ReceiverFrame& r, float exx, float eyy, float ezz, float exy,
                              float eyz, float ezx, float vol, double lambdaovermu) {
    const double xx = exx, yy = eyy, zz = ezz, xy = exy, yz = eyz, zx = ezx;
    const double enn = xx * r.nx * r.nx + yy * r.ny * r.ny + zz * r.nz * r.nz +
                       2 * xy * r.nx * r.ny + 2 * yz * r.ny * r.nz + 2 * zx * r.nz * r.nx;
    const double enl = xx * r.nx * r.lx + yy * r.ny * r.ly + zz * r.nz * r.lz +
                       xy * (r.ny * r.lx + r.nx * r.ly) + yz * (r.ly * r.nz + r.ny * r.lz) +
                       zx * (r.lx * r.nz + r.nx * r.lz);
    return {lambdaovermu * static_cast<double>(vol) + 2 * enn, 2 * enl};
}

float cffvalue(const ReceiverFrame& r, float friction, float exx, float eyy, float ezz, float exy,
               float eyz, float ezx, float vol, double lambdaovermu) {
    if (exx == kNoValue) return kNoValue;
    const ResolvedStress s = resolvedstress(r, exx, eyy, ezz, exy, eyz, ezx, vol, lambdaovermu);
    return static_cast<float>(static_cast<double>(friction) * s.normal + s.shear);
}

float calcsitecff(float exx, float eyy, float ezz, float exy, float eyz, float ezx, float vol,
                  float strike, float dip, float rake, float friction) {
    return cffvalue(receiverframe(strike, dip, rake), friction, exx, eyy, ezz, exy, eyz, ezx, vol);
}

void calcgridcff(const Grid2D& exx, const Grid2D& eyy, const Grid2D& ezz, const Grid2D& exy,
                 const Grid2D& eyz, const Grid2D& ezx, const Grid2D& vol, Grid2D& result,
                 float strike, float dip, float rake, float friction, Host& host,
                 double lambdaovermu) {
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
                                        eyz(i, j), ezx(i, j), vol(i, j), lambdaovermu);
            }
        }
    }
    host.setBusy(false);
    host.setStatus("");
}

void calcgridcff(const WorkState& ws, ResultGrids& g, Host& host) {
    const ReceiverAngles a = receiverangles(ws);
    calcgridcff(g.duxdx, g.duydy, g.duzdz, g.exy, g.eyz, g.ezx, g.vol, g.cff, a.strike, a.dip,
                a.rake, ws.friction, host, lameratio(ws.medium));
}

void calcgridcff(WorkState& ws, Host& host) { calcgridcff(ws, ws.grids, host); }

}  // namespace crustex
