// Small file-system helpers that every reader of the program's own and
// outside data files uses: existence of a regular file, names matched
// without regard to letter case, and reading a whole file with a size cap.
#pragma once

#include <cstddef>
#include <string>

namespace crustex {

// True when path names an existing regular file.
bool fileexists(const std::string& path);

// True when path names an existing directory.
bool directoryexists(const std::string& path);

// The text with its ASCII capitals made small: file names and source-file
// keywords are compared this way.
std::string asciilower(std::string s);

// Path of the file in dir whose name equals name without regard to letter
// case ("VActive1.20" finds "vactive1.20"); "" when there is none.
std::string findfilenocase(const std::string& dir, const std::string& name);

// The same for a subdirectory of dir ("1KM" finds "1km"); "" when none.
std::string finddirnocase(const std::string& dir, const std::string& name);

// Reads a whole regular file. False when the path names anything else (a
// FIFO, a device, a directory), or the file cannot be opened or read, or is
// larger than maxbytes.
bool readwholefile(const std::string& path, std::string& out,
                   std::size_t maxbytes = 64u * 1024u * 1024u);

}  // namespace crustex
