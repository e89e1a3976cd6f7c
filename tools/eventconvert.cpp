#include "tools/eventconvert.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "files/atomicfile.h"
#include "geo/eventcatalogue.h"
#include "tools/layercsv.h"

namespace crustex::tools {

namespace {

// Digits of a fixed width at text[at ..]; -1 when they are not digits.
int digits(std::string_view text, std::size_t at, std::size_t width) {
    if (at + width > text.size()) return -1;
    int v = 0;
    for (std::size_t k = at; k < at + width; ++k) {
        if (text[k] < '0' || text[k] > '9') return -1;
        v = v * 10 + (text[k] - '0');
    }
    return v;
}

// Tenths of a value as a 16-bit integer, rounded; nothing when out of range.
std::optional<int16_t> tenths(double v) {
    const double t = std::nearbyint(v * 10.0);
    if (!(t >= -32768 && t <= 32767)) return std::nullopt;
    return static_cast<int16_t>(t);
}

// While the events are gathered, a record's uninterpreted field holds the
// milliseconds within its minute (as an unsigned value), so that events of
// one minute keep their order of time; it is written as 0.
uint16_t millis(const EventRecord& e) { return static_cast<uint16_t>(e.extra); }

bool earlier(const EventRecord& a, const EventRecord& b) {
    if (a.day != b.day) return a.day < b.day;
    if (a.minute != b.minute) return a.minute < b.minute;
    return millis(a) < millis(b);
}

// The largest count a 32-bit float holds exactly.
constexpr int64_t kMaxExactCount = 1 << 24;

}  // namespace

std::optional<double> isoseconds(std::string_view t) {
    const int y = digits(t, 0, 4), mo = digits(t, 5, 2), d = digits(t, 8, 2);
    const int h = digits(t, 11, 2), mi = digits(t, 14, 2);
    if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0 || t[4] != '-' || t[7] != '-' ||
        (t[10] != 'T' && t[10] != ' ') || t[13] != ':')
        return std::nullopt;
    const DateTime dt{static_cast<int16_t>(y), static_cast<int16_t>(mo), static_cast<int16_t>(d),
                      static_cast<int16_t>(h), static_cast<int16_t>(mi), 0};
    if (!dt.isValid()) return std::nullopt;
    std::size_t at = 16;
    double seconds = 0;
    if (at < t.size() && t[at] == ':') {
        const int s = digits(t, at + 1, 2);
        if (s < 0 || s > 60) return std::nullopt;
        seconds = s;
        at += 3;
        if (at < t.size() && t[at] == '.') {
            double scale = 0.1;
            for (++at; at < t.size() && t[at] >= '0' && t[at] <= '9'; ++at, scale /= 10)
                seconds += (t[at] - '0') * scale;
        }
    }
    double offset = 0;  // minutes east of UTC
    if (at < t.size() && t[at] == 'Z') {
        ++at;
    } else if (at < t.size() && (t[at] == '+' || t[at] == '-')) {
        const int oh = digits(t, at + 1, 2);
        const bool colon = at + 3 < t.size() && t[at + 3] == ':';
        const int om = digits(t, at + (colon ? 4 : 3), 2);
        if (oh < 0 || om < 0) return std::nullopt;
        offset = (t[at] == '-' ? -1 : 1) * (oh * 60.0 + om);
        at += colon ? 6 : 5;
    }
    if (at != t.size()) return std::nullopt;
    const EventInstant i = eventinstant(dt);
    return (static_cast<double>(i.day) * 1440.0 + i.minute - offset) * 60.0 + seconds;
}

bool fdsncsvtocatalogue(std::istream& csv, CatalogueBuild& out, std::ostream& err) {
    CsvReader rows(csv);
    const auto h = findheader(rows, {"time", "latitude", "longitude", "depth", "mag"});
    if (!h) {
        err << (rows.error().empty() ? "no header with time, latitude, longitude, depth and mag "
                                       "columns"
                                     : rows.error())
            << "\n";
        return false;
    }
    const std::size_t ct = *findcolumn(*h, {"time"}), clat = *findcolumn(*h, {"latitude"}),
                      clon = *findcolumn(*h, {"longitude"}), cdep = *findcolumn(*h, {"depth"}),
                      cmag = *findcolumn(*h, {"mag"});
    const std::size_t need = std::max({ct, clat, clon, cdep, cmag}) + 1;

    // Only the records to be written are kept, not the rows.
    std::vector<EventRecord> events;
    out.skipped = 0;
    CsvRow row;
    while (rows.next(row)) {
        if (row.size() < need) {
            ++out.skipped;
            continue;
        }
        const auto secs = isoseconds(row[ct]);
        const auto lat = csvnumber(row[clat]), lon = csvnumber(row[clon]);
        const auto dep = csvnumber(row[cdep]), mag = csvnumber(row[cmag]);
        const auto dep10 = dep ? tenths(*dep) : std::nullopt;
        const auto mag10 = mag ? tenths(*mag) : std::nullopt;
        if (!secs || !lat || !lon || !dep10 || !mag10 || std::fabs(*lat) > 90 ||
            std::fabs(*lon) > 360) {
            ++out.skipped;
            continue;
        }
        if (static_cast<int64_t>(events.size()) + 5 > kMaxExactCount) {
            err << "more than " << kMaxExactCount - 4 << " events: too many for one catalogue\n";
            return false;
        }
        const double minutes = std::floor(*secs / 60.0);
        EventRecord e;
        e.day = static_cast<float>(std::floor(minutes / 1440.0));
        e.minute = static_cast<int16_t>(minutes - static_cast<double>(e.day) * 1440.0);
        const double ms = std::floor((*secs - minutes * 60.0) * 1000.0);
        e.extra = static_cast<int16_t>(static_cast<uint16_t>(std::clamp(ms, 0.0, 59999.0)));
        e.lat = static_cast<float>(*lat);
        e.lon = static_cast<float>(*lon);
        e.depth = *dep10;
        e.mag = *mag10;
        events.push_back(e);
    }
    if (!rows.error().empty()) {
        err << rows.error() << "\n";
        return false;
    }
    std::stable_sort(events.begin(), events.end(), earlier);

    out.bytes.clear();
    out.bytes.reserve((events.size() + 3) * kEventRecordBytes);
    auto put = [&out](const EventRecordBytes& b) { out.bytes.append(b.begin(), b.end()); };
    put(catalogueheader(static_cast<float>(events.size() + 4)));
    put(EventRecordBytes{});
    put(EventRecordBytes{});
    for (EventRecord& e : events) {
        e.extra = 0;
        put(encodeeventrecord(e));
    }
    out.events = static_cast<int64_t>(events.size());
    return true;
}

int runeventconvert(ModeArgs args, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: crustex-convert events INPUT.csv OUTPUT.ep\n";
        return 2;
    }
    std::ifstream csv;
    if (!openinput(args[0], csv)) {
        err << "cannot read " << args[0] << "\n";
        return 1;
    }
    CatalogueBuild build;
    if (!fdsncsvtocatalogue(csv, build, err)) return 1;
    if (csv.bad()) {
        err << "cannot read " << args[0] << "\n";
        return 1;
    }
    if (!writefileatomic(args[1], build.bytes)) {
        err << "cannot write " << args[1] << "\n";
        return 1;
    }
    err << build.events << " events written to " << args[1];
    if (build.skipped > 0) err << ", " << build.skipped << " rows skipped";
    err << "\n";
    return 0;
}

}  // namespace crustex::tools
