#include "geo/eventform.h"

#include <charconv>
#include <cstdio>

#include "model/dialogbounds.h"
#include "model/numtext.h"

namespace crustex {

namespace {

std::string twodigits(int v, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, v);
    return buf;
}

// Whole digits with blanks around them.
std::optional<int> wholenumber(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    if (t.empty() || t.size() > 6) return std::nullopt;
    int v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || t.front() == '-') return std::nullopt;
    return v;
}

}  // namespace

const std::string* EventFormText::box(std::string_view field) const {
    return const_cast<EventFormText*>(this)->box(field);
}

std::string* EventFormText::box(std::string_view f) {
    std::string* const boxes[] = {&yr0,  &mon0, &day0, &hr0,  &min0, &yr1,  &mon1,
                                  &day1, &hr1,  &min1, &dep0, &dep1, &mag0, &mag1};
    for (std::size_t k = 0; k < std::size(kEventFormBoxes); ++k)
        if (kEventFormBoxes[k] == f) return boxes[k];
    return nullptr;
}

EventFormText entryeventform(const WorkState& ws) {
    EventFormText t;
    const auto parts = [](const DateTime& d, std::string& yr, std::string& mon, std::string& day,
                          std::string& hr, std::string& min) {
        yr = twodigits(d.year, 4);
        mon = twodigits(d.month, 2);
        day = twodigits(d.day, 2);
        hr = twodigits(d.hour, 2);
        min = twodigits(d.minute, 2);
    };
    parts(ws.eventstart, t.yr0, t.mon0, t.day0, t.hr0, t.min0);
    parts(ws.eventend, t.yr1, t.mon1, t.day1, t.hr1, t.min1);
    t.dep0 = formatnumber(ws.dep0, "0.0");
    t.dep1 = formatnumber(ws.dep1, "0.0");
    t.mag0 = formatnumber(ws.mag0, "0.0");
    t.mag1 = formatnumber(ws.mag1, "0.0");
    return t;
}

std::optional<DateTime> formdate(std::string_view year, std::string_view month,
                                 std::string_view day, std::string_view hour,
                                 std::string_view minute) {
    const auto y = wholenumber(year), mo = wholenumber(month), d = wholenumber(day),
               h = wholenumber(hour), mi = wholenumber(minute);
    if (!y || !mo || !d || !h || !mi || *y > 9999 || *mo > 12 || *d > 31 || *h > 23 || *mi > 59)
        return std::nullopt;
    const DateTime t{static_cast<int16_t>(*y), static_cast<int16_t>(*mo), static_cast<int16_t>(*d),
                     static_cast<int16_t>(*h), static_cast<int16_t>(*mi), 0};
    if (!t.isValid()) return std::nullopt;
    return t;
}

FormCheck fixparam(WorkState& ws, const EventFormText& text) {
    FieldValues v;
    if (FormCheck r = checkform(DialogKind::EarthquakeSelection, text, v); !r.ok()) return r;
    const auto start = formdate(text.yr0, text.mon0, text.day0, text.hr0, text.min0);
    if (!start) return FormCheck::rejected("yr0");
    const auto end = formdate(text.yr1, text.mon1, text.day1, text.hr1, text.min1);
    if (!end) return FormCheck::rejected("yr1");
    ws.eventstart = *start;
    ws.eventend = *end;
    ws.dep0 = v.get("dep0");
    ws.dep1 = v.get("dep1");
    ws.mag0 = v.get("mag0");
    ws.mag1 = v.get("mag1");
    return FormCheck::accepted();
}

}  // namespace crustex
