#include "tools/convertmodes.h"

#include <array>

namespace crustex::tools {

namespace {

// One row per mode; each converter adds its own.
const std::array<ConvertMode, 0> kModes = {{}};

}  // namespace

std::span<const ConvertMode> convertmodes() { return kModes; }

}  // namespace crustex::tools
