// Replacing a file so that a failure never destroys the old one: the new
// contents go to a temporary file in the same directory, which is then
// renamed over the old file.
#pragma once

#include <string>
#include <string_view>

namespace crustex {

// Writes content to path. Returns false (and leaves any old file at path
// untouched, with no temporary file left behind) when the directory cannot
// be written, the data cannot all be written and flushed, or the rename
// fails.
bool writefileatomic(const std::string& path, std::string_view content);

// Writes content to path by creating or overwriting it directly (for files
// the user names, where a temporary beside them would be unexpected).
// Returns false when the file cannot be created or fully written.
bool writefileplain(const std::string& path, std::string_view content);

}  // namespace crustex
