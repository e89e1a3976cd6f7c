// The command line of crustex-batch: a subcommand, its input files, the
// output file (whose extension picks the format) and the options of the
// subcommand.
//
//   render   WORK -o FILE.pdf|.svg|.png [--quantity NAME] [--dpi N]
//            [--size WxH[mm|in|px]] [--style screen|publication]
//   grid     WORK -o FILE.nc|.csv [--quantities LIST]
//   contours WORK -o FILE.geojson [--quantity NAME]
//   sites    WORK SITES -o FILE.csv
//   section  WORK -o FILE.csv|.nc|.pdf|.svg|.png [--from X,Y --to X,Y]
//            [--depth Z1,Z2] [--step KM] [--quantities LIST]
//            [--event-distance KM] [--dpi N] [--size WxH] [--style S]
//
// WORK is a work file or a .inp file (the whole model: its elements, grid,
// depth and friction). Every subcommand also takes --sources FILE (a source
// or work file whose sources replace the work file's), --slip FILE (a slip
// model of any format the program reads, added to the model), --threads N (the evaluation's worker
// threads; by default one per CPU the program may run on), --map-dir DIR
// (the map directory, over the work file's and the settings file's) and,
// but for "sites", --sites FILE.
// Parsing checks only the words: whether the files exist is checked later.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace crustex {

enum class BatchCommand { Render, Grid, Contours, Sites, Section };
enum class OutputFormat { Pdf, Svg, Png, NetCdf, Csv, GeoJson };

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
