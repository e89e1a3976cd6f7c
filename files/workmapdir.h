// The map directory a work file names: the "mapdir" record, a path relative
// to the work file's own directory, so that a work file opened anywhere (in
// the window or by crustex-batch) is drawn over the maps it was made with.
//
// The record is written only where a relative path stays right when the
// files are moved together:
//   - the map directory is the work file's directory or lies below it
//     ("./", "maps/chile/");
//   - or both lie in one data tree: an ancestor of the work file's directory
//     whose "map" directory holds the coast file, as the shipped data and
//     the source tree do, with the map directory in that "map" directory
//     ("../map/world/" for a work file in examples/).
// Any other map directory (elsewhere on the disk, or none) writes no record,
// and reading such a file keeps the current map directory, as before.
//
// A reader that does not know the record skips the keyword and its path as
// two unknown texts.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "files/recordio.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kMapDirKeyword = "mapdir";

// A directory or file with symbolic links and "." and ".." resolved,
// without a trailing separator; empty when it cannot be worked out.
std::filesystem::path realpathof(const std::filesystem::path& path);

// The record's path for a work file written at workpath while the map
// directory is mappath ("" when no record is written; a path ends with '/').
std::string mapdirforwork(const std::string& mappath, const std::string& workpath);

// "mapdir",path; nothing when path is "".
void writemapdir(RecordWriter& w, const std::string& path);

// Reads the path. With a base (the work file's directory) the path is
// resolved against it (an absolute path stays as it is) and becomes the map
// directory, absolute and ending with '/'; a directory that does not exist
// is shown as "Map File Directory not Exist: " and the path (title
// "Warning") and the map directory stays. Without a base the path is read
// and dropped (the map directory was chosen otherwise).
RecordRead readmapdir(RecordReader& r, WorkState& ws, Host& host,
                      const std::optional<std::string>& base);

}  // namespace crustex
