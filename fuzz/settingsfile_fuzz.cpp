// Reads arbitrary bytes as the settings file; what was read must be written
// again in a form that reads back without a fault.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/settingsfile.h"
#include "fuzz/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    crustex::WorkState ws = crustex::fuzz::startstate();
    crustex::WindowPlaces places;
    crustex::readsettingstext(ws, places, crustex::fuzz::bytes(data, size));
    const std::string text = crustex::settingstext(ws, places);
    crustex::WorkState again = crustex::fuzz::startstate();
    crustex::WindowPlaces placesagain;
    if (crustex::readsettingstext(again, placesagain, text) != crustex::SettingsRead::Read)
        std::abort();
    return 0;
}
