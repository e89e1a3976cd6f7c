// The one work state of a CRUSTEX session: sources, field, display selection,
// visualization, receiver fault, custom weights, earthquake window, map,
// printer, directories, run-time flags and the result grids.
//
// The application owns exactly one instance and passes it by reference; tests
// make their own. Field names are the program's canonical names.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/datetime.h"
#include "model/eventtable.h"
#include "model/faultrec.h"
#include "model/medium.h"
#include "model/resultgrids.h"
#include "model/sitelist.h"
#include "model/slipmodel.h"
#include "model/stressmodel.h"

namespace crustex {

struct WorkState {
    // --- Sources ---
    FaultTable fault{};
    int16_t nfault = 1;
    // A slip model of any number of patches, added to the sources.
    SlipModel slipmodel;
    // The elastic medium of every evaluation.
    Medium medium;
    // The unit of stress quantities and receiver values.
    StressUnit stressunit = StressUnit::Rigidity;

    // --- Field ---
    float xview0 = 20;
    float yview0 = 20;
    float xview1 = 170;
    float yview1 = 170;
    int16_t xgrid = 20;
    int16_t ygrid = 20;
    float obsdepth = 0;
    float rwidth = 240;
    bool inclined = false;
    float obsincx = 100;
    float obsincy = 100;
    float obsincdpt = 10;
    float obsincs = 0;
    float obsincdip = 10;
    // Iso-depth lines of the inclined field, positions 1..5 (0 unused).
    std::array<float, 6> incx0{}, incy0{}, incx1{}, incy1{};

    // --- Display selection ---
    std::string quantitykey;  // "" shows nothing

    // --- Visualization ---
    float cline = 0.01f;
    int16_t nsubline = 9;
    float cminval = 0.0001f;
    float fsize = 7;
    int16_t scaletype = 1;  // 0 linear, 1 semi-log 1, 2 semi-log 2
    bool peakvalue = true;
    float rdispl = 0.1f;
    float rtilt = 0.1f;
    float rstrain = 0.1f;
    // Draw the picture in the publication style (filled bands, colour bar,
    // axes, arrowheads, labels without overlap) instead of the screen style.
    bool publicationstyle = false;

    // --- Receiver fault for delta CFF ---
    float cffstrike = 0;
    float cffdip = 90;
    float cffrake = 0;
    float friction = 0.3f;
    // Stress-study data a model file brings: the regional stress, receiver
    // faults (its zero-slip elements) and a proposed vertical section.
    RegionalStress regionalstress;
    // Short strike ticks of the chosen optimal plane at the nodes of the
    // "delta CFF (optimal planes)" picture.
    bool optimalticks = false;
    std::vector<ReceiverFault> receivers;
    SectionLine sectiondefault;

    // --- InSAR line of sight ---
    // The satellite's flight direction (heading, degrees clockwise from
    // north), the incidence angle at the ground (degrees from the vertical)
    // and the radar wavelength (mm). The start-up values are an ascending
    // pass (heading 350, incidence 34) of a C-band radar (55.5 mm).
    float losheading = 350;
    float losincidence = 34;
    float loswavelength = 55.5f;

    // --- Custom composition weights ---
    float fx = 0, fy = 0, fz = 0;
    float fxx = 0, fyy = 0, fzz = 0, fxy = 0, fyz = 0, fzx = 0;

    // --- Earthquake selection ---
    DateTime eventstart{1995, 1, 1, 0, 0, 0};
    DateTime eventend{1995, 12, 31, 23, 59, 0};
    float dep0 = 0;
    float dep1 = 100;
    float mag0 = 3;
    float mag1 = 9;
    // The earthquakes selected with these values (readevents), drawn on
    // every redraw of the map.
    EventTable eventtable;

    // --- Map ---
    bool needmap = false;
    bool needevent = false;
    int16_t areatype = 1;
    int16_t projection = 3;  // 1 Mercator, 2 Millur, 3 Conic
    int16_t linetype = 1;    // 1 coast+border, 2 coast only, 3 border only
    float flat1 = 34;
    float flon1 = 134;
    float flat2 = 36;
    float flon2 = 137;
    int16_t nstep = 3;
    float dlat = 1.0f;
    std::array<bool, 4> faultclass{};  // active-fault files 0..3
    bool volcano = false;
    bool topocolor = false;    // topography "Color"
    bool topocontour = false;  // topography "Contour"

    // --- Printer ---
    int16_t xmargin = 10;
    int16_t ymargin = 10;
    bool bnwmode = false;

    // --- Options and directories ---
    std::string curdir;
    std::string mappath;
    std::string areapath;
    std::string vhyppath;
    std::string seispath;
    bool strformat9 = true;

    // --- Observation sites ---
    SiteTable site{};
    int16_t nsite = 0;
    std::string obskind;  // observed-data kind of the loaded site list

    // --- Picture state ---
    bool pastedbackground = false;  // a background bitmap was pasted
    int16_t areastate = 0;          // 0 none, 1 being enclosed or enclosed
    // The area polygon in frame units: vertices 1..narea (at most 50) and the
    // two ends of its projection line.
    static constexpr int kMaxAreaVertices = 50;
    std::array<float, kMaxAreaVertices + 1> areax{}, areay{};
    int16_t narea = 0;
    bool areaclosed = false;  // the polygon was closed by a double click
    float projx0 = 0, projy0 = 0, projx1 = 0, projy1 = 0;
    // Check marks of "Show Obs. Sites Data" and "Show Grid Data". Grid glyphs
    // (vectors, crosses) are drawn only while the latter is checked, so it
    // starts checked: a vector picture is never empty on a fresh start.
    bool showobsdatachecked = false;
    bool showgriddatachecked = true;

    // --- Run-time flags ---
    bool gridstale = true;
    bool cffstale = true;
    bool abortflag = false;
    int16_t mousemode = 0;

    // --- Result grids (allocated by redimsub) ---
    ResultGrids grids;
};

// The source every new work starts with: a 20 km long, 10 km wide thrust
// fault dipping 45 degrees with 1 mm of reverse slip.
faultrec defaultSource();

// Sets every item to its start-up default, in the start-up order: field,
// visualization, source 1 and nfault, receiver fault, map, printer, export
// option, directories derived from curdir, earthquake window, custom weights.
// Sites are cleared and the run-time flags reset. The result grids are left.
void setdefaults(WorkState& ws, const std::string& curdir);

// Joins a directory and a name with the platform separator.
std::string joinpath(const std::string& dir, const std::string& name);

// Re-allocates the result grids for the current xgrid and ygrid; old
// contents are discarded.
void redimsub(WorkState& ws);

// Marks results out of date after a change of sources, field or map.
inline void markgridstale(WorkState& ws) {
    ws.gridstale = true;
    ws.cffstale = true;
}

}  // namespace crustex
