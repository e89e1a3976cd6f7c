#include "tools/convertmodes.h"

#include <array>

#include "tools/examplesites.h"
#include "tools/gnssconvert.h"

namespace crustex::tools {

namespace {

// One row per mode; each converter adds its own.
const std::array<ConvertMode, 2> kModes = {{
    {"gmtvelo", "INPUT OUTPUT.obs.txt [--up]",
     "GNSS velocities (lon lat ve vn se sn corr [vu su] name, mm) to an observation-site file",
     rungmtvelo},
    {"example-sites", "DIRECTORY",
     "writes the synthetic example model and its observation sites (sites-example.*)",
     runexamplesites},
}};

}  // namespace

std::span<const ConvertMode> convertmodes() { return kModes; }

}  // namespace crustex::tools
