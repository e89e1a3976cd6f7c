// The result grids of the field evaluation.
#pragma once

#include <functional>
#include <vector>

#include "model/grid2d.h"

namespace crustex {

// Twenty-three float grids over nodes (0..xgrid, 0..ygrid) and the two node
// position arrays that the drawing routines fill. The numbering in the
// comments is the grid number used throughout the program.
struct ResultGrids {
    Grid2D nodez;      // 1  node z (km, <= 0)
    Grid2D ux;         // 2  displacement east (mm)
    Grid2D uy;         // 3  displacement north (mm)
    Grid2D uz;         // 4  displacement up (mm)
    Grid2D duxdx;      // 5  exx
    Grid2D duydx;      // 6
    Grid2D duzdx;      // 7  tilt east
    Grid2D duxdy;      // 8
    Grid2D duydy;      // 9  eyy
    Grid2D duzdy;      // 10 tilt north
    Grid2D duxdz;      // 11
    Grid2D duydz;      // 12
    Grid2D duzdz;      // 13 ezz
    Grid2D exy;        // 14
    Grid2D eyz;        // 15
    Grid2D ezx;        // 16
    Grid2D areal;      // 17 exx + eyy
    Grid2D vol;        // 18 exx + eyy + ezz
    Grid2D maxshear;   // 19
    Grid2D cff;        // 20 delta CFF / rigidity
    Grid2D composite;  // 21 weighted composition
    Grid2D los;        // 22 displacement toward the radar satellite (mm)
    Grid2D cffoop;     // 23 delta CFF on optimally oriented planes (stress unit)

    std::vector<float> nodex;  // frame x of each x node, 0..xgrid
    std::vector<float> nodey;  // frame y of each y node, 0..ygrid

    static constexpr int kCount = 23;

    // Grid by its number 1..23 (nullptr for any other number).
    Grid2D* byNumber(int n);
    const Grid2D* byNumber(int n) const;
};

// Map position (km) of node (i, j) of grids laid out as the result grids
// (a field grid, a section, a row of points).
using NodePlace = std::function<void(int i, int j, float& x, float& y)>;

}  // namespace crustex
