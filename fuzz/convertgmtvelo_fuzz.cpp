// Reads arbitrary bytes as a GMT velocity file through the gmtvelo
// converter (the first byte's low bit: with the up column): the program
// reads a site file it makes without an input error, every site up to its
// limit.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "files/sitefile.h"
#include "fuzz/fuzzinput.h"
#include "model/sitelist.h"
#include "tools/gnssconvert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    if (size == 0) return 0;
    const bool withup = data[0] & 1;
    std::istringstream in(fuzz::bytes(data + 1, size - 1));
    const tools::GnssField field = tools::parsegmtvelocity(in, withup);
    if (field.sites.empty() || field.sites.size() > 32767) return 0;  // refused
    fuzz::Reading reading;
    reading.ws.needmap = true;
    setprojection(reading.proj, reading.ws);
    const SiteReadResult r = readsitetext(reading.ws, reading.host, reading.geo(),
                                          tools::gnsssitefile(field, withup, "fuzz.vel"));
    if (r.inputerror || !r.opened) std::abort();
    if (reading.ws.nsite != static_cast<int>(std::min<std::size_t>(field.sites.size(), kMaxSites)))
        std::abort();
    return 0;
}
