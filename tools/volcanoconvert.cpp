#include "tools/volcanoconvert.h"

#include <cmath>
#include <cstdio>

#include "files/atomicfile.h"
#include "model/fsutil.h"
#include "tools/layercsv.h"

namespace crustex::tools {

bool volcanocsvtolist(std::string_view csv, VolcanoBuild& out, std::ostream& err) {
    const std::vector<CsvRow> rows = parsecsv(csv);
    const auto head = findheader(rows, {"latitude", "longitude"});
    if (!head) {
        err << "no header with latitude and longitude columns\n";
        return false;
    }
    const CsvRow& h = rows[*head];
    const std::size_t clat = *findcolumn(h, {"latitude"}), clon = *findcolumn(h, {"longitude"});
    const auto cname = findcolumn(h, {"volcano name", "name", "volcano_name"});
    out = {};
    for (std::size_t r = *head + 1; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        const double lat = clat < row.size() ? csvnumber(row[clat]).value_or(NAN) : NAN;
        const double lon = clon < row.size() ? csvnumber(row[clon]).value_or(NAN) : NAN;
        if (!(std::fabs(lat) <= 90 && std::fabs(lon) <= 360)) {
            ++out.skipped;
            continue;
        }
        char cols[64];
        std::snprintf(cols, sizeof cols, "%10.4f%10.4f", lat, lon);
        out.text += cols;
        if (cname && *cname < row.size() && !row[*cname].empty()) {
            // One line per volcano: no line breaks from the name.
            std::string name = row[*cname];
            for (char& c : name)
                if (c == '\r' || c == '\n') c = ' ';
            out.text += "  " + name;
        }
        out.text += "\r\n";
        ++out.volcanoes;
    }
    return true;
}

int runvolcanoconvert(ModeArgs args, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: crustex-convert volcanoes INPUT.csv OUTPUT\n";
        return 2;
    }
    std::string csv;
    if (!readwholefile(args[0], csv)) {
        err << "cannot read " << args[0] << "\n";
        return 1;
    }
    VolcanoBuild build;
    if (!volcanocsvtolist(csv, build, err)) return 1;
    if (!writefileatomic(args[1], build.text)) {
        err << "cannot write " << args[1] << "\n";
        return 1;
    }
    err << build.volcanoes << " volcanoes written to " << args[1];
    if (build.skipped > 0) err << ", " << build.skipped << " rows skipped";
    err << "\n";
    return 0;
}

}  // namespace crustex::tools
