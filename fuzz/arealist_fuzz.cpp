// Reads arbitrary bytes as the named-range list "fixarea.lst"; what is read
// must be written and read back to the same entries.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/arealist.h"
#include "fuzz/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto list = crustex::parsearealist(crustex::fuzz::bytes(data, size));
    if (list.size() > std::size_t(crustex::kMaxNamedAreas)) std::abort();
    // Names as the dialog would keep them, so that the file can hold them.
    std::vector<crustex::NamedArea> kept;
    for (auto a : list) {
        a.name = crustex::arealistname(a.name);
        if (!a.name.empty()) kept.push_back(a);
    }
    // Numbers are written with 7 significant digits: the names and steps
    // come back as they were, and the text written again is the same.
    const std::string text = crustex::arealisttext(kept);
    const auto again = crustex::parsearealist(text);
    if (again.size() != kept.size()) std::abort();
    for (std::size_t k = 0; k < kept.size(); ++k)
        if (again[k].name != kept[k].name || again[k].nstep != kept[k].nstep) std::abort();
    if (crustex::arealisttext(again) != text) std::abort();
    return 0;
}
