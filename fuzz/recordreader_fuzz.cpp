// Reads typed fields from arbitrary bytes, and checks that every float's
// record text reads back as a float close to it.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/recordio.h"
#include "fuzz/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t pattern = data[0];
    crustex::RecordReader r(crustex::fuzz::bytes(data + 1, size - 1));
    for (int k = 0; !r.atend() && !r.failed(); ++k) {
        std::string s;
        float f = 0;
        int16_t i = 0;
        bool b = false;
        crustex::DateTime d;
        switch ((pattern >> (k % 4) * 2) & 3) {
            case 0: r.readtext(s); break;
            case 1: r.readfloat(f); break;
            case 2: r.readint(i); break;
            default: (k & 4) ? r.readbool(b) : r.readdate(d); break;
        }
        if (r.failed()) break;
        if (!std::isfinite(f)) std::abort();
    }

    if (size >= 5) {
        float v = 0;
        std::memcpy(&v, data + 1, sizeof v);
        const std::string text = crustex::recordfloat(v);
        float back = 0;
        if (!crustex::parserecordfloat(text, back)) std::abort();
        if (std::isfinite(v) && std::fabs(v) >= 1e-37f &&
            std::fabs(static_cast<double>(back) - v) > 1e-6 * std::fabs(v))
            std::abort();
    }
    return 0;
}
