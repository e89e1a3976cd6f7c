#include "stress/receiverstress.h"

#include <cmath>

#include "engine/cff.h"
#include "model/sourcemodel.h"
#include "stress/moduli.h"
#include "stress/stressunits.h"

namespace crustex {

namespace {

ReceiverFrame patchframe(const ReceiverPatch& p) {
    const double dip = static_cast<double>(p.dip) * kPi / 180;
    const double rake = static_cast<double>(p.rake) * kPi / 180;
    return receiverframe(
        {p.sinstrike, p.cosstrike, std::sin(dip), std::cos(dip), std::sin(rake), std::cos(rake)});
}

}  // namespace

ReceiverOptions receiveroptions(const WorkState& ws) {
    ReceiverOptions o;
    o.rake = ws.cffrake;
    o.friction = ws.friction;
    o.unit = ws.stressunit;
    return o;
}

ReceiverValue resolvereceiver(const ReceiverPatch& p, const PointValues& v, float friction,
                              double lambdaovermu, double factor) {
    if (v[0] == kNoValue || v[3] == kNoValue) return {kNoValue, kNoValue, kNoValue};
    const ResolvedStress s =
        resolvedstress(patchframe(p), v[3], v[7], v[11], v[12], v[13], v[14], v[16], lambdaovermu);
    const double cff = static_cast<double>(friction) * s.normal + s.shear;
    return {static_cast<float>(s.shear * factor), static_cast<float>(s.normal * factor),
            static_cast<float>(cff * factor)};
}

bool evaluatereceivers(const WorkState& ws, std::span<const ReceiverFault> receivers,
                       const ReceiverOptions& options, ReceiverResults& out, const PointsRun& run,
                       std::string* why) {
    out.clear();
    out.options = options;
    out.receivers = receivers.size();
    const std::size_t each = static_cast<std::size_t>(std::max(options.split.along, 1)) *
                             static_cast<std::size_t>(std::max(options.split.down, 1));
    if (each > kMaxReceiverPatches || receivers.size() * each > kMaxReceiverPatches) {
        if (why) *why = "more than " + std::to_string(kMaxReceiverPatches) + " receiver patches";
        return false;
    }
    out.patches = splitreceivers(receivers, options.split, options.rake, &out.skipped);
    const std::size_t n = out.patches.size();
    std::vector<float> x(n), y(n), z(n);
    for (std::size_t k = 0; k < n; ++k) {
        x[k] = out.patches[k].x;
        y[k] = out.patches[k].y;
        z[k] = -out.patches[k].depth;
    }
    std::vector<PointValues> values(n);
    if (!workpointvalues(ws, {x.data(), y.data(), z.data(), n}, values, run)) {
        out.patches.clear();
        return false;
    }
    const bool usable = usablemedium(ws.medium);
    const double lamu = lameratio(ws.medium);
    const double factor = stressfactor(options.unit, ws.medium);
    out.values.resize(n);
    for (std::size_t k = 0; k < n; ++k)
        out.values[k] =
            usable ? resolvereceiver(out.patches[k], values[k], options.friction, lamu, factor)
                   : ReceiverValue{kNoValue, kNoValue, kNoValue};
    return true;
}

}  // namespace crustex
