// A calendar date-time as the earthquake window and the record files use it.
#pragma once

#include <compare>
#include <cstdint>

namespace crustex {

struct DateTime {
    int16_t year = 1900;
    int16_t month = 1;
    int16_t day = 1;
    int16_t hour = 0;
    int16_t minute = 0;
    int16_t second = 0;

    auto operator<=>(const DateTime&) const = default;

    // True for a real calendar date (Gregorian, years 100..9999) and time of day.
    bool isValid() const;
};

int daysInMonth(int year, int month);

}  // namespace crustex
