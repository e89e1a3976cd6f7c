#include "geo/eventcatalogue.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "geo/littleendian.h"

namespace crustex {

namespace {

const int64_t kBaseDays = civildays(1920, 1, 1);

// The record is earlier than the instant (compared by day, then minute).
bool before(const EventRecord& e, const EventInstant& t) {
    const double day = e.day;
    const auto tday = static_cast<double>(t.day);
    return day < tday || (day == tday && e.minute < t.minute);
}
bool after(const EventRecord& e, const EventInstant& t) {
    const double day = e.day;
    const auto tday = static_cast<double>(t.day);
    return day > tday || (day == tday && e.minute > t.minute);
}

// Depth and magnitude are compared as the float values of the stored tenths,
// so that a bound typed as 3.3 takes an event stored as 33.
bool selected(const EventRecord& e, const EventSelection& s) {
    const float depth = static_cast<float>(e.depth) / 10.0f;
    const float mag = static_cast<float>(e.mag) / 10.0f;
    return s.lat1 <= e.lat && e.lat <= s.lat2 && s.lon1 <= e.lon && e.lon <= s.lon2 &&
           s.dep0 <= depth && depth <= s.dep1 && s.mag0 <= mag && mag <= s.mag1;
}

// The last data record: N - 1 as the header gives it (rounded like every
// store into an integer, halves to even), but never past the file's end.
// Zero when there is no data record.
int64_t lastdatarecord(float count, int64_t records) {
    const double last = std::nearbyint(static_cast<double>(count) - 1.0);
    if (!(last >= 4)) return 0;
    if (last >= static_cast<double>(records)) return records >= 4 ? records : 0;
    return static_cast<int64_t>(last);
}

}  // namespace

EventRecord decodeeventrecord(const unsigned char* b) {
    EventRecord e;
    e.day = lefloat(b);
    e.minute = leint16(b + 4);
    e.extra = leint16(b + 6);
    e.lat = lefloat(b + 8);
    e.lon = lefloat(b + 12);
    e.depth = leint16(b + 16);
    e.mag = leint16(b + 18);
    return e;
}

EventRecordBytes encodeeventrecord(const EventRecord& e) {
    EventRecordBytes b{};
    putlefloat(b.data(), e.day);
    putleint16(b.data() + 4, e.minute);
    putleint16(b.data() + 6, e.extra);
    putlefloat(b.data() + 8, e.lat);
    putlefloat(b.data() + 12, e.lon);
    putleint16(b.data() + 16, e.depth);
    putleint16(b.data() + 18, e.mag);
    return b;
}

EventRecordBytes catalogueheader(float count) {
    EventRecordBytes b{};
    putlefloat(b.data(), count);
    return b;
}

int64_t civildays(int year, int month, int day) {
    // Days from civil (proleptic Gregorian), counted in 400-year eras.
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t mp = (month + 9) % 12;
    const int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

EventInstant eventinstant(const DateTime& t) {
    return {civildays(t.year, t.month, t.day) - kBaseDays, t.hour * 60 + t.minute};
}

std::optional<DateTime> eventtime(float day, int16_t minute) {
    const double d = std::nearbyint(static_cast<double>(day));
    // Beyond about 8000 years either way no date of 100..9999 can result.
    if (!std::isfinite(d) || std::fabs(d) > 4.0e6) return std::nullopt;
    const int64_t totalminutes =
        (static_cast<int64_t>(d) + kBaseDays) * 1440 + static_cast<int64_t>(minute);
    int64_t z = totalminutes >= 0 ? totalminutes / 1440 : (totalminutes - 1439) / 1440;
    const int64_t minuteofday = totalminutes - z * 1440;
    // Civil from days, the inverse of civildays.
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t dd = doy - (153 * mp + 2) / 5 + 1;
    const int64_t mm = mp < 10 ? mp + 3 : mp - 9;
    const int64_t yy = yoe + era * 400 + (mm <= 2 ? 1 : 0);
    if (yy < 100 || yy > 9999) return std::nullopt;
    return DateTime{static_cast<int16_t>(yy),
                    static_cast<int16_t>(mm),
                    static_cast<int16_t>(dd),
                    static_cast<int16_t>(minuteofday / 60),
                    static_cast<int16_t>(minuteofday % 60),
                    0};
}

EventSelection eventselection(const WorkState& ws) {
    EventSelection s;
    s.start = ws.eventstart;
    s.end = ws.eventend;
    s.lat1 = ws.flat1;
    s.lat2 = ws.flat2;
    s.lon1 = ws.flon1;
    s.lon2 = ws.flon2;
    s.dep0 = ws.dep0;
    s.dep1 = ws.dep1;
    s.mag0 = ws.mag0;
    s.mag1 = ws.mag1;
    return s;
}

// --- Sources ---

int64_t MemoryCatalogue::records() const {
    return static_cast<int64_t>(bytes_.size() / kEventRecordBytes);
}

bool MemoryCatalogue::read(int64_t number, EventRecordBytes& out) {
    if (number < 1 || number > records()) return false;
    std::memcpy(out.data(), bytes_.data() + (number - 1) * kEventRecordBytes, kEventRecordBytes);
    return true;
}

FileCatalogue::FileCatalogue(const std::string& path) : file_(path) {
    if (file_.isopen()) records_ = file_.size() / static_cast<int64_t>(kEventRecordBytes);
}

bool FileCatalogue::read(int64_t number, EventRecordBytes& out) {
    if (number < 1 || number > records_) return false;
    const auto held = static_cast<int64_t>(block_.size() / kEventRecordBytes);
    if (blockfirst_ == 0 || number < blockfirst_ || number >= blockfirst_ + held) {
        const int64_t count = std::min(kBlockRecords, records_ - number + 1);
        block_.resize(static_cast<std::size_t>(count) * kEventRecordBytes);
        const int64_t got = file_.readat((number - 1) * static_cast<int64_t>(kEventRecordBytes),
                                         block_.data(), block_.size());
        block_.resize(
            got > 0 ? static_cast<std::size_t>(got) / kEventRecordBytes * kEventRecordBytes : 0);
        blockfirst_ = block_.empty() ? 0 : number;
        if (block_.empty()) return false;
    }
    std::memcpy(out.data(), block_.data() + (number - blockfirst_) * kEventRecordBytes,
                kEventRecordBytes);
    return true;
}

// --- Selection ---

EventScan selectevents(CatalogueSource& source, const EventSelection& sel, EventTable& table) {
    table.events.clear();
    table.leftout = 0;
    EventScan scan;
    EventRecordBytes bytes{};
    auto record = [&](int64_t number, EventRecord& e) {
        ++scan.recordsread;
        if (!source.read(number, bytes)) return false;
        e = decodeeventrecord(bytes.data());
        return true;
    };

    EventRecord e;
    if (!record(1, e)) return scan;
    const int64_t last = lastdatarecord(e.day, source.records());
    if (last == 0) return scan;
    const EventInstant start = eventinstant(sel.start);
    const EventInstant end = eventinstant(sel.end);

    int64_t lo = 4, hi = last;
    if (!record(hi, e) || before(e, start)) return scan;
    if (!record(lo, e)) return scan;
    if (!before(e, start)) {
        scan.first = lo;
    } else {
        // Record lo is before the start and record hi is not.
        while (lo + 1 != hi) {
            const auto mid = static_cast<int64_t>(
                std::nearbyint((static_cast<double>(lo) + static_cast<double>(hi)) / 2.0));
            if (!record(mid, e)) return scan;
            if (!before(e, start))
                hi = mid;
            else
                lo = mid;
        }
        scan.first = hi;
    }

    for (int64_t n = scan.first; n <= last; ++n) {
        if (!record(n, e) || after(e, end)) break;
        if (!selected(e, sel)) continue;
        if (table.events.size() < kMaxEvents)
            table.events.push_back(e);
        else
            ++table.leftout;
    }
    return scan;
}

std::string leftoutmessage(const EventTable& table) {
    if (table.leftout <= 0) return "";
    std::string text(" ");
    text += std::to_string(table.leftout);
    text += " Events left out: the table holds the first ";
    text += std::to_string(kMaxEvents);
    return text;
}

bool readevents(const std::string& path, const EventSelection& sel, EventTable& table, Host& host,
                std::string* why) {
    host.setBusy(true);
    host.setStatus(" Reading Events");
    FileCatalogue file(path);
    bool ok = file.isopen();
    if (ok) {
        selectevents(file, sel, table);
    } else {
        table.events.clear();
        table.leftout = 0;
        if (why != nullptr) *why = file.error();
    }
    host.setBusy(false);
    host.setStatus(leftoutmessage(table));
    return ok;
}

}  // namespace crustex
