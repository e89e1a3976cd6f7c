// The catalogue: record layout, day numbers, the bisection to the start of
// the window, the inclusive selection, the table's cap, and the layer.
#include "geo/eventcatalogue.h"

#include <gtest/gtest.h>

#include "geo/eventlayer.h"
#include "geo/maplayers.h"
#include "plot/plottestutil.h"
#include "support/catalogue.h"

namespace crustex {
namespace {

using test::cataloguebytes;
using test::quake;

DateTime at(float day, int16_t minute) { return *eventtime(day, minute); }

EventSelection wide(DateTime start, DateTime end) {
    return {start, end, -90, 90, -180, 180, 0, 1000, -5, 10};
}

// What a selection (by default: days 0..10, anywhere) takes from the
// catalogue `bytes`, and how the scan went.
std::pair<EventTable, EventScan> selectfrom(const std::string& bytes,
                                            const EventSelection& sel = wide(at(0, 0), at(10, 0))) {
    MemoryCatalogue source(bytes);
    EventTable table;
    const EventScan scan = selectevents(source, sel, table);
    return {table, scan};
}

// Record numbers of the selected events (they carry their number as depth).
std::vector<int> numbers(const EventTable& t) {
    std::vector<int> out;
    for (const EventRecord& e : t.events) out.push_back(e.depth);
    return out;
}

TEST(EventCatalogue, RecordsAndDayNumbersRoundTrip) {
    const EventRecord e{9876.0f, 1234, -17, 35.125f, 139.75f, 583, -12};
    EXPECT_EQ(decodeeventrecord(encodeeventrecord(e).data()), e);
    // Little-endian: the day's float and the depth's low byte first.
    EXPECT_EQ(encodeeventrecord(e)[16], 583 & 0xff);
    EXPECT_EQ(eventtime(0, 0), (DateTime{1920, 1, 1, 0, 0, 0}));
    const DateTime t{1995, 1, 17, 5, 46, 0};
    const EventInstant i = eventinstant(t);
    EXPECT_EQ(i.day, 27410);
    EXPECT_EQ(i.minute, 346);
    EXPECT_EQ(eventtime(static_cast<float>(i.day), static_cast<int16_t>(i.minute)), t);
    EXPECT_EQ(eventtime(1e30f, 0), std::nullopt);
}

struct WindowCase {
    const char* what;
    DateTime start, end;
    std::vector<int> selected;
    int64_t first;
};

TEST(EventCatalogue, WindowBoundsAreInclusiveAndFoundByBisection) {
    // Record n carries n as its depth; times ascend.
    const std::vector<EventRecord> events = {
        quake(100, 10, 35, 135, 4), quake(100, 20, 35, 135, 5), quake(101, 0, 35, 135, 6),
        quake(102, 5, 35, 135, 7),  quake(103, 0, 35, 135, 8),
    };
    const std::string bytes = cataloguebytes(events);
    const WindowCase cases[] = {
        {"start and end equal to records", at(100, 20), at(102, 5), {5, 6, 7}, 5},
        {"start before the first record", at(50, 0), at(100, 10), {4}, 4},
        {"start one minute after a record", at(100, 11), at(101, 0), {5, 6}, 5},
        {"last record before the start", at(103, 1), at(200, 0), {}, 0},
        {"end before start", at(102, 0), at(100, 0), {}, 7},
    };
    for (const WindowCase& c : cases) {
        const auto [table, scan] = selectfrom(bytes, wide(c.start, c.end));
        EXPECT_EQ(numbers(table), c.selected) << c.what;
        EXPECT_EQ(scan.first, c.first) << c.what;
    }
}

TEST(EventCatalogue, BisectionReadsFewRecords) {
    std::vector<EventRecord> events;
    for (int k = 0; k < 20000; ++k) events.push_back(quake(static_cast<float>(k), 0));
    const std::string bytes = cataloguebytes(events);
    const auto [table, scan] = selectfrom(bytes, wide(at(12345, 0), at(12354, 0)));
    EXPECT_EQ(table.events.size(), 10u);
    EXPECT_EQ(scan.first, 12345 + 4);
    EXPECT_LT(scan.recordsread, 20 + 3 + 11);
}

TEST(EventCatalogue, UntrustedCountsStayInsideTheFile) {
    const std::vector<EventRecord> events = {quake(1, 0, 35, 135, 4), quake(2, 0, 35, 135, 5),
                                             quake(3, 0, 35, 135, 6)};
    const struct {
        float n;
        std::vector<int> selected;
    } cases[] = {{1000, {4, 5, 6}}, {6, {4, 5}}, {5, {4}},           {4.9f, {4}},
                 {4, {}},           {-3, {}},    {std::nanf(""), {}}};
    for (const auto& c : cases) {
        const std::string bytes = cataloguebytes(events, c.n) + "tail";  // and a cut record
        EXPECT_EQ(numbers(selectfrom(bytes).first), c.selected) << c.n;
    }
    EXPECT_EQ(selectfrom("").second.first, 0);
}

TEST(EventCatalogue, RangesAreInclusive) {
    // Depth 3.3 .. 10 km, magnitude 4.0 .. 6.5, latitude 34 .. 36, longitude 134 .. 137.
    const EventSelection sel{at(0, 0), at(10, 0), 34, 36, 134, 137, 3.3f, 10, 4.0f, 6.5f};
    const struct {
        EventRecord e;
        bool taken;
    } cases[] = {
        {quake(1, 0, 35, 135, 33, 50), true},      {quake(1, 0, 35, 135, 32, 50), false},
        {quake(1, 0, 35, 135, 100, 50), true},     {quake(1, 0, 35, 135, 101, 50), false},
        {quake(1, 0, 35, 135, 50, 40), true},      {quake(1, 0, 35, 135, 50, 39), false},
        {quake(1, 0, 35, 135, 50, 65), true},      {quake(1, 0, 35, 135, 50, 66), false},
        {quake(1, 0, 34, 137, 50, 50), true},      {quake(1, 0, 36, 134, 50, 50), true},
        {quake(1, 0, 33.99f, 135, 50, 50), false}, {quake(1, 0, 35, 137.01f, 50, 50), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(selectfrom(cataloguebytes({c.e}), sel).first.events.size(), c.taken ? 1u : 0u)
            << c.e.lat << " " << c.e.lon << " " << c.e.depth << " " << c.e.mag;
    }
}

TEST(EventCatalogue, FullTableCountsWhatItLeftOut) {
    std::vector<EventRecord> events(kMaxEvents + 40000, quake(5, 0));
    events.back().minute = 1;  // the last one in time is the one left out first
    const std::string bytes = cataloguebytes(events);
    const EventTable table = selectfrom(bytes).first;
    EXPECT_EQ(table.events.size(), kMaxEvents);
    EXPECT_EQ(table.leftout, 40000);
    EXPECT_EQ(table.events.back().minute, 0);
    EXPECT_EQ(leftoutmessage(table), " 40000 Events left out: the table holds the first 100000");
}

TEST(EventCatalogue, ReadingFromTheFileAndAMissingOne) {
    test::ScratchDir dir;
    WorkState ws;
    setdefaults(ws, dir.folder());
    ws.vhyppath = dir.file("cat.ep");
    ws.eventstart = at(0, 0);
    test::writefile(ws.vhyppath, cataloguebytes({quake(1, 0, 35, 135, 50, 40)}));
    test::ScriptedHost host;
    EXPECT_TRUE(reloadevents(ws, host));
    EXPECT_EQ(ws.eventtable.events.size(), 1u);
    EXPECT_EQ(host.statuses.front(), " Reading Events");
    ws.vhyppath = dir.file("none.ep");
    EXPECT_FALSE(reloadevents(ws, host));
    EXPECT_TRUE(ws.eventtable.events.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Error");
}

TEST(EventLayer, CirclesOfHalfTheMagnitudeYieldingAndAbortable) {
    test::Canvas canvas("map");
    WorkState ws;
    setdefaults(ws, "/nonexistent");
    for (int k = 0; k < 250; ++k) ws.eventtable.events.push_back(quake(1, 0, 35, 135.5f, 50, 40));
    ws.eventtable.events[0].mag = 0;
    Projection proj;
    drawevents(ws, canvas.pc, proj, canvas.host);
    const auto circles = canvas.surface.ofkind(OpKind::Circle);
    ASSERT_EQ(circles.size(), 250u);
    EXPECT_FLOAT_EQ(circles[0].radius, 0.0f);
    EXPECT_FLOAT_EQ(circles[1].radius, 2.0f);
    EXPECT_EQ(circles[1].color, (Rgb{0, 127, 0}));
    EXPECT_EQ(canvas.host.processEventsCalls, 2);
    EXPECT_EQ(canvas.host.statuses.front(), " Drawing Events(Ctrl+Q to Abort)");
    EXPECT_EQ(eventradius(-7), 0.0f);

    // Ctrl-Q during the second yield, then OK: 200 circles drawn.
    canvas.surface.clearlog();
    canvas.host.onProcessEvents = [&](int n) { ws.abortflag = n == 4; };
    drawevents(ws, canvas.pc, proj, canvas.host);
    EXPECT_EQ(canvas.surface.count(OpKind::Circle), 200u);
    EXPECT_EQ(canvas.host.messages.size(), 1u);  // the shared "Abort?" prompt
}

}  // namespace
}  // namespace crustex
