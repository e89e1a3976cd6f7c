// Where the program keeps its own files, and small file-system helpers.
//
// "crustex.ini" and "lastwork.ini" live in the program's directory (the
// directory of the executable, handed in by the caller). When that directory
// cannot be written, or the program is an installed one (files/datadirs.h:
// even root never writes into "/usr/bin"), they live in the user's
// configuration directory instead: $XDG_CONFIG_HOME/crustex, or
// ~/.config/crustex when XDG_CONFIG_HOME is not set; it is created when the
// program first needs it.
#pragma once

#include <string>

#include "model/fsutil.h"

namespace crustex {

inline constexpr const char* kSettingsFileName = "crustex.ini";
inline constexpr const char* kLastWorkFileName = "lastwork.ini";

// The user's configuration directory for the program (not created here).
std::string userconfigdir();

// True when files can be created in dir.
bool directorywritable(const std::string& dir);

// The directory that holds the program's own files: programdir when it can
// be written and the program is not installed, else the user's
// configuration directory (created on demand).
std::string appfiledir(const std::string& programdir);

// Path under appfiledir() for writing the named file.
std::string appfilepath(const std::string& programdir, const std::string& name);

// Path to read the named file from: where it is written (appfilepath) when
// the file is there, else a copy beside the program (a system-wide default),
// else the appfilepath (which then does not exist). Creates no directory.
std::string appfileforreading(const std::string& programdir, const std::string& name);

}  // namespace crustex
