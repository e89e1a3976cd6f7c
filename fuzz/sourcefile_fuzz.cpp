// Reads arbitrary bytes as a source file, with or without the map.
#include <cstdint>
#include <string>

#include "files/sourcefile.h"
#include "fuzz/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    crustex::fuzz::Reading in;
    const crustex::SourceFileHooks hooks = in.maphooks(data[0]);
    crustex::readsourcetext(in.ws, in.host, in.geo(), crustex::fuzz::bytes(data + 1, size - 1),
                            hooks);
    const std::string text = crustex::sourcemapfiletext(in.ws, in.geo());
    (void)text;
    return 0;
}
