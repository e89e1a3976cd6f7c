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

// One axis of the grid: its name (also the CSV column stem), what it
// holds, and whether its values run downwards (depths).
struct GridAxis {
    std::string name;
    std::string longname;
    bool down = false;
};

// Values along the x axis only, exported as variables of that one
// dimension (a section's map position of each distance).
struct AxisVariable {
    std::string name, longname, units;
    std::vector<double> values;
};

struct FieldGridExport {
    std::vector<double> x;  // km east, nodes 0..xgrid
    std::vector<double> y;  // km north, nodes 0..ygrid
    Grid2D lat, lon;        // degrees at every node; empty without the map
    std::vector<ExportedVariable> variables;
    std::vector<GridAttribute> attributes;
    // The field's axes; a section's are its distance and depth.
    GridAxis xaxis{"x", "x (east) in the field"};
    GridAxis yaxis{"y", "y (north) in the field"};
    std::vector<AxisVariable> alongx;
    bool csvlonlat = true;  // the CSV table has lon_deg and lat_deg columns (with the map)

    bool geographic() const { return !lat.empty(); }
};

// Brings the field grids up to date as a picture would: the inclined
// field's depth lines, the node depths and the evaluation of every source.
// False when the evaluation was abandoned or the field has no grid.
// threads: as calcgridstrain takes them (0 one per core).
bool evaluatefieldgrid(WorkState& ws, Host& host, int threads = 0);

// Fills the grid that an extra evaluation writes (composites, delta CFF,
// the LOS displacement, delta CFF on optimal planes) from the current field
// grids. geo: the projection (set up for the map range) and frame while the
// map is on (the meridian angles, north for the regional stress), else
// nullptr.
void evaluateextra(WorkState& ws, Host& host, ExtraEvaluation extra, const GeoFrame* geo = nullptr);

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
// Those that describe the model without its plane of observation and map.
std::vector<GridAttribute> modelattributes(const WorkState& ws, const GridProvenance& provenance);
// Appends the map's range and projection while the map is on.
void addmapattributes(const WorkState& ws, std::vector<GridAttribute>& a);
// Sets an attribute's value (appending it when it is not there).
void setattribute(std::vector<GridAttribute>& a, const std::string& name,
                  std::variant<std::string, double> value);
// The regional stress as text: "S1 azimuth 19 plunge 0: 100 bar + 10 bar/km; S2 ...".
std::string regionalstresstext(const RegionalStress& r);

// One line per source: its kind, position, size, dip and dislocation.
std::string sourcestext(const WorkState& ws);

// The shortest decimal text of a 32-bit value ("0.5", "-1.25e-07"; "0"
// for both zeros).
std::string shortestfloat(float v);

// A stored float as the double of its shortest decimal (0.4, not
// 0.400000005960464), as a number attribute.
double shortestdecimal(float v);

}  // namespace crustex
