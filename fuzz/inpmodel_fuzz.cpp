// Reads arbitrary bytes as a .inp file and opens it as the whole model: in
// the file's km as crustex-batch does, or moved into the field's range as
// the window does without map data (first byte, bit 0); the field the grid
// gives is then evaluated when it is small (bit 1).
#include <cstdint>

#include "engine/fieldgrid.h"
#include "files/inpmodel.h"
#include "fuzz/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    if (size == 0) return 0;
    fuzz::Reading in;
    SlipFileRead read = readslipbuffer(fuzz::bytes(data + 1, size - 1), "fuzz.inp");
    const InpOpened opened = openinpmodel(in.ws, in.proj, in.frame, read, "fuzz.inp", data[0] & 1);
    constexpr long kSmall = 2000;  // node-patch pairs
    const long pairs =
        (in.ws.xgrid + 1L) * (in.ws.ygrid + 1L) * static_cast<long>(in.ws.slipmodel.size());
    if (opened.ok && (data[0] & 2) && pairs <= kSmall) calcgridstrain(in.ws, in.host, 1);
    return 0;
}
