// The modes of crustex-convert. Each mode is one function that takes the
// arguments after its name, writes its output file (through a temporary file
// renamed into place, so a failed run leaves no half-written output) and
// returns the exit status: 0 done, 1 the conversion failed, 2 bad arguments.
// Messages go to the given error stream, one line each.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace crustex::tools {

using ModeArgs = std::span<const std::string>;

struct ConvertMode {
    std::string_view name;
    std::string_view usage;  // the arguments after the name
    std::string_view what;   // one line on what it makes
    int (*run)(ModeArgs args, std::ostream& err);
};

// Every mode, in the order the usage text lists them.
std::span<const ConvertMode> convertmodes();

}  // namespace crustex::tools
