// Scratch map directories and catalogue bytes for the map layer tests.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "geo/eventcatalogue.h"

namespace crustex::test {

// A fresh directory removed again at the end of the test.
class ScratchDir {
public:
    ScratchDir() {
        std::string name = (std::filesystem::temp_directory_path() / "crustex-geo-XXXXXX");
        path_ = ::mkdtemp(name.data());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string str() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string mkdir(const std::string& name) const {
        std::filesystem::create_directories(path_ / name);
        return file(name);
    }

private:
    std::filesystem::path path_;
};

inline void writefile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// A catalogue: the header with count n (by default the record count + 1,
// so that the data records are 4 .. n - 1), two
// ignored records, then the events.
inline std::string cataloguebytes(const std::vector<EventRecord>& events,
                                  std::optional<float> n = {}) {
    const float count = n ? *n : static_cast<float>(events.size() + 4);
    std::string out;
    auto put = [&out](const EventRecordBytes& b) { out.append(b.begin(), b.end()); };
    put(catalogueheader(count));
    put(catalogueheader(-1.0f));  // the ignored records hold anything
    put(catalogueheader(7.5e5f));
    for (const EventRecord& e : events) put(encodeeventrecord(e));
    return out;
}

// An event at (day, minute) with its own position, depth and magnitude.
inline EventRecord quake(float day, int16_t minute, float lat = 35.25f, float lon = 135.5f,
                         int16_t depth = 105, int16_t mag = 42) {
    EventRecord e;
    e.day = day;
    e.minute = minute;
    e.extra = 7;
    e.lat = lat;
    e.lon = lon;
    e.depth = depth;
    e.mag = mag;
    return e;
}

}  // namespace crustex::test
