// Reads arbitrary bytes as the settings file; what was read must be written
// again in a form that reads back without a fault.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/settingsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const crustex::WorkState start = [] {
        crustex::WorkState ws;
        crustex::setdefaults(ws, "/nonexistent");
        return ws;
    }();
    crustex::WorkState ws = start;
    crustex::WindowPlaces places;
    crustex::readsettingstext(ws, places, std::string(reinterpret_cast<const char*>(data), size));
    const std::string text = crustex::settingstext(ws, places);
    crustex::WorkState again = start;
    crustex::WindowPlaces placesagain;
    if (crustex::readsettingstext(again, placesagain, text) != crustex::SettingsRead::Read)
        std::abort();
    return 0;
}
