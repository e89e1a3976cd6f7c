// The earthquake catalogue ("VHYP" file): fixed little-endian records of 20
// bytes, numbered from 1. Record 1 holds the record count N as a 32-bit float
// at offset 0; records 2 and 3 are ignored; records 4 .. N - 1 are the
// hypocentres in ascending order of time:
//
//   offset 0  float  day number: whole days after 1920-01-01
//          4  int16  minute of the day
//          6  int16  carried along, not interpreted
//          8  float  latitude (degrees)
//         12  float  longitude (degrees)
//         16  int16  depth in 0.1 km
//         18  int16  magnitude times 10
//
// readevents finds the first record of the time window by bisection, so only
// the window itself is read record by record, and keeps the events inside
// the map range, depth range and magnitude range (all bounds inclusive).
//
// The file is outside data: a count N beyond the file is read to the file's
// last whole record, N below 5 selects nothing, and nothing outside the
// file is ever read.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/datetime.h"
#include "model/eventtable.h"
#include "model/fsutil.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

inline constexpr std::size_t kEventRecordBytes = 20;
using EventRecordBytes = std::array<unsigned char, kEventRecordBytes>;

// The record's fields from its 20 bytes, and back.
EventRecord decodeeventrecord(const unsigned char* bytes);
EventRecordBytes encodeeventrecord(const EventRecord& e);
// Record 1: the count N at offset 0, the other 16 bytes zero.
EventRecordBytes catalogueheader(float count);

// A moment as the catalogue keeps it: whole days after 1920-01-01 and the
// minute of the day (seconds are dropped).
struct EventInstant {
    int64_t day = 0;
    int minute = 0;
};
EventInstant eventinstant(const DateTime& t);
// Days from 1970-01-01 to a Gregorian date (negative before it).
int64_t civildays(int year, int month, int day);

// The date-time of a record: 1920-01-01 00:00 plus `day` days (rounded to a
// whole day, halves to even) plus `minute` minutes. Nothing when the result
// is not a date of the years 100..9999 or the day is not finite.
std::optional<DateTime> eventtime(float day, int16_t minute);

// What readevents keeps: the time window and the ranges, all inclusive.
struct EventSelection {
    DateTime start, end;
    float lat1 = 0, lat2 = 0, lon1 = 0, lon2 = 0;
    float dep0 = 0, dep1 = 0;  // km
    float mag0 = 0, mag1 = 0;
};
// The work state's time window, map range, depth and magnitude ranges.
EventSelection eventselection(const WorkState& ws);

// Where the records come from: a file, or bytes in memory (tests, fuzzing).
class CatalogueSource {
public:
    virtual ~CatalogueSource() = default;
    // Whole records present.
    virtual int64_t records() const = 0;
    // Copies record `number` (1-based, at most records()); false when it
    // cannot be read.
    virtual bool read(int64_t number, EventRecordBytes& out) = 0;
};

class MemoryCatalogue : public CatalogueSource {
public:
    explicit MemoryCatalogue(std::string_view bytes) : bytes_(bytes) {}
    int64_t records() const override;
    bool read(int64_t number, EventRecordBytes& out) override;

private:
    std::string_view bytes_;
};

// The catalogue file, opened without waiting and only when it is a regular
// file (InputFile).
class FileCatalogue : public CatalogueSource {
public:
    explicit FileCatalogue(const std::string& path);
    bool isopen() const { return file_.isopen(); }
    // Why the file could not be opened ("" when it was).
    const std::string& error() const { return file_.error(); }
    int64_t records() const override { return records_; }
    bool read(int64_t number, EventRecordBytes& out) override;

private:
    // Records are read in blocks, so that the window is read sequentially
    // with few calls.
    static constexpr int64_t kBlockRecords = 512;
    InputFile file_;
    int64_t records_ = 0;
    std::vector<unsigned char> block_;
    int64_t blockfirst_ = 0;  // record number of the block's first record, 0 none
};

// How a selection went.
struct EventScan {
    int64_t first = 0;        // first record of the window, 0 when none
    int64_t recordsread = 0;  // records read, header included
};

// Fills `table` with the selected events (the first kMaxEvents of them; the
// rest are counted in table.leftout).
EventScan selectevents(CatalogueSource& source, const EventSelection& sel, EventTable& table);

// The status text for events left out of a full table ("" when none were).
std::string leftoutmessage(const EventTable& table);

// selectevents on the catalogue file, with " Reading Events" on the status
// strip and the busy pointer. When more than kMaxEvents were selected, the
// status strip says how many were left out. False (table emptied) when the
// file cannot be opened; the reason then goes to *why when it is given.
bool readevents(const std::string& path, const EventSelection& sel, EventTable& table, Host& host,
                std::string* why = nullptr);

}  // namespace crustex
