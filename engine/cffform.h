// The receiver dialog ("CFF Parameters"): box texts, the fault-type list and
// the check-and-store step.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/formcheck.h"
#include "model/workstate.h"

namespace crustex {

// The fault-type list, first entry a single blank.
inline constexpr std::array<const char*, 5> kFaultTypeNames = {" ", "Left lateral", "Reverse",
                                                               "Right lateral", "Normal"};

struct CffFormText {
    std::string cffstrike, cffdip, cffrake, friction;
    int faulttype = 0;  // selected entry of kFaultTypeNames

    const std::string* box(std::string_view field) const;
};

// The list entry for a rake: 0 "Left lateral", 90 "Reverse", 180 "Right
// lateral", -90 "Normal", anything else the blank entry 0.
int faulttypeofrake(float rake);

// The rake box text after choosing list entry `index` ("0.##"), or nullopt
// for the blank entry (the rake stays as it is) or an index off the list.
std::optional<std::string> raketextoffaulttype(int index);

// Box texts ("0.##") and the list entry for opening the dialog.
CffFormText entrycffform(const WorkState& ws);

// "Apply" is offered only while delta CFF is the shown quantity.
bool cffapplyenabled(const WorkState& ws);

// Checks strike, dip, rake, friction in that order; on success stores the
// four values and marks only the CFF result stale.
FormCheck fixparam(WorkState& ws, const CffFormText& text);

}  // namespace crustex
