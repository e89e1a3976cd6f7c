// Reads arbitrary bytes (after the first, whose bits are options) as a
// receiver CSV, places it in km or on the start-up map (bit 1), splits the
// receivers into patches (bits 2..7 choose the split) and writes them out.
#include <cstdint>

#include "export/receiverexport.h"
#include "files/receivercsv.h"
#include "fuzz/fuzzinput.h"
#include "geo/mapform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    if (size == 0) return 0;
    fuzz::Reading in;
    if (data[0] & 1) setprojection(in.proj, in.ws) && rebasefield(in.ws, in.proj, in.frame);
    const GeoFrame geo = in.geo();
    ReceiverFileRead read = readreceivercsv(fuzz::bytes(data + 1, size - 1), "fuzz.csv");
    const bool placed = placereceivercsv(read, &geo);
    const std::string summary = receiverfilesummary(read);
    (void)summary;
    if (!placed) return 0;
    ReceiverResults r;
    r.patches = splitreceivers(read.receivers, {1 + ((data[0] >> 1) & 7), 1 + (data[0] >> 4)}, 30);
    r.values.assign(r.patches.size(), ReceiverValue{1, -2, 0.5f});
    const std::string csv = receivercsvtext(r, read.receivers, &geo);
    const std::string json = receivergeojson(r, read.receivers, &geo);
    (void)csv;
    (void)json;
    return 0;
}
