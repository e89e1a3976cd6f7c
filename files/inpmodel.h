// A .inp file opened as the whole model ("Open Source...." in the window, or
// in place of a work file in crustex-batch): its elements become the slip
// model (with its medium, regional stress, receivers and section, as
// installslipmodel brings them), its "Grid Parameters" the field, its DEPTH
// the field's depth and its FRIC the friction. No source of the source table
// contributes (nfault 0; source 1 is left with no slip for the editor).
//
// The grid's nodes are start + k * increment from Start up to Finish, x then
// y; Finish is taken within a hundredth of a step of the lattice (30.01 with
// start -30 and step 3 ends at 30). The field is laid out in one of three
// frames:
//   file km     the file's own coordinates, nodes exactly the file's
//               (crustex-batch); the plot window is moved to the grid;
//   map         the window, when the file has Map info and the map data
//               covers its range: the map range becomes Map info's, the
//               field the map's data area (as the map dialog sets it) with
//               the file's number of nodes, and the elements are placed
//               from the file's km by the stretch of its Map info and then
//               through the program's projection (files/slipplace.h);
//   shifted km  the window otherwise: the file's km moved by whole tens of
//               km (whole km for a grid under 20 km) so that the grid lies
//               inside the field dialog's 0..10000 km with a margin of an
//               eighth of its size; the plot width is set to hold it. The
//               shift is kept in SlipModel::xshift and yshift and named on
//               the status strip: a position read out minus the shift is
//               the file's own.
#pragma once

#include <cstdint>
#include <string>

#include "files/slipfile.h"
#include "geo/projection.h"
#include "model/workstate.h"
#include "plot/plotframe.h"

namespace crustex {

// The field of a .inp grid in the file's km.
struct InpField {
    float x0 = 0, x1 = 0, y0 = 0, y1 = 0;  // first and last node
    int16_t nx = 0, ny = 0;                // intervals along x and y
};

// The field of the grid; "" or why it cannot be one ("no Grid Parameters",
// "x-increment 0 is not positive", ...). x1 is chosen so that the field
// grid's node spacing, (x1 - x0) / nx as a float, is the increment itself
// where a float allows it: nodes then lie at start + k * increment.
std::string inpfield(const InpGrid& grid, InpField& out);

// The file's km of a latitude and longitude: the inverse of stretchtogeo.
void geotostretch(const InpStretch& s, float lat, float lon, float& x, float& y);

// Moves a placed model (patches, receivers, section) by dx, dy km and keeps
// the shift in its SlipModel.
void shiftplaced(PlacedModel& placed, float dx, float dy);

// No source of the table contributes: nfault 0, and source 1 keeps its
// place without slip for the source editor.
void leavesourcesout(WorkState& ws);

enum class InpFrame { FileKm, Map, ShiftedKm };

struct InpOpened {
    bool ok = false;
    InpFrame frame = InpFrame::FileKm;
    // The reader's summary, and the shift of shifted km ("model.inp: 120
    // patches, 3 receivers; moved by +40 km east, +30 km north").
    std::string summary;
};

// Makes the read file the model. window: place it as the window does (on
// the map or shifted), else in the file's km. The map frame sets up `proj`
// and re-bases `frame`; the other frames set the plot window. Nothing
// changes when the file cannot be used (ok false, the reason in summary).
InpOpened openinpmodel(WorkState& ws, Projection& proj, PlotFrame& frame, SlipFileRead& read,
                       const std::string& path, bool window);

}  // namespace crustex
