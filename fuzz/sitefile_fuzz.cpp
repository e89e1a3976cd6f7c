// Reads arbitrary bytes as an observation-site file, with or without the
// map, then draws the site graph and the site vectors (with their error
// ellipses), works out the misfit and writes both site exports from what
// was read.
#include <cstdint>
#include <string>

#include "files/sitefile.h"
#include "fuzz/fuzzinput.h"
#include "plot/recordingsurface.h"
#include "sites/misfit.h"
#include "sites/siteexport.h"
#include "sites/siteglyphs.h"
#include "sites/sitegraphs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    crustex::fuzz::Reading in;
    const crustex::SourceFileHooks hooks = in.maphooks(data[0]);
    crustex::readsitetext(in.ws, in.host, in.geo(), crustex::fuzz::bytes(data + 1, size - 1),
                          hooks);
    crustex::SiteResults res;
    in.ws.quantitykey = data[0] & 8 ? "uz" : "ux";
    crustex::RecordingSurface s;
    crustex::SiteGraphView view{&s, 640, 480, (data[0] & 16) != 0, (data[0] & 32) != 0};
    crustex::drawsubg(in.ws, res, view);
    crustex::PlotContext pc;
    pc.screen = pc.target = &s;
    crustex::drawsitevectors(in.ws, pc, in.host, &res, nullptr, "displacement");
    if (const auto m = crustex::computemisfit(in.ws, res)) (void)crustex::misfittext(*m);
    const std::string a = crustex::exportobstext(in.ws, res, in.geo());
    const std::string b = crustex::obssitetext(in.ws, res);
    (void)a;
    (void)b;
    return 0;
}
