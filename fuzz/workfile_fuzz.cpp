// Reads arbitrary bytes as a work file.
#include <cstdint>
#include <string>

#include "files/workfile.h"
#include "fuzz/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    crustex::fuzz::Reading in;
    const bool mapfiles = data[0] & 1;
    crustex::readworktext(in.ws, in.host, in.proj, in.frame,
                          crustex::fuzz::bytes(data + 1, size - 1),
                          [mapfiles](crustex::WorkState&) { return mapfiles; });
    // Whatever was read can be written again.
    const std::string text = crustex::workfiletext(in.ws, in.geo());
    (void)text;
    return 0;
}
