#include "tools/volcanoconvert.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "files/atomicfile.h"
#include "tools/layercsv.h"

namespace crustex::tools {

bool volcanocsvtolist(std::istream& csv, VolcanoBuild& out, std::ostream& err) {
    CsvReader rows(csv);
    const auto h = findheader(rows, {"latitude", "longitude"});
    if (!h) {
        err << (rows.error().empty() ? "no header with latitude and longitude columns"
                                     : rows.error())
            << "\n";
        return false;
    }
    const std::size_t clat = *findcolumn(*h, {"latitude"}), clon = *findcolumn(*h, {"longitude"});
    const auto cname = findcolumn(*h, {"volcano name", "name", "volcano_name"});
    out = {};
    CsvRow row;
    while (rows.next(row)) {
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
    if (!rows.error().empty()) {
        err << rows.error() << "\n";
        return false;
    }
    return true;
}

int runvolcanoconvert(ModeArgs args, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: crustex-convert volcanoes INPUT.csv OUTPUT\n";
        return 2;
    }
    std::ifstream csv;
    if (!openinput(args[0], csv)) {
        err << "cannot read " << args[0] << "\n";
        return 1;
    }
    VolcanoBuild build;
    if (!volcanocsvtolist(csv, build, err)) return 1;
    if (csv.bad()) {
        err << "cannot read " << args[0] << "\n";
        return 1;
    }
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
