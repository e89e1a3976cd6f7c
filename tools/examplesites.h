// The synthetic example of observation sites: a made-up model (one
// strike-slip fault with the map on over the default range) written as a
// work file, and a site file of 30 sites on a regular latitude/longitude
// lattice whose "observed" displacements are the model's own values plus
// Gaussian noise from a fixed seed (2 mm east and north, 4 mm up), so that
// the misfit is known. Nothing in either file is a real measurement or a
// real place.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "tools/convertmodes.h"

namespace crustex::tools {

inline constexpr const char* kExampleWorkName = "sites-example.wrk.txt";
inline constexpr const char* kExampleSitesName = "sites-example.obs.txt";
inline constexpr float kExampleHorizontalNoise = 2;  // mm, one standard deviation
inline constexpr float kExampleVerticalNoise = 4;    // mm

struct ExampleFiles {
    std::string work;   // the work file's text
    std::string sites;  // the site file's text
};

// Both texts; the sites are evaluated on the model as the work file gives
// it back, so that the program computes what the generator did.
ExampleFiles examplesitefiles();

// The example files (name, text) written into the one directory of a
// mode's arguments; the exit status of the mode.
struct ExampleFile {
    const char* name;
    const std::string* text;
};
int writeexamplefiles(std::string_view mode, ModeArgs args,
                      std::initializer_list<ExampleFile> files, std::ostream& err);

// crustex-convert example-sites DIRECTORY
int runexamplesites(ModeArgs args, std::ostream& err);

}  // namespace crustex::tools
