// The command line of crustex-batch: a subcommand, its input files, the
// output file (whose extension picks the format) and the options of the
// subcommand.
//
//   render   WORK -o FILE.pdf|.svg|.png [--quantity NAME] [--dpi N]
//            [--size WxH[mm|in|px]] [--style screen|publication]
//   grid     WORK -o FILE.nc|.csv [--quantities LIST]
//   contours WORK -o FILE.geojson [--quantity NAME]
//   sites    WORK SITES -o FILE.csv
//   receivers MODEL -o FILE.csv|.geojson [--receivers FILE|sources]
//            [--rake DEG] [--split NxM]
//   fit      MODEL SITES --free S:NAME[,NAME...] [--free ...]
//            [--bounds S:NAME=LO..HI] [--starts N] [--write-model FILE] -o FILE.json
//   fit      MODEL SITES --invert-slip RAKE [--two-rakes] [--smoothing W]
//            [--write-model FILE.csv] -o FILE.json
//   section  WORK -o FILE.csv|.nc|.pdf|.svg|.png [--from X,Y --to X,Y]
//            [--depth Z1,Z2] [--step KM] [--quantities LIST]
//            [--event-distance KM] [--dpi N] [--size WxH] [--style S]
//
// render, grid and contours also take the radar's line of sight, over the
// work file's: --los H,I (heading and incidence, degrees) and --wavelength
// MM. "Wrapped Fringes" is a picture: grid and contours refuse it.
//
// grid, contours, render and receivers take --units bar|MPa: stresses in
// that unit (by default the work's own; receivers default to bar).
// WORK is a work file or a .inp file (the whole model: its elements, grid,
// depth and friction). Every subcommand also takes --sources FILE (a source
// or work file whose sources replace the work file's), --slip FILE (a slip
// model of any format the program reads, added to the model), --threads N (the evaluation's worker
// threads; by default one per CPU the program may run on), --map-dir DIR
// (the map directory, over the work file's and the settings file's) and,
// but for "sites" and "fit", --sites FILE.
// Parsing checks only the words: whether the files exist is checked later.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/medium.h"
#include "stress/receiverpatches.h"

namespace crustex {

// --receivers sources: the work's fault sources as receivers.
inline constexpr const char* kSourcesAsReceivers = "sources";

enum class BatchCommand { Render, Grid, Contours, Sites, Receivers, Fit, Section };
enum class OutputFormat { Pdf, Svg, Png, NetCdf, Csv, GeoJson, Json };

// A parameter of "fit" as the command line names it: the source's number S
// (1-based) and the parameter's name, with bounds when --bounds gives them.
struct FitParamSpec {
    int source = 0;
    std::string name;
    std::optional<double> lower, upper;
};

// The options of "fit": either free parameters (--free, --bounds, --starts)
// or a slip inversion (--invert-slip, --two-rakes, --smoothing).
struct BatchFit {
    std::vector<FitParamSpec> free;  // in the order named
    int starts = 8;
    std::string writemodel;            // --write-model, or ""
    std::optional<double> invertslip;  // the rake of --invert-slip
    bool tworakes = false;
    double smoothing = 0;
};

// The picture size as given: width and height in the unit named.
struct PictureSize {
    double width = 0, height = 0;
    enum class Unit { Millimetre, Inch, Pixel } unit = Unit::Millimetre;

    // The size in millimetres at dpi dots per inch.
    double widthmm(int dpi) const;
    double heightmm(int dpi) const;
};

// The vertical section of "section": what the command line gives; the
// rest comes from the model's proposed section.
struct SectionOptions {
    std::optional<std::array<float, 2>> from, to;  // map km
    std::optional<std::array<float, 2>> depth;     // km, positive down
    std::optional<float> step;                     // km along and down
    float eventdistance = 10;                      // km from the line
};

struct BatchRequest {
    BatchCommand command = BatchCommand::Render;
    std::string work;     // the work file, or a .inp file
    std::string sources;  // replacing source file, or ""
    std::string sites;    // site file, or ""
    std::string mapdir;   // --map-dir, or "": the work file's or the settings file's
    std::string slip;     // --slip: a slip-model file, or ""
    std::string output;
    OutputFormat format = OutputFormat::Pdf;
    std::string quantity;  // the quantity key (render, contours)
    std::vector<std::string>
        quantities;  // the quantity keys (grid, section); empty: the default set
    int dpi = 300;
    int threads = 0;  // 0: one per CPU the program may run on
    std::optional<PictureSize> size;
    // --style: set when given; otherwise the work file's own style holds.
    std::optional<bool> publicationstyle;
    // --los H,I and --wavelength: set when given, over the work file's.
    std::optional<float> losheading, losincidence, wavelength;
    // --units: the unit of stresses; otherwise the work file's own.
    std::optional<StressUnit> units;
    // receivers: --receivers FILE, "sources", or "" for the model's own.
    std::string receivers;
    std::optional<float> rake;  // --rake: for receivers without their own
    ReceiverSplit split;        // --split
    BatchFit fit;
    SectionOptions section;
};

struct BatchArgs {
    std::optional<BatchRequest> request;  // set when the words were good
    std::string error;                    // else a one-line reason
    bool help = false;                    // --help: print the usage, nothing else
    bool version = false;                 // --version
};

// args: the words after the program name.
BatchArgs parsebatchargs(std::span<const std::string> args);

// The usage text printed by --help and after a bad command line.
std::string batchusage();

// The picture size when none is given: 170 mm wide (a full page column),
// the picture's own aspect.
PictureSize defaultpicturesize();

}  // namespace crustex
