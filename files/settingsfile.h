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

// A window's place in the window system's own coordinates. `found` tells
// the caller that the settings file moved it.
struct WindowPlace {
    float left = 0, top = 0, width = 0, height = 0;
    bool found = false;
};

// The windows whose places the file keeps, in file order.
struct WindowPlaces {
    static constexpr std::array<std::string_view, 14> kNames = {
        "mainform",    "faultform",   "fieldform",  "mapform",   "eventform",
        "setfileform", "setprnform",  "visualform", "cffform",   "assistform",
        "assist2form", "assist3form", "obsform",    "customform"};

    std::array<WindowPlace, 14> place{};

    // nullptr for a name that is not a window of the file.
    WindowPlace* find(std::string_view name);
    const WindowPlace* find(std::string_view name) const;
    // Only "mainform" and "obsform" carry a width and height.
    static bool hassize(std::string_view name);
};

enum class SettingsRead {
    Missing,  // no file: every default stays
    Read,     // read to the end
    Damaged,  // a field could not be read: the values before it stay
};

// Reads the settings into the work state and the window places. Keywords are
// compared as written; any other text (the header line too) is skipped. The
// eighth "custompara" value is dropped. A damaged file stops the reading
// without a message: the next exit writes a whole file again.
SettingsRead readsettings(WorkState& ws, WindowPlaces& places, const std::string& path);
SettingsRead readsettingstext(WorkState& ws, WindowPlaces& places, std::string content);

// The file's text, every line in order.
std::string settingstext(const WorkState& ws, const WindowPlaces& places);

// Writes the file through a temporary file in the same directory. A failure
// shows "Open Error" ("Error", critical) and returns false; the old file
// stays as it was.
bool storesettings(const WorkState& ws, const WindowPlaces& places, Host& host,
                   const std::string& path);

}  // namespace crustex
