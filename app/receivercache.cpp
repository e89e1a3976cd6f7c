#include "app/receivercache.h"

#include <algorithm>
#include <cmath>

namespace crustex {

namespace {

// Equal, a missing rake (NaN) equal to a missing rake.
bool samereceiver(const ReceiverFault& a, const ReceiverFault& b) {
    const bool norake = std::isnan(a.rake) && std::isnan(b.rake);
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1 && a.top == b.top &&
           a.width == b.width && a.dip == b.dip && (norake || a.rake == b.rake) && a.name == b.name;
}

}  // namespace

ReceiverOptions ReceiverCache::options(const WorkState& ws, const ReceiverChoice& choice) {
    ReceiverOptions o = receiveroptions(ws);
    o.split = choice.split;
    if (choice.rake) o.rake = *choice.rake;
    return o;
}

ReceiverCache::Inputs ReceiverCache::inputsof(const WorkState& ws, const ReceiverOptions& o) {
    return {ws.fault, ws.nfault, ws.slipmodel.patches, ws.medium, ws.receivers,
            o.split,  o.rake,    o.friction,           o.unit};
}

bool ReceiverCache::same(const Inputs& a, const Inputs& b) {
    return a.fault == b.fault && a.nfault == b.nfault && a.patches == b.patches &&
           a.medium == b.medium &&
           std::equal(a.receivers.begin(), a.receivers.end(), b.receivers.begin(),
                      b.receivers.end(), samereceiver) &&
           a.split == b.split && a.rake == b.rake && a.friction == b.friction && a.unit == b.unit;
}

const ReceiverResults* ReceiverCache::results(const WorkState& ws, const ReceiverChoice& choice,
                                              const PointsRun& run, std::string& why) {
    why.clear();
    if (ws.receivers.empty()) {
        forget();
        return nullptr;
    }
    const ReceiverOptions o = options(ws, choice);
    Inputs now = inputsof(ws, o);
    if (current_ && same(now, inputs_)) return &results_;
    forget();
    if (!evaluatereceivers(ws, ws.receivers, o, results_, run, &why)) {
        results_.clear();
        return nullptr;
    }
    inputs_ = std::move(now);
    current_ = true;
    return &results_;
}

void ReceiverCache::forget() {
    current_ = false;
    results_.clear();
    inputs_ = Inputs{};
}

}  // namespace crustex
