// The twelve values of a solution turned from the frame of a fault into map
// axes, for one point (double) or a block of points (vectors of doubles).
#pragma once

namespace crustex {

// r: ux, uy, uz and their x-, y- and z-derivatives in the fault's frame,
// whose x axis runs along the strike (c, s) in map axes; t: the same in map
// axes (grid order 2..13).
template <class T>
inline void tomapaxes(const T (&r)[12], double c, double s, T (&t)[12]) {
    const double c2 = c * c, cs = c * s, s2 = s * s;
    const T ux = r[0], uy = r[1], uz = r[2], uxx = r[3], uyx = r[4], uzx = r[5];
    const T uxy = r[6], uyy = r[7], uzy = r[8], uxz = r[9], uyz = r[10], uzz = r[11];
    const T yxxy = uyx + uxy;
    t[0] = ux * c - uy * s;
    t[1] = ux * s + uy * c;
    t[2] = uz;
    t[3] = uxx * c2 - yxxy * cs + uyy * s2;
    t[4] = uyx * c2 + uxx * cs - uxy * s2 - uyy * cs;
    t[5] = uzx * c - uzy * s;
    t[6] = uxx * cs - uyx * s2 + uxy * c2 - uyy * cs;
    t[7] = yxxy * cs + uxx * s2 + uyy * c2;
    t[8] = uzy * c + uzx * s;
    t[9] = uxz * c - uyz * s;
    t[10] = uyz * c + uxz * s;
    t[11] = uzz;
}

}  // namespace crustex
