// The receivers' values as the window shows them: evaluated when a picture
// or an export first asks for them, and again only when something they
// depend on has changed since (the sources, the slip model, the medium, the
// receivers themselves, the split, the rake, the friction or the unit).
// Plain C++: the window keeps one and the tests drive it without Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/workstate.h"
#include "stress/receiverstress.h"
#include "ui/receiverdialog.h"

namespace crustex {

class ReceiverCache {
public:
    // The options of an evaluation: the user's split and rake (else the
    // CFF dialog's), the work's friction and unit.
    static ReceiverOptions options(const WorkState& ws, const ReceiverChoice& choice);

    // The values for the work's receivers, evaluated when out of date.
    // nullptr when the work has no receivers, or when the evaluation was
    // stopped or refused (`why` then says why, or is empty after a stop).
    const ReceiverResults* results(const WorkState& ws, const ReceiverChoice& choice,
                                   const PointsRun& run, std::string& why);

    // The last results handed out and the receivers they were made from,
    // for the read-out of a click on a drawn patch.
    const ReceiverResults& last() const { return results_; }
    const std::vector<ReceiverFault>& lastreceivers() const { return inputs_.receivers; }

    void forget();

private:
    // Everything the values depend on.
    struct Inputs {
        FaultTable fault{};
        int16_t nfault = 0;
        std::vector<SlipPatch> patches;
        Medium medium;
        std::vector<ReceiverFault> receivers;
        ReceiverSplit split;
        float rake = 0, friction = 0;
        StressUnit unit = StressUnit::Rigidity;
    };
    static Inputs inputsof(const WorkState& ws, const ReceiverOptions& options);
    static bool same(const Inputs& a, const Inputs& b);

    Inputs inputs_;
    bool current_ = false;
    ReceiverResults results_;
};

}  // namespace crustex
