// The evaluated field grid as the grid exports hand it on: node positions in
// km (and in latitude and longitude while the map is on), the chosen
// variables, and attributes that describe the model the values come from
// (sources, elastic constants, receiver fault, observation plane, program).
#pragma once

#include <span>
#include <string>
#include <variant>
#include <vector>

#include "export/quantitynames.h"
#include "files/sourcefile.h"
#include "model/grid2d.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

// The program's version ("2.1"), recorded in every grid file.
inline constexpr const char* kProgramVersion = CRUSTEX_VERSION;

// A named text or number describing the whole grid.
struct GridAttribute {
    std::string name;
    std::variant<std::string, double> value;
};

struct ExportedVariable {
    const GridVariable* info = nullptr;
    Grid2D values;  // nodes (0..xgrid, 0..ygrid), kNoValue where there is none
};

struct FieldGridExport {
    std::vector<double> x;  // km east, nodes 0..xgrid
    std::vector<double> y;  // km north, nodes 0..ygrid
    Grid2D lat, lon;        // degrees at every node; empty without the map
    std::vector<ExportedVariable> variables;
    std::vector<GridAttribute> attributes;

    bool geographic() const { return !lat.empty(); }
};

// Brings the field grids up to date as a picture would: the inclined
// field's depth lines, the node depths and the evaluation of every source.
// False when the evaluation was abandoned or the field has no grid.
// threads: as calcgridstrain takes them (0 one per core).
bool evaluatefieldgrid(WorkState& ws, Host& host, int threads = 0);

// Fills the grid that an extra evaluation writes (composites, delta CFF,
// the LOS displacement) from the current field grids. geo: the projection
// (set up for the map range) and frame while the map is on, else nullptr.
void evaluateextra(WorkState& ws, Host& host, ExtraEvaluation extra, const GeoFrame* geo);

// Who wrote the grid and how, for the attributes.
struct GridProvenance {
    std::string program;  // "CRUSTEX 2.1"
    std::string history;  // the command that made the file, with its time
};

// Collects the variables from grids already evaluated (evaluatefieldgrid),
// running the extra evaluation of each variable before taking its copy. A
// stress variable follows the work's stress unit (quantitynames.h inunit).
// geo: the projection and frame of the map while it is on, else nullptr.
FieldGridExport collectfieldgrid(WorkState& ws, Host& host,
                                 std::span<const GridVariable* const> variables,
                                 const GeoFrame* geo, const GridProvenance& provenance);

// The attributes alone (also used for the contour export's properties).
std::vector<GridAttribute> gridattributes(const WorkState& ws, const GridProvenance& provenance);

// One line per source: its kind, position, size, dip and dislocation.
std::string sourcestext(const WorkState& ws);

// The shortest decimal text of a 32-bit value ("0.5", "-1.25e-07"; "0"
// for both zeros).
std::string shortestfloat(float v);

}  // namespace crustex
