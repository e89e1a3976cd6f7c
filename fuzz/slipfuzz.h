// What the slip-model fuzz targets share: the bytes (after the first, whose
// bits are options) read as a file of the given name, placed in the file's
// km or on the start-up map (bit 1), placed again after the map moved (bit
// 2), and written out as a patch CSV that is read once more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "files/patchcsv.h"
#include "files/slipfile.h"
#include "fuzz/fuzzinput.h"
#include "geo/mapform.h"

namespace crustex::fuzz {

inline int fuzzslipfile(const uint8_t* data, std::size_t size, const std::string& name) {
    if (size == 0) return 0;
    Reading in;
    if (data[0] & 1) setprojection(in.proj, in.ws) && rebasefield(in.ws, in.proj, in.frame);
    const GeoFrame geo = in.geo();
    SlipFileRead read = readslipbuffer(bytes(data + 1, size - 1), name);
    PlacedModel placed;
    const bool ok = placeslipfile(read, &geo, placed);
    const std::string summary = slipsummary(read, placed);
    if (!ok) return 0;
    if (data[0] & 2) {
        in.ws.flon1 += 0.5f;
        in.ws.flat2 -= 0.25f;
        if (setprojection(in.proj, in.ws)) {
            replaceslipmodel(placed.model, geo);
            replacereceivers(placed.receivers, geo);
        }
    }
    const SlipFileRead back = readslipbuffer(patchcsvtext(placed.model, &geo), "back.csv");
    (void)summary;
    (void)back;
    return 0;
}

}  // namespace crustex::fuzz
