// Where the program keeps its own files, and small file-system helpers.
//
// "crustex.ini" and "lastwork.ini" live in the program's directory (the
// directory of the executable, handed in by the caller). When that directory
// cannot be written (a system-wide installation), they live in the user's
// configuration directory instead: $XDG_CONFIG_HOME/crustex, or
// ~/.config/crustex when XDG_CONFIG_HOME is not set; it is created when the
// program first needs it.
#pragma once

#include <cstddef>
#include <string>

namespace crustex {

inline constexpr const char* kSettingsFileName = "crustex.ini";
inline constexpr const char* kLastWorkFileName = "lastwork.ini";

// The user's configuration directory for the program (not created here).
std::string userconfigdir();

// True when files can be created in dir.
bool directorywritable(const std::string& dir);

// The directory that holds the program's own files: programdir when it can
// be written, else the user's configuration directory (created on demand).
std::string appfiledir(const std::string& programdir);

// Path under appfiledir() for writing the named file.
std::string appfilepath(const std::string& programdir, const std::string& name);

// Path to read the named file from: where it is written (appfilepath) when
// the file is there, else a copy beside the program (a system-wide default),
// else the appfilepath (which then does not exist).
std::string appfileforreading(const std::string& programdir, const std::string& name);

bool fileexists(const std::string& path);

// The text with its ASCII capitals made small: file names and source-file
// keywords are compared this way.
std::string asciilower(std::string s);

// Path of the file in dir whose name equals name without regard to letter
// case ("VActive1.20" finds "vactive1.20"); "" when there is none.
std::string findfilenocase(const std::string& dir, const std::string& name);

// Reads a whole regular file. False when the path names anything else (a
// FIFO, a device, a directory), or the file cannot be opened or read, or is
// larger than maxbytes.
bool readwholefile(const std::string& path, std::string& out,
                   std::size_t maxbytes = 64u * 1024u * 1024u);

}  // namespace crustex
