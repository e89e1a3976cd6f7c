// The settings file "crustex.ini": data directories, map range, earthquake
// selection, friction, visualization, custom weights, printer margins and the
// place of every window. Read once at start-up, written at every exit.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr const char* kSettingsHeader =
    "//// This is an initializing file for CRUSTEX. You should not edit this. ////";

// The status text at start-up when the settings file could not be read whole.
inline constexpr const char* kSettingsKeptStatus =
    " crustex.ini could not be read whole: it will be kept as crustex.ini.bak";

// A window's place in the window system's own coordinates. `found` tells
// the caller that the settings file moved it.
struct WindowPlace {
    float left = 0, top = 0, width = 0, height = 0;
    bool found = false;
};

// What the file keeps of the windows: the place of each, in file order, and
// the directory each kind of file was last opened or saved in through a file
// dialog ("" until one was).
struct WindowPlaces {
    static constexpr std::array<std::string_view, 14> kNames = {
        "mainform",    "faultform",   "fieldform",  "mapform",   "eventform",
        "setfileform", "setprnform",  "visualform", "cffform",   "assistform",
        "assist2form", "assist3form", "obsform",    "customform"};
    // The keywords of the directories, written after the windows (a reader
    // that does not know them passes over them).
    static constexpr std::array<std::string_view, 3> kFolderNames = {"workdir", "sourcedir",
                                                                     "straindir"};
    enum Folder { Work, Source, Strain };

    std::array<WindowPlace, 14> place{};
    std::array<std::string, 3> folders{};

    // nullptr for a name that is not a window of the file.
    WindowPlace* find(std::string_view name);
    const WindowPlace* find(std::string_view name) const;
    // nullptr for a name that is not one of the directory keywords.
    std::string* folder(std::string_view name);
    // Only "mainform" and "obsform" carry a width and height.
    static bool hassize(std::string_view name);
};

enum class SettingsRead {
    Missing,  // no file: every default stays
    Read,     // read to the end, every record taken
    // A field could not be read (the values before it stay), a record's
    // values were refused (the others are taken), or the file could not be
    // read at all.
    Damaged,
};

// Reads the settings into the work state and the window places. Keywords are
// compared as written; any other text (the header line too) is skipped. The
// eighth "custompara" value is dropped.
SettingsRead readsettings(WorkState& ws, WindowPlaces& places, const std::string& path);
SettingsRead readsettingstext(WorkState& ws, WindowPlaces& places, std::string content);

// The file's text, every line in order.
std::string settingstext(const WorkState& ws, const WindowPlaces& places);

// The name a damaged settings file is kept under: the path with ".bak".
std::string settingsbackuppath(const std::string& path);

// Writes the file through a temporary file in the same directory. With
// keepold (the file at start-up was damaged) the old file is first moved to
// its settingsbackuppath (the file a link leads to moves, beside itself), and
// nothing is written when it cannot be. A
// failure shows "Open Error" ("Error", critical) and returns false; the old
// file then stays as it was.
bool storesettings(const WorkState& ws, const WindowPlaces& places, Host& host,
                   const std::string& path, bool keepold = false);

}  // namespace crustex
