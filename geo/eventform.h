// The earthquake selection dialog ("Event Parameters"): the box texts it
// shows and the check-and-store step of its OK button. The time window is
// typed as year, month, day, hour and minute boxes; depth and magnitude
// ranges as numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/datetime.h"
#include "model/formcheck.h"
#include "model/workstate.h"

namespace crustex {

struct EventFormText {
    // Start ("0") and end ("1") of the window.
    std::string yr0, mon0, day0, hr0, min0;
    std::string yr1, mon1, day1, hr1, min1;
    std::string dep0, dep1, mag0, mag1;

    // The text of a box by its name without "txt" ("yr0", "dep1", ...).
    const std::string* box(std::string_view field) const;
    std::string* box(std::string_view field);
};

// Every box name, in the order of the dialog.
inline constexpr std::string_view kEventFormBoxes[] = {"yr0",  "mon0", "day0", "hr0", "min0",
                                                       "yr1",  "mon1", "day1", "hr1", "min1",
                                                       "dep0", "dep1", "mag0", "mag1"};

// The texts for opening the dialog: the window's parts as "yyyy", "mm",
// "dd", "hh", "nn"; depths and magnitudes with "0.0".
EventFormText entryeventform(const WorkState& ws);

// The date-time typed as year/month/day hour:minute (seconds 0), each part
// whole digits (blanks around them allowed); nothing when the parts are not
// digits or not a real date of the years 100..9999.
std::optional<DateTime> formdate(std::string_view year, std::string_view month,
                                 std::string_view day, std::string_view hour,
                                 std::string_view minute);

// Checks depth (0..1000) and magnitude (-5..10) boxes, then the start and
// the end date; a bad date names "yr0" or "yr1". On success stores the six
// values. Start and end are not compared with each other.
FormCheck fixparam(WorkState& ws, const EventFormText& text);

}  // namespace crustex
