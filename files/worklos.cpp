#include "files/worklos.h"

#include <array>

#include "engine/los.h"

namespace crustex {

namespace {

// The start-up geometry: the first preset.
const LosPreset& startpreset() { return kLosPresets.front(); }

}  // namespace

void writelosparam(RecordWriter& w, const WorkState& ws) {
    if (ws.losheading == startpreset().heading && ws.losincidence == startpreset().incidence &&
        ws.loswavelength == kDefaultWavelength)
        return;
    w.text(kLosKeyword);
    w.number(ws.losheading);
    w.number(ws.losincidence);
    w.number(ws.loswavelength);
    w.endline();
}

void resetlosparam(WorkState& ws) {
    ws.losheading = startpreset().heading;
    ws.losincidence = startpreset().incidence;
    ws.loswavelength = kDefaultWavelength;
}

RecordRead readlosparam(RecordReader& r, WorkState& ws) {
    std::array<float, 3> v{};
    if (!readfloats(r, v)) return RecordRead::Broken;
    if (const std::string why = losproblem(v[0], v[1], v[2]); !why.empty())
        return r.refuse(std::string("\"losparam\" ").append(why));
    ws.losheading = v[0];
    ws.losincidence = v[1];
    ws.loswavelength = v[2];
    return RecordRead::Applied;
}

}  // namespace crustex
