// Reads arbitrary bytes as a .fsp file, places it and writes it as a patch CSV.
#include <cstdint>

#include "fuzz/slipfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return crustex::fuzz::fuzzslipfile(data, size, "fuzz.fsp");
}
