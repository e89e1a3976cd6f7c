// Writing many files into one directory, each once, as the DEM converter
// makes its tiles: each text goes to a temporary file beside its target that
// is then renamed into place, so a file is either whole or absent, and the
// data are flushed to the disk once at the end instead of once per file (a
// save of the program's own files also flushes and scans the directory,
// which for tens of thousands of tiles takes minutes).
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace crustex::tools {

class TileDirectory {
public:
    explicit TileDirectory(std::string dir) : dir_(std::move(dir)) {}

    // Puts one file in place (replacing one of that name); false when it
    // could not be written, with nothing of it left behind.
    bool write(const std::string& name, std::string_view text);

    // Flushes what was written to the disk; false when that failed.
    bool finish();

private:
    std::string dir_;
    long made_ = 0;  // temporary files made so far
};

}  // namespace crustex::tools
